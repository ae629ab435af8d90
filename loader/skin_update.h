#pragma once

// The online skin update's rules, without a window: which published skins
// are new, the texts the skin page shows, and the package file a published
// address may be saved as.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A skin offered for installation. Name and address are cut to 259 and
// 1023 bytes (between GBK characters).
struct PendingSkin {
    bool chosen = true;
    std::string name;     // GBK: the published key, the skin folder's name
    std::string address;  // the package's address as published
};

// The published skins of `section` in the list file `listPath` (INI text,
// in file order) whose value in the same section of the local catalogue
// `cataloguePath` (Data\skins.ini) is missing or empty. A missing catalogue
// is an empty one and is not created.
std::vector<PendingSkin> NewSkins(const std::string& listPath,
                                  const std::string& cataloguePath,
                                  const std::string& section);

// The file name a package is saved and run as: the address's last part
// after its last "/", every "rar" replaced by "exe". nullopt when the
// address is not http:// on `listHost` (the host, and port if any, that the
// list was downloaded from, compared without case) or the name is not a
// plain file name (empty, a separator, a drive, "..", a character Windows
// does not allow in names).
std::optional<std::string> PackageFileName(std::string_view address, std::string_view listHost);

// The host, and port if any, of an http:// or https:// address (the text
// between "//" and the next "/"); empty for anything else.
std::string AddressHost(std::string_view address);

// Status texts of the skin page.
inline constexpr char kSkinListLoadingText[] = "正在获取服务器最新皮肤列表...";
inline constexpr char kSkinsUpToDateText[] = "您本机的皮肤已是最新，不需要更新！";
inline constexpr char kChooseSkinText[] = "请选择要更新的皮肤！";
inline constexpr char kSkinUpdateDoneText[] = "更新完毕！您现在可以使用新的皮肤了！";
// "共有%d组最新皮肤，要更新请点击“立即更新”" with `count`; kSkinsUpToDateText for 0.
std::string NewSkinsStatus(std::size_t count);
// "正在更新皮肤－%s..." with the skin's name.
std::string UpdatingSkinStatus(const std::string& name);
// Shown when a skin's address is refused by PackageFileName.
std::string RefusedSkinStatus(const std::string& name);
