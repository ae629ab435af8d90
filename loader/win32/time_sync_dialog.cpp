#include "loader/win32/time_sync_dialog.h"

#include <commctrl.h>

#include <utility>

#include "common/win32/window_icon.h"
#include "loader/win32/time_sync_dialog_resources.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;
// The success message has three lines; the status text grows down by this
// much (over the hidden progress bar) to hold them.
constexpr int kSuccessTextGrowth = 30;

}  // namespace

TimeSyncDialog::TimeSyncDialog(HINSTANCE resources,
                               const IClock& clock,
                               alarmclock::IClockSetter& setter,
                               const TimeSyncSetup& setup,
                               std::string title)
    : resources_(resources),
      clock_(clock),
      setter_(setter),
      title_(std::move(title)),
      worker_(setup.server, setup.timeouts) {}

// The window goes first, unheard, so its timer stops before the members it
// reads are taken apart.
TimeSyncDialog::~TimeSyncDialog() {
    DestroyUnheard();
}

bool TimeSyncDialog::Create() {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    if (!CreateFromTemplate(resources_, IDD_TIME_SYNC, nullptr)) {
        return false;
    }
    ShowWindow(window(), SW_SHOWNORMAL);
    SetForegroundWindow(window());  // refused while another program has the user's attention: no matter
    return true;
}

INT_PTR TimeSyncDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInit();
            return TRUE;
        case WM_TIMER:
            if (wParam == kTickTimer) {
                OnTick();
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND:
            // 关闭 is disabled until the synchronisation has finished.
            if (LOWORD(wParam) == IDCANCEL && IsWindowEnabled(Item(IDCANCEL))) {
                DestroyWindow(window());
            }
            return TRUE;
        case WM_CLOSE:
            // The caption's close box works at any time: the worker is let
            // go and the clock stays as it is.
            DestroyWindow(window());
            return TRUE;
        case WM_DESTROY:
            StopTimer();
            worker_.Abandon();
            return FALSE;
        default:
            return FALSE;
    }
}

void TimeSyncDialog::OnInit() {
    ShowIcon();
    SetWindowTextA(window(), title_.c_str());
    SetDlgItemTextA(window(), IDC_TIME_SYNC_STATUS, kTimeSyncWaitingText);
    SendMessageA(Item(IDC_TIME_SYNC_PROGRESS), PBM_SETRANGE32, 0, kTimeSyncFinishedProgress);
    EnableWindow(Item(IDCANCEL), FALSE);
    timerRunning_ = SetTimer(window(), kTickTimer, kTickMs, nullptr) != 0;
    if (!worker_.Start() || !timerRunning_) {
        // Without the thread or the timer nothing would ever finish.
        Finish({TimeSyncResult::kNoSocketLibrary, {}});
    }
}

void TimeSyncDialog::OnTick() {
    const TimeSyncReport report = worker_.Report();
    if (!report.finished) {
        ShowProgress(TimeSyncProgress(report.stage));
        return;
    }
    const TimeSyncOutcome outcome = CompleteTimeSync(report, clock_, setter_);
    if (outcome.result == TimeSyncResult::kClockSet) {
        ShowProgress(kTimeSyncClockSetProgress);
        // Posted, not sent: a window that does not answer does not hold the
        // dialog up.
        PostMessageA(HWND_BROADCAST, WM_TIMECHANGE, 0, 0);
    }
    Finish(outcome);
}

void TimeSyncDialog::Finish(const TimeSyncOutcome& outcome) {
    StopTimer();
    result_ = outcome.result;
    ShowProgress(kTimeSyncFinishedProgress);
    EnableWindow(Item(IDCANCEL), TRUE);
    const std::string text = TimeSyncFinishedText(result_, outcome.previous, ToLocalTime(clock_.Now()));
    SetDlgItemTextA(window(), IDC_TIME_SYNC_STATUS, text.c_str());
    if (result_ != TimeSyncResult::kClockSet) {
        return;
    }
    ShowWindow(Item(IDC_TIME_SYNC_PROGRESS), SW_HIDE);
    HWND status = Item(IDC_TIME_SYNC_STATUS);
    RECT place = {};
    GetWindowRect(status, &place);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(status, nullptr, 0, 0, place.right - place.left, place.bottom - place.top + kSuccessTextGrowth,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TimeSyncDialog::ShowProgress(int progress) {
    progress_ = progress;
    SendMessageA(Item(IDC_TIME_SYNC_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(progress), 0);
}

void TimeSyncDialog::ShowIcon() {
    ShowWindowIcon(window(), resources_, IDI_TIME_SYNC_ICON);
}

void TimeSyncDialog::StopTimer() {
    if (timerRunning_) {
        KillTimer(window(), kTickTimer);
        timerRunning_ = false;
    }
}
