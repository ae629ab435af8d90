#include "site/operator_pages.h"

#include <filesystem>
#include <utility>

#include "common/file_io.h"
#include "site/site_router.h"

OperatorPages::OperatorPages(std::string folder) : folder_(std::move(folder)) {}

SiteResponse OperatorPages::Serve(std::string_view fileName) const {
    const std::filesystem::path path = std::filesystem::path(folder_) / fileName;
    SiteResponse response = MakeResponse(200, "text/html; charset=gb2312", {});
    std::error_code failure;
    if (!std::filesystem::is_regular_file(path, failure) || !ReadWholeFile(path.string(), response.body)) {
        return NotFoundResponse();
    }
    return response;
}
