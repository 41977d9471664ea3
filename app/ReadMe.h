#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/CodePage.h"

namespace navoro {

// A read-me line is shown in pieces of at most this many bytes.
inline constexpr std::size_t kReadMePieceBytes = 499;
// Read-me files are read up to this size.
inline constexpr std::size_t kMaxReadMeBytes = 4 << 20;

// The memo lines of a read-me file, decoded to UTF-8: every line of the file
// (CR LF or LF) in pieces of at most kReadMePieceBytes bytes, each piece one
// memo line. A double-byte character is never cut in two. Nothing when the file
// cannot be opened.
std::optional<std::vector<std::string>> LoadReadMe(const std::string& path, CodePage page);

}  // namespace navoro
