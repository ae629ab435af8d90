#pragma once

// The user's documents folder pointed elsewhere for a test: the system then
// reports the test's folder (SHGetFolderPath with CSIDL_PERSONAL), so no
// test reads or writes the real documents folder of the prefix's user.

#include <windows.h>

#include <string>

namespace testkit {

// Sets the current user's "Personal" shell folder (User Shell Folders and
// Shell Folders) to `folder` until destroyed, then puts back what was there.
class DocumentsRedirect {
public:
    explicit DocumentsRedirect(const std::string& folder);
    ~DocumentsRedirect();
    DocumentsRedirect(const DocumentsRedirect&) = delete;
    DocumentsRedirect& operator=(const DocumentsRedirect&) = delete;

    // False when the folder could not be set.
    bool ok() const { return ok_; }

    struct Saved {
        bool present = false;
        DWORD type = REG_SZ;
        std::string value;
    };

private:
    Saved userShellFolders_;
    Saved shellFolders_;
    bool ok_ = false;
};

}  // namespace testkit
