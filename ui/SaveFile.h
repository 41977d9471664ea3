#pragma once

#include <QString>
#include <string>

namespace navoro {

// Writes `bytes` to `path` beside the old file and then renames it over it,
// so a failed write leaves the old file as it was. Returns why it failed, or
// an empty text.
QString SaveTextFile(const QString& path, const std::string& bytes);

}  // namespace navoro
