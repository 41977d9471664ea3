#pragma once

// The configuration tabs, in the order of the configuration page. Everything
// that works on every tab (the window's pages, reading a device, writing it,
// the configuration file, navoro-config) iterates this list. A new tab is a
// new unit (TabUnit.h) added here, its page, its section in the schema and its
// texts in the language files.

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

#include "config/tabs/BaudRateTab.h"
#include "config/tabs/CpaTab.h"
#include "config/tabs/DestinationsTab.h"
#include "config/tabs/EncryptionTab.h"
#include "config/tabs/LongRangeTab.h"
#include "config/tabs/MobTab.h"
#include "config/tabs/ShipDataTab.h"
#include "config/tabs/TransceiverTab.h"
#include "config/tabs/VoyageTab.h"

namespace navoro {

template <typename... Units>
struct TabList {
    static constexpr std::size_t kCount = sizeof...(Units);
    using Records = std::tuple<std::optional<typename Units::Record>...>;
    using PlainRecords = std::tuple<typename Units::Record...>;
    // The window's pages.
    using Views = std::tuple<std::unique_ptr<TabView<typename Units::Record>>...>;

    // Calls visit.template operator()<Unit>(index) for each unit in order:
    //   ForEachTab([&]<typename Unit>(std::size_t index) { ... });
    template <typename Visit>
    static void Each(Visit&& visit) {
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            (visit.template operator()<Units>(I), ...);
        }
        (std::index_sequence_for<Units...>{});
    }

    static constexpr std::array<TabInfo, kCount> kInfos = {Units::kInfo...};

    template <typename Unit>
    static constexpr std::size_t IndexOf() {
        std::size_t index = 0;
        std::size_t found = kCount;
        ((std::is_same_v<Unit, Units> ? (found = index, ++index) : ++index), ...);
        return found;
    }
};

using ConfigTabs = TabList<ShipDataTab, VoyageTab, CpaTab, TransceiverTab, BaudRateTab,
                           LongRangeTab, DestinationsTab, MobTab, EncryptionTab>;

inline constexpr std::size_t kTabCount = ConfigTabs::kCount;
inline constexpr const std::array<TabInfo, kTabCount>& kTabInfos = ConfigTabs::kInfos;

template <typename Visit>
void ForEachTab(Visit&& visit) {
    ConfigTabs::Each(std::forward<Visit>(visit));
}

template <typename Unit>
constexpr std::size_t TabIndex() {
    constexpr std::size_t index = ConfigTabs::IndexOf<Unit>();
    static_assert(index < kTabCount, "not a configuration tab");
    return index;
}

// The tab whose file section is `key`, or whose page is `page`; kTabCount when none.
std::size_t FindTab(std::string_view key);
std::size_t FindTabByPage(std::string_view page);

// The order tabs are written in (and stand in a file): the tabs' order, those
// that change the connection last.
std::array<std::size_t, kTabCount> WriteOrder();

// The settings of every tab, each when it is there.
class TabSettings {
  public:
    template <typename Unit>
    std::optional<typename Unit::Record>& Get() {
        return std::get<TabIndex<Unit>()>(records_);
    }
    template <typename Unit>
    const std::optional<typename Unit::Record>& Get() const {
        return std::get<TabIndex<Unit>()>(records_);
    }
    bool Has(std::size_t tab) const;
    void Drop(std::size_t tab);
    bool Empty() const;
    bool operator==(const TabSettings&) const = default;

  private:
    ConfigTabs::Records records_;
};

}  // namespace navoro
