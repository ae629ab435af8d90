#include "hook/hook_registry.h"

static_assert(alignof(HookSharedBlock) >= std::atomic_ref<std::uint64_t>::required_alignment,
              "the window slots must be aligned for 64-bit atomics");

std::atomic_ref<std::uint64_t> HookRegistry::Slot(SideWindowMode mode) const {
    return std::atomic_ref<std::uint64_t>(block_.windows[static_cast<std::size_t>(mode) % kSideWindowModes]);
}

RegisteredWindow HookRegistry::Unpack(std::uint64_t slot) {
    return {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(slot >> 32)};
}

void HookRegistry::Register(SideWindowMode mode, RegisteredWindow window) {
    const std::uint64_t slot =
        window.window == 0 ? 0 : (static_cast<std::uint64_t>(window.processId) << 32) | window.window;
    Slot(mode).store(slot);
}

std::optional<RegisteredWindow> HookRegistry::Registered(SideWindowMode mode) const {
    const std::uint64_t slot = Slot(mode).load();
    if (slot == 0) {
        return std::nullopt;
    }
    return Unpack(slot);
}

// Only the entry that was found stale is cleared: a window registered between
// the look and the clearing belongs to a newer side program.
void HookRegistry::ClearIfUnchanged(SideWindowMode mode, std::uint64_t seen) {
    Slot(mode).compare_exchange_strong(seen, 0);
}

void HookRegistry::SetHistoryVisible(bool visible) {
    std::atomic_ref<std::uint32_t>(block_.historyVisible).store(visible ? 1 : 0);
}

bool HookRegistry::HistoryVisible() const {
    return std::atomic_ref<std::uint32_t>(block_.historyVisible).load() != 0;
}
