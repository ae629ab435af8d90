#pragma once

// The time texts of the weather feed (starttime, endtime): mail-style
// "Tue, 05 Aug 2008 06:30:00 GMT" or "2008年8月5日 6:30:00" and
// "2008-08-05 06:30:00". Both give local time.

#include <string_view>

#include "common/local_time.h"

// The moment `text` names; `now` when it names none.
Moment ParseFeedTime(std::string_view text, Moment now);
