#pragma once

// CLynListBox: the drop-down history list of the navigation page's address
// box, and its store (format in history_store.h). This class holds the list
// and reads and writes the store; the address box shows it by deriving from
// it and adding each entry that OnItemAdded reports to its drop-down.

#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/history_store.h"
#include "toolkit/lynkernel32_api.h"

class LYNKERNEL32_API CLynListBox {
public:
    CLynListBox();
    // Saves the list into the store ReadHistory named: the data file first,
    // then the index, each replaced whole. A crash between the two leaves the
    // old index over the new data, which begins with the old entries (the list
    // only grows), so the store still reads. A failed write leaves the old
    // store as it was.
    virtual ~CLynListBox();
    CLynListBox(const CLynListBox&) = delete;
    CLynListBox& operator=(const CLynListBox&) = delete;

    // Loads the list from the store and remembers it for saving; entries are
    // short (255 bytes) or long (1023 bytes). Returns 1 when the store was
    // read, or made empty because one of its files was missing; 0 when it was
    // damaged (a length runs past the data): both files are then emptied,
    // and the entries before the damage stay in the list and are saved again.
    // Returns 0 too when a file is there but cannot be read: the store is
    // then left alone and the list, which starts empty, is not saved over it.
    // A store read before is saved first and the list starts again.
    int ReadHistory(const std::string& dataFile, const std::string& indexFile, bool shortEntries);

    // Adds `text` without the blanks around it, cut to the entry width.
    // 1 when added; 0 when nothing is left or the entry is in the list already.
    int AddItem(const std::string& text);

    // The entries in list order.
    const std::vector<std::string>& GetItems() const;

protected:
    // Called for each entry that joins the list, loaded or added, in order.
    virtual void OnItemAdded(const std::string& item);

private:
    void Append(std::string item);
    void EmptyStore() const;
    void Save() const;

    std::string dataPath_;
    std::string indexPath_;
    std::size_t entryBytes_ = kShortHistoryEntryBytes;
    std::vector<std::string> items_;
    bool saveOnDestroy_ = false;
};
