#include "app/CodePage.h"

#include <iconv.h>

#include <cerrno>

namespace navoro {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsDoubleByte(CodePage page) {
    return page == CodePage::Big5 || page == CodePage::Gbk;
}

// Used only when iconv lacks the code page: ASCII passes, the rest is replaced.
std::string DecodeAsciiOnly(std::string_view bytes, bool* hadInvalid) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.append(kReplacement);
            if (hadInvalid) *hadInvalid = true;
        }
    }
    return out;
}

class IconvHandle {
  public:
    explicit IconvHandle(CodePage page) : cd_(iconv_open("UTF-8", IconvName(page))) {}
    ~IconvHandle() {
        if (ok()) iconv_close(cd_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

}  // namespace

const char* IconvName(CodePage page) {
    switch (page) {
        case CodePage::Windows1250:
            return "CP1250";
        case CodePage::Big5:
            return "CP950";
        case CodePage::Gbk:
            return "CP936";
        case CodePage::Windows1251:
            return "CP1251";
    }
    return "CP1250";
}

std::string DecodeToUtf8(std::string_view bytes, CodePage page, bool* hadInvalid) {
    if (hadInvalid) *hadInvalid = false;
    IconvHandle cd(page);
    if (!cd.ok()) return DecodeAsciiOnly(bytes, hadInvalid);

    std::string out;
    out.reserve(bytes.size() * 2);
    char chunk[1024];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (rc != static_cast<std::size_t>(-1)) break;
        if (err == E2BIG) continue;
        // EILSEQ (a byte the code page does not define) or EINVAL (a character
        // cut off at the end): replace one byte and go on.
        out.append(kReplacement);
        if (hadInvalid) *hadInvalid = true;
        ++in;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::size_t CharacterBoundary(std::string_view bytes, std::size_t limit, CodePage page) {
    if (bytes.size() <= limit) return bytes.size();
    if (!IsDoubleByte(page)) return limit;
    std::size_t i = 0;
    while (i < limit) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const std::size_t width = (c >= 0x81 && c <= 0xFE) ? 2 : 1;
        if (i + width > limit) break;
        i += width;
    }
    return i;
}

}  // namespace navoro
