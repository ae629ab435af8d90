#include "tools/artgen/art_catalogue.h"

#include "tools/artgen/contact_sheet.h"
#include "tools/artgen/loader_art.h"
#include "tools/artgen/resource_art.h"
#include "tools/artgen/viewer_art.h"
#include "tools/artgen/widget_art.h"

namespace artgen {

ArtSet GenerateArt() {
    ArtSet set;
    AddWidgetArt(set);
    AddLoaderArt(set);
    AddResourceArt(set);
    AddViewerArt(set);
    set.AddPng(kContactSheetPath, DrawContactSheet(set));
    return set;
}

}  // namespace artgen
