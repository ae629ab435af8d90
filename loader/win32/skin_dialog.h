#pragma once

// SkinDialog (dialog 7005, 选择皮肤): the LoaderWindow's tool window for
// choosing the calendar's skin. A tab "桌面日历" over a frame holding the
// skin page, "确定" and "取消". It opens at two thirds of the work area,
// centred, and lays its parts out again whenever it is sized. "确定" keeps
// the chosen skin in Data\module.ini and has every working widget reload
// its skin.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/win32/owned_dialog.h"
#include "loader/tool_window_slots.h"
#include "loader/win32/skin_page.h"

struct SkinDialogSetup {
    SkinPageSetup page;
    std::string title;                  // product name, version and "－更换皮肤"
    std::function<void()> changeSkins;  // ChangeSkins of every usable module, in order
};

class SkinDialog final : public ToolWindow, private OwnedDialog {
public:
    // Makes the dialog, shows it and brings it to the front; nullptr when
    // it cannot be made.
    static std::unique_ptr<SkinDialog> Open(HINSTANCE resources, SkinDialogSetup setup);
    ~SkinDialog() override;

    // Nullptr once the dialog has closed.
    HWND Handle() const { return window_.get(); }
    SkinPage* Page() const { return page_.get(); }

private:
    SkinDialog(HINSTANCE resources, SkinDialogSetup setup) : resources_(resources), setup_(std::move(setup)) {}
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog();
    void PlaceOnWorkArea();
    void Layout();
    void Apply();

    HINSTANCE resources_;
    SkinDialogSetup setup_;
    std::unique_ptr<SkinPage> page_;
};

inline constexpr char kSkinDialogTitleSuffix[] = "－更换皮肤";
