#include "loader/win32/tray_info_worker.h"

#include <future>

#include "loader/win32/system_monitor.h"
#include "loader/win32/tray_icon_locator.h"

namespace {

constexpr UINT kTickMs = 1000;

}  // namespace

TrayInfoWorker::TrayInfoWorker(HWND window,
                               UINT iconId,
                               std::atomic<bool>& menuOpen,
                               const IClock& clock,
                               std::string balloonTitle)
    : window_(window), iconId_(iconId), menuOpen_(menuOpen), clock_(clock), balloonTitle_(std::move(balloonTitle)) {}

TrayInfoWorker::~TrayInfoWorker() {
    Stop();
}

bool TrayInfoWorker::Start() {
    if (started_) {
        return false;
    }
    started_ = true;
    std::promise<void> ready;
    std::future<void> queueMade = ready.get_future();
    try {
        thread_ = std::thread([this, &ready] {
            MSG message;
            // A thread has a message queue only once it asks for messages;
            // the quit request can be posted only after that.
            PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
            threadId_ = GetCurrentThreadId();
            ready.set_value();
            Run();
        });
    } catch (...) {
        return false;
    }
    queueMade.wait();
    return true;
}

void TrayInfoWorker::Stop() {
    if (!thread_.joinable()) {
        return;
    }
    // The queue exists (Start waited for it), so the post cannot fail for
    // want of one.
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

TrayBalloon TrayInfoWorker::TakeBalloon() {
    std::lock_guard<std::mutex> lock(balloonLock_);
    return balloon_;
}

void TrayInfoWorker::Run() {
    try {
        // Counters and locator live on the worker's thread only.
        SystemMonitor monitor;
        TrayIconLocator locator(window_, iconId_);
        UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, nullptr);
        Tick(monitor, locator);  // the first tick at once, not a second later
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_TIMER) {
                Tick(monitor, locator);
            }
        }
        KillTimer(nullptr, timer);
    } catch (...) {
        // Nothing escapes the thread; the balloon simply stops.
    }
}

void TrayInfoWorker::Tick(SystemMonitor& monitor, TrayIconLocator& locator) {
    IconLocation location = locator.Locate();
    if (location.markerShown) {
        // A window already gone drops the post; nothing to do about that.
        PostMessageA(window_, kTrayRestoreIconMessage, 0, 0);
    }
    const std::optional<ScreenPoint>& icon = location.point;
    bool over = false;
    if (icon) {
        POINT cursor{};
        over = GetCursorPos(&cursor) && HoverSquare(*icon).Contains({cursor.x, cursor.y});
    }
    BalloonDecision decision = DecideBalloon(icon.has_value(), over, menuOpen_.load());
    if (decision.clearMenuOpen) {
        menuOpen_ = false;
    }
    if (decision.step == BalloonStep::kShow) {
        std::string text = SystemBalloonText(monitor.Read(), ToLocalTime(clock_.Now()));
        std::lock_guard<std::mutex> lock(balloonLock_);
        balloon_ = {balloonTitle_, std::move(text)};
    }
    if (decision.step != BalloonStep::kNothing) {
        PostMessageA(window_, kTrayBalloonMessage, static_cast<WPARAM>(decision.step), 0);
    }
}
