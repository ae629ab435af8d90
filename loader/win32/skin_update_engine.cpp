#include "loader/win32/skin_update_engine.h"

#include <tlhelp32.h>

#include <mutex>
#include <optional>
#include <utility>

#include "common/path_util.h"
#include "common/win32/handles.h"
#include "loader/win32/skin_download.h"
#include "toolkit/lyn_ini.h"

// What the page and its workers share. `setup` is fixed at construction;
// everything else is read and written under `mutex`. Each worker holds a
// share, so the state outlives a page that closes while the worker runs.
struct SkinUpdateEngine::Shared {
    SkinUpdateSetup setup;
    mutable std::mutex mutex;
    std::string status = kSkinListLoadingText;
    int progress = 0;
    std::vector<PendingSkin> newSkins;
    bool busy = false;
    bool detached = false;  // the page is gone: post nothing
};

namespace {

// How often a running package is looked for again.
constexpr DWORD kPackagePollMs = 1000;

struct Job {
    std::shared_ptr<SkinUpdateEngine::Shared> shared;
    SkinJob kind = SkinJob::kListLoaded;
    std::vector<PendingSkin> skins;  // for kUpdateDone
};

// The file name part of a process's image name: Windows gives a bare name,
// some versions of Wine a path.
std::string_view ImageFileName(const char* image) {
    std::string_view name(image);
    std::size_t slash = name.find_last_of("\\/");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// True while any process runs from a file of that name. A snapshot that
// cannot be taken says no: the wait must end some time.
bool ProcessRunning(const std::string& fileName) {
    // The snapshot, like a file, fails with INVALID_HANDLE_VALUE.
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return false;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        // lstrcmpiA knows the double-byte characters of the system's code page.
        if (lstrcmpiA(std::string(ImageFileName(entry.szExeFile)).c_str(), fileName.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

// Starts the package hidden in its own folder and waits while a process of
// its name runs, at most `waitMs`. False when it could not be started.
bool RunPackage(const std::string& package, const std::string& folder, unsigned long waitMs) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + package + "\"";
    if (!CreateProcessA(package.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        return false;
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    const std::string fileName = FileNameOf(package);
    const ULONGLONG started = GetTickCount64();
    while (ProcessRunning(fileName)) {
        const ULONGLONG waited = GetTickCount64() - started;
        if (waited >= waitMs) {
            break;
        }
        Sleep(static_cast<DWORD>(waitMs - waited < kPackagePollMs ? waitMs - waited : kPackagePollMs));
    }
    return true;
}

// One job's work, on the job's thread.
class SkinUpdateWorker {
public:
    explicit SkinUpdateWorker(SkinUpdateEngine::Shared& shared) : shared_(shared) {}

    void SetStatus(std::string status) {
        std::lock_guard lock(shared_.mutex);
        shared_.status = std::move(status);
    }

    SkinDownloadProgress ProgressSink() {
        return [this](int percent) {
            std::lock_guard lock(shared_.mutex);
            shared_.progress = percent;
        };
    }

    void LoadList() {
        const SkinUpdateSetup& setup = shared_.setup;
        std::vector<PendingSkin> skins;
        const bool loaded =
            !setup.listFile.empty() && DownloadSkinFile(setup.listAddress, setup.listFile, ProgressSink());
        if (loaded) {
            skins = NewSkins(setup.listFile, setup.cataloguePath, setup.section);
        }
        std::lock_guard lock(shared_.mutex);
        shared_.status = loaded ? NewSkinsStatus(skins.size()) : std::string(kSkinsUpToDateText);
        shared_.newSkins = std::move(skins);
    }

    void InstallSkins(const std::vector<PendingSkin>& skins) {
        const std::string listHost = AddressHost(shared_.setup.listAddress);
        for (const PendingSkin& skin : skins) {
            if (!skin.chosen) {
                continue;
            }
            std::optional<std::string> fileName = PackageFileName(skin.address, listHost);
            if (!fileName) {
                SetStatus(RefusedSkinStatus(skin.name));
                continue;
            }
            SetStatus(UpdatingSkinStatus(skin.name));
            InstallPackage(skin, *fileName);
        }
        SetStatus(kSkinUpdateDoneText);
    }

    // A package that fails to download or to start is not recorded, so it is
    // offered again next time.
    void InstallPackage(const PendingSkin& skin, const std::string& fileName) {
        const SkinUpdateSetup& setup = shared_.setup;
        const std::string package = JoinPath(setup.modulesFolder, fileName);
        if (DownloadSkinFile(skin.address, package, ProgressSink()) &&
            RunPackage(package, setup.modulesFolder, setup.packageWaitMs)) {
            CLynIni catalogue;
            if (catalogue.SetFileName(setup.cataloguePath) != 0) {
                // A failed write leaves the skin unrecorded, so it is offered
                // again; there is nothing else it could change.
                static_cast<void>(catalogue.SetValue(setup.section, skin.name, skin.address, true));
            }
        }
        // A package that was given up on may still run and hold its file; the
        // deletion then fails and the next download of it replaces the file.
        DeleteFileA(package.c_str());
    }

    void Finish(SkinJob job) {
        std::lock_guard lock(shared_.mutex);
        shared_.busy = false;
        if (!shared_.detached && shared_.setup.page != nullptr) {
            // Fails only when the page's window is already gone, which then
            // needs no telling.
            PostMessageA(shared_.setup.page, shared_.setup.doneMessage, static_cast<WPARAM>(job), 0);
        }
    }

private:
    SkinUpdateEngine::Shared& shared_;
};

DWORD WINAPI JobThread(void* parameter) {
    const std::unique_ptr<Job> job(static_cast<Job*>(parameter));
    SkinUpdateWorker worker(*job->shared);
    try {
        if (job->kind == SkinJob::kListLoaded) {
            worker.LoadList();
        } else {
            worker.InstallSkins(job->skins);
        }
    } catch (...) {
        // Out of memory on the way: the job ends as it is, and the page is
        // still told so that it does not wait for ever.
    }
    try {
        worker.Finish(job->kind);
    } catch (...) {
        // The lock could not be taken: there is no safe way left to tell.
    }
    return 0;
}

// The thread's code lies in the program itself, which stays loaded while
// any of its threads runs. The thread is never joined: it ends on its own,
// holding its share of the state.
bool StartJob(const std::shared_ptr<SkinUpdateEngine::Shared>& shared, SkinJob kind, std::vector<PendingSkin> skins) {
    auto job = std::make_unique<Job>(Job{shared, kind, std::move(skins)});
    {
        std::lock_guard lock(shared->mutex);
        if (shared->busy) {
            return false;
        }
        shared->busy = true;
        if (kind == SkinJob::kListLoaded) {
            shared->newSkins.clear();
        }
    }
    UniqueHandle thread(CreateThread(nullptr, 0, JobThread, job.get(), 0, nullptr));
    if (!thread) {
        std::lock_guard lock(shared->mutex);
        shared->busy = false;
        return false;
    }
    job.release();  // the thread owns it now
    return true;
}

}  // namespace

SkinUpdateEngine::SkinUpdateEngine(SkinUpdateSetup setup) : shared_(std::make_shared<Shared>()) {
    shared_->setup = std::move(setup);
}

SkinUpdateEngine::~SkinUpdateEngine() {
    std::lock_guard lock(shared_->mutex);
    shared_->detached = true;
}

bool SkinUpdateEngine::StartListLoad() {
    try {
        return StartJob(shared_, SkinJob::kListLoaded, {});
    } catch (...) {
        return false;  // out of memory before the thread started
    }
}

bool SkinUpdateEngine::StartUpdate(std::vector<PendingSkin> skins) {
    try {
        return StartJob(shared_, SkinJob::kUpdateDone, std::move(skins));
    } catch (...) {
        return false;
    }
}

bool SkinUpdateEngine::Busy() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->busy;
}

std::string SkinUpdateEngine::Status() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->status;
}

int SkinUpdateEngine::Progress() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->progress;
}

std::vector<PendingSkin> SkinUpdateEngine::TakeNewSkins() {
    std::lock_guard lock(shared_->mutex);
    return std::exchange(shared_->newSkins, {});
}
