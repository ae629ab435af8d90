#pragma once

// ShutdownDialog (dialog 7008): the daily scheduled shutdown's hour, minute
// and on/off, read from and saved to Data\module.ini. A modeless tool window
// of the LoaderWindow with its own task-bar button.

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/owned_dialog.h"
#include "loader/tool_window_slots.h"

class ShutdownDialog final : public ToolWindow, private OwnedDialog {
public:
    // Makes the dialog for the settings file `settingsPath` with `title`,
    // shows it and brings it to the front; nullptr when it cannot be made.
    static std::unique_ptr<ShutdownDialog> Open(HINSTANCE resources,
                                                std::string settingsPath,
                                                const std::string& title);

    // Nullptr once the dialog has closed.
    HWND Handle() const { return window_.get(); }

private:
    explicit ShutdownDialog(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {}
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    void EnableTimeFields(bool on);
    int FieldNumber(int id) const;
    void Save();

    std::string settingsPath_;
};

// Gives `dialog` the shutdown icon of `resources` in both sizes.
void ShowShutdownIcon(HWND dialog, HINSTANCE resources);
