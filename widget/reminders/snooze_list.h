#pragma once

// The alerts the user put off with "稍后提醒": each comes again, once, at its
// moment with a new pop-up. Owned by the calendar window and used on its
// thread only. Saved in ReminderState.dat, where a reminder is known by its
// record (ids are only good for one run).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"
#include "widget/reminders/reminder_state_file.h"

// The pop-up's choice of minutes, 10 preselected.
inline constexpr std::array<int, 4> kSnoozeMinuteChoices = {5, 10, 30, 60};
inline constexpr std::size_t kDefaultSnoozeChoice = 1;

class SnoozeList {
public:
    // Puts the alert of `item` (stored under item.id) off until `due`; a
    // reminder put off again keeps only its latest moment.
    void Snooze(const ReminderItem& item, Moment due);
    // The ids whose moment is `now` or earlier, earliest first (equal
    // moments by id); they leave the list, so each comes once.
    std::vector<std::uint32_t> TakeDue(Moment now);
    // A deleted reminder's alert does not come again.
    void Forget(std::uint32_t id);
    // Takes over the alerts of the file for the reminders just loaded: an
    // alert belongs to the reminder whose record is equal in every field but
    // id and repeat (the first such, by id, not yet taken); alerts of
    // reminders that are gone or were changed since are dropped.
    void Restore(const std::vector<SnoozedAlert>& saved, const ReminderMap& items);
    // What to save: each alert with its reminder as stored now, earliest
    // first; alerts of reminders no longer in `items` are left out.
    std::vector<SnoozedAlert> Saved(const ReminderMap& items) const;

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    // The earliest moment, or nothing when the list is empty.
    std::optional<Moment> NextDue() const;

private:
    struct Entry {
        std::uint32_t id = 0;
        Moment due = 0;
    };
    std::vector<Entry> entries_;
};
