#include "controls/win32/sound_player.h"

#include <mmsystem.h>

#include <mutex>
#include <utility>

#include "timer/win32/cmm_timer.h"

namespace cmmctrls {

const char CSoundPlayer::kClassName[] = "NIMBREL VEXA SOUNDPLAYER";

namespace {

// Guards the creation and destruction of the one player; its use is left to
// the thread that owns it.
std::mutex playerGuard;
CSoundPlayer* player = nullptr;

// The path ends in ".wav", in any case. In GBK a '.' is never the second
// byte of a character, so the four bytes after it are plain ASCII.
bool IsWaveFile(const std::string& path) {
    constexpr char kSuffix[] = ".wav";
    constexpr std::size_t kLength = sizeof kSuffix - 1;
    return path.size() >= kLength && lstrcmpiA(path.c_str() + path.size() - kLength, kSuffix) == 0;
}

}  // namespace

// A device left open by the destructor plays on inside winmm, so winmm must
// stay loaded when this library goes even if nothing else uses it.
CSoundPlayer::CSoundPlayer() {
    HMODULE winmm = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, "winmm.dll", &winmm);
}

// The player goes when the library is unloaded, under the loader lock. MCI
// cannot stop or close a device that is playing then: it waits for the
// driver's playing thread, which cannot end while the lock is held (measured
// under Wine with waveaudio and mpegvideo: both hang). So the file is let go
// without a command; it plays to its end, its notice goes to a window that
// is gone, and the device is freed with the process.
CSoundPlayer::~CSoundPlayer() {
    alias_.clear();
    deviceId_ = 0;
    try {
        queue_.Shutdown();
    } catch (...) {
        // A listener's exception must not keep the window alive.
    }
    DestroyWindow();
}

bool CSoundPlayer::Play(std::uint32_t number, const char* path, std::uint32_t repeat) {
    try {
        return queue_.Play(number, path, repeat);
    } catch (...) {
        return false;
    }
}

bool CSoundPlayer::StopAll() {
    try {
        return queue_.StopAll();
    } catch (...) {
        return true;
    }
}

bool CSoundPlayer::AddListener(ICallback* listener) {
    try {
        return queue_.AddListener(listener);
    } catch (...) {
        return false;
    }
}

bool CSoundPlayer::RemoveListener(ICallback* listener) {
    return queue_.RemoveListener(listener);
}

bool CSoundPlayer::IsActive() {
    return queue_.IsActive();
}

std::uint32_t CSoundPlayer::GetCurrentID() {
    return queue_.GetCurrentID();
}

bool CSoundPlayer::Stop(std::uint32_t number) {
    try {
        return queue_.Stop(number);
    } catch (...) {
        return false;
    }
}

