#include "config/tabs/WriteRun.h"

namespace navoro {

WriteResult RunWritePlan(const WritePlan& plan, const WriteLink& link) {
    WriteResult result;
    result.Total = plan.Sentences();
    for (const WriteStep& step : plan.Steps) {
        switch (step.What) {
            case WriteStep::Kind::Wait:
                if (link.Sleep) link.Sleep(step.Milliseconds);
                break;
            case WriteStep::Kind::Advance:
                if (link.Advance) link.Advance();
                break;
            case WriteStep::Kind::Send: {
                const SendResult sent = link.Send ? link.Send(step.Line) : SendResult::Failed;
                if (sent != SendResult::Sent) {
                    result.Reported = sent == SendResult::FailedReported;
                    return result;
                }
                ++result.Sent;
                break;
            }
        }
    }
    result.Completed = true;
    return result;
}

}  // namespace navoro
