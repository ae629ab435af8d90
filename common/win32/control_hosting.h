#pragma once

// Hosting of embedded (ActiveX) controls in plain windows through the
// system's atl.dll: once enabled, a child window of class "AtlAxWin" whose
// text is a CLSID string ("{...}") creates that control and hosts it. The
// thread that makes such windows needs COM (OLE) initialised.

#include <windows.h>

#include <unknwn.h>

#include "common/win32/com.h"

inline constexpr char kControlHostClass[] = "AtlAxWin";
// The platform's web browser object, as a host window's text names it.
inline constexpr char kWebBrowserClsid[] = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

// Loads atl.dll and registers the host window class, the first time only;
// later calls give the first call's answer. False when the library or its
// entry point is missing, or the class could not be registered: host windows
// then cannot be made.
bool EnableControlHosting();

// The control hosted by the "AtlAxWin" window `host`; empty when hosting is
// not enabled or the window hosts nothing.
ComPtr<IUnknown> HostedControl(HWND host);
