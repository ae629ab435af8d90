// Any bytes as a widget descriptor, and as a build time.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "loader/http_date.h"
#include "loader/module_record.h"
#include "loader/widget_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (std::optional<WidgetDescriptor> descriptor = ParseWidgetDescriptor(text)) {
        // What the module table does with the texts: fixed fields, never overrun.
        ModuleRecord record;
        CopyToField(record.libraryFile, descriptor->file);
        CopyToField(record.info->name, descriptor->name);
        CopyToField(record.info->description, descriptor->description);
        if (descriptor->file.empty() || descriptor->name.empty()) {
            __builtin_trap();
        }
    }
    BuildTimeFromHttpDate(text);
    return 0;
}
