#pragma once

// SystemMonitor: what the tray balloon shows, from fresh readings of the
// machine.

#include "loader/system_figures.h"
#include "loader/win32/system_readings.h"

// What the balloon shows, from fresh readings: keeps the processor's last
// readings and each direction's previous octet sum between calls.
class SystemMonitor {
public:
    // Reads the octet counters once, so the first speeds are measured from now.
    SystemMonitor();

    SystemFigures Read();

private:
    SystemReadings readings_;
    ProcessorAverage processor_;
    NetworkSpeed upload_;
    NetworkSpeed download_;
};
