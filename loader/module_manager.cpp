#include "loader/module_manager.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/text_encoding.h"
#include "loader/widget_descriptor.h"
#include "toolkit/lyn_ini.h"

namespace {

// Bytes of the GBK character at the start of `text`; a byte that starts no
// character counts as one.
std::size_t CharacterLength(std::string_view text) {
    std::size_t length = GbkSequenceLength(text);
    return length == 0 ? 1 : length;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Lower-cases the single-byte characters only: the second byte of a GBK
// character may be an ASCII letter and must stay as it is.
std::string LowerAsciiCharacters(std::string_view text) {
    std::string lower;
    lower.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = CharacterLength(text.substr(pos));
        if (length == 1) {
            lower += LowerAscii(text[pos]);
        } else {
            lower.append(text.substr(pos, length));
        }
        pos += length;
    }
    return lower;
}

// Position just after the last folder separator (or drive colon) of a GBK
// path, 0 when it has none. Walks whole characters: 0x5C ('\') is also a
// second byte of some GBK characters.
std::size_t NameStart(std::string_view path, bool colonCounts) {
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < path.size();) {
        std::size_t length = CharacterLength(path.substr(pos));
        if (length == 1 && (path[pos] == '\\' || path[pos] == '/' || (colonCounts && path[pos] == ':'))) {
            start = pos + 1;
        }
        pos += length;
    }
    return start;
}

bool IsBlankByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool EndsWithXml(std::string_view name) {
    if (name.size() < 4) {
        return false;
    }
    std::string tail = LowerAsciiCharacters(name.substr(name.size() - 4));
    return tail == ".xml";
}

}  // namespace

std::string ModuleSettingsSection(std::string_view libraryFile) {
    return LowerAsciiCharacters(libraryFile.substr(NameStart(libraryFile, false)));
}

bool IsLoadEnabled(std::string_view value) {
    while (!value.empty() && IsBlankByte(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && IsBlankByte(value.back())) {
        value.remove_suffix(1);
    }
    return value == "1";
}

std::string ResolveLibraryPath(std::string_view descriptorPath, std::string_view libraryFile) {
    if (NameStart(libraryFile, true) != 0) {
        return std::string(libraryFile);
    }
    std::string path = FolderOf(descriptorPath);
    path += kPathSeparator;
    path.append(libraryFile);
    return path;
}

std::string SearchPathWithFolder(std::string_view searchPath, std::string_view folder) {
    std::string value(searchPath);
    value += ';';
    value.append(folder);
    return value;
}

std::vector<std::string> DescriptorFilesInOrder(std::vector<std::string> names) {
    std::erase_if(names, [](const std::string& name) { return !EndsWithXml(name); });
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return LowerAsciiCharacters(a) < LowerAsciiCharacters(b);
    });
    return names;
}

ModuleManager::ModuleManager(ModulePlatform& platform, std::string moduleSettingsPath)
    : platform_(platform), moduleSettingsPath_(std::move(moduleSettingsPath)) {}

ModuleManager::~ModuleManager() {
    RemoveAll();
}

void ModuleManager::Discover(const std::string& modulesFolder) {
    std::string folder = JoinPath(modulesFolder, "Calendar");
    for (const std::string& name : DescriptorFilesInOrder(platform_.ListDescriptorFiles(folder))) {
        std::uint32_t id = 0;
        Add(platform_.FullPath(JoinPath(folder, name)), id);
    }
}

bool ModuleManager::ReadDescriptor(const std::string& descriptorPath, ModuleRecord& record) {
    std::string text;
    ReadWholeFile(descriptorPath, text);
    std::optional<WidgetDescriptor> descriptor = ParseWidgetDescriptor(text);
    if (!descriptor) {
        return false;
    }
    // A path or library name cut to its field would name another file, so
    // those must fit whole; descriptive texts are cut.
    if (!CopyToField(record.descriptorPath, descriptorPath) || !CopyToField(record.libraryFile, descriptor->file)) {
        return false;
    }
    WidgetInfo& info = *record.info;
    CopyToField(info.name, descriptor->name);
    CopyToField(info.author, descriptor->author);
    CopyToField(info.url, descriptor->url);
    CopyToField(info.description, descriptor->description);
    info.version = descriptor->version;
    info.buildTime = descriptor->buildTime;
    return true;
}

