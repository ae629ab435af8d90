// The native build has no user interface to show a failed save in; Save's
// result is the whole report.

#include "alarmclock/alarm_saver.h"

namespace alarmclock {

SaveFailureNotifier DefaultSaveFailureNotifier() {
    return {};
}

}  // namespace alarmclock
