#pragma once

// The listener of the timer service: an object called back periodically on
// the thread that registered it. The service never owns or frees a listener.

class ITimerSenseObj {
public:
    virtual void TimeArrive() = 0;
    virtual ~ITimerSenseObj() = default;
};

// What users of the timer service register with. The Windows product passes
// the process-wide multimedia timer service; tests pass a fake that they
// tick by hand.
class ITimerService {
public:
    // Adds `listener` for the calling thread, or restarts its countdown with
    // a new interval (in milliseconds) when it is already registered.
    virtual void RegisterListener(ITimerSenseObj* listener, unsigned interval) = 0;
    // Removes `listener` from the calling thread's listeners.
    virtual void UnRegisterListener(ITimerSenseObj* listener) = 0;

protected:
    ~ITimerService() = default;
};
