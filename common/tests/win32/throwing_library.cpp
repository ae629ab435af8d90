#include "common/tests/win32/throwing_library.h"

#include <stdexcept>

void ThrowFromLibrary(const char* message) {
    throw std::runtime_error(message);
}
