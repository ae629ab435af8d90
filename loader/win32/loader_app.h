#pragma once

// LoaderApp: the tray program's start-up, message loop and exit. Only one
// copy runs (a named mutex); a second start hands its command line to the
// running copy ("exit" closes it, a descriptor path adds a module) and ends.

#include <windows.h>

#include <string>

class LoaderApp {
public:
    explicit LoaderApp(HINSTANCE instance) : instance_(instance) {}

    // Runs the program for the command text (what follows the program name)
    // and returns its exit code.
    int Run(const std::string& commandText);

private:
    HINSTANCE instance_;
};

// The running copy's LoaderWindow: a top-level window of its class, else the
// first such window found among the descendants of any top-level window.
HWND FindLoaderWindow();

// Sends `command` with its terminating zero to the running copy and waits
// for its answer. False when no running copy was found or it did not answer.
bool ForwardCommand(const std::string& command);
