#pragma once

// Every file the generator writes, as data: its path in the assembled program
// (or under resources/), its format and its pictures. The families of art
// (widget_art, loader_art, viewer_art) add their files here; WriteArtSet puts
// them on disk.

#include "tools/artgen/image.h"

#include <filesystem>
#include <string>
#include <vector>

namespace artgen {

enum class ArtFormat {
    kPng,    // straight alpha
    kBmp24,  // opaque
    kBmp32,  // with alpha
    kIco,    // one picture per size, 32-bit with alpha and AND mask
    kText,   // resource scripts naming the icons and bitmaps
};

struct ArtFile {
    std::string path;  // relative, '/' between folders
    ArtFormat format = ArtFormat::kPng;
    std::vector<Image> images;
    std::string text;  // kText only
};

class ArtSet {
public:
    void AddPng(std::string path, Image image);
    void AddBmp(std::string path, Image image, ArtFormat depth = ArtFormat::kBmp24);
    void AddIco(std::string path, std::vector<Image> sizes);
    void AddText(std::string path, std::string text);

    const std::vector<ArtFile>& files() const { return files_; }
    // Null when no file has that path.
    const ArtFile* Find(const std::string& path) const;

private:
    std::vector<ArtFile> files_;
};

// The bytes of the file as it is written.
std::string Encode(const ArtFile& file);

// Writes every file below `folder`, creating folders as needed. On failure
// returns false with the reason in `error`.
bool WriteArtSet(const ArtSet& set, const std::filesystem::path& folder, std::string& error);

}  // namespace artgen
