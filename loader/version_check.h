#pragma once

// The online version check: the maker's site names the newest version of
// the product in the body of a small page; the loader tells the user once
// per run when that is newer than its own.

#include <optional>
#include <string>
#include <string_view>

// The version page on the maker's site ("host" or "host:port").
std::string VersionPageAddress(std::string_view siteHost);

// The published version: the page turned to lower case (ASCII letters),
// without any CR or LF, and the text between "<body>" and the "</body>"
// after it, without blanks at either end. nullopt when either tag is
// missing.
std::optional<std::string> PublishedVersion(std::string_view page);

// `text` read as a decimal number the way atof reads one: leading blanks, an
// optional sign, digits with an optional fraction and exponent, up to the
// first other character; 0 when nothing is readable. Only plain decimals
// count, so a page cannot slip in "inf", "nan" or a hexadecimal number.
double ReadVersionNumber(std::string_view text);

// Whether `page` names a newer version than `productVersion` ("V4.0": the
// letter v in either case is left out before reading the number).
bool IsNewerVersionPublished(std::string_view productVersion, std::string_view page);

// What the user is told: "<name>有最新版本可以使用，详情请访问http://<host>".
std::string NewerVersionMessage(std::string_view productName, std::string_view siteHost);
