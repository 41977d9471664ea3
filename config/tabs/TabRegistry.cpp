#include "config/tabs/TabRegistry.h"

namespace navoro {

std::size_t FindTab(std::string_view key) {
    for (std::size_t i = 0; i < kTabCount; ++i) {
        if (key == kTabInfos[i].Key) return i;
    }
    return kTabCount;
}

std::size_t FindTabByPage(std::string_view page) {
    for (std::size_t i = 0; i < kTabCount; ++i) {
        if (page == kTabInfos[i].Page) return i;
    }
    return kTabCount;
}

std::array<std::size_t, kTabCount> WriteOrder() {
    std::array<std::size_t, kTabCount> order{};
    std::size_t n = 0;
    for (const bool last : {false, true}) {
        for (std::size_t i = 0; i < kTabCount; ++i) {
            if (kTabInfos[i].ChangesConnection == last) order[n++] = i;
        }
    }
    return order;
}

bool TabSettings::Has(std::size_t tab) const {
    bool has = false;
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (index == tab) has = Get<Unit>().has_value();
    });
    return has;
}

void TabSettings::Drop(std::size_t tab) {
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (index == tab) Get<Unit>().reset();
    });
}

bool TabSettings::Empty() const {
    for (std::size_t i = 0; i < kTabCount; ++i) {
        if (Has(i)) return false;
    }
    return true;
}

}  // namespace navoro
