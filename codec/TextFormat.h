#pragma once

// printf into a std::string of any length.

#include <string>

namespace navoro {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace navoro