// Asks the wave mapper whether some output device takes 8 kHz 16-bit mono
// PCM, without opening one. An output device is what playing needs; testing
// the input device would refuse to play on a machine with speakers but no
// microphone. Under Wine the answer is MMSYSERR_BADDEVICEID when ALSA has no
// device and MMSYSERR_NOERROR with a null ALSA device.
bool CSoundPlayer::AudioDevicePresent() {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 8000;
    format.nAvgBytesPerSec = 16000;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    return waveOutOpen(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

bool CSoundPlayer::CreateHiddenWindow() {
    return GetSafeHwnd() != nullptr || CreateEx(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
}

bool CSoundPlayer::CreateMedia() {
    hasMedia_ = true;
    return true;
}

void CSoundPlayer::ReleaseMedia() {
    Close();
    hasMedia_ = false;
}

void CSoundPlayer::Stop() {
    if (alias_.empty()) {
        return;
    }
    SendCommand("stop " + alias_);
    DropPendingNotifications();
}

bool CSoundPlayer::Open(const std::string& path) {
    Close();
    // A fresh alias for every file: one still held by a device that failed
    // to close would make the next open fail.
    const std::string alias = "qvctrl_sound_" + std::to_string(++opens_);
    const char* type = IsWaveFile(path) ? "waveaudio" : "mpegvideo";
    if (!SendCommand("open \"" + path + "\" type " + type + " alias " + alias)) {
        return false;
    }
    alias_ = alias;
    deviceId_ = mciGetDeviceIDA(alias_.c_str());
    if (!PlayCurrentFile()) {
        Close();
        return false;
    }
    return true;
}

void CSoundPlayer::Close() {
    if (alias_.empty()) {
        return;
    }
    SendCommand("close " + alias_);
    alias_.clear();
    deviceId_ = 0;
    DropPendingNotifications();
}

void CSoundPlayer::Replay() {
    if (alias_.empty()) {
        return;
    }
    SendCommand("seek " + alias_ + " to start");
    PlayCurrentFile();
}

void CSoundPlayer::ArmRepeatTimer(std::uint32_t interval) {
    if (CMMTimer* timer = QueryMMTimer()) {
        timer->RegisterListener(this, interval);
    }
}

// Only with a timer service that still exists: when it is gone nothing is
// registered any more, and asking QueryMMTimer would start it again.
void CSoundPlayer::DisarmRepeatTimer() {
    if (CMMTimer* timer = CMMTimer::instance_) {
        timer->UnRegisterListener(this);
    }
}

void CSoundPlayer::PostAdvance() {
    if (GetSafeHwnd() != nullptr) {
        PostMessageA(GetSafeHwnd(), kAdvanceMessage, 0, 0);
    }
}

void CSoundPlayer::PostRelease() {
    if (GetSafeHwnd() != nullptr) {
        PostMessageA(GetSafeHwnd(), kReleaseMessage, 0, 0);
    }
}

void CSoundPlayer::ShowCannotPlay() {
    MessageBoxA(GetSafeHwnd(), kCannotPlayText, kCannotPlayCaption, MB_OK | MB_ICONINFORMATION);
}

void CSoundPlayer::TimeArrive() {
    try {
        queue_.OnRepeatTimer();
    } catch (...) {
        // The timer service must not see it; the next tick tries again.
    }
}

LRESULT CSoundPlayer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kAdvanceMessage:
            queue_.OnAdvance();
            return 0;
        case kReleaseMessage:
            queue_.OnRelease();
            return 0;
        case MM_MCINOTIFY:
            OnMciNotify(wParam, lParam);
            return 0;
        default:
            return CWindow::WindowProc(message, wParam, lParam);
    }
}

void CSoundPlayer::CustomizeClass(WNDCLASSEXA& windowClass) const {
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

bool CSoundPlayer::SendCommand(const std::string& command) {
    return mciSendStringA(command.c_str(), nullptr, 0, GetSafeHwnd()) == 0;
}

bool CSoundPlayer::PlayCurrentFile() {
    return SendCommand("play " + alias_ + " notify");
}

// Acts only on the end of the file that is open now. A stop or a new play
// that we asked for arrives as aborted or superseded and is dropped; an end
// posted before we stopped or closed a file was removed from the queue then.
// lParam names the device, except that Wine's mpegvideo driver always sends
// 0 there. A play that failed (a device lost halfway) never reaches its end:
// the file is let go, so a sound without a repeat time gives way to the next
// and one with a repeat time waits silently for its timer.
void CSoundPlayer::OnMciNotify(WPARAM flags, LPARAM device) {
    const auto notified = static_cast<unsigned>(device);
    if (alias_.empty() || (notified != 0 && notified != deviceId_)) {
        return;
    }
    if (flags == MCI_NOTIFY_FAILURE) {
        Close();
    } else if (flags != MCI_NOTIFY_SUCCESSFUL) {
        return;
    }
    queue_.OnPlaybackStopped();
}

void CSoundPlayer::DropPendingNotifications() {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    MSG message;
    while (PeekMessageA(&message, GetSafeHwnd(), MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE) != FALSE) {
    }
}

// Deleted outside the lock: the listeners told of the end may ask for the
// player again.
void DestroySoundPlayer() noexcept {
    CSoundPlayer* going = nullptr;
    {
        std::lock_guard hold(playerGuard);
        going = std::exchange(player, nullptr);
    }
    delete going;
}

}  // namespace cmmctrls

extern "C" cmmctrls::ISoundPlayer* __cdecl QuerySoundPlayer() noexcept {
    try {
        std::lock_guard hold(cmmctrls::playerGuard);
        if (cmmctrls::player == nullptr) {
            cmmctrls::player = new cmmctrls::CSoundPlayer();
        }
        return cmmctrls::player;
    } catch (...) {
        return nullptr;
    }
}
