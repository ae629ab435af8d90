#pragma once

// Browser events for tests: under Wine without a web engine the browser
// control loads no document, so it never reports a completed page or a
// title. These helpers call the event sinks connected to a BrowserPage's
// browser the way the browser itself calls them.

#include <windows.h>

#include <string>

// DocumentComplete for the page's top frame (or, with `topFrame` false, for
// some other frame of it) at `url`. False when the page has no browser or
// no sink took the event.
bool FireDocumentComplete(HWND page, const std::string& url, bool topFrame);

// TitleChange with `title` (GBK).
bool FireTitleChange(HWND page, const std::string& title);
