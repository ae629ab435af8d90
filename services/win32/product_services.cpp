#include "services/product_services.h"

#include "services/product_identity.h"

const char* GetSoftName() noexcept {
    return services::kSoftName;
}

const char* GetSoftVersion() noexcept {
    return services::kSoftVersion;
}

long MsgBox(HWND parent, const char* text, unsigned int flags) noexcept {
    return MessageBoxA(parent, text, services::kMessageBoxCaption.data(), flags);
}
