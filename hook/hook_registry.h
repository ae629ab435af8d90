#pragma once

// The hook library's memory shared by every process that loads it: which
// window of the side program is open in each of its two modes, and whether
// its address history drop-down is shown.
//
// The side program registers its main window; the loader later asks for the
// window of a mode and brings it forward. A registered window may have gone
// with its process (a crash or an end without clean-up), so the answer is
// only a window that is still there: the caller says what "still there"
// means, and an entry that is not is cleared.
//
// Every field is read and written with single atomic operations on naturally
// aligned values, so two processes never see half of a value.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>

// The side program's modes; each has at most one registered window.
enum class SideWindowMode : std::uint32_t {
    kNavigation = 0,  // the web navigation page ("APPMODEL_TREVALO")
    kHistory = 1,     // the chat-history viewer ("APPMODEL_MSNHISTORY")
};
inline constexpr std::size_t kSideWindowModes = 2;

// Layout of the shared block. A new mapping starts zeroed, which is the empty
// state. Change the layout only together with the version in its name.
struct HookSharedBlock {
    // Per mode: the window in the low 32 bits and its process id in the high
    // 32 bits, 0 when none. One value, so a reader never pairs one window
    // with another window's process.
    alignas(8) std::uint64_t windows[kSideWindowModes];
    // Non-zero while the side program shows its address history drop-down.
    std::uint32_t historyVisible;
};

inline constexpr char kHookSharedBlockName[] = "Local\\LynHook32.SharedBlock.1";

// A registered window: its handle's 32 significant bits and its process.
struct RegisteredWindow {
    std::uint32_t window = 0;
    std::uint32_t processId = 0;

    friend bool operator==(const RegisteredWindow&, const RegisteredWindow&) = default;
};

// Reads and changes a shared block it does not own.
class HookRegistry {
public:
    explicit HookRegistry(HookSharedBlock& block) : block_(block) {}

    // Makes `window` the registered window of `mode`, replacing any other;
    // a window of 0 leaves the mode with none.
    void Register(SideWindowMode mode, RegisteredWindow window);

    // The registered window of `mode` as stored, live or not.
    std::optional<RegisteredWindow> Registered(SideWindowMode mode) const;

    // The registered window of `mode` if `isLive(window)` says it is still
    // there. Otherwise the stale entry is cleared, unless a new window was
    // registered meanwhile (that one is kept), and the answer is none.
    template <typename IsLive>
    std::optional<RegisteredWindow> FindLive(SideWindowMode mode, IsLive&& isLive) {
        const std::uint64_t seen = Slot(mode).load();
        if (seen == 0) {
            return std::nullopt;
        }
        const RegisteredWindow window = Unpack(seen);
        if (isLive(window)) {
            return window;
        }
        ClearIfUnchanged(mode, seen);
        return std::nullopt;
    }

    void SetHistoryVisible(bool visible);
    bool HistoryVisible() const;

private:
    static_assert(std::atomic_ref<std::uint64_t>::is_always_lock_free &&
                      std::atomic_ref<std::uint32_t>::is_always_lock_free,
                  "the block is shared between processes: its atomics must not hide a lock inside one process");

    std::atomic_ref<std::uint64_t> Slot(SideWindowMode mode) const;
    void ClearIfUnchanged(SideWindowMode mode, std::uint64_t seen);
    static RegisteredWindow Unpack(std::uint64_t slot);

    HookSharedBlock& block_;
};
