#pragma once

// Scratch installations of the side program for its Windows tests: a
// program folder laid out like dist/ (Trevalo.exe, the suite's DLLs, the
// mingw runtime, the skin drawn by the build), a documents folder of the
// test's making (see testkit/win32/documents_redirect.h), and small readers
// for what the program writes.

#include <windows.h>

#include <initializer_list>
#include <string>

#include "trevalo/program_mode.h"

class TrevaloFolder {
public:
    // A new, empty folder under the temporary folder, removed again by the
    // destructor.
    explicit TrevaloFolder(const std::string& name);
    ~TrevaloFolder();
    TrevaloFolder(const TrevaloFolder&) = delete;
    TrevaloFolder& operator=(const TrevaloFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& relative) const;
    TrevaloFolders Folders() const { return FoldersOf(path_); }

    // Writes `contents` at `relative`, making its folders.
    void Write(const std::string& relative, const std::string& contents) const;
    // Trevalo.exe with the DLLs it loads and the mingw runtime.
    void AddProgram() const;
    // Every picture of the build's Trevalo\Skins.
    void AddSkin() const;
    // The shipped Trevalo\Data files: the page template and the four site
    // categories.
    void AddShippedData() const;

private:
    std::string path_;
};

// The whole file, or empty when it cannot be read.
std::string FileBytes(const std::string& path);

// A chat log in the messenger's format with one message per entry of
// `texts`, from "Alice" to "John".
std::string ChatLogXml(const std::initializer_list<const char*>& texts);
