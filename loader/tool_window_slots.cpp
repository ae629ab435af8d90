#include "loader/tool_window_slots.h"

ToolWindow* ToolWindowSlots::Open(ToolWindowKind kind, const std::function<std::unique_ptr<ToolWindow>()>& create) {
    CloseAll();
    std::unique_ptr<ToolWindow>& slot = slots_[static_cast<std::size_t>(kind)];
    slot = create();
    return slot.get();
}

ToolWindow* ToolWindowSlots::At(ToolWindowKind kind) const {
    return slots_[static_cast<std::size_t>(kind)].get();
}

void ToolWindowSlots::CloseAll() {
    for (std::unique_ptr<ToolWindow>& slot : slots_) {
        slot.reset();
    }
}
