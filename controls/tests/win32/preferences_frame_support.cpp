#include "controls/tests/win32/preferences_frame_support.h"

#include <memory>

#include "common/win32/handles.h"
#include "controls/preferences_layout.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace controls_test {

namespace {

constexpr char kPageClass[] = "CONTROLS_TEST_PAGE";

// A page answers the frame's save message with its refusal flag.
LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == cmmctrls::CPreferencesDialog::SaveMessage()) {
        return GetWindowLongPtrA(window, GWLP_USERDATA);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterPageClass() {
    static const bool registered = [] {
        WNDCLASSEXA pageClass = {};
        pageClass.cbSize = sizeof pageClass;
        pageClass.lpfnWndProc = PageProc;
        pageClass.hInstance = GetModuleHandleA(nullptr);
        pageClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        pageClass.lpszClassName = kPageClass;
        return RegisterClassExA(&pageClass) != 0;
    }();
    (void)registered;
}

HWND MakePage(const PageSetup& setup) {
    RegisterPageClass();
    HWND page = CreateWindowExA(0, kPageClass, setup.title.c_str(), WS_POPUP, 0, 0, setup.width, setup.height, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int y = 12;
    for (const std::string& label : setup.labels) {
        HWND box = CreateWindowExA(0, "BUTTON", label.c_str(), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 16, y,
                                   setup.width - 32, 20, page, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        y += 26;
    }
    return page;
}

// A 32 x 32 icon: a coloured tile with a white mark on magenta, the
// frame's transparent colour.
UniqueGdiObject MakeIcon(COLORREF colour) {
    WindowDc screen(nullptr);
    UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), 32, 32));
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    SelectedObject selected(memory.get(), bitmap.get());
    const RECT all = {0, 0, 32, 32};
    UniqueGdiObject magenta(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(memory.get(), &all, static_cast<HBRUSH>(magenta.get()));
    const RECT tile = {3, 3, 29, 29};
    UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(memory.get(), &tile, static_cast<HBRUSH>(brush.get()));
    const RECT mark = {10, 14, 22, 18};
    FillRect(memory.get(), &mark, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return bitmap;
}

}  // namespace

std::vector<int> RecordingFrame::ClientHeights() {
    std::lock_guard<std::mutex> guard(lock_);
    return heights_;
}

void RecordingFrame::ForgetSizes() {
    std::lock_guard<std::mutex> guard(lock_);
    heights_.clear();
}

void RecordingFrame::OnSize(UINT type, int width, int height) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        heights_.push_back(height);
    }
    CPreferencesDialog::OnSize(type, width, height);
}

FrameRun::FrameRun(std::vector<PageSetup> pages, int initialPage, const char* caption)
    : setups_(std::move(pages)),
      thread_([this, initialPage, text = std::string(caption != nullptr ? caption : ""), has = caption != nullptr] {
          Run(initialPage, text, has);
      }) {}

FrameRun::~FrameRun() {
    if (thread_.joinable()) {
        if (!finished_) {
            HWND frame = WaitForFrame();
            if (frame != nullptr) {
                PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
            }
        }
        thread_.join();
    }
}

void FrameRun::Run(int initialPage, std::string caption, bool hasCaption) {
    static const COLORREF kColours[] = {RGB(47, 107, 222), RGB(15, 148, 102), RGB(240, 138, 18), RGB(214, 59, 59)};
    std::vector<UniqueGdiObject> icons;
    frame_ = std::make_unique<RecordingFrame>(nullptr, initialPage);
    if (hasCaption) {
        frame_->SetDlgCaption(caption.c_str());
    }
    for (std::size_t i = 0; i < setups_.size(); ++i) {
        const PageSetup& setup = setups_[i];
        if (cmmctrls::IsSeparatorTitle(setup.title.c_str())) {
            pages_.push_back(nullptr);
            added_.push_back(frame_->AddSubOption(nullptr, setup.title.c_str(), nullptr));
            continue;
        }
        pages_.push_back(MakePage(setup));
        icons.push_back(MakeIcon(kColours[i % 4]));
        added_.push_back(
            frame_->AddSubOption(static_cast<HBITMAP>(icons.back().get()), setup.title.c_str(), pages_.back()));
    }
    started_ = true;
    result_ = frame_->DoModal();
    pagesSurvived_ = true;
    for (HWND page : pages_) {
        if (page != nullptr) {
            pagesSurvived_ = pagesSurvived_ && IsWindow(page) && GetParent(page) == nullptr;
            DestroyWindow(page);
        }
    }
    finished_ = true;
}

HWND FrameRun::WaitForFrame() {
    testkit::Stopwatch watch;
    while (watch.Milliseconds() < 5000 && !finished_) {
        if (started_) {
            // The frame is this process's only visible dialog.
            testkit::WindowQuery query;
            query.className = "#32770";
            query.processId = GetCurrentProcessId();
            query.visibleOnly = true;
            HWND frame = testkit::FindTopLevelWindow(query);
            if (frame != nullptr) {
                testkit::SendWithTimeout(frame, WM_NULL, 0, 0);  // the shown page is in place
                return frame;
            }
        }
        Sleep(10);
    }
    return nullptr;
}

INT_PTR FrameRun::Result() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return result_;
}

void FrameRun::SetRefuses(std::size_t index, bool refuses) {
    SetWindowLongPtrA(pages_[index], GWLP_USERDATA, refuses ? 1 : 0);
}

}  // namespace controls_test
