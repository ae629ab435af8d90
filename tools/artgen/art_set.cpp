#include "tools/artgen/art_set.h"

#include "tools/artgen/bmp_writer.h"
#include "tools/artgen/ico_writer.h"
#include "tools/artgen/png_encoder.h"

#include <cassert>
#include <fstream>
#include <system_error>

namespace artgen {

void ArtSet::AddPng(std::string path, Image image) {
    files_.push_back(ArtFile{std::move(path), ArtFormat::kPng, {std::move(image)}, {}});
}

void ArtSet::AddBmp(std::string path, Image image, ArtFormat depth) {
    assert(depth == ArtFormat::kBmp24 || depth == ArtFormat::kBmp32);
    files_.push_back(ArtFile{std::move(path), depth, {std::move(image)}, {}});
}

void ArtSet::AddIco(std::string path, std::vector<Image> sizes) {
    files_.push_back(ArtFile{std::move(path), ArtFormat::kIco, std::move(sizes), {}});
}

void ArtSet::AddText(std::string path, std::string text) {
    files_.push_back(ArtFile{std::move(path), ArtFormat::kText, {}, std::move(text)});
}

const ArtFile* ArtSet::Find(const std::string& path) const {
    for (const ArtFile& file : files_) {
        if (file.path == path) {
            return &file;
        }
    }
    return nullptr;
}

std::string Encode(const ArtFile& file) {
    switch (file.format) {
        case ArtFormat::kPng:
            return EncodePng(file.images.front());
        case ArtFormat::kBmp24:
            return EncodeBmp(file.images.front(), BmpDepth::k24);
        case ArtFormat::kBmp32:
            return EncodeBmp(file.images.front(), BmpDepth::k32);
        case ArtFormat::kIco:
            return EncodeIco(file.images);
        case ArtFormat::kText:
            break;
    }
    return file.text;
}

bool WriteArtSet(const ArtSet& set, const std::filesystem::path& folder, std::string& error) {
    for (const ArtFile& file : set.files()) {
        const std::filesystem::path target = folder / std::filesystem::path(file.path);
        std::error_code code;
        std::filesystem::create_directories(target.parent_path(), code);
        if (code) {
            error = "cannot create " + target.parent_path().string() + ": " + code.message();
            return false;
        }
        const std::string bytes = Encode(file);
        if (bytes.empty()) {
            error = "cannot encode " + file.path;
            return false;
        }
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            error = "cannot write " + target.string();
            return false;
        }
    }
    return true;
}

}  // namespace artgen
