#include "toolkit/lyn_list_box.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "common/file_io.h"
#include "toolkit/file_access.h"
#include "toolkit/gbk_text.h"

CLynListBox::CLynListBox() = default;

CLynListBox::~CLynListBox() {
    Save();
}

int CLynListBox::ReadHistory(const std::string& dataFile, const std::string& indexFile, bool shortEntries) {
    try {
        Save();  // a list read before keeps what was added to it
        saveOnDestroy_ = false;
        items_.clear();
        dataPath_ = dataFile;
        indexPath_ = indexFile;
        entryBytes_ = shortEntries ? kShortHistoryEntryBytes : kLongHistoryEntryBytes;

        std::string index;
        std::string data;
        bool indexPresent = false;
        bool dataPresent = false;
        if (ReadFileIfPresent(indexFile, index, indexPresent) != 0 ||
            (indexPresent && ReadFileIfPresent(dataFile, data, dataPresent) != 0)) {
            return 0;
        }
        saveOnDestroy_ = true;
        if (!indexPresent || !dataPresent) {
            EmptyStore();
            return 1;
        }
        StoredHistory history = ParseHistory(index, data, entryBytes_);
        for (std::string& entry : history.entries) {
            Append(std::move(entry));
        }
        if (history.damaged) {
            EmptyStore();
            return 0;
        }
        return 1;
    } catch (const std::exception&) {
        return 0;  // out of memory, or thrown by an OnItemAdded
    }
}

int CLynListBox::AddItem(const std::string& text) {
    try {
        std::string_view item = TrimBlanks(CutToCharacters(TrimBlanks(text), entryBytes_));
        if (item.empty() || std::find(items_.begin(), items_.end(), item) != items_.end()) {
            return 0;
        }
        Append(std::string(item));
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}

const std::vector<std::string>& CLynListBox::GetItems() const {
    return items_;
}

void CLynListBox::OnItemAdded(const std::string& /*item*/) {}

void CLynListBox::Append(std::string item) {
    items_.push_back(std::move(item));
    OnItemAdded(items_.back());
}

// An empty index first: over any data it is a valid, empty store.
void CLynListBox::EmptyStore() const {
    ReplaceFileAtomically(indexPath_, "");
    ReplaceFileAtomically(dataPath_, "");
}

void CLynListBox::Save() const {
    if (!saveOnDestroy_) {
        return;
    }
    try {
        if (ReplaceFileAtomically(dataPath_, FormatHistoryData(items_)) == 0) {
            ReplaceFileAtomically(indexPath_, FormatHistoryIndex(items_));
        }
    } catch (const std::exception&) {
        // Out of memory: the old store stays.
    }
}
