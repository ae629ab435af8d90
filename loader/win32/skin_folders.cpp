#include "loader/win32/skin_folders.h"

#include <memory>
#include <vector>

#include "common/path_util.h"
#include "common/text_encoding.h"
#include "common/win32/gdiplus_session.h"
#include "common/win32/handles.h"
#include "loader/skin_catalog.h"

namespace {

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring Wide(const std::string& gbk) {
    const std::u16string text = GbkToUtf16(gbk);
    return std::wstring(text.begin(), text.end());
}

bool FindBmpEncoder(CLSID& encoder) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0) {
        return false;
    }
    std::vector<unsigned char> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType != nullptr && std::wstring_view(codecs[i].MimeType) == L"image/bmp") {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};

}  // namespace

bool EnsureSkinPreview(const std::string& skinFolder) {
    const std::string preview = JoinPath(skinFolder, kSkinPreviewName);
    if (IsFile(preview)) {
        return true;
    }
    CLSID encoder{};
    if (!FindBmpEncoder(encoder)) {
        return false;
    }
    Gdiplus::Status saved = Gdiplus::GenericError;
    {
        Gdiplus::Bitmap picture(Wide(JoinPath(skinFolder, kSkinImageName)).c_str());
        if (picture.GetLastStatus() != Gdiplus::Ok) {
            return false;
        }
        saved = picture.Save(Wide(preview).c_str(), &encoder, nullptr);
    }
    if (saved != Gdiplus::Ok) {
        // A half-written preview would be listed next time; the result of
        // removing it changes nothing here.
        static_cast<void>(DeleteFileA(preview.c_str()));
        return false;
    }
    return true;
}

std::vector<std::string> ListSkinPreviews(const std::string& skinsFolder, std::string_view prefix) {
    std::vector<std::string> previews;
    WIN32_FIND_DATAA found{};
    HANDLE first = FindFirstFileA(JoinPath(skinsFolder, "*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) {
        return previews;
    }
    const std::unique_ptr<void, FindCloser> search(first);
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || !HasSkinPrefix(name, prefix)) {
            continue;
        }
        const std::string folder = JoinPath(skinsFolder, name);
        if (IsFile(JoinPath(folder, kSkinImageName)) && EnsureSkinPreview(folder)) {
            previews.push_back(JoinPath(folder, kSkinPreviewName));
        }
    } while (FindNextFileA(first, &found));
    return previews;
}
