#include "hook/win32/lyn_hook32.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "common/win32/handles.h"
#include "hook/hook_registry.h"

// Nothing here throws: the exports need no catch.

namespace {

// A window that hangs must not hang the loader's menu with it.
constexpr UINT kSendTimeoutMs = 5000;

// Window handles carry 32 significant bits in every process (64-bit processes
// sign-extend them), so a 32-bit slot holds any window.
std::uint32_t WindowBits(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

HWND WindowFromBits(std::uint32_t bits) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(bits)));
}

// Still open and still the same process's window: a handle value may be
// reused by another window once the side program has ended.
bool IsLive(const RegisteredWindow& registered) {
    HWND window = WindowFromBits(registered.window);
    DWORD processId = 0;
    return IsWindow(window) && GetWindowThreadProcessId(window, &processId) != 0 && processId == registered.processId;
}

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

// This process's view of the shared block, mapped on first use. The lock
// keeps StopHook on one thread from unmapping the view while another thread
// uses it.
class SharedBlock {
public:
    // Runs use(registry) with the block mapped; nothing when it cannot be.
    template <typename Use>
    void With(Use&& use) {
        ExclusiveLock hold(lock_);
        if (HookSharedBlock* block = MapLocked()) {
            HookRegistry registry(*block);
            use(registry);
        }
    }

    void Release() {
        ExclusiveLock hold(lock_);
        view_.reset();
        mapping_.reset();
    }

private:
    // Opens the block other processes made, or makes it (zeroed, which is
    // the empty state). An object of that name that is no mapping of at
    // least our size fails to open or to map, and leaves us without a block.
    HookSharedBlock* MapLocked() {
        if (!view_) {
            UniqueHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                    sizeof(HookSharedBlock), kHookSharedBlockName));
            if (!mapping) {
                return nullptr;
            }
            UniqueMappedView view(
                MapViewOfFile(mapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(HookSharedBlock)));
            if (!view) {
                return nullptr;
            }
            mapping_ = std::move(mapping);
            view_ = std::move(view);
        }
        return static_cast<HookSharedBlock*>(view_.get());
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    UniqueHandle mapping_;
    UniqueMappedView view_;
};

SharedBlock gSharedBlock;

void RegisterWindow(SideWindowMode mode, HWND window) {
    RegisteredWindow entry;
    DWORD processId = 0;
    if (window != nullptr && IsWindow(window) && GetWindowThreadProcessId(window, &processId) != 0) {
        entry = {WindowBits(window), processId};
    }
    gSharedBlock.With([&](HookRegistry& registry) { registry.Register(mode, entry); });
}

// The message is sent outside the lock: the window's answer may take a while.
int BringForward(SideWindowMode mode) {
    std::optional<RegisteredWindow> found;
    gSharedBlock.With([&](HookRegistry& registry) { found = registry.FindLive(mode, IsLive); });
    if (!found) {
        return 0;
    }
    // The side program makes itself the foreground window, which Windows
    // allows only with the foreground process's consent.
    AllowSetForegroundWindow(found->processId);
    DWORD_PTR answer = 0;
    LRESULT sent = SendMessageTimeoutA(WindowFromBits(found->window), kLynHookMessage, kLynHookBringForward, 0,
                                       SMTO_NORMAL | SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer);
    return sent != 0 ? 1 : 0;
}

}  // namespace

extern "C" {

int __cdecl StopHook() {
    gSharedBlock.Release();
    return 1;
}

int __cdecl ActiveTrevaloWnd() {
    return BringForward(SideWindowMode::kNavigation);
}

int __cdecl ActiveMsnviewWnd() {
    return BringForward(SideWindowMode::kHistory);
}

void __cdecl SetHookTrevaloWnd(HWND window) {
    RegisterWindow(SideWindowMode::kNavigation, window);
}

void __cdecl SetHookMsnviewWnd(HWND window) {
    RegisterWindow(SideWindowMode::kHistory, window);
}

void __cdecl SetHistoryVisible(bool visible) {
    gSharedBlock.With([&](HookRegistry& registry) { registry.SetHistoryVisible(visible); });
}

}  // extern "C"
