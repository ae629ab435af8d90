#pragma once

// Pages an operator edits by hand in one folder: the update notice
// (sysupdate.htm) and the newest version (online.asp). Each is served byte
// for byte as the file holds it (GBK), so what the operator saved is what
// the suite reads.

#include <string>
#include <string_view>

#include "site/site_response.h"

class OperatorPages {
public:
    explicit OperatorPages(std::string folder);

    // The file `fileName` of the folder as a page; a 404 when it is missing
    // or cannot be read. `fileName` is one of the service's own names, never
    // a name from a request.
    SiteResponse Serve(std::string_view fileName) const;

private:
    std::string folder_;
};
