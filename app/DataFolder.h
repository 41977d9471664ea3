#pragma once

#include <string>

namespace navoro {

// `folder` with a trailing '/' (added when missing, also to an empty text).
std::string WithSeparator(std::string folder);

// The folder below which the language and read-me files (Lang/...) are found:
// the executable's own folder when it has a Lang/ folder (the build tree, a
// portable copy), else <exe>/../share/navoro/ when that has one (an installed
// copy), else the executable's folder. Returned with a trailing separator.
std::string ResolveDataFolder(const std::string& exeFolder);

}  // namespace navoro
