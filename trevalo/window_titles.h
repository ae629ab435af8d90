#pragma once

// The side program's window titles.

#include <string>

inline constexpr char kHistoryWindowTitle[] = "泽鲁MSN聊天记录查看器";
inline constexpr char kNavigationWindowTitle[] = "泽鲁网址导航";

// "泽鲁网址导航－" followed by the current tab's text; the bare title for the
// blank tab, whatever blanks surround its word "空白".
std::string NavigationWindowTitle(const std::string& tabText);
