#include "loader/win32/lookup_window.h"

#include <exdisp.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

#include "common/win32/bstr.h"
#include "common/win32/com.h"
#include "common/win32/control_hosting.h"
#include "common/win32/window_icon.h"
#include "loader/lookup_pages.h"
#include "loader/win32/lookup_window_resources.h"

namespace {

// Sends the browser hosted by `host` to `address`, with no flags, frame,
// post data or headers. False when there is no browser or it refused.
bool Navigate(HWND host, const std::string& address) {
    ComPtr<IUnknown> control = HostedControl(host);
    ComPtr<IWebBrowser2> browser;
    if (!control || FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put())))) {
        return false;
    }
    Bstr url(address);
    if (url.get() == nullptr) {
        return false;
    }
    VARIANT none;
    VariantInit(&none);
    return SUCCEEDED(browser->Navigate(url.get(), &none, &none, &none, &none));
}

}  // namespace

LookupWindow::LookupWindow(HINSTANCE resources, std::string name, std::string title, std::string address)
    : resources_(resources), name_(std::move(name)), title_(std::move(title)), address_(std::move(address)) {}

std::unique_ptr<LookupWindow> LookupWindow::Open(HINSTANCE resources,
                                                 const std::string& titlePrefix,
                                                 const std::string& siteHost,
                                                 const std::string& name) {
    // A failure leaves the window without its browser, which it survives.
    static_cast<void>(EnableControlHosting());
    std::unique_ptr<LookupWindow> window(new LookupWindow(
        resources, name, titlePrefix + std::string(LookupPageFor(name).titleSuffix), LookupAddress(siteHost, name)));
    if (!window->CreateFromTemplate(resources, IDD_LOOKUP, nullptr)) {
        return nullptr;
    }
    ShowWindow(window->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(window->Handle());  // refused while another program has the user's attention: no matter
    return window;
}

HWND LookupWindow::Browser() const {
    return window_ ? GetDlgItem(window_.get(), IDC_LOOKUP_BROWSER) : nullptr;
}

INT_PTR LookupWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_SIZE:
            FitBrowser(LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(window_.get());
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void LookupWindow::OnInitDialog() {
    ShowIcons();
    SetWindowTextA(window_.get(), title_.c_str());
    MakeBrowser();
    // The page loads on its own; what it shows, errors included, is the
    // browser's.
    static_cast<void>(Navigate(Browser(), address_));
}

void LookupWindow::ShowIcons() const {
    ShowWindowIcon(window_.get(), resources_, IDI_LOOKUP_ICON);
}

// Without control hosting (no atl.dll) or without the browser object the
// host window is not made and the window stays empty.
void LookupWindow::MakeBrowser() const {
    RECT client{};
    GetClientRect(window_.get(), &client);
    HWND host = CreateWindowExA(0, kControlHostClass, kWebBrowserClsid, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                client.right, client.bottom, window_.get(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LOOKUP_BROWSER)), resources_, nullptr);
    if (host != nullptr && !HostedControl(host)) {
        DestroyWindow(host);
    }
}

void LookupWindow::FitBrowser(int width, int height) const {
    if (HWND browser = Browser()) {
        MoveWindow(browser, 0, 0, width, height, TRUE);
    }
}
