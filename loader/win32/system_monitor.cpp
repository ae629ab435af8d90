#include "loader/win32/system_monitor.h"

SystemMonitor::SystemMonitor() {
    OctetSums octets = readings_.Octets();
    std::uint32_t now = GetTickCount();
    // Baselines only: the first speeds are thrown away.
    upload_.Read(octets.sent, now);
    download_.Read(octets.received, now);
}

SystemFigures SystemMonitor::Read() {
    SystemFigures figures;
    std::optional<ProcessorTimes> times = readings_.Processor();
    processor_.Add(times ? &*times : nullptr);
    figures.processorPercent = processor_.Average();
    MemoryFigures memory = readings_.Memory();
    figures.totalMemory = memory.total;
    figures.freeMemory = memory.free;
    OctetSums octets = readings_.Octets();
    std::uint32_t now = GetTickCount();
    figures.uploadPerSecond = upload_.Read(octets.sent, now);
    figures.downloadPerSecond = download_.Read(octets.received, now);
    figures.upTimeSeconds = readings_.UpTimeSeconds();
    return figures;
}
