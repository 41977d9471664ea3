#pragma once

// Sending a tab's write plan: its sentences in order with the pauses between
// them, stopping at the first send that fails.

#include <functional>
#include <string>

#include "config/tabs/TabRules.h"

namespace navoro {

// How a sentence went: sent; not sent; or not sent and the link has already
// told the user (and dropped the connection).
enum class SendResult { Sent, Failed, FailedReported };

struct WriteLink {
    std::function<SendResult(const std::string& line)> Send;
    std::function<void(int milliseconds)> Sleep;
    std::function<void()> Advance;  // one step of the waiting window
};

struct WriteResult {
    bool Completed = false;  // every sentence was sent
    int Sent = 0;            // sentences sent
    int Total = 0;           // sentences in the plan
    bool Reported = false;   // the link has already shown the failure
};

WriteResult RunWritePlan(const WritePlan& plan, const WriteLink& link);

}  // namespace navoro
