#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/window_definition.h"

// Small windows of the tests' own, built by the program's builder.
extern const WindowDefinition TestMain;
extern const WindowDefinition TestDialogA;
extern const WindowDefinition TestDialogB;

// What the created handlers of the test windows run next, once each.
extern std::function<void()> onACreated;
extern std::function<void()> onBCreated;

// Runs a function from the message loop a moment later (a thread timer,
// dispatched by whichever loop runs then).
void Later(std::function<void()> step, UINT delayMs = 10);

// Records messages that reach the program windows, by window name.
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    void Note(const std::string& event) { events.push_back(event); }
    std::vector<std::string> events;
};
extern MessageLog* activeLog;

// Destroys every program window left over and drops queued messages.
void CleanUpWindows();
