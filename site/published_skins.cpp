#include "site/published_skins.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "common/file_io.h"
#include "site/http_date.h"
#include "site/package_name.h"
#include "site/site_router.h"

namespace {

constexpr char kPackagePath[] = "/software/download/skins/tessary/";

bool IsPackageExtension(std::string extension) {
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension == ".rar" || extension == ".exe";
}

std::time_t ModifiedAt(const std::filesystem::path& path) {
    std::error_code failure;
    const auto written = std::filesystem::last_write_time(path, failure);
    if (failure) {
        return 0;
    }
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::system_clock::to_time_t(system);
}

}  // namespace

PublishedSkins::PublishedSkins(std::string folder) : folder_(std::move(folder)) {}

std::vector<PublishedSkin> PublishedSkins::List() const {
    std::vector<PublishedSkin> skins;
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, failure)) {
        const std::filesystem::path& path = entry.path();
        std::error_code typeFailure;
        const std::string fileName = path.filename().string();
        // A name the list could not carry on one INI line, or a request
        // could not name, is not published.
        if (!entry.is_regular_file(typeFailure) || !IsPackageExtension(path.extension().string()) ||
            !CheckedPackageName(fileName) || fileName.find_first_of("=[; ") != std::string::npos) {
            continue;
        }
        skins.push_back({path.stem().string(), fileName});
    }
    std::sort(skins.begin(), skins.end(),
              [](const PublishedSkin& a, const PublishedSkin& b) { return a.fileName < b.fileName; });
    return skins;
}

SiteResponse PublishedSkins::ListPage(std::string_view siteBase) const {
    std::string body = "[CALENDAR]\r\n";
    for (const PublishedSkin& skin : List()) {
        body += skin.name + "=" + std::string(siteBase) + kPackagePath + skin.fileName + "\r\n";
    }
    return MakeResponse(200, "text/html; charset=gb2312", std::move(body));
}

SiteResponse PublishedSkins::Package(std::string_view requestedName) const {
    const std::optional<std::string> name = CheckedPackageName(requestedName);
    if (!name) {
        return NotFoundResponse();
    }
    const std::vector<PublishedSkin> skins = List();
    const bool published =
        std::any_of(skins.begin(), skins.end(), [&](const PublishedSkin& skin) { return skin.fileName == *name; });
    const std::filesystem::path path = std::filesystem::path(folder_) / *name;
    SiteResponse response = MakeResponse(200, "application/octet-stream", {});
    if (!published || !ReadWholeFile(path.string(), response.body)) {
        return NotFoundResponse();
    }
    response.headers.emplace_back("Last-Modified", FormatHttpDate(ModifiedAt(path)));
    return response;
}