int ModuleManager::Add(const std::string& descriptorPath, std::uint32_t& id) {
    id = 0;
    auto record = std::make_unique<ModuleRecord>();
    if (!ReadDescriptor(descriptorPath, *record)) {
        return 0;  // the id is not taken, so the next descriptor gets it
    }
    // Libraries the module itself depends on are found beside it.
    platform_.WriteSearchPath(SearchPathWithFolder(platform_.ReadSearchPath(), FolderOf(descriptorPath)));
    record->id = ++lastId_;
    id = record->id;
    records_.emplace(id, std::move(record));
    Load(id);
    return 1;
}

int ModuleManager::Load(std::uint32_t id) {
    ModuleRecord* record = Find(id);
    if (record == nullptr || record->libraryFile[0] == '\0') {
        return 0;
    }
    if (record->library == nullptr) {
        record->library = platform_.OpenLibrary(ResolveLibraryPath(record->descriptorPath, record->libraryFile));
        if (record->library == nullptr) {
            return 0;
        }
    }
    record->entries = WidgetInterface{};
    record->entries.size = kWidgetInterfaceSize;
    GetVexaWInterfaceFunction bind = platform_.FindInterfaceExport(record->library);
    if (bind == nullptr || bind(&record->entries) == 0) {
        // A refusing module may have written part of the table: nothing of it
        // may be called once its library is gone.
        record->entries = WidgetInterface{};
        platform_.CloseLibrary(record->library);
        record->library = nullptr;
        return 0;
    }
    if (record->entries.IsWidgetWorking != nullptr && record->entries.IsWidgetWorking() != 0) {
        return 1;
    }
    record->menuCommand = 0;
    record->menuReserved = 0;
    StartWidgetIfEnabled(*record);
    return 0;
}

void ModuleManager::StartWidgetIfEnabled(ModuleRecord& record) {
    // SetFileName would create a missing file; reading a setting must not.
    std::string unused;
    CLynIni settings;
    if (!ReadWholeFile(moduleSettingsPath_, unused) || settings.SetFileName(moduleSettingsPath_) == 0) {
        return;
    }
    if (IsLoadEnabled(settings.GetValue(ModuleSettingsSection(record.libraryFile), "load")) &&
        record.entries.InitWidget != nullptr) {
        record.entries.InitWidget(host_);
    }
}

int ModuleManager::Unload(std::uint32_t id, std::uint32_t argument) {
    ModuleRecord* record = Find(id);
    if (record == nullptr) {
        return 0;
    }
    if (record->library == nullptr) {
        return 1;
    }
    if (record->entries.Release == nullptr || record->entries.Release(argument) == 0) {
        return 0;
    }
    record->entries = WidgetInterface{};
    bool freed = platform_.CloseLibrary(record->library);
    record->library = nullptr;
    return freed ? 1 : 0;
}

int ModuleManager::Remove(std::uint32_t id, std::uint32_t argument) {
    auto found = records_.find(id);
    if (found == records_.end()) {
        return 0;
    }
    if (found->second->library != nullptr) {
        Unload(id, argument);
    }
    records_.erase(found);
    return 1;
}

void ModuleManager::RemoveAll() {
    std::vector<std::uint32_t> ids;
    for (const auto& [id, record] : records_) {
        ids.push_back(id);
    }
    for (std::uint32_t id : ids) {
        Remove(id, 0);
    }
}

ModuleRecord* ModuleManager::At(std::size_t index) {
    if (index >= records_.size()) {
        return nullptr;
    }
    auto it = records_.begin();
    std::advance(it, static_cast<std::ptrdiff_t>(index));
    return it->second.get();
}

ModuleRecord* ModuleManager::Find(std::uint32_t id) {
    auto found = records_.find(id);
    return found == records_.end() ? nullptr : found->second.get();
}

bool ModuleManager::IsUsable(const ModuleRecord& record) {
    return record.library != nullptr && record.entries.IsWidgetWorking != nullptr &&
           record.entries.IsWidgetWorking() != 0;
}

ModuleRecord* ModuleManager::Usable(std::size_t index) {
    ModuleRecord* record = At(index);
    return record != nullptr && IsUsable(*record) ? record : nullptr;
}

int ModuleManager::NumberWorkingModules() {
    int numbered = 0;
    for (auto& [id, record] : records_) {
        if (IsUsable(*record)) {
            record->menuCommand = kFirstModuleCommand + static_cast<std::uint32_t>(numbered);
            ++numbered;
        }
    }
    return numbered;
}
