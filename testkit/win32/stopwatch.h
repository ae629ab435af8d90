#pragma once

// Elapsed time in milliseconds, as a plain number.
//
// The kit keeps std::chrono out of its interfaces: <chrono> does not compile
// in C++20 with -fexec-charset=CP936 (libstdc++ 12 spells the microsecond
// suffix "µs", which code page 936 cannot hold).

#include <windows.h>

namespace testkit {

class Stopwatch {
public:
    Stopwatch() : start_(GetTickCount64()) {}

    long long Milliseconds() const { return static_cast<long long>(GetTickCount64() - start_); }
    void Restart() { start_ = GetTickCount64(); }

private:
    ULONGLONG start_;
};

}  // namespace testkit
