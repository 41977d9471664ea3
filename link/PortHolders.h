#pragma once

// Who holds a serial device open, and the sentence a user reads when an open
// fails.

#include <sys/types.h>
#include <string>
#include <vector>

namespace navoro {

struct PortHolder {
    pid_t pid = 0;
    std::string name;  // the process's command name
};

// The processes with an open descriptor on the device at `path` (after
// following symbolic links), found through /proc/<pid>/fd. Processes whose
// descriptors cannot be read (other users' without privilege) are missed.
std::vector<PortHolder> FindPortHolders(const std::string& path);

// The message for an open of `path` that failed with errno `code`: it names the
// device and the reason, the holding processes for a busy port, and the dialout
// group for a permission error.
std::string DescribeOpenError(const std::string& path, int code,
                              const std::vector<PortHolder>& holders);

}  // namespace navoro
