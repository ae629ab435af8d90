#pragma once

// Setting the computer's clock from an RFC 868 time server: the stages of
// the exchange and the progress each shows, the result codes, what is done
// with the reply, and the dialog's texts (GBK). The exchange itself runs on
// a worker thread of the Windows build; the rest is decided here.

#include <cstdint>
#include <string>

#include "alarmclock/clock_setter.h"
#include "common/local_time.h"

// Progress values of one synchronisation, 0-100.
inline constexpr int kTimeSyncStartedProgress = 0;
inline constexpr int kTimeSyncSocketProgress = 20;     // the socket is made
inline constexpr int kTimeSyncConnectedProgress = 40;  // the server took the connection
inline constexpr int kTimeSyncReplyProgress = 60;      // the four bytes arrived
inline constexpr int kTimeSyncClockSetProgress = 80;
inline constexpr int kTimeSyncFinishedProgress = 100;  // reached by every outcome

// The outcome of one synchronisation; the numbers are what the dialog
// keeps as its result code.
enum class TimeSyncResult : int {
    kClockSet = 0,
    kWrongSocketVersion = 1,  // the socket library is not the version asked for
    kNoServer = 100,
    kNoSocketLibrary = 1000,
    kNoSocket = 1001,
    kNoConnection = 1002,
    kNoReply = 1003,  // also a reply whose time the clock cannot take
    kClockNotSet = 1005,
};

// How far the exchange with the server came, in order.
enum class TimeSyncStage {
    kStarted,
    kServerFound,  // the server's name gave an address
    kSocketMade,
    kConnected,
    kReplied,
};

// The progress bar's value while the exchange is at `stage`.
int TimeSyncProgress(TimeSyncStage stage);

// The result of an exchange that failed after reaching `furthest`. A name
// that gives no address counts as a connection that cannot be made: that is
// what a machine without a network sees.
TimeSyncResult TimeSyncFailure(TimeSyncStage furthest);

// What the worker's exchange came to, as the dialog reads it.
struct TimeSyncReport {
    bool finished = false;
    TimeSyncStage stage = TimeSyncStage::kStarted;
    // When finished: kClockSet for four bytes received (held in
    // `seconds1900`), else the failure.
    TimeSyncResult exchange = TimeSyncResult::kClockSet;
    std::uint32_t seconds1900 = 0;
};

struct TimeSyncOutcome {
    TimeSyncResult result = TimeSyncResult::kClockSet;
    LocalTime previous;  // the local time just before the clock was set
};

// The steps after a finished exchange: a received count is read as a moment
// (across the protocol's 2036 wrap) and the clock is set to its local time.
// A count no Moment can hold sets nothing and gives kNoReply: a wrong clock
// is worse than none.
TimeSyncOutcome CompleteTimeSync(const TimeSyncReport& report, const IClock& clock, alarmclock::IClockSetter& setter);

inline constexpr char kTimeSyncTitleSuffix[] = "－网络校时";
inline constexpr char kTimeSyncWaitingText[] = "正在进行网络校时，请稍候...";
inline constexpr char kTimeSyncFailedText[] = "网络校时失败！请稍后再试！";

// "2013年1月1日 08:00:00".
std::string TimeSyncTimeText(const LocalTime& time);

// The status text once the synchronisation has finished: on success three
// lines with the previous and the current local time, else the failure text.
std::string TimeSyncFinishedText(TimeSyncResult result, const LocalTime& previous, const LocalTime& current);
