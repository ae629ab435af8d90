#include "loader/win32/system_readings.h"

#include <iphlpapi.h>

#include <cstddef>

namespace {

std::uint64_t Ticks100ns(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::optional<ProcessorTimes> SystemReadings::Processor() const {
    FILETIME idle{};
    FILETIME kernel{};
    FILETIME user{};
    if (!GetSystemTimes(&idle, &kernel, &user)) {
        return std::nullopt;
    }
    // Kernel time includes the idle time.
    return ProcessorTimes{Ticks100ns(idle), Ticks100ns(kernel) + Ticks100ns(user)};
}

MemoryFigures SystemReadings::Memory() const {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        return {};
    }
    return {status.ullTotalPhys, status.ullAvailPhys};
}

OctetSums SystemReadings::Octets() {
    // The table grows when interfaces come; ask again with the size the
    // system names, a few times at most.
    DWORD result = ERROR_INSUFFICIENT_BUFFER;
    ULONG bytes = 0;
    for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        bytes = static_cast<ULONG>(interfaceTable_.size() * sizeof(std::uint64_t));
        auto* table = interfaceTable_.empty() ? nullptr : reinterpret_cast<MIB_IFTABLE*>(interfaceTable_.data());
        result = GetIfTable(table, &bytes, FALSE);
        if (result == ERROR_INSUFFICIENT_BUFFER) {
            interfaceTable_.resize(bytes / sizeof(std::uint64_t) + 1);
        }
    }
    if (result != NO_ERROR || interfaceTable_.empty()) {
        return {};
    }
    const auto* table = reinterpret_cast<const MIB_IFTABLE*>(interfaceTable_.data());
    // The row count is not trusted beyond the buffer that holds the rows.
    std::size_t room =
        (interfaceTable_.size() * sizeof(std::uint64_t) - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
    std::size_t rows = table->dwNumEntries < room ? table->dwNumEntries : room;
    std::vector<std::uint32_t> received(rows);
    std::vector<std::uint32_t> sent(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        received[row] = table->table[row].dwInOctets;
        sent[row] = table->table[row].dwOutOctets;
    }
    return {SumWithoutFirstRow(received), SumWithoutFirstRow(sent)};
}

std::uint64_t SystemReadings::UpTimeSeconds() const {
    return GetTickCount64() / 1000;
}
