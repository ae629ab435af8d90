// artgen OUTPUT_FOLDER: draws every image of the suite into OUTPUT_FOLDER, in
// the layout of the assembled program, plus resources/ for the programs'
// resource scripts and contact_sheet.png.

#include "tools/artgen/art_catalogue.h"
#include "tools/artgen/fonts.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTPUT_FOLDER\n");
        return 2;
    }
    int status = 0;
    try {
        const std::string family = artgen::FindFontFamily();
        if (family.empty()) {
            std::fprintf(stderr,
                         "artgen: no CJK font: install fonts-noto-cjk or fonts-wqy-zenhei "
                         "(scripts/install-deps.sh)\n");
            return 1;
        }
        artgen::SetFontFamily(family);
        std::string error;
        if (!artgen::WriteArtSet(artgen::GenerateArt(), argv[1], error)) {
            std::fprintf(stderr, "artgen: %s\n", error.c_str());
            status = 1;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "artgen: %s\n", failure.what());
        status = 1;
    }
    artgen::ReleaseFontCaches();
    return status;
}
