#pragma once

// ModuleManager: the loader's table of widget modules. It finds the
// descriptors in the modules folder, keeps one ModuleRecord per module, loads
// each library, binds its entry points through GetVexaWInterface, starts the
// widgets that Data\module.ini enables, and unloads everything at exit.
//
// Ids start at 1 and follow the order of adding; a module's index is its
// place in ascending id order, from 0. Everything runs on the loader's
// user-interface thread. A broken module (bad descriptor, missing library or
// export, refused table, missing entries) never stops the others.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "loader/module_record.h"
#include "loader/widget_interface.h"

// What the manager needs from the system: the descriptor folder's listing,
// the process search path and the module libraries. The Windows build passes
// the real thing; tests pass fakes.
class ModulePlatform {
public:
    virtual ~ModulePlatform() = default;
    // Names (not paths) of the files in `folder` that match "*.xml", as the
    // file system lists them; no subfolders.
    virtual std::vector<std::string> ListDescriptorFiles(const std::string& folder) = 0;
    // `path` made absolute.
    virtual std::string FullPath(const std::string& path) = 0;
    // The process's search path for libraries (the PATH variable).
    virtual std::string ReadSearchPath() = 0;
    virtual void WriteSearchPath(const std::string& value) = 0;
    // nullptr when the library cannot be loaded.
    virtual ModuleLibrary OpenLibrary(const std::string& path) = 0;
    // The library's GetVexaWInterface export, or nullptr.
    virtual GetVexaWInterfaceFunction FindInterfaceExport(ModuleLibrary library) = 0;
    virtual bool CloseLibrary(ModuleLibrary library) = 0;
};

class ModuleManager {
public:
    // `moduleSettingsPath` is Data\module.ini of the program folder.
    ModuleManager(ModulePlatform& platform, std::string moduleSettingsPath);
    // Removes what is still there, each module released first.
    ~ModuleManager();
    ModuleManager(const ModuleManager&) = delete;
    ModuleManager& operator=(const ModuleManager&) = delete;

    // What InitWidget receives: the loader window's host record.
    void SetHost(WidgetHost* host) { host_ = host; }

    // Adds every descriptor in `modulesFolder`\Calendar, in file name order.
    void Discover(const std::string& modulesFolder);

    // Reads the descriptor, appends its folder to the search path and loads
    // the module. 1 when a record was added (whatever the load gave), with
    // its id; else 0 with id 0.
    int Add(const std::string& descriptorPath, std::uint32_t& id);

    // Loads and binds the library of record `id` and starts its widget when
    // module.ini enables it. 1 only when the widget was already working;
    // 0 otherwise, also when this call started it (Add ignores the result).
    int Load(std::uint32_t id);

    // Releases the widget (Release(argument)) and unloads its library. 0 when
    // there is no such record, no Release entry, or Release answered 0 (the
    // library then stays); 1 when nothing was loaded; else whether the library
    // was unloaded.
    int Unload(std::uint32_t id, std::uint32_t argument);

    // Unloads (result not looked at) and forgets record `id`. 1 when removed.
    int Remove(std::uint32_t id, std::uint32_t argument);

    // Removes every record in ascending id order, argument 0.
    void RemoveAll();

    std::size_t Count() const { return records_.size(); }
    // The record at `index`, or nullptr when the index is not below the count.
    ModuleRecord* At(std::size_t index);
    ModuleRecord* Find(std::uint32_t id);

    // Loaded, with an IsWidgetWorking entry that answers non-zero: the only
    // state in which the loader calls Show, ShowCalendar, GetPreferWnd or
    // ChangeSkins.
    static bool IsUsable(const ModuleRecord& record);
    // The record at `index` when it is usable, else nullptr.
    ModuleRecord* Usable(std::size_t index);

    // Gives each usable module, in index order, the next menu command from
    // 65000 up. Returns how many got one.
    int NumberWorkingModules();

private:
    // Fills `record` from the descriptor at `descriptorPath`; false when the
    // descriptor is refused.
    static bool ReadDescriptor(const std::string& descriptorPath, ModuleRecord& record);
    void StartWidgetIfEnabled(ModuleRecord& record);

    ModulePlatform& platform_;
    std::string moduleSettingsPath_;
    WidgetHost* host_ = nullptr;
    std::map<std::uint32_t, std::unique_ptr<ModuleRecord>> records_;
    std::uint32_t lastId_ = 0;
};

// The first menu command given to a working module.
inline constexpr std::uint32_t kFirstModuleCommand = 65000;

// The section of module.ini that holds a module's "load" key: the library
// file's name after its last folder separator, ASCII letters lower-cased.
std::string ModuleSettingsSection(std::string_view libraryFile);

// True when a "load" value starts the widget: exactly "1" once blanks at
// both ends are gone.
bool IsLoadEnabled(std::string_view value);

// The path a library is loaded from: a bare file name (no drive, no folder)
// is taken in the descriptor's folder; anything else as written.
std::string ResolveLibraryPath(std::string_view descriptorPath, std::string_view libraryFile);

// The search path with one more folder at its end: "old;folder".
std::string SearchPathWithFolder(std::string_view searchPath, std::string_view folder);

// Descriptor file names as the manager takes them: only names ending in
// ".xml" (any case), sorted by name without regard to ASCII case, so every
// file system gives the same order.
std::vector<std::string> DescriptorFilesInOrder(std::vector<std::string> names);
