#include "link/SentenceDispatch.h"

#include <cstring>

#include "codec/FormatterTable.h"
#include "codec/Router.h"

namespace navoro {

namespace {

struct FormatterRoute {
    const char* Formatter;
    SentenceRoute Route;
};

constexpr FormatterRoute kAisReplies[] = {
    {"SSD", SentenceRoute::ShowSsdReply},
    {"VSD", SentenceRoute::ShowVsdReply},
};

constexpr FormatterRoute kProprietaryReplies[] = {
    {"TSV", SentenceRoute::ShowTsvReply}, {"MBL", SentenceRoute::ShowMblReply},
    {"DES", SentenceRoute::ShowDesReply}, {"BAU", SentenceRoute::ShowBauReply},
    {"CPA", SentenceRoute::ShowCpaReply}, {"CLR", SentenceRoute::ShowClrReply},
};

template <std::size_t N>
SentenceRoute Find(const FormatterRoute (&routes)[N], const char* formatter) {
    for (const FormatterRoute& route : routes) {
        if (std::strcmp(route.Formatter, formatter) == 0) return route.Route;
    }
    return SentenceRoute::None;
}

}  // namespace

SentenceRoute RouteReceivedLine(Codec& codec, const char* line) {
    if (line == nullptr || (line[0] != '$' && line[0] != '!')) return SentenceRoute::None;
    const std::size_t length = strnlen(line, kMaxDispatchedLength + 1);
    if (length > static_cast<std::size_t>(kMaxDispatchedLength)) return SentenceRoute::None;
    if (!RouteSentence(codec, line, length)) return SentenceRoute::None;

    const SentenceHeader& header = codec.Received.Header;
    switch (FormatterGroup(header)) {
        case kGroupGnss:
            return SentenceRoute::UpdateGnssStatus;
        case kGroupAis:
            if (line[0] == '!') return SentenceRoute::CountPositionReport;
            return Find(kAisReplies, header.Formatter);
        case kGroupProprietary:
            return Find(kProprietaryReplies, header.Formatter);
        default:
            return SentenceRoute::None;
    }
}

}  // namespace navoro
