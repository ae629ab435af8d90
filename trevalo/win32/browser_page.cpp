#include "trevalo/win32/browser_page.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <oleauto.h>

#include <atomic>
#include <string_view>

#include "common/win32/bstr.h"
#include "common/win32/com.h"
#include "common/win32/control_hosting.h"
#include "common/win32/handles.h"
#include "common/win32/window_procedure.h"

namespace {

constexpr char kPageClass[] = "TrevaloBrowserPage";
constexpr int kHostId = 1;

// What the event sink reports to: the page while it lives.
class BrowserEventTarget {
public:
    virtual void DocumentComplete(IDispatch* frame) = 0;
    virtual void TitleChange(BSTR title) = 0;

protected:
    ~BrowserEventTarget() = default;
};

// The browser's DWebBrowserEvents2, a dispatch interface: only Invoke is
// called, with the event's number. The browser holds a reference until
// Unadvise, which may outlive the page, so the page detaches itself first.
class BrowserEventSink : public IDispatch {
public:
    explicit BrowserEventSink(BrowserEventTarget* target) : target_(target) {}
    virtual ~BrowserEventSink() = default;

    void Detach() { target_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE
    Invoke(DISPID event, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*) override {
        // Nothing may leave a COM callback, whatever the listener does.
        try {
            Dispatch(event, parameters);
        } catch (...) {
            // The browser cannot do anything with a listener's failure.
        }
        return S_OK;
    }

private:
    // Arguments arrive last first: rgvarg[0] is the event's last parameter.
    void Dispatch(DISPID event, const DISPPARAMS* parameters) {
        if (target_ == nullptr || parameters == nullptr) {
            return;
        }
        if (event == DISPID_DOCUMENTCOMPLETE && parameters->cArgs == 2 && V_VT(&parameters->rgvarg[1]) == VT_DISPATCH) {
            target_->DocumentComplete(V_DISPATCH(&parameters->rgvarg[1]));
        } else if (event == DISPID_TITLECHANGE && parameters->cArgs == 1 && V_VT(&parameters->rgvarg[0]) == VT_BSTR) {
            target_->TitleChange(V_BSTR(&parameters->rgvarg[0]));
        }
    }

    BrowserEventTarget* target_;
    std::atomic<ULONG> references_{1};
};

// The IUnknown that identifies a COM object, for comparing two pointers.
ComPtr<IUnknown> IdentityOf(IUnknown* object) {
    ComPtr<IUnknown> identity;
    if (object != nullptr && FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.put())))) {
        identity.reset();
    }
    return identity;
}

}  // namespace

struct BrowserPage::Control final : BrowserEventTarget {
    ~Control() {
        Disconnect();
        browser.reset();
        if (window) {
            SetWindowLongPtrA(window.get(), GWLP_USERDATA, 0);
        }
    }

    LRESULT Handle(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SIZE && host != nullptr) {
            MoveWindow(host, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        }
        if (message == WM_DESTROY) {
            // The host goes with the window; the browser object must not be
            // used after that.
            Disconnect();
            browser.reset();
            host = nullptr;
        } else if (message == WM_NCDESTROY) {
            // Gone with its parent: the handle may soon name another window.
            static_cast<void>(window.release());
        }
        return DefWindowProcA(handle, message, wParam, lParam);
    }

