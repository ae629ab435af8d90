#include "trevalo/tests/win32/browser_events.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <oleauto.h>

#include <vector>

#include "common/text_encoding.h"
#include "common/win32/com.h"
#include "common/win32/control_hosting.h"

namespace {

ComPtr<IWebBrowser2> BrowserOf(HWND page) {
    ComPtr<IWebBrowser2> browser;
    const ComPtr<IUnknown> control = HostedControl(FindWindowExA(page, nullptr, kControlHostClass, nullptr));
    if (control && FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put())))) {
        browser.reset();
    }
    return browser;
}

// The sinks connected to the browser's DWebBrowserEvents2.
std::vector<ComPtr<IDispatch>> SinksOf(IWebBrowser2& browser) {
    std::vector<ComPtr<IDispatch>> sinks;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    ComPtr<IEnumConnections> connections;
    if (FAILED(browser.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()))) ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put())) ||
        FAILED(point->EnumConnections(connections.put()))) {
        return sinks;
    }
    CONNECTDATA connection{};
    while (connections->Next(1, &connection, nullptr) == S_OK) {
        // Wine's enumerator hands out the sink without adding a reference
        // for the caller, so none is released here (where Windows adds one,
        // a test leaks it).
        ComPtr<IDispatch> dispatch;
        if (connection.pUnk != nullptr &&
            SUCCEEDED(connection.pUnk->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.put())))) {
            sinks.push_back(dispatch);
        }
    }
    return sinks;
}

// Calls every sink with `arguments` (last parameter first, as Invoke takes
// them).
bool Fire(IWebBrowser2& browser, DISPID event, std::vector<VARIANT>& arguments) {
    bool fired = false;
    for (const ComPtr<IDispatch>& sink : SinksOf(browser)) {
        DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        fired = SUCCEEDED(sink->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                                       nullptr, nullptr)) ||
                fired;
    }
    return fired;
}

BSTR NewBstr(const std::string& gbk) {
    const std::u16string wide = GbkToUtf16(gbk);
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
}

}  // namespace

bool FireDocumentComplete(HWND page, const std::string& url, bool topFrame) {
    const ComPtr<IWebBrowser2> browser = BrowserOf(page);
    if (!browser) {
        return false;
    }
    // Another frame: any object that is not the browser.
    ComPtr<IDispatch> frame;
    if (topFrame) {
        browser->AddRef();
        frame = ComPtr<IDispatch>(browser.get());
    } else {
        const std::vector<ComPtr<IDispatch>> sinks = SinksOf(*browser.get());
        if (sinks.empty()) {
            return false;
        }
        frame = sinks.front();
    }
    VARIANT address;
    VariantInit(&address);
    V_VT(&address) = VT_BSTR;
    V_BSTR(&address) = NewBstr(url);
    std::vector<VARIANT> arguments(2);
    V_VT(&arguments[0]) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&arguments[0]) = &address;
    V_VT(&arguments[1]) = VT_DISPATCH;
    V_DISPATCH(&arguments[1]) = frame.get();
    const bool fired = Fire(*browser.get(), DISPID_DOCUMENTCOMPLETE, arguments);
    VariantClear(&address);
    return fired;
}

bool FireTitleChange(HWND page, const std::string& title) {
    const ComPtr<IWebBrowser2> browser = BrowserOf(page);
    if (!browser) {
        return false;
    }
    std::vector<VARIANT> arguments(1);
    V_VT(&arguments[0]) = VT_BSTR;
    V_BSTR(&arguments[0]) = NewBstr(title);
    const bool fired = Fire(*browser.get(), DISPID_TITLECHANGE, arguments);
    VariantClear(&arguments[0]);
    return fired;
}
