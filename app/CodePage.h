#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace navoro {

// The 8-bit code pages the language and read-me files are stored in.
enum class CodePage {
    Windows1250,  // Central European (English files)
    Big5,         // code page 950, Traditional Chinese
    Gbk,          // code page 936 (GB2312 and its extension), Simplified Chinese
    Windows1251,  // Cyrillic
};

// The name iconv knows the code page by.
const char* IconvName(CodePage page);

// Decodes `bytes` to UTF-8. A byte that is not valid in the code page, or a
// double-byte character cut off at the end, becomes U+FFFD and decoding goes
// on; `hadInvalid` (when given) tells whether that happened.
std::string DecodeToUtf8(std::string_view bytes, CodePage page, bool* hadInvalid = nullptr);

// The largest length n <= limit at which `bytes` can be cut without splitting a
// double-byte character (Big5 and GBK lead bytes are 0x81..0xFE).
std::size_t CharacterBoundary(std::string_view bytes, std::size_t limit, CodePage page);

}  // namespace navoro
