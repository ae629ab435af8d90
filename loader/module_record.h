#pragma once

// One widget module as the loader keeps it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "loader/widget_interface.h"

// Width of the record's path fields, in bytes with the terminating zero.
inline constexpr std::size_t kModulePathBytes = 260;

// A loaded module library as the platform gives it (an HMODULE on Windows);
// nullptr for none.
using ModuleLibrary = void*;

struct ModuleRecord {
    std::uint32_t id = 0;             // key in the ModuleManager, from 1
    ModuleLibrary library = nullptr;  // none until loaded
    std::unique_ptr<WidgetInfo> info = std::make_unique<WidgetInfo>();
    WidgetInterface entries{};                   // bound by GetVexaWInterface
    std::uint32_t menuCommand = 0;               // 65000 + place among working modules, 0 until given
    std::uint32_t menuReserved = 0;              // cleared with menuCommand
    char descriptorPath[kModulePathBytes] = {};  // full path of the descriptor file
    char libraryFile[kModulePathBytes] = {};     // the descriptor's "file" value
};

// Copies `text` into a fixed field, zero-terminated. A text that does not fit
// is cut at the last whole GBK character that does; the result says whether
// all of it fitted.
bool CopyToField(char* field, std::size_t fieldBytes, std::string_view text);

template <std::size_t N>
bool CopyToField(char (&field)[N], std::string_view text) {
    return CopyToField(field, N, text);
}
