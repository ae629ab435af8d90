#include "xml/com_exception.h"

// The destructors are defined here so that the objects' virtual tables, and
// with them the code that frees a caught exception, live in this library.
CException::~CException() = default;

CComException::CComException(std::int32_t code) : code_(code) {}

CComException::~CComException() = default;

void ThrowComException(std::int32_t code) {
    throw new CComException(code);
}
