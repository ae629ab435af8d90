#pragma once

// The listener interface of the skin controls: the image button's core and
// the sound player tell their listeners what happened through it.

#include <cstdint>

namespace cmmctrls {

class ICallback {
public:
    // `code` says what happened, `wparam` and `lparam` carry its details.
    // Non-zero means handled: the sender then tells no further listener.
    virtual int on_call(std::uint32_t code, std::uint32_t wparam, std::int32_t lparam) = 0;

protected:
    // Listeners are never owned or freed by the objects they listen to.
    ~ICallback() = default;
};

}  // namespace cmmctrls
