// DES - an entry of the destination list, and MBL - an entry of the MOB list
// (an MMSI and a name).
//
//   $PLMO,R,DES,2,HAMBURG*6A
//   $PLMO,R,MBL,211000000,JOHN SMITH*55
//    1  entry number or MMSI (blank 0)
//    2  text, cut to 20 characters; a blank text rejects the sentence
//
// The two fields are split by hand rather than tokenized: the first runs up to
// the first ',', the second up to the first '*', and the checksum must follow.
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseDes(Tokenizer& /*tok*/, char* text, SentenceRecord& record) {
    if (!CountFields(text, 2)) return false;
    const std::size_t length = std::strlen(text);
    // After "$PDES," (a rewritten $PLMO sentence or a short one) or "$AIDES,".
    const std::size_t start = text[1] == 'P' ? 6 : 7;
    if (length <= start) return false;
    const char* end = text + length;
    const char* first = text + start;
    const char* comma = static_cast<const char*>(std::memchr(first, ',', end - first));
    if (comma == nullptr) return false;
    const char* second = comma + 1;
    const char* star = static_cast<const char*>(std::memchr(second, '*', end - second));
    if (star == nullptr || star + 1 >= end) return false;

    DesRecord& r = record.Des;
    r = DesRecord{};
    const std::size_t first_length = static_cast<std::size_t>(comma - first);
    const std::size_t second_length = static_cast<std::size_t>(star - second);
    // A blank field is the single blank that ExpandEmptyFields put there.
    if (second_length == 0 || (second_length == 1 && second[0] == ' ')) return false;
    if (first_length > 0 && first[0] != ' ') {
        char number[16];
        const std::size_t n = first_length < sizeof number - 1 ? first_length : sizeof number - 1;
        std::memcpy(number, first, n);
        number[n] = '\0';
        r.Value = static_cast<std::uint32_t>(Atol(number));
    }
    const std::size_t n = second_length < sizeof r.Text - 1 ? second_length : sizeof r.Text - 1;
    std::memcpy(r.Text, second, n);
    r.Text[n] = '\0';
    return true;
}

}  // namespace navoro
