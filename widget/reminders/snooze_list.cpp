#include "widget/reminders/snooze_list.h"

#include <algorithm>
#include <set>

namespace {

// Ids change from run to run and the alarm clock rewrites `repeat` on
// registration, so neither tells whether a saved reminder is still the same.
bool SameRecord(const ReminderItem& saved, const ReminderItem& loaded) {
    ReminderItem a = saved;
    ReminderItem b = loaded;
    a.id = b.id = 0;
    a.repeat = b.repeat = 0;
    return a == b;
}

// Alerts in the order they come: by moment, equal moments by id.
constexpr auto kEarlierFirst = [](const auto& a, const auto& b) {
    return a.due != b.due ? a.due < b.due : a.id < b.id;
};

}  // namespace

void SnoozeList::Snooze(const ReminderItem& item, Moment due) {
    Forget(item.id);
    entries_.push_back({item.id, due});
}

std::vector<std::uint32_t> SnoozeList::TakeDue(Moment now) {
    std::vector<Entry> due;
    std::vector<Entry> later;
    for (const Entry& entry : entries_) {
        (entry.due <= now ? due : later).push_back(entry);
    }
    std::sort(due.begin(), due.end(), kEarlierFirst);
    entries_ = std::move(later);
    std::vector<std::uint32_t> ids;
    ids.reserve(due.size());
    for (const Entry& entry : due) {
        ids.push_back(entry.id);
    }
    return ids;
}

void SnoozeList::Forget(std::uint32_t id) {
    std::erase_if(entries_, [id](const Entry& entry) { return entry.id == id; });
}

// The list of an earlier run means nothing now (its ids are gone), so it is
// replaced, not added to.
void SnoozeList::Restore(const std::vector<SnoozedAlert>& saved, const ReminderMap& items) {
    entries_.clear();
    std::set<std::uint32_t> taken;
    for (const SnoozedAlert& alert : saved) {
        for (const auto& [id, item] : items) {
            if (!taken.contains(id) && SameRecord(alert.reminder, item)) {
                taken.insert(id);
                entries_.push_back({id, alert.due});
                break;
            }
        }
    }
}

std::vector<SnoozedAlert> SnoozeList::Saved(const ReminderMap& items) const {
    std::vector<Entry> entries = entries_;
    std::sort(entries.begin(), entries.end(), kEarlierFirst);
    std::vector<SnoozedAlert> saved;
    for (const Entry& entry : entries) {
        const auto found = items.find(entry.id);
        if (found != items.end()) {
            saved.push_back({entry.due, found->second});
        }
    }
    return saved;
}

std::optional<Moment> SnoozeList::NextDue() const {
    if (entries_.empty()) {
        return std::nullopt;
    }
    return std::min_element(entries_.begin(), entries_.end(),
                            [](const Entry& a, const Entry& b) { return a.due < b.due; })
        ->due;
}
