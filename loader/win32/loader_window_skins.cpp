// The LoaderWindow's 更换皮肤 command: the skin dialog as its tool window.

#include "loader/win32/loader_window.h"

void LoaderWindow::OpenSkinDialog() {}
