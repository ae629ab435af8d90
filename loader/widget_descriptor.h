#pragma once

// A widget descriptor: the small XML file beside a module library that names
// the library and describes the module, for example
//
//   <?xml version="1.0" encoding="GB2312"?>
//   <widget>
//     <file>qvcalendar.dll</file>
//     <name>桌面日历</name>
//     <author>...</author> <URL>...</URL> <description>...</description>
//     <version>4</version>
//     <buildtime>Fri, 08 Aug 2008 20:08:00 GMT</buildtime>
//   </widget>
//
// Each value is the text of the first element the XPath "//widget/<name>"
// selects, so the elements may stand at any depth below a widget element.

#include <optional>
#include <string>
#include <string_view>

#include "common/local_time.h"

struct WidgetDescriptor {
    std::string file;  // the module library: a bare file name or a path
    std::string name;
    std::string author;
    std::string url;
    std::string description;
    int version = 0;       // the version text read as atoi reads it
    Moment buildTime = 0;  // the RFC 1123 build time as local time; 0 when it is no such date
};

// Reads descriptor text (GBK; a text that declares UTF-8 or starts with a
// UTF-8 byte order mark is converted first). The text ends at its first zero
// byte. An absent element reads as empty text. nullopt when the text is
// empty, is not well-formed XML, or names no library file or no name.
std::optional<WidgetDescriptor> ParseWidgetDescriptor(std::string_view text);
