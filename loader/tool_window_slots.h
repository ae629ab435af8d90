#pragma once

// The LoaderWindow's five tool-window slots: at most one tool window is open
// at a time, and opening one first closes every open one (so choosing a
// command again while its window is open reopens it fresh).

#include <array>
#include <functional>
#include <memory>

#include "loader/loader_commands.h"

// A modeless tool window; destroying the object closes its window.
class ToolWindow {
public:
    virtual ~ToolWindow() = default;
};

class ToolWindowSlots {
public:
    ToolWindowSlots() = default;
    ToolWindowSlots(const ToolWindowSlots&) = delete;
    ToolWindowSlots& operator=(const ToolWindowSlots&) = delete;

    // Closes every open tool window, then makes the one of `kind` with
    // `create` (which may give nullptr when the window cannot be made).
    ToolWindow* Open(ToolWindowKind kind, const std::function<std::unique_ptr<ToolWindow>()>& create);

    // The open window of `kind`, or nullptr.
    ToolWindow* At(ToolWindowKind kind) const;

    void CloseAll();

private:
    std::array<std::unique_ptr<ToolWindow>, kToolWindowKinds> slots_;
};
