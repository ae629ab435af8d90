#pragma once

// GDI+ for the suite: its headers, made to compile with the build's
// WIN32_LEAN_AND_MEAN and NOMINMAX, and an owner of one GDI+ start-up.

#include <windows.h>

// GDI+'s headers need PROPID, which WIN32_LEAN_AND_MEAN keeps out of
// windows.h, and unqualified min and max, which NOMINMAX keeps out.
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

// Starts GDI+ and shuts it down again when it goes; start-ups nest, so a
// program and each of its libraries may own one. Every GDI+ object must be
// gone before the owner that was started first is.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (ok_) {
            Gdiplus::GdiplusShutdown(token_);
        }
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool ok() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};
