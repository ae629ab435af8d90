#pragma once

// The exceptions of the XML layer. A failing document operation throws a
// CComException created with `new`, by pointer; whoever catches it deletes it:
//
//     try { ... } catch (CComException* error) { delete error; ... }

#include <cstdint>

#include "xml/qvxml_api.h"

// Base of the suite's exception objects, thrown by pointer.
class QVXML_API CException {
public:
    virtual ~CException();

protected:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
};

class QVXML_API CComException : public CException {
public:
    // `code` is the 32-bit status of the operation that failed (negative).
    explicit CComException(std::int32_t code);
    ~CComException() override;

    std::int32_t GetErrorCode() const { return code_; }

private:
    std::int32_t code_;
};

// Failure codes used where no DOM supplies one (the COM values of the same meaning).
inline constexpr std::int32_t kComErrorPointer = static_cast<std::int32_t>(0x80004003);          // E_POINTER
inline constexpr std::int32_t kComErrorFail = static_cast<std::int32_t>(0x80004005);             // E_FAIL
inline constexpr std::int32_t kComErrorInvalidArgument = static_cast<std::int32_t>(0x80070057);  // E_INVALIDARG
inline constexpr std::int32_t kComErrorNoAggregation = static_cast<std::int32_t>(0x80040110);  // CLASS_E_NOAGGREGATION

// Throws `new CComException(code)`.
[[noreturn]] QVXML_API void ThrowComException(std::int32_t code);
