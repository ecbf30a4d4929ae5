#include "app/wait.h"

#include "app/message_loop.h"
#include "app/shell.h"

namespace {
DWORD SystemTickCount() { return GetTickCount(); }
}  // namespace

void WaitPumpingMessagesWithClock(std::int32_t milliseconds, TickClock clock) {
    if (milliseconds <= 0) return;
    const DWORD length = static_cast<DWORD>(milliseconds);
    const DWORD start = clock();
    for (;;) {
        const bool quitQueued = DispatchPendingMessages();
        // Unsigned difference: correct across the wrap-around of the counter.
        const DWORD elapsed = clock() - start;
        if (elapsed > length) return;
        // Sleep until a message arrives or the first tick past the end. A
        // queued WM_QUIT must not wake the wait at once, again and again.
        const DWORD remaining = length - elapsed + 1;
        const DWORD wakeOn = quitQueued ? (QS_ALLINPUT & ~(QS_POSTMESSAGE | QS_ALLPOSTMESSAGE)) : QS_ALLINPUT;
        MsgWaitForMultipleObjectsEx(0, nullptr, remaining, wakeOn, MWMO_INPUTAVAILABLE);
    }
}

void WaitPumpingMessages(std::int32_t milliseconds) {
    WaitPumpingMessagesWithClock(milliseconds, SystemTickCount);
}
