#include "diagnosis/DataLogBatch.h"

namespace navoro {

void DataLogBatch::Add(std::string_view line) {
    if (maxLines_ == 0) return;
    if (lines_.size() >= maxLines_) lines_.pop_front();
    lines_.emplace_back(line);
}

std::vector<std::string> DataLogBatch::Take(std::size_t count) {
    const std::size_t n = count < lines_.size() ? count : lines_.size();
    std::vector<std::string> out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(std::move(lines_.front()));
        lines_.pop_front();
    }
    return out;
}

}  // namespace navoro