    // Makes the host window and takes its browser; without one the page
    // stays blank.
    void MakeBrowser(HINSTANCE instance, int width, int height) {
        host = CreateWindowExA(0, kControlHostClass, kWebBrowserClsid, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               width, height, window.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHostId)),
                               instance, nullptr);
        if (host == nullptr) {
            return;
        }
        const ComPtr<IUnknown> hosted = HostedControl(host);
        if (!hosted || FAILED(hosted->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put())))) {
            browser.reset();
            DestroyWindow(host);
            host = nullptr;
            return;
        }
        frameIdentity = IdentityOf(browser.get());
        Connect();
    }

    // Events come through the browser's connection point; a browser that
    // offers none still shows pages, it only reports nothing.
    void Connect() {
        ComPtr<IConnectionPointContainer> container;
        if (FAILED(browser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()))) ||
            FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, connection.put()))) {
            connection.reset();
            return;
        }
        sink = ComPtr<BrowserEventSink>(new BrowserEventSink(this));
        if (FAILED(connection->Advise(sink.get(), &cookie))) {
            sink->Detach();
            sink.reset();
            connection.reset();
        }
    }

    void Disconnect() {
        if (sink) {
            sink->Detach();
            // The browser lets go of the sink; a failure leaves it a sink
            // that reports to no one.
            static_cast<void>(connection->Unadvise(cookie));
            sink.reset();
        }
        connection.reset();
    }

    void DocumentComplete(IDispatch* frame) override {
        // Every frame of a page completes; the page is done with its top one.
        if (listener != nullptr && frameIdentity && IdentityOf(frame).get() == frameIdentity.get()) {
            listener->OnNavigationComplete(*page);
        }
    }

    void TitleChange(BSTR title) override {
        if (listener != nullptr) {
            listener->OnTitleChange(*page, GbkOf(title));
        }
    }

    BrowserPageListener* listener = nullptr;
    BrowserPage* page = nullptr;
    UniqueWindow window;
    HWND host = nullptr;  // a child of `window`, destroyed with it
    ComPtr<IWebBrowser2> browser;
    ComPtr<IUnknown> frameIdentity;
    ComPtr<IConnectionPoint> connection;
    ComPtr<BrowserEventSink> sink;
    DWORD cookie = 0;
};

std::unique_ptr<BrowserPage> BrowserPage::Create(HWND parent, const RECT& place, BrowserPageListener* listener) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ObjectWindowProcedure<Control>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kPageClass;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    // Without hosting the page is made all the same and stays blank.
    static_cast<void>(EnableControlHosting());

    auto control = std::make_unique<Control>();
    control->listener = listener;
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    control->window.reset(CreateWindowExA(0, kPageClass, "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, place.left,
                                          place.top, width, height, parent, nullptr, instance, control.get()));
    if (!control->window) {
        return nullptr;
    }
    control->MakeBrowser(instance, width, height);
    std::unique_ptr<BrowserPage> page(new BrowserPage(std::move(control)));
    page->control_->page = page.get();
    return page;
}

BrowserPage::BrowserPage(std::unique_ptr<Control> control) : control_(std::move(control)) {}

BrowserPage::~BrowserPage() = default;

HWND BrowserPage::Handle() const {
    return control_->window.get();
}

bool BrowserPage::HasBrowser() const {
    return static_cast<bool>(control_->browser);
}

bool BrowserPage::Navigate(const std::string& address) {
    if (!control_->browser) {
        return false;
    }
    const Bstr url(address);
    if (url.get() == nullptr) {
        return false;
    }
    VARIANT none;
    VariantInit(&none);
    return SUCCEEDED(control_->browser->Navigate(url.get(), &none, &none, &none, &none));
}

std::string BrowserPage::LocationUrl() const {
    Bstr location;
    if (!control_->browser || FAILED(control_->browser->get_LocationURL(location.put()))) {
        return {};
    }
    return GbkOf(location.get());
}

bool BrowserPage::GoBack() {
    return control_->browser && SUCCEEDED(control_->browser->GoBack());
}

bool BrowserPage::GoForward() {
    return control_->browser && SUCCEEDED(control_->browser->GoForward());
}

bool BrowserPage::Refresh() {
    return control_->browser && SUCCEEDED(control_->browser->Refresh());
}

bool BrowserPage::Stop() {
    return control_->browser && SUCCEEDED(control_->browser->Stop());
}

bool BrowserPage::ExecCommand(int command, int option) {
    return control_->browser &&
           SUCCEEDED(control_->browser->ExecWB(static_cast<OLECMDID>(command), static_cast<OLECMDEXECOPT>(option),
                                               nullptr, nullptr));
}
