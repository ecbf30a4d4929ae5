#pragma once
#include <windows.h>

#include <cstdint>

// WaitPumpingMessages with the millisecond clock given, so that tests can run
// a wait across the wrap-around of the tick counter.
using TickClock = DWORD (*)();
void WaitPumpingMessagesWithClock(std::int32_t milliseconds, TickClock clock);
