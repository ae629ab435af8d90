#pragma once

// The skin grid (window class "CZellumThumbControl"): the thumbnails of the
// installed skins in rows of whole cells, scroll bars when they do not fit
// (arrows 1 pixel, pages 20, the wheel 5 a notch), and the preview path of
// the selected one. The dialog template names the class; the window owns
// the object and deletes it with itself.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "loader/skin_catalog.h"
#include "loader/win32/thumb_button.h"

inline constexpr char kThumbControlClass[] = "CZellumThumbControl";

class ThumbControl {
public:
    // Registers this class and the thumbnails' in `instance` (the module
    // whose dialog templates name them); true when both are there.
    static bool RegisterWindowClasses(HINSTANCE instance);
    // The object of a grid window, or nullptr for any other window.
    static ThumbControl* From(HWND window);

    // Removes every thumbnail and scrolls back to the start.
    void Clear();
    void SetCellSize(int width, int height);
    void Add(const std::string& previewPath);
    // Selects the thumbnail whose preview is `previewPath` (any case), none
    // when there is no such thumbnail.
    void Select(const std::string& previewPath);
    const std::string& SelectedPath() const { return selectedPath_; }

    // What the tests look at.
    HWND Handle() const { return window_; }
    int Columns() const;
    std::size_t Count() const { return buttons_.size(); }
    ThumbButton* At(std::size_t index) const { return buttons_[index].get(); }
    POINT Scroll() const { return {scrollX_, scrollY_}; }

private:
    explicit ThumbControl(HWND window) : window_(window) {}
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    ThumbnailGrid Grid() const;
    void Layout();
    void UpdateScrollBars();
    void OnScroll(int bar, WPARAM request);
    void ScrollTo(int bar, int position);
    void OnPressed(ThumbButton& pressed);
    void Paint();

    HWND window_;
    HINSTANCE instance_ = nullptr;
    std::vector<std::unique_ptr<ThumbButton>> buttons_;  // each destroys its child window when it goes
    int cellWidth_ = kCalendarSkinKind.cellWidth;
    int cellHeight_ = kCalendarSkinKind.cellHeight;
    int scrollX_ = 0;  // scroll positions in pixels (the content moves left and up)
    int scrollY_ = 0;
    std::string selectedPath_;
    bool layingOut_ = false;
};
