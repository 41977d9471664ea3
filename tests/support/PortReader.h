#pragma once

// Another program reading a serial device the way a terminal program does:
// `cat PATH` in a child process, with no lock and no TIOCEXCL. Started by the
// constructor (which waits until the child has the device open), ended with
// SIGTERM by the destructor.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "link/PortHolders.h"

extern char** environ;

namespace navoro::test {

class PortReader {
  public:
    explicit PortReader(const std::string& path) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        std::string program = "cat";
        std::string device = path;
        char* argv[] = {program.data(), device.data(), nullptr};
        if (posix_spawnp(&pid_, "cat", &actions, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        // Ready once the device shows among its descriptors.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (pid_ > 0 && !Holds(path) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~PortReader() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    PortReader(const PortReader&) = delete;
    PortReader& operator=(const PortReader&) = delete;

    pid_t Pid() const { return pid_; }
    bool Holds(const std::string& path) const {
        for (const PortHolder& holder : FindPortHolders(path)) {
            if (holder.pid == pid_) return true;
        }
        return false;
    }

  private:
    pid_t pid_ = -1;
};

}  // namespace navoro::test
