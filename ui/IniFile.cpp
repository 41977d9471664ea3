#include "ui/IniFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace navoro {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The name of a section line ("[ Name ]" → "Name"), the rest of the line when
// the bracket is not closed.
std::string_view SectionName(std::string_view trimmed) {
    std::string_view inner = trimmed.substr(1);
    const auto close = inner.find(']');
    if (close != std::string_view::npos) inner = inner.substr(0, close);
    return Trim(inner);
}

// Splits a key line; false when it has no "=" or is a comment.
bool SplitKeyLine(std::string_view raw, std::string_view& key, std::string_view& value) {
    const std::string_view t = Trim(raw);
    if (t.empty() || t.front() == ';' || t.front() == '[') return false;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return true;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::optional<IniFile> IniFile::Load(const std::string& path, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        if (error) *error = std::strerror(EISDIR);
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    std::string text(kMaxFileBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    return Parse(text);
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    std::string current;
    bool haveSection = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

        Line line;
        line.raw = std::string(raw);
        const std::string_view t = Trim(raw);
        if (!t.empty() && t.front() == '[') {
            current = std::string(SectionName(t));
            haveSection = true;
            line.isSection = true;
        }
        line.section = haveSection ? current : std::string();
        if (!haveSection) line.section = std::string(1, '\0');  // keys before any section
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

long IniFile::FindKey(std::string_view section, std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.isSection || !SameName(line.section, section)) continue;
        std::string_view k, v;
        if (SplitKeyLine(line.raw, k, v) && SameName(k, key)) return static_cast<long>(i);
    }
    return -1;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const long i = FindKey(section, key);
    if (i < 0) return std::nullopt;
    std::string_view k, v;
    SplitKeyLine(lines_[static_cast<std::size_t>(i)].raw, k, v);
    return std::string(v);
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = std::string(key) + "=" + std::string(value);
    const long found = FindKey(section, key);
    if (found >= 0) {
        lines_[static_cast<std::size_t>(found)].raw = std::move(text);
        return;
    }
    // After the last non-blank line of the first matching section.
    long insertAt = -1;
    std::string sectionName;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.isSection) {
            if (insertAt >= 0) break;
            if (SameName(line.section, section)) {
                insertAt = static_cast<long>(i) + 1;
                sectionName = line.section;
            }
        } else if (insertAt >= 0 && !Trim(line.raw).empty()) {
            insertAt = static_cast<long>(i) + 1;
        }
    }
    if (insertAt >= 0) {
        lines_.insert(lines_.begin() + insertAt, Line{std::move(text), sectionName, false});
        return;
    }
    if (!lines_.empty() && !Trim(lines_.back().raw).empty()) {
        lines_.push_back(Line{std::string(), lines_.back().section, false});
    }
    lines_.push_back(Line{"[" + std::string(section) + "]", std::string(section), true});
    lines_.push_back(Line{std::move(text), std::string(section), false});
}

std::string IniFile::Text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.raw;
        out += '\n';
    }
    return out;
}

}  // namespace navoro
