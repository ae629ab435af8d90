#pragma once

// Scratch folders for the loader's Windows tests: a program folder laid out
// like dist/ (the real tessary.exe and its DLLs copied from the build), the
// fixture widget modules copied under the names a test gives them, their
// descriptors, Data\module.ini, and the log the fixture modules write.

#include <windows.h>

#include <string>
#include <vector>

class FixtureFolder {
public:
    // A new, empty folder under the temporary folder; removed again by the
    // destructor. Sets LOADER_FIXTURE_LOG for this process (and the programs
    // it starts) to this folder's log.
    explicit FixtureFolder(const std::string& name);
    ~FixtureFolder();
    FixtureFolder(const FixtureFolder&) = delete;
    FixtureFolder& operator=(const FixtureFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& relative) const;

    // Writes `contents` at `relative`, making its folders.
    void Write(const std::string& relative, const std::string& contents) const;

    // tessary.exe, the suite's DLLs it needs, the mingw runtime and the About picture.
    void AddProgram() const;

    // Trevalo.exe (beside tessary.exe, which starts it), its skin drawn by
    // the build and a page template in Trevalo\Data.
    void AddSideProgram() const;

    // A copy of the fixture module of `kind` ("good", "refusing", "noexport")
    // named `library` in `folder`, and a descriptor `descriptor` naming it.
    void AddModule(const std::string& descriptor,
                   const std::string& library,
                   const std::string& kind,
                   const std::string& folder = "modules\\Calendar") const;

    // Data\module.ini with "load=1" for each library.
    void EnableModules(const std::vector<std::string>& libraries) const;

    // The lines the fixture modules wrote so far.
    std::vector<std::string> Log() const;

private:
    std::string path_;
};

// The folder of the running test program (the build's bin folder).
std::string BuildBinFolder();

// A descriptor naming `library`.
std::string DescriptorText(const std::string& library, const std::string& name);
