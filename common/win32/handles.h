#pragma once

// Owners for Win32 resources: each closes its resource exactly once, when it
// goes out of scope or is reset, so no code path closes a handle by hand.

#include <windows.h>

#include <utility>

// Owns one resource described by Traits: `Traits::Invalid()` is the value
// that owns nothing, `Traits::Close(value)` releases it.
template <typename Traits>
class UniqueResource {
public:
    using Value = typename Traits::Value;

    UniqueResource() = default;
    explicit UniqueResource(Value value) : value_(value) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Value get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::Invalid(); }

    // Gives up ownership without closing.
    Value release() { return std::exchange(value_, Traits::Invalid()); }

    void reset(Value value = Traits::Invalid()) {
        Value old = std::exchange(value_, value);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Value value_ = Traits::Invalid();
};

namespace handle_traits {

// Kernel objects (events, mutexes, threads, mappings); null means none.
struct Kernel {
    using Value = HANDLE;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { CloseHandle(v); }
};

// Files from CreateFile, which signal failure with INVALID_HANDLE_VALUE.
struct File {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Value v) { CloseHandle(v); }
};

struct Module {
    using Value = HMODULE;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { FreeLibrary(v); }
};

struct RegistryKey {
    using Value = HKEY;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { RegCloseKey(v); }
};

// Pens, brushes, fonts, bitmaps, regions.
struct GdiObject {
    using Value = HGDIOBJ;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { DeleteObject(v); }
};

// Device contexts made with CreateCompatibleDC or CreateDC.
struct MemoryDc {
    using Value = HDC;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { DeleteDC(v); }
};

struct Icon {
    using Value = HICON;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { DestroyIcon(v); }
};

struct Menu {
    using Value = HMENU;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { DestroyMenu(v); }
};

struct Window {
    using Value = HWND;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { DestroyWindow(v); }
};

// Hooks from SetWindowsHookEx.
struct WindowsHook {
    using Value = HHOOK;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { UnhookWindowsHookEx(v); }
};

struct MappedView {
    using Value = void*;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { UnmapViewOfFile(v); }
};

}  // namespace handle_traits

using UniqueHandle = UniqueResource<handle_traits::Kernel>;
using UniqueFile = UniqueResource<handle_traits::File>;
using UniqueModule = UniqueResource<handle_traits::Module>;
using UniqueRegistryKey = UniqueResource<handle_traits::RegistryKey>;
using UniqueGdiObject = UniqueResource<handle_traits::GdiObject>;
using UniqueMemoryDc = UniqueResource<handle_traits::MemoryDc>;
using UniqueIcon = UniqueResource<handle_traits::Icon>;
using UniqueMenu = UniqueResource<handle_traits::Menu>;
using UniqueWindow = UniqueResource<handle_traits::Window>;
using UniqueMappedView = UniqueResource<handle_traits::MappedView>;
using UniqueHook = UniqueResource<handle_traits::WindowsHook>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint as one owner, so painting that fails half-way
// still validates the window.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// Selects a GDI object into a DC and selects the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
