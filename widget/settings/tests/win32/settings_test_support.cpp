#include "widget/settings/tests/win32/settings_test_support.h"

#include "common/file_io.h"
#include "testkit/win32/window_helpers.h"
#include "widget/reminders/reminder_messages.h"

namespace settings_test {

namespace {

constexpr char kReminderWindowClass[] = "SettingsTestReminderWindow";
constexpr unsigned kWaitMs = 10000;

}  // namespace

void RecordingTarget::ApplySettings() {
    std::lock_guard<std::mutex> guard(lock_);
    ++recorded_.applied;
}

void RecordingTarget::PreviewAlpha(int alpha) {
    std::lock_guard<std::mutex> guard(lock_);
    recorded_.previews.push_back(alpha);
}

bool RecordingTarget::RegisterHotKeys() {
    std::lock_guard<std::mutex> guard(lock_);
    ++recorded_.registrations;
    return registerResult_;
}

void RecordingTarget::CreateReminderWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &RecordingTarget::ReminderProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kReminderWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when an earlier run registered it
    reminderWindow_ = CreateWindowExA(0, kReminderWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), this);
}

void RecordingTarget::DestroyReminderWindow() {
    DestroyWindow(reminderWindow_);
    reminderWindow_ = nullptr;
}

Recorded RecordingTarget::Snapshot() const {
    std::lock_guard<std::mutex> guard(lock_);
    return recorded_;
}

LRESULT CALLBACK RecordingTarget::ReminderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecordingTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && (message == RM_RELOAD || message == RM_PURGE)) {
        ReminderMessage received{message, {}};
        if (!ReadWholeFile(self->calendarDatPath_, received.calendarDat)) {
            received.calendarDat = "<missing>";
        }
        std::lock_guard<std::mutex> guard(self->lock_);
        self->recorded_.reminderMessages.push_back(received);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

DialogRun::DialogRun(const WidgetSettings& settings, const PreferencesPaths& paths, bool registerResult)
    : settings_(settings), paths_(paths), target_(registerResult, paths.calendarDatPath), thread_([this] {
          target_.CreateReminderWindow();
          ShowPreferences(GetModuleHandleA(nullptr), nullptr, settings_, paths_, target_);
          target_.DestroyReminderWindow();
      }) {}

DialogRun::~DialogRun() {
    if (thread_.joinable()) {
        Finish();
    }
}

HWND DialogRun::WaitForDialog() {
    if (dialog_ == nullptr) {
        dialog_ = testkit::WaitForWindow(
            {.className = "#32770", .title = kDialogTitle, .processId = GetCurrentProcessId(), .visibleOnly = true},
            kWaitMs);
    }
    return dialog_;
}

void DialogRun::Finish() {
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    while (dialog_ != nullptr && IsWindow(dialog_) && GetTickCount64() < deadline) {
        Sleep(20);
    }
    if (dialog_ != nullptr && IsWindow(dialog_)) {
        // A test that failed half way must not leave the run hanging.
        PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
    }
    thread_.join();
    finished_ = true;
}

void Click(HWND button) {
    testkit::SendWithTimeout(button, BM_CLICK, 0, 0);
}

bool IsOpen(HWND dialog) {
    return dialog != nullptr && IsWindow(dialog) != FALSE;
}

}  // namespace settings_test
