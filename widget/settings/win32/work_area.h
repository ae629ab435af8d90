#pragma once

// The primary monitor's work area (the screen without the taskbar), which
// the widget's window settings are placed in.

#include "widget/settings/widget_settings.h"

ScreenRect PrimaryWorkArea();
