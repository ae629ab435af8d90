#pragma once

// A thumbnail of the skin grid (window class "CZellumThumbButton"): one
// skin's preview scaled to three quarters of the cell, framed, lit while
// the pointer is over it or it is selected. It rises 2 pixels up and left
// while the pointer is over it and sinks back while the left button is
// down on it. The grid owns the object; destroying the object destroys the
// window.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/win32/handles.h"
#include "common/win32/window_procedure.h"

inline constexpr char kThumbButtonClass[] = "CZellumThumbButton";

class ThumbButton {
public:
    // Registers the window class in `instance`; true when it is there.
    static bool RegisterWindowClass(HINSTANCE instance);

    // A child of `grid` at `place` (the cell's size) showing the preview
    // at `previewPath`; `pressed` runs when the left button goes down on
    // it. Nullptr when the window cannot be made.
    static std::unique_ptr<ThumbButton> Create(HINSTANCE instance,
                                               HWND grid,
                                               const RECT& place,
                                               std::string previewPath,
                                               std::function<void(ThumbButton&)> pressed);
    ~ThumbButton();
    ThumbButton(const ThumbButton&) = delete;
    ThumbButton& operator=(const ThumbButton&) = delete;

    HWND Handle() const { return window_; }
    const std::string& PreviewPath() const { return previewPath_; }
    bool Selected() const { return selected_; }
    bool Hovered() const { return hovered_; }
    bool Pressed() const { return pressed_; }
    void SetSelected(bool selected);

private:
    ThumbButton(std::string previewPath, std::function<void(ThumbButton&)> pressed)
        : previewPath_(std::move(previewPath)), onPressed_(std::move(pressed)) {}
    friend LRESULT CALLBACK ObjectWindowProcedure<ThumbButton>(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void LoadPreview(int cellWidth, int cellHeight);
    void Paint();
    void MoveBy(int dx, int dy);
    void OnMouseMove();
    void OnMouseLeave();

    std::string previewPath_;
    std::function<void(ThumbButton&)> onPressed_;
    HWND window_ = nullptr;    // from WM_NCCREATE until WM_NCDESTROY
    UniqueGdiObject preview_;  // the scaled picture, a DIB section
    SIZE previewSize_{};
    bool hovered_ = false;
    bool pressed_ = false;
    bool selected_ = false;
};
