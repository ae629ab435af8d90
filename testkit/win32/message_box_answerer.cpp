#include "testkit/win32/message_box_answerer.h"

#include <utility>

#include "testkit/win32/window_helpers.h"

namespace testkit {

namespace {

constexpr DWORD kPollIntervalMs = 20;
// How long a pressed dialog may take to close before other buttons are tried.
constexpr ULONGLONG kCloseTimeoutMs = 3000;
// Message boxes give their message text this control id.
constexpr int kMessageTextId = 0xFFFF;

MessageBoxIcon IconShownBy(HWND iconControl) {
    std::optional<LRESULT> icon = SendWithTimeout(iconControl, STM_GETICON, 0, 0);
    if (!icon || *icon == 0) {
        return MessageBoxIcon::kNone;
    }
    // The system icons are shared handles, the same in every process.
    const std::pair<LPCSTR, MessageBoxIcon> known[] = {
        {IDI_HAND, MessageBoxIcon::kError},
        {IDI_QUESTION, MessageBoxIcon::kQuestion},
        {IDI_EXCLAMATION, MessageBoxIcon::kWarning},
        {IDI_ASTERISK, MessageBoxIcon::kInformation},
    };
    for (const auto& [name, kind] : known) {
        if (reinterpret_cast<LRESULT>(LoadIconA(nullptr, name)) == *icon) {
            return kind;
        }
    }
    return MessageBoxIcon::kOther;
}

bool WaitUntilClosed(HWND dialog) {
    ULONGLONG deadline = GetTickCount64() + kCloseTimeoutMs;
    while (IsWindow(dialog)) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollIntervalMs);
    }
    return true;
}

// Posting the button's command is what a click does in the end, and needs
// neither focus nor the mouse.
void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

std::vector<int> AnsweredDialog::ButtonIds() const {
    std::vector<int> ids;
    for (const DialogButton& button : buttons) {
        ids.push_back(button.id);
    }
    return ids;
}

AnsweredDialog DescribeDialog(HWND dialog) {
    AnsweredDialog described;
    described.caption = WindowText(dialog);
    described.owner = GetWindow(dialog, GW_OWNER);
    for (HWND child : ChildWindows(dialog)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        std::string kind = WindowClassName(child);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        int id = GetDlgCtrlID(child);
        if (kind == "Button") {
            described.buttons.push_back({id, WindowText(child)});
        } else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            described.icon = IconShownBy(child);
        } else if (kind == "Static" && id == kMessageTextId) {
            described.text = WindowText(child);
        }
    }
    return described;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::string caption, int button, unsigned int timeoutMs, DWORD processId)
    : caption_(std::move(caption)), button_(button), timeoutMs_(timeoutMs), processId_(processId), thread_([this] {
          try {
              Run();
          } catch (...) {
              result_.reset();
          }
      }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    cancelled_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::optional<AnsweredDialog> MessageBoxAnswerer::Result() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return result_;
}

HWND MessageBoxAnswerer::WaitForDialog() {
    WindowQuery query{.className = "#32770", .title = caption_, .processId = processId_, .visibleOnly = true};
    ULONGLONG deadline = GetTickCount64() + timeoutMs_;
    while (!cancelled_) {
        if (HWND dialog = FindTopLevelWindow(query)) {
            return dialog;
        }
        if (GetTickCount64() >= deadline) {
            break;
        }
        Sleep(kPollIntervalMs);
    }
    return nullptr;
}

void MessageBoxAnswerer::Run() {
    HWND dialog = WaitForDialog();
    bool matched = dialog != nullptr;
    if (!dialog && !cancelled_ && processId_ == GetCurrentProcessId()) {
        // A dialog of ours with another caption would block the test for good.
        dialog = FindTopLevelWindow({.className = "#32770", .processId = processId_, .visibleOnly = true});
    }
    if (!dialog) {
        return;
    }
    AnsweredDialog answered = DescribeDialog(dialog);
    answered.captionMatched = matched;
    answered.pressed = button_;
    Press(dialog, button_);
    // A box may ignore a button it does not have: then close it with its own
    // buttons so the test goes on (and fails on `pressed`).
    for (std::size_t i = 0; !WaitUntilClosed(dialog) && i < answered.buttons.size(); ++i) {
        answered.pressed = answered.buttons[i].id;
        Press(dialog, answered.pressed);
    }
    result_ = std::move(answered);
}

}  // namespace testkit
