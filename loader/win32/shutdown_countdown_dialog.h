#pragma once

// ShutdownCountdownDialog (dialog 7006): the ten seconds before the
// scheduled shutdown powers the computer off, with a progress bar and
// "取消".

#include <windows.h>

#include <string>

#include "loader/desktop_commands.h"

// Shows the countdown modally over `owner` with `title`, a task-bar button
// and the shutdown icon. When its ten one-second ticks have passed it asks
// `power` to power off (which adds the force flag) and closes; "取消" closes
// it without that. Returns once it is closed: true when the power-off was
// asked for.
bool RunShutdownCountdown(HINSTANCE resources, HWND owner, const std::string& title, PowerControl& power);
