#pragma once

// The machine's figures for the tray balloon, read from the system: the
// processor's cumulative times, physical memory, the network interfaces'
// octet counters and the time since the system started.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "loader/system_figures.h"

struct MemoryFigures {
    std::uint64_t total = 0;  // bytes of physical memory
    std::uint64_t free = 0;
};

struct OctetSums {
    std::uint64_t received = 0;  // every interface but the first row
    std::uint64_t sent = 0;
};

class SystemReadings {
public:
    // Idle and total time of all processors since start; none when the
    // system does not tell.
    std::optional<ProcessorTimes> Processor() const;
    // Zeros when the system does not tell.
    MemoryFigures Memory() const;
    // The interface table read again; zeros when it cannot be read.
    OctetSums Octets();
    // Whole seconds since the system started.
    std::uint64_t UpTimeSeconds() const;

private:
    std::vector<std::uint64_t> interfaceTable_;  // 8-byte units keep the table's rows aligned
};
