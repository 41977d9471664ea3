#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace navoro {

// The data log's memo shows the newest this many lines; older ones leave it
// (the log file keeps them all). The memo's text store is compacted now and
// then at a cost that grows with its size: at this size it stays near 8 ms,
// at 50 000 lines it reached 17 ms, more than a frame.
inline constexpr std::size_t kDataLogMaxLines = 20000;
// How long received lines are collected before they are shown together, and
// how many are shown in one go at most.
inline constexpr int kDataLogFlushMilliseconds = 70;
inline constexpr std::size_t kDataLogFlushLines = 100;

// Received lines waiting to be shown in the data log, in arrival order. Lines
// are collected and handed over together, so a fast stream costs one edit of
// the memo per batch rather than one per line. At most `maxLines` wait: when
// more arrive before a hand-over, the oldest waiting lines go, as the memo
// would drop them anyway.
class DataLogBatch {
  public:
    explicit DataLogBatch(std::size_t maxLines = kDataLogMaxLines) : maxLines_(maxLines) {}

    void Add(std::string_view line);
    bool Empty() const { return lines_.empty(); }
    std::size_t Size() const { return lines_.size(); }
    // The first `count` waiting lines (all by default) in order; they leave
    // the batch.
    std::vector<std::string> Take(std::size_t count = static_cast<std::size_t>(-1));
    void Clear() { lines_.clear(); }
    std::size_t MaxLines() const { return maxLines_; }

  private:
    std::size_t maxLines_;
    std::deque<std::string> lines_;
};

}  // namespace navoro
