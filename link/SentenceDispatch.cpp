#include "link/SentenceDispatch.h"

#include <cstring>

#include "codec/FormatterTable.h"
#include "codec/Router.h"

namespace navoro {

SentenceKind AcceptLine(Codec& codec, const char* line) {
    if (line == nullptr || (line[0] != '$' && line[0] != '!')) return SentenceKind::Rejected;
    const std::size_t length = strnlen(line, kMaxDispatchedLength + 1);
    if (length > static_cast<std::size_t>(kMaxDispatchedLength)) return SentenceKind::Rejected;
    if (!RouteSentence(codec, line, length)) return SentenceKind::Rejected;
    switch (FormatterGroup(codec.Received.Header)) {
        case kGroupGnss:
            return std::strcmp(codec.Received.Header.Formatter, "GSV") == 0
                       ? SentenceKind::Satellites
                       : SentenceKind::Gnss;
        case kGroupAis:
            return line[0] == '!' ? SentenceKind::Encapsulated : SentenceKind::Reply;
        case kGroupProprietary:
            return SentenceKind::Reply;
        default:
            return SentenceKind::Other;
    }
}

}  // namespace navoro
