#pragma once

// The skin update's download client: one address saved to one file, with
// the progress of the transfer published as it goes.

#include <functional>
#include <string>

// Called after every block with the percentage received, only when the
// response says how long it is.
using SkinDownloadProgress = std::function<void(int percent)>;

// Downloads `address` into `targetFile`, replacing an old file there. Only
// the answers 200 and 304 are taken. A transfer that breaks off, ends short
// of its Content-Length or cannot be written fails, and no file is left at
// `targetFile` then (nor after a refused answer). True when the whole body
// was saved.
bool DownloadSkinFile(const std::string& address, const std::string& targetFile, const SkinDownloadProgress& progress);
