// Loads QvCTRL.dll at run time and plays a repeating sound with its player
// (an MCI device open, the repeat timer armed). "unload" then frees the
// library while the timer service (kept loaded here) goes on ticking;
// "exit" returns from main and lets the process end with the player
// playing. Exit code 0 when all went well, another code names the step
// that failed. A device, timer listener or window left behind by the unload
// would call into unloaded code and crash the probe; a teardown that waits
// on another thread under the loader lock would hang it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "controls/sound_player.h"
#include "controls/tests/win32/sound_files.h"

namespace {

enum ExitCode : int {
    kOk = 0,
    kBadArguments = 10,
    kNoTimerLibrary = 11,
    kNoLibrary = 12,
    kNoExport = 13,
    kNoPlayer = 14,
    kNoFile = 15,
    kNotPlaying = 16,
    kLibraryStillLoaded = 17,
    kNoEmptyQueueNotice = 18,
    kWindowLeft = 19,
    kTimerWindowLeft = 20,
};

struct CountingListener final : cmmctrls::ICallback {
    int on_call(std::uint32_t code, std::uint32_t, std::int32_t) override {
        emptied += code == cmmctrls::kSoundQueueEmpty ? 1 : 0;
        return 0;
    }
    int emptied = 0;
};

void Pump(DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

struct ClassCount {
    const char* className;
    int count = 0;
};

BOOL CALLBACK CountWindowOfClass(HWND window, LPARAM count) {
    auto* counted = reinterpret_cast<ClassCount*>(count);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    counted->count += lstrcmpA(name, counted->className) == 0 ? 1 : 0;
    return TRUE;
}

// Only this thread's: the test program that starts the probe has a player
// window of its own.
int WindowsOfThisThread(const char* className) {
    ClassCount counted{className};
    EnumThreadWindows(GetCurrentThreadId(), CountWindowOfClass, reinterpret_cast<LPARAM>(&counted));
    return counted.count;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 2 ? argv[1] : "";
    if (mode != "unload" && mode != "exit") {
        return kBadArguments;
    }
    UniqueModule timerLibrary(LoadLibraryA("QvSHJ.dll"));
    if (!timerLibrary) {
        return kNoTimerLibrary;
    }
    HMODULE library = LoadLibraryA("QvCTRL.dll");
    if (library == nullptr) {
        return kNoLibrary;
    }
    using Query = cmmctrls::ISoundPlayer*(__cdecl*)();
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(library, "QuerySoundPlayer")));
    if (query == nullptr) {
        return kNoExport;
    }
    cmmctrls::ISoundPlayer* player = query();
    if (player == nullptr) {
        return kNoPlayer;
    }
    const std::string file = ModuleFolder(nullptr) + "\\sound_player_probe_" + mode + ".mp3";
    if (!sound_files::WriteSilentMp3(file, 3000)) {
        return kNoFile;
    }

    CountingListener listener;
    player->AddListener(&listener);
    if (!player->Play(1, file.c_str(), 60000)) {
        return kNotPlaying;
    }
    Pump(500);
    if (!player->IsActive()) {
        return kNotPlaying;
    }
    if (mode == "exit") {
        return kOk;
    }

    FreeLibrary(library);
    if (GetModuleHandleA("QvCTRL.dll") != nullptr) {
        return kLibraryStillLoaded;
    }
    if (listener.emptied != 1) {
        return kNoEmptyQueueNotice;
    }
    if (WindowsOfThisThread("NIMBREL VEXA SOUNDPLAYER") != 0) {
        return kWindowLeft;
    }
    if (WindowsOfThisThread("TimeSynWindow") != 0) {
        return kTimerWindowLeft;
    }
    // The file would have ended and the timer ticked many times by now.
    Pump(3500);
    return kOk;
}
