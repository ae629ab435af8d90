#pragma once

// The skins the site publishes: every package file (".rar" or ".exe") of one
// folder. The list page is generated from the folder on each request, so an
// operator publishes a skin by copying its package there.

#include <string>
#include <string_view>
#include <vector>

#include "site/site_response.h"

struct PublishedSkin {
    std::string name;      // the file name without its extension: the list's key
    std::string fileName;  // the package's file name in the folder
};

class PublishedSkins {
public:
    explicit PublishedSkins(std::string folder);

    // The packages in file name order; a missing folder publishes nothing.
    std::vector<PublishedSkin> List() const;

    // skins.htm: an INI text whose [CALENDAR] section names each skin with
    // the address of its package below `siteBase` ("http://host:port").
    SiteResponse ListPage(std::string_view siteBase) const;

    // One package by the file name of the request (see CheckedPackageName):
    // only a name that List() gives is served, anything else is a 404.
    SiteResponse Package(std::string_view requestedName) const;

private:
    std::string folder_;
};
