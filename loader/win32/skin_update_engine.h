#pragma once

// The skin page's network side: loading the published skin list and
// installing chosen skins, each on a worker thread of its own so the page
// never freezes. At most one job runs at a time. The page reads the status
// text and the progress (0-100) on its one-second timer; both are written by
// the worker under a lock. A finished job posts `doneMessage` to the page
// (wParam: SkinJob), and the page takes the result on its own thread.
//
// The worker's state is shared with it, not owned by the page: destroying
// the engine (the page closing) detaches a running worker, which then posts
// nothing, touches nothing of the page and ends on its own.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "loader/skin_update.h"

enum class SkinJob : WPARAM { kListLoaded = 1, kUpdateDone = 2 };

struct SkinUpdateSetup {
    std::string listAddress;                      // "http://<site>/software/download/skins/tessary/skins.htm"
    std::string listFile;                         // the kind's list file in the temporary folder
    std::string cataloguePath;                    // Data\skins.ini
    std::string section;                          // "CALENDAR"
    std::string modulesFolder;                    // the program folder's "Modules": packages are saved and run there
    unsigned long packageWaitMs = 5 * 60 * 1000;  // a package still running after this is given up
    HWND page = nullptr;                          // receives doneMessage
    UINT doneMessage = 0;
};

class SkinUpdateEngine {
public:
    explicit SkinUpdateEngine(SkinUpdateSetup setup);
    ~SkinUpdateEngine();  // detaches a running worker
    SkinUpdateEngine(const SkinUpdateEngine&) = delete;
    SkinUpdateEngine& operator=(const SkinUpdateEngine&) = delete;

    // False while a job runs (or the thread could not start).
    bool StartListLoad();
    // Installs the entries of `skins` whose `chosen` is set, in order.
    bool StartUpdate(std::vector<PendingSkin> skins);
    bool Busy() const;

    std::string Status() const;
    int Progress() const;

    // After kListLoaded: the new skins (empty when the list could not be
    // had or nothing is new; the status says which).
    std::vector<PendingSkin> TakeNewSkins();

    // The state the page and its workers share (defined with their code).
    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};
