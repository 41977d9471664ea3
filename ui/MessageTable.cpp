#include "ui/MessageTable.h"

#include "ui/IniFile.h"

namespace navoro {

namespace {

long IndexOf(std::string_view section, std::string_view key) {
    for (std::size_t i = 0; i < kMessageEntries.size(); ++i) {
        if (SameName(kMessageEntries[i].Section, section) && SameName(kMessageEntries[i].Key, key))
            return static_cast<long>(i);
    }
    return -1;
}

}  // namespace

void MessageTable::LoadBuiltInTexts() {
    for (std::size_t i = 0; i < kMessageEntries.size(); ++i)
        texts_[i] = kMessageEntries[i].BuiltIn;
}

const std::string* MessageTable::Find(std::string_view section, std::string_view key) const {
    const long i = IndexOf(section, key);
    return i < 0 ? nullptr : &texts_[static_cast<std::size_t>(i)];
}

bool MessageTable::Store(std::string_view section, std::string_view key, std::string text) {
    const long i = IndexOf(section, key);
    if (i < 0) return false;
    texts_[static_cast<std::size_t>(i)] = std::move(text);
    return true;
}

}  // namespace navoro
