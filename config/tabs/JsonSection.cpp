#include "config/tabs/JsonSection.h"

#include <cmath>

#include "config/tabs/TabRules.h"

namespace navoro {

namespace {

bool PlainName(const std::string& key) {
    if (key.empty() || (key[0] >= '0' && key[0] <= '9')) return false;
    for (const char c : key) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

}  // namespace

std::string KeyPath(const std::string& path, const std::string& key) {
    if (!PlainName(key))
        return path + "[" + Json(key).dump(-1, ' ', false, Json::error_handler_t::replace) + "]";
    return path.empty() ? key : path + "." + key;
}

JsonIn::JsonIn(const Json* value, std::string path, FormProblems& problems)
    : value_(value && value->is_object() ? value : nullptr),
      path_(std::move(path)),
      problems_(&problems) {}

void JsonIn::Problem(const std::string& key, std::string message) {
    problems_->push_back({Name(key), std::move(message)});
}

void JsonIn::ProblemAt(std::string path, std::string message) {
    problems_->push_back({std::move(path), std::move(message)});
}

bool JsonIn::Has(const char* key) const {
    return value_ && value_->contains(key);
}

const Json* JsonIn::Get(const char* key) {
    if (!value_) return nullptr;
    const auto it = value_->find(key);
    if (it == value_->end()) return nullptr;
    read_.insert(key);
    return &*it;
}

std::optional<long long> JsonIn::Whole(const char* key, bool required) {
    const Json* v = Get(key);
    if (!v) {
        if (required && value_) Problem(key, "missing");
        return std::nullopt;
    }
    if (v->is_number_integer()) {
        const bool fits = v->is_number_unsigned() ? v->get<std::uint64_t>() <= kJsonWholeMax
                                                  : v->get<std::int64_t>() >= -kJsonWholeMax &&
                                                        v->get<std::int64_t>() <= kJsonWholeMax;
        if (fits) return v->get<std::int64_t>();
    }
    Problem(key, "must be a whole number");
    return std::nullopt;
}

std::optional<int> JsonIn::Tenths(const char* key, bool required) {
    const Json* v = Get(key);
    if (!v) {
        if (required && value_) Problem(key, "missing");
        return std::nullopt;
    }
    if (!v->is_number()) {
        Problem(key, "must be a number");
        return std::nullopt;
    }
    const double value = v->get<double>();
    const double tenths = value * 10.0;
    if (!std::isfinite(value) || std::fabs(tenths) > kJsonWholeMax) {
        Problem(key, "must be a number");
        return std::nullopt;
    }
    const double rounded = std::round(tenths);
    if (std::fabs(tenths - rounded) > 1e-6) {
        Problem(key, Broken(key, "", MessageId::OneDecimal, {v->dump()}).English());
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

std::optional<std::string> JsonIn::Text(const char* key, bool required) {
    const Json* v = Get(key);
    if (!v) {
        if (required && value_) Problem(key, "missing");
        return std::nullopt;
    }
    if (!v->is_string()) {
        Problem(key, "must be a text");
        return std::nullopt;
    }
    return v->get<std::string>();
}

std::optional<bool> JsonIn::Bool(const char* key, bool required) {
    const Json* v = Get(key);
    if (!v) {
        if (required && value_) Problem(key, "missing");
        return std::nullopt;
    }
    if (!v->is_boolean()) {
        Problem(key, "must be true or false");
        return std::nullopt;
    }
    return v->get<bool>();
}

std::optional<int> JsonIn::Choice(const char* key, std::initializer_list<const char*> texts,
                                  bool required) {
    const Json* v = Get(key);
    if (!v) {
        if (required && value_) Problem(key, "missing");
        return std::nullopt;
    }
    int index = 0;
    std::string listed;
    for (const char* text : texts) {
        if (v->is_string() && v->get_ref<const std::string&>() == text) return index;
        listed += (index == 0 ? "" : index + 1 == static_cast<int>(texts.size()) ? " or " : ", ");
        listed += "\"" + std::string(text) + "\"";
        ++index;
    }
    Problem(key, "must be " + listed);
    return std::nullopt;
}

JsonIn JsonIn::Object(const char* key, bool required) {
    const Json* v = Get(key);
    if (!v) {
        if (required && value_) Problem(key, "missing");
    } else if (!v->is_object()) {
        Problem(key, "must be an object");
        v = nullptr;
    }
    return JsonIn(v, Name(key), *problems_);
}

const Json* JsonIn::List(const char* key, std::size_t maxItems, const char* what) {
    const Json* v = Get(key);
    if (!v) return nullptr;
    if (!v->is_array() || v->size() > maxItems) {
        Problem(key, "must be a list of at most " + std::to_string(maxItems) + " " + what);
        return nullptr;
    }
    return v;
}

void JsonIn::Finish() {
    if (!value_) return;
    for (const auto& item : value_->items()) {
        if (!read_.contains(item.key())) Problem(item.key(), "is not a known key");
    }
}

}  // namespace navoro
