#include "toolkit/tab_model.h"

#include "toolkit/gbk_text.h"

namespace {

std::string CutTabText(const std::string& text) {
    return std::string(CutToCharacters(text, kTabTextMaxBytes));
}

bool IsLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

}  // namespace

TabModel::TabModel() : tabs_{TabEntry{kBlankTabText, nullptr, 0}} {}

// The blank tab stands in for "no tab at all", so the first real tab takes
// its place instead of joining it.
int TabModel::AddItemEx(int index, const std::string& text, void* window) {
    if (blank_) {
        tabs_.front() = TabEntry{CutTabText(text), window, 0};
        blank_ = false;
        selected_ = 0;
        return 0;
    }
    const int count = GetItemCount();
    const int at = index < 0 ? 0 : (index > count ? count : index);
    tabs_.insert(tabs_.begin() + at, TabEntry{CutTabText(text), window, 0});
    if (at <= selected_) {
        ++selected_;  // the selected tab moved one place to the right
    }
    return at;
}

bool TabModel::AttachWnd(int index, void* window) {
    if (Item(index) == nullptr) {
        return false;
    }
    tabs_[static_cast<std::size_t>(index)].window = window;
    if (window != nullptr) {
        blank_ = false;
    }
    return true;
}

int TabModel::RemoveItem(int index) {
    if (Item(index) == nullptr) {
        return selected_;
    }
    tabs_.erase(tabs_.begin() + index);
    if (tabs_.empty()) {
        tabs_.push_back(TabEntry{kBlankTabText, nullptr, 0});
        blank_ = true;
        selected_ = 0;
        return selected_;
    }
    selected_ = index > 0 ? index - 1 : 0;
    return selected_;
}

bool TabModel::SetCurrentSel(int index, std::uint64_t now) {
    if (Item(index) == nullptr) {
        return false;
    }
    selected_ = index;
    tabs_[static_cast<std::size_t>(index)].activatedAt = now;
    return true;
}

bool TabModel::SetItemTextEx(int index, const std::string& text) {
    if (Item(index) == nullptr) {
        return false;
    }
    tabs_[static_cast<std::size_t>(index)].text = CutTabText(text);
    return true;
}

bool TabModel::RefreshTabWndTime(int index, std::uint64_t now) {
    if (Item(index) == nullptr) {
        return false;
    }
    tabs_[static_cast<std::size_t>(index)].activatedAt = now;
    return true;
}

int TabModel::GetItemCount() const {
    return static_cast<int>(tabs_.size());
}

int TabModel::GetCurrentSel() const {
    return selected_;
}

const TabEntry* TabModel::Item(int index) const {
    if (index < 0 || index >= GetItemCount()) {
        return nullptr;
    }
    return &tabs_[static_cast<std::size_t>(index)];
}

bool TabModel::IsCurPageNull() const {
    return tabs_[static_cast<std::size_t>(selected_)].window == nullptr;
}

bool TabModel::IsBlank() const {
    return blank_;
}

int TabModel::IndexOfWindow(const void* window) const {
    if (window == nullptr) {
        return -1;
    }
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i].window == window) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string TabModel::ShownText(const std::string& text, int characters) {
    if (characters <= 0) {
        return text;
    }
    std::size_t end = 0;
    int counted = 0;
    while (end < text.size() && counted < characters) {
        // A lead byte without its second byte (a cut text) counts as one.
        const bool pair = IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
        end += pair ? 2 : 1;
        ++counted;
    }
    if (end >= text.size()) {
        return text;
    }
    return text.substr(0, end) + "...";
}
