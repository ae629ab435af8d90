#include "widget/settings/win32/reminder_backup.h"

#include <vector>

#include "common/file_io.h"
#include "common/win32/file_box.h"
#include "services/product_services.h"
#include "widget/reminders/reminder_messages.h"

namespace {

// Room for the chosen path, in characters (the file box's buffer).
constexpr DWORD kPathBufferChars = 520;
// Pairs of description and pattern, closed by an empty pair (the literal's
// own zero ends it).
constexpr char kReminderFileFilter[] = "日程提醒文件 (*.dat)\0*.dat\0";

enum class FileBox { kOpen, kSave };

// The path the user chose, or empty when the box was cancelled.
std::string AskForFile(HWND owner, FileBox box, const char* title) {
    std::vector<char> path(kPathBufferChars, '\0');
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = kReminderFileFilter;
    request.lpstrFile = path.data();
    request.nMaxFile = kPathBufferChars;
    request.lpstrTitle = title;
    request.lpstrDefExt = "dat";
    // The widget builds its paths from its own folder, but other code of the
    // process may not: the file box must not move the current folder.
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    BOOL chosen = FALSE;
    if (box == FileBox::kOpen) {
        request.Flags |= OFN_FILEMUSTEXIST;
        chosen = ShowOpenFileBox(&request);
    } else {
        chosen = ShowSaveFileBox(&request);
    }
    return chosen != FALSE ? std::string(path.data()) : std::string();
}

// Copies the file whole; the target is replaced atomically, so a failed copy
// leaves it as it was.
bool CopyWholeFile(const std::string& from, const std::string& to) {
    std::string bytes;
    return ReadWholeFile(from, bytes) && ReplaceFileAtomically(to, bytes) == 0;
}

}  // namespace

void BackupReminders(HWND owner, const std::string& calendarDatPath) {
    const std::string target = AskForFile(owner, FileBox::kSave, "您要将现有的日程提醒文件备份到哪里？");
    if (target.empty()) {
        return;
    }
    if (!CopyWholeFile(calendarDatPath, target)) {
        MsgBox(owner, "日程提醒文件备份失败！", MB_ICONWARNING);
        return;
    }
    MsgBox(owner, "日程提醒文件备份完毕！", MB_ICONINFORMATION);
}

void RestoreReminders(HWND owner, const std::string& calendarDatPath, HWND reminderWindow) {
    const std::string source = AskForFile(owner, FileBox::kOpen, "您要从何处导入日程提醒文件？");
    if (source.empty()) {
        return;
    }
    if (!CopyWholeFile(source, calendarDatPath)) {
        MsgBox(owner, "日程提醒文件还原失败！", MB_ICONWARNING);
        return;
    }
    SendMessageA(reminderWindow, RM_RELOAD, 0, 0);
    MsgBox(owner, "日程提醒文件还原完毕！", MB_ICONINFORMATION);
}
