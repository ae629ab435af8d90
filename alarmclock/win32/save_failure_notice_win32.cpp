// A failed save is shown to the user in a message box without an owner, as
// the rest of the suite shows file errors.

#include <windows.h>

#include "alarmclock/alarm_saver.h"

namespace alarmclock {

SaveFailureNotifier DefaultSaveFailureNotifier() {
    return [](const char* path) {
        MessageBoxA(nullptr, SaveFailureMessage(path).c_str(), kSaveFailureCaption, MB_OK | MB_ICONINFORMATION);
    };
}

}  // namespace alarmclock
