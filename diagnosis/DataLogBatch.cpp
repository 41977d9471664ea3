#include "diagnosis/DataLogBatch.h"

namespace navoro {

void DataLogBatch::Add(std::string_view line) {
    if (maxLines_ == 0) return;
    if (lines_.size() >= maxLines_) lines_.pop_front();
    lines_.emplace_back(line);
}

std::vector<std::string> DataLogBatch::Take() {
    std::vector<std::string> out;
    out.reserve(lines_.size());
    for (std::string& line : lines_)
        out.push_back(std::move(line));
    lines_.clear();
    return out;
}

}  // namespace navoro
