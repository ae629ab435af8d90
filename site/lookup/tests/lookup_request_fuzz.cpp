// libFuzzer target: any bytes read as the query of a lookup request
// ("name=value" pairs split at '&'), served with an unreachable upstream.
// Every answer must be a whole page with a status the window can show.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "site/lookup/lookup_pages.h"

namespace {

class NoUpstream final : public IUpstream {
public:
    UpstreamReply Get(const std::string&) override { return {}; }
};

std::multimap<std::string, std::string> ParametersOf(std::string_view query) {
    std::multimap<std::string, std::string> parameters;
    while (!query.empty()) {
        const std::size_t end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        const std::size_t equals = pair.find('=');
        parameters.emplace(std::string(pair.substr(0, equals)),
                           equals == std::string_view::npos ? std::string() : std::string(pair.substr(equals + 1)));
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    }
    return parameters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static NoUpstream upstream;
    static AnswerCache cache;
    static FakeClock clock(1771293600);
    static LookupPages pages(upstream, cache, clock, LookupSettings{});
    const SiteResponse page = pages.Serve(ParametersOf(std::string_view(reinterpret_cast<const char*>(data), size)));
    const bool known = page.status == 200 || page.status == 400 || page.status == 404 || page.status == 503;
    if (!known || page.body.find("</html>") == std::string::npos) {
        std::abort();
    }
    return 0;
}
