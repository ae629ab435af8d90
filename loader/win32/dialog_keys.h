#pragma once

// Keyboard use of the loader's modeless dialogs (scheduled shutdown, time
// sync): Tab, Enter and Esc reach a modeless dialog only when the message
// loop hands them to IsDialogMessage.

#include <windows.h>

// Hands `message` to IsDialogMessage when it is meant for a dialog (or a
// control in one); true when the dialog took it and it must not be
// dispatched again.
bool RouteDialogKeys(MSG& message);
