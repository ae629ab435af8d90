#pragma once

// QvKernel32: what every deliverable of the suite gets the same way — the
// product's name and version, message boxes captioned with them, a one-shot
// text download, and named string values under HKEY_LOCAL_MACHINE.
//
// Every text is GBK. Every function may be called from any thread; none
// throws. Results follow the suite's rule: 1 for success, 0 for failure.

#include <windows.h>

#include <string>

#include "services/qvkernel32_api.h"

// "泽鲁桌面日历" and "V4.0"; constant texts that live as long as the library.
QVKERNEL32_API const char* GetSoftName() noexcept;
QVKERNEL32_API const char* GetSoftVersion() noexcept;

// A modal message box owned by `parent` (nullptr: no owner) with `text`, the
// caption GetSoftName() followed by GetSoftVersion(), and MessageBox `flags`
// (the suite uses 0, MB_YESNO, MB_OKCANCEL | MB_ICONQUESTION,
// MB_ICONWARNING and MB_ICONINFORMATION). Returns the pressed button's code
// (IDOK, IDCANCEL, IDYES, IDNO), or 0 when the box could not be shown.
QVKERNEL32_API long MsgBox(HWND parent, const char* text, unsigned int flags) noexcept;

// Downloads `address` (http or https) into `out` as text, blocking the
// calling thread. Sends the user agent "ZELLUM_MSRDOWNLOAD" through the
// system's proxy settings and has any cached copy revalidated with the
// server. Returns 1 when the status was 200 or 304 and exactly as many body
// bytes arrived as Content-Length announced (no header: an empty body);
// otherwise 0, and `out` keeps what arrived, also when the connection broke
// in the middle (only a refused status leaves it empty). The body is read in
// pieces of at most 511 bytes and each piece adds its text up to its first
// zero byte. Never shows anything.
QVKERNEL32_API int Download(const char* address, std::string& out) noexcept;

// Time-outs of every later Download, in milliseconds: for connecting, and
// for each wait for data (the answer's head, every piece of the body). Both
// are 15000 unless changed; 0 restores that default, so nobody can wait
// without end. Tests shorten them to keep the "server never answers" cases
// quick.
QVKERNEL32_API void SetDownloadTimeouts(unsigned long connectMilliseconds, unsigned long readMilliseconds) noexcept;

// The registry functions take a key path below HKEY_LOCAL_MACHINE and a value
// name (nullptr: the key's default value); a null path fails.
//
// Reads the string value `name` of the key HKEY_LOCAL_MACHINE\`path` into
// `out` (its text up to the first zero). Returns 0 and leaves `out` as it was
// when the key or value is missing or the value takes more than 256 bytes
// with its terminating zero.
QVKERNEL32_API int GetRegInfoValue(const char* path, const char* name, std::string& out) noexcept;

// Writes `value` as the string value `name` (REG_SZ, with its terminating
// zero) of HKEY_LOCAL_MACHINE\`path`, creating the key and any missing
// parents. Returns 1 when it was written.
QVKERNEL32_API int SetRegInfoValueEx(const char* path, const char* name, std::string value) noexcept;

// Deletes the value `name` of HKEY_LOCAL_MACHINE\`path` (the key stays).
// Returns 1 when a value was deleted, 0 when there was none or the key
// could not be opened.
QVKERNEL32_API int DeleteRegKey(const char* path, const char* name) noexcept;
