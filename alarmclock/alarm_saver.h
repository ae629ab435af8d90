#pragma once

// CAlarmSaver_base: an alarm list with an XML file form. The items are kept
// by id in insertion order; Load adds what it reads to a separate list of
// loaded items. The text written by Save, byte for byte:
//
//   <?xml version="1.0" encoding="UTF-8"?>\r\n
//   <alarmxml>\r\n
//   <alarm name="..." start_time="124:2:5:9:7:0" repeat="0" />\r\n   (one line per item)
//   </alarmxml>                                                     (no line break)
//
// start_time is the local time as year - 1900, month 0-11, day, hour, minute,
// second; repeat is in minutes; ids are not written. Names and every other
// value are escaped with the XML entities, so any name reads back as written.
// Texts are GBK (the declaration names UTF-8 but the text is read as the
// characters it holds).
//
// On Windows, reading needs COM on the calling thread (the DOM is MSXML);
// without it Load reads nothing and returns false.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "alarmclock/alarm_item.h"
#include "alarmclock/qvcb_api.h"
#include "alarmclock/vector_map.h"
#include "common/local_time.h"

namespace alarmclock {

// Told the path of a file that Save could not write.
using SaveFailureNotifier = std::function<void(const char* path)>;

// What the user sees when Save fails: on Windows a message box with
// SaveFailureMessage, captioned kSaveFailureCaption, with the information
// icon; natively nothing.
QVCB_API SaveFailureNotifier DefaultSaveFailureNotifier();
QVCB_API std::string SaveFailureMessage(const char* path);
inline constexpr char kSaveFailureCaption[] = "操作提示";

// The start_time attribute of a moment: its local time as
// "year-1900:month0-11:day:hour:minute:second".
QVCB_API std::string FormatStartTime(Moment moment);

// The moment of a start_time attribute, read as local time with daylight
// saving off. The first six pieces between ":" are read as decimal numbers
// (as XML_Helper::String2Int reads them, extra pieces ignored); fields out of
// range carry over as in a calendar ("124:12:1:0:0:0" is 2025-01-01). Empty
// text and text with fewer than six pieces read as 0, like a missing
// attribute. A time outside the years 1901-2038 reads as the earliest or
// latest moment; no numbers overflow.
QVCB_API Moment ParseStartTime(std::string_view text);

class QVCB_API CAlarmSaver_base {
public:
    // Save failures are shown with DefaultSaveFailureNotifier().
    CAlarmSaver_base();
    // Save failures go to `notifier` (an empty one: nobody is told).
    explicit CAlarmSaver_base(SaveFailureNotifier notifier);
    CAlarmSaver_base(const CAlarmSaver_base& other);
    CAlarmSaver_base& operator=(const CAlarmSaver_base& other);

    // Writes the items as XML text to `path` (GBK), replacing the file
    // atomically. False for a null path, and when the file could not be
    // written: the notifier is then told and the old file is left as it was.
    virtual bool Save(const char* path);
    // Reads the file at `path` and appends the alarms in it to the loaded
    // items (the items are not changed). False for a null path and for a
    // file that is missing, empty or not XML.
    virtual bool Load(const char* path);
    // Appends every item to `items`, in order.
    virtual bool Get(std::vector<AlarmItem>& items) const;
    // Copies the item with this id; false when there is none.
    virtual bool Get(const std::uint32_t& id, AlarmItem& item) const;
    // Appends every loaded item to `items`, in the order they were loaded.
    virtual bool GetLoadItem(std::vector<AlarmItem>& items) const;
    // Adds the item, or overwrites the one with its id in place. False when
    // its id is 0.
    virtual bool Insert(const AlarmItem& item);
    // False when there is no item with this id.
    virtual bool Remove(const std::uint32_t& id);

protected:
    // The whole XML text of `items` (the layout above).
    virtual std::string Data2XMLString(const vector_map<std::uint32_t, AlarmItem>& items) const;
    // Appends an item (id 0) for every //alarmxml/alarm element of `text` to
    // `out`, in document order; a missing attribute reads as empty text
    // (name empty, start time 0, repeat 0). False, with nothing appended,
    // for empty text, text that is not XML, or a DOM that fails.
    virtual bool XMLString2Data(const std::string& text, std::vector<AlarmItem>& out) const;

public:
    // What a derived alarm list does with its items, for example arming them
    // with the alarm clock service. Part of the exported layout; no class in
    // this library implements it and nothing here calls it.
    virtual bool ApplyAlarms() = 0;

    virtual ~CAlarmSaver_base();

private:
    std::vector<AlarmItem> loadItems_;
    vector_map<std::uint32_t, AlarmItem> items_;
    SaveFailureNotifier notifier_;
};

}  // namespace alarmclock
