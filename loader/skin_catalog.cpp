#include "loader/skin_catalog.h"

#include <algorithm>

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

constexpr int kCellMargin = 4;

}  // namespace

bool HasSkinPrefix(std::string_view folderName, std::string_view prefix) {
    // A GBK lead byte is never an ASCII letter, so an ASCII prefix cannot
    // match part of a double-byte character.
    return folderName.size() >= prefix.size() && SamePathIgnoringCase(folderName.substr(0, prefix.size()), prefix);
}

bool SamePathIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(a[i]) && i + 1 < a.size()) {
            // The trail byte may look like a letter; it is compared as is.
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string SkinNameOfPreview(std::string_view previewPath) {
    // A backslash (0x5C) can be the trail byte of a GBK character, so the
    // separators are found walking the characters from the start.
    std::vector<std::size_t> separators;
    for (std::size_t i = 0; i < previewPath.size(); ++i) {
        if (IsLeadByte(previewPath[i]) && i + 1 < previewPath.size()) {
            ++i;
        } else if (previewPath[i] == '\\' || previewPath[i] == '/') {
            separators.push_back(i);
        }
    }
    if (separators.empty()) {
        return {};
    }
    std::size_t end = separators.back();  // the file name is cut off here
    separators.pop_back();
    while (!separators.empty() && separators.back() + 1 == end) {
        end = separators.back();
        separators.pop_back();
    }
    const std::size_t start = separators.empty() ? 0 : separators.back() + 1;
    return std::string(previewPath.substr(start, end - start));
}

std::string SkinPreviewPath(std::string_view skinsFolder, std::string_view skinName) {
    if (skinName.empty()) {
        return {};
    }
    std::string path(skinsFolder);
    path += '\\';
    path += skinName;
    path += '\\';
    path += kSkinPreviewName;
    return path;
}

int ThumbnailGrid::Columns() const {
    const int stride = cellWidth + kCellMargin;
    return stride > 0 ? std::max(1, clientWidth / stride) : 1;
}

int ThumbnailGrid::X(std::size_t index) const {
    return static_cast<int>(index % static_cast<std::size_t>(Columns())) * (cellWidth + kCellMargin) + kCellMargin;
}

int ThumbnailGrid::Y(std::size_t index) const {
    return static_cast<int>(index / static_cast<std::size_t>(Columns())) * (cellHeight + kCellMargin) + kCellMargin;
}

int ThumbnailGrid::ContentWidth(std::size_t count) const {
    const int columns = static_cast<int>(std::min(count, static_cast<std::size_t>(Columns())));
    return columns * (cellWidth + kCellMargin) + kCellMargin;
}

int ThumbnailGrid::ContentHeight(std::size_t count) const {
    const std::size_t columns = static_cast<std::size_t>(Columns());
    const int rows = static_cast<int>((count + columns - 1) / columns);
    return rows * (cellHeight + kCellMargin) + kCellMargin;
}

int MaxScrollPosition(int content, int page) {
    return std::max(0, content - page);
}

int ScrollPosition(int position, ScrollRequest request, int track, int maxPosition) {
    int next = position;
    switch (request) {
        case ScrollRequest::kLineUp:
            next = position - kScrollLineStep;
            break;
        case ScrollRequest::kLineDown:
            next = position + kScrollLineStep;
            break;
        case ScrollRequest::kPageUp:
            next = position - kScrollPageStep;
            break;
        case ScrollRequest::kPageDown:
            next = position + kScrollPageStep;
            break;
        case ScrollRequest::kTrack:
            next = track;
            break;
        case ScrollRequest::kTop:
            next = 0;
            break;
        case ScrollRequest::kBottom:
            next = maxPosition;
            break;
    }
    return std::clamp(next, 0, std::max(0, maxPosition));
}

int WheelScrollPosition(int position, int delta, int maxPosition) {
    const int notches = delta / kWheelNotch;
    return std::clamp(position - notches * kScrollWheelStep, 0, std::max(0, maxPosition));
}
