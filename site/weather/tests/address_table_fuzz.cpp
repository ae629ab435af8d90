// Any bytes as the operator's address table: it parses, and every network it
// keeps places its own base address in some place whose names are no longer
// than the table.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "site/weather/address_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const AddressTable table = AddressTable::Parse(text);
    if (table.size() > size) {
        __builtin_trap();
    }
    for (const std::uint32_t address : {0u, 0x0A000001u, 0xFFFFFFFFu}) {
        const auto place = table.Find(address);
        if (place &&
            (place->province.empty() || place->city.empty() || place->province.size() + place->city.size() > size)) {
            __builtin_trap();
        }
    }
    // Any bytes as the client's address.
    if (const auto address = ParseIpv4Address(text); address && size > 22) {
        __builtin_trap();
    }
    return 0;
}
