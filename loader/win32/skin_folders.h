#pragma once

// The installed skins of one kind: the skin folders found in its skins
// folder, each with its preview picture, which is made from the skin's
// picture when only that is there.

#include <string>
#include <string_view>
#include <vector>

// Makes `skinFolder`\mainback.bmp from mainback.png with the system's BMP
// encoder when the BMP is missing. True when the BMP is there afterwards.
bool EnsureSkinPreview(const std::string& skinFolder);

// The preview paths of the skins in `skinsFolder`: its subfolders whose
// names start with `prefix` (any case) and that hold mainback.png, in the
// order the file system lists them. A skin whose preview cannot be made is
// left out; an unreadable folder lists nothing.
std::vector<std::string> ListSkinPreviews(const std::string& skinsFolder, std::string_view prefix);
