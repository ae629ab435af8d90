#pragma once

// The two modes' views, made by main() for the mode it was started in.

#include <memory>

#include "trevalo/win32/mode_view.h"

// The chat-history viewer (history_view.cpp).
std::unique_ptr<ModeView> MakeHistoryView();
// The tabbed navigation browser (navigation_view.cpp).
std::unique_ptr<ModeView> MakeNavigationView();
