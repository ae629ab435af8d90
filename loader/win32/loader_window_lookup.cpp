// The LoaderWindow's 万年历 and 今日汇率 commands: the lookup windows as its
// tool windows.

#include "loader/lookup_pages.h"
#include "loader/win32/loader_window.h"
#include "loader/win32/lookup_window.h"

void LoaderWindow::OpenLookupWindow(ToolWindowKind kind) {
    const std::string name(LookupNameFor(kind));
    if (name.empty()) {
        return;
    }
    toolWindows_.Open(kind, [this, &name]() -> std::unique_ptr<ToolWindow> {
        return LookupWindow::Open(options_.instance, options_.productName + options_.productVersion, options_.siteHost,
                                  name);
    });
}
