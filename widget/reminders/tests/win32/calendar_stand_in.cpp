#include "widget/reminders/tests/win32/calendar_stand_in.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <future>
#include <tuple>
#include <utility>

#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/reminders/reminder_messages.h"

namespace reminders_test {

namespace {

constexpr char kWindowClass[] = "RemindersTestCalendarWindow";
constexpr UINT kRunMessage = WM_APP + 1;
constexpr unsigned kWaitMs = 10000;

}  // namespace

CalendarStandIn::CalendarStandIn() {
    std::promise<std::pair<HWND, DWORD>> made;
    std::future<std::pair<HWND, DWORD>> madeWindow = made.get_future();
    thread_ = std::thread([this, &made] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &CalendarStandIn::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);  // fails harmlessly when an earlier test registered it
        HWND window =
            CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), this);
        made.set_value({window, GetCurrentThreadId()});
        MSG message;
        while (window != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    });
    std::tie(window_, threadId_) = madeWindow.get();
}

CalendarStandIn::~CalendarStandIn() {
    if (window_ != nullptr) {
        Run([this] {
            schedule_.reset();
            birthday_.reset();
            popups_.clear();
            missed_.reset();
            DestroyWindow(window_);
            PostQuitMessage(0);
        });
    }
    thread_.join();
}

HWND CalendarStandIn::OpenSchedule(const ReminderItem& item, bool existing) {
    HWND opened = nullptr;
    Run([&] {
        if (!schedule_) {
            schedule_ = std::make_unique<ScheduleEditor>(window_, GetModuleHandleA(nullptr));
        }
        if (schedule_->Open(item, existing)) {
            opened = schedule_->window();
        }
    });
    return opened;
}

HWND CalendarStandIn::OpenBirthday(const ReminderItem& item, bool existing) {
    HWND opened = nullptr;
    Run([&] {
        if (!birthday_) {
            birthday_ = std::make_unique<BirthdayEditor>(window_, GetModuleHandleA(nullptr));
        }
        if (birthday_->Open(item, existing)) {
            opened = birthday_->window();
        }
    });
    return opened;
}

HWND CalendarStandIn::OpenPopup(const ReminderItem& item, Moment alert, bool snoozable) {
    HWND opened = nullptr;
    Run([&] {
        ReminderPopup::SnoozeReminder snooze;
        if (snoozable) {
            snooze = [this](std::uint32_t id, int minutes) {
                std::lock_guard<std::mutex> guard(lock_);
                snoozed_.emplace_back(id, minutes);
            };
        }
        auto popup = ReminderPopup::Open(
            window_, GetModuleHandleA(nullptr), item, alert,
            [this](std::uint32_t id) {
                std::lock_guard<std::mutex> guard(lock_);
                openedIds_.push_back(id);
            },
            std::move(snooze));
        if (popup) {
            opened = popup->window();
            popups_[opened] = std::move(popup);
        }
    });
    return opened;
}

HWND CalendarStandIn::OpenMissed(const std::vector<MissedReminderEntry>& entries) {
    HWND opened = nullptr;
    Run([&] {
        missed_ = MissedRemindersWindow::Open(window_, GetModuleHandleA(nullptr), entries, [this](std::uint32_t id) {
            std::lock_guard<std::mutex> guard(lock_);
            openedIds_.push_back(id);
        });
        opened = missed_ ? missed_->window() : nullptr;
    });
    return opened;
}

void CalendarStandIn::AddMissed(const std::vector<MissedReminderEntry>& entries) {
    Run([&] {
        if (missed_) {
            missed_->Add(entries);
        }
    });
}

void CalendarStandIn::RemoveMissed(std::uint32_t id) {
    Run([&] {
        if (missed_) {
            missed_->Remove(id);
        }
    });
}

std::vector<std::uint32_t> CalendarStandIn::ListedMissed() {
    std::vector<std::uint32_t> ids;
    Run([&] {
        if (missed_) {
            ids = missed_->ListedIds();
        }
    });
    return ids;
}

void CalendarStandIn::Run(const std::function<void()>& work) {
    // Long enough for a message box the work waits on to be answered.
    testkit::SendWithTimeout(window_, kRunMessage, 0, reinterpret_cast<LPARAM>(&work), 30000);
}

std::vector<Received> CalendarStandIn::Messages() const {
    std::lock_guard<std::mutex> guard(lock_);
    return messages_;
}

bool CalendarStandIn::WaitFor(UINT message, std::size_t count) const {
    return WaitUntil([&] {
        std::size_t seen = 0;
        for (const Received& received : Messages()) {
            seen += received.message == message ? 1 : 0;
        }
        return seen >= count;
    });
}

std::vector<std::uint32_t> CalendarStandIn::OpenedIds() const {
    std::lock_guard<std::mutex> guard(lock_);
    return openedIds_;
}

std::vector<std::pair<std::uint32_t, int>> CalendarStandIn::Snoozed() const {
    std::lock_guard<std::mutex> guard(lock_);
    return snoozed_;
}

std::size_t CalendarStandIn::PopupCount() {
    std::size_t count = 0;
    Run([&] { count = popups_.size(); });
    return count;
}

HWND CalendarStandIn::Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

void CalendarStandIn::Record(Received received) {
    std::lock_guard<std::mutex> guard(lock_);
    messages_.push_back(std::move(received));
}

LRESULT CALLBACK CalendarStandIn::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<CalendarStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case kRunMessage:
            (*reinterpret_cast<const std::function<void()>*>(lParam))();
            return 0;
        case RM_SCHEDULE_SAVED:
            self->Record({message, wParam, lParam, self->schedule_->ReadBack()});
            return 0;
        case RM_BIRTHDAY_SAVED:
            self->Record({message, wParam, lParam, self->birthday_->ReadBack()});
            return 0;
        case RM_POPUP_CLOSED:
            self->popups_.erase(reinterpret_cast<HWND>(lParam));
            self->Record({message, wParam, lParam, std::nullopt});
            return 0;
        case RM_MISSED_CLOSED:
            if (self->missed_ && self->missed_->window() == nullptr) {
                self->missed_.reset();
            }
            self->Record({message, wParam, lParam, std::nullopt});
            return 0;
        case RM_DELETE:
            self->Record({message, wParam, lParam, std::nullopt});
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return testkit::SendWithTimeout(window, message, wParam, lParam).value_or(-1);
}

void Click(HWND button) {
    Send(button, BM_CLICK);
}

void SetText(HWND control, const std::string& text) {
    Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Checked(HWND button) {
    return Send(button, BM_GETCHECK) == BST_CHECKED;
}

bool Shown(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void PickDate(HWND picker, GregorianDate date) {
    testkit::PickDate(picker, date.year, date.month, date.day);
}

GregorianDate ShownDate(HWND picker) {
    SYSTEMTIME shown = {};
    Send(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
    return {shown.wYear, shown.wMonth, shown.wDay};
}

void ClickArrow(HWND arrows, bool up) {
    RECT area = {};
    GetClientRect(arrows, &area);
    const LPARAM point = MAKELPARAM(area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
    Send(arrows, WM_LBUTTONDOWN, MK_LBUTTON, point);
    Send(arrows, WM_LBUTTONUP, 0, point);
}

bool WaitUntil(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + kWaitMs / 2;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

void SaveScreenshot(HWND window, const char* name) {
    // Painted on the calendar thread: give it the time to finish.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Sleep(500);
    EXPECT_TRUE(testkit::SaveWindowPng(window, std::string(REMINDERS_SCREENSHOT_DIR) + "/" + name)) << name;
}

}  // namespace reminders_test
