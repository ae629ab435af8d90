#include "loader/time_sync.h"

#include <cstdio>
#include <optional>

#include "widget/clock/time_protocol.h"

int TimeSyncProgress(TimeSyncStage stage) {
    switch (stage) {
        case TimeSyncStage::kStarted:
        case TimeSyncStage::kServerFound:
            return kTimeSyncStartedProgress;
        case TimeSyncStage::kSocketMade:
            return kTimeSyncSocketProgress;
        case TimeSyncStage::kConnected:
            return kTimeSyncConnectedProgress;
        case TimeSyncStage::kReplied:
            return kTimeSyncReplyProgress;
    }
    return kTimeSyncStartedProgress;
}

TimeSyncResult TimeSyncFailure(TimeSyncStage furthest) {
    switch (furthest) {
        case TimeSyncStage::kStarted:
        case TimeSyncStage::kSocketMade:
            return TimeSyncResult::kNoConnection;
        case TimeSyncStage::kServerFound:
            return TimeSyncResult::kNoSocket;
        case TimeSyncStage::kConnected:
        case TimeSyncStage::kReplied:
            return TimeSyncResult::kNoReply;
    }
    return TimeSyncResult::kNoConnection;
}

TimeSyncOutcome CompleteTimeSync(const TimeSyncReport& report, const IClock& clock, alarmclock::IClockSetter& setter) {
    TimeSyncOutcome outcome;
    outcome.previous = ToLocalTime(clock.Now());
    if (report.exchange != TimeSyncResult::kClockSet) {
        outcome.result = report.exchange;
        return outcome;
    }
    const std::optional<Moment> moment = MomentFromTimeProtocol(report.seconds1900);
    if (!moment) {
        outcome.result = TimeSyncResult::kNoReply;
        return outcome;
    }
    outcome.result =
        setter.SetLocalClock(ToLocalTime(*moment)) ? TimeSyncResult::kClockSet : TimeSyncResult::kClockNotSet;
    return outcome;
}

std::string TimeSyncTimeText(const LocalTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%d月%d日 %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

std::string TimeSyncFinishedText(TimeSyncResult result, const LocalTime& previous, const LocalTime& current) {
    if (result != TimeSyncResult::kClockSet) {
        return kTimeSyncFailedText;
    }
    return std::string("网络校时成功！\r\n原本地时间：") + TimeSyncTimeText(previous) + "\r\n现本地时间：" +
           TimeSyncTimeText(current);
}
