#pragma once

// The frame shared by the lookup pages: plain HTML 4 in GBK with tables and
// links only, since the suite shows them in the old engine of the platform's
// browser control.

#include <string>
#include <string_view>

#include "common/html_escape.h"
#include "site/site_response.h"

inline constexpr char kHtmlContentType[] = "text/html; charset=gb2312";

// A whole document: `title` (text, escaped here), the shared style sheet,
// and `body` (HTML, as it is).
std::string HtmlDocument(std::string_view title, std::string_view body);

// A page of one short message (text, escaped here) and a link back (HTML).
std::string MessageDocument(std::string_view title, std::string_view message, std::string_view link);

SiteResponse HtmlResponse(int status, std::string document);
