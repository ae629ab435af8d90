#pragma once

// The history mode's view (made by MakeHistoryView): a toolbar, the contact
// tree of the user's documents folder and a browser pane showing the chosen
// chat log as a page. The ids below are its controls' and menus' command ids.

inline constexpr int kHistoryOpenButton = 2001;     // open1.bmp: open another log file
inline constexpr int kHistorySaveButton = 2002;     // save1.bmp: export the page
inline constexpr int kHistoryRefreshButton = 2003;  // vrefresh1.bmp: render the current log again
inline constexpr int kHistorySearchButton = 2004;   // search1.bmp: show or hide the tree
inline constexpr int kHistoryHelpButton = 2005;     // help1.bmp: the help menu
inline constexpr int kHistoryTree = 2010;

// Items of the refresh menu (the tree's right click) and the help menu.
inline constexpr int kHistoryRefreshTreeItem = 2101;
inline constexpr int kHistoryRefreshLogItem = 2102;
inline constexpr int kHistoryHomePageItem = 2103;
inline constexpr int kHistoryAboutItem = 2104;

// Titles of the open and export file boxes.
inline constexpr char kHistoryOpenTitle[] = "打开MSN聊天记录文件";
inline constexpr char kHistoryExportTitle[] = "导出当前聊天记录";

// Width of the contact tree, in pixels.
inline constexpr int kHistoryTreeWidth = 220;
