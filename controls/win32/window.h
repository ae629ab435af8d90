#pragma once

// The window base of the skin controls: a C++ object that owns one window
// and sees its messages through a virtual procedure.

#include <windows.h>

#include "controls/qvctrl_api.h"

namespace cmmctrls {

class QVCTRL_API CWindow {
public:
    // The class CreateEx uses when it is given none.
    static const char kDefaultClassName[];

    CWindow() = default;
    // Destroys the window if it still exists (from the thread that owns it).
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    // Creates the window, bound to this object from its first message on.
    // `className` (null: kDefaultClassName) is registered by this library
    // on first use, with the arrow cursor and no background brush unless
    // CustomizeClass says otherwise. False when the object already has a
    // window or creation fails.
    bool CreateEx(DWORD exStyle,
                  const char* className,
                  const char* title,
                  DWORD style,
                  int x,
                  int y,
                  int width,
                  int height,
                  HWND parent,
                  HMENU menuOrId);
    bool DestroyWindow();

    HWND GetSafeHwnd() const { return hwnd_; }

protected:
    // Every message of the window; the default passes it to DefWindowProc.
    // An exception thrown here ends at the window procedure, which then
    // gives the message to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window's last message; the object no longer has it.
    virtual void PostNcDestroy() {}
    // Adjusts the class CreateEx registers on the first use of its name;
    // the window procedure, module and name are set and must stay.
    virtual void CustomizeClass(WNDCLASSEXA&) const {}

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// Forgets the window classes this library registered (when it is unloaded).
void UnregisterWindowClasses();

}  // namespace cmmctrls
