// Bounded waiting: every wait in the tests polls for what it waits for and
// gives up after a limit, so a test never sleeps for a fixed time.
#pragma once

#include <windows.h>

namespace support {

// Polls the condition every few milliseconds for at most dwTimeoutMs; true
// as soon as it holds, false when the time ran out.
template <typename Condition>
bool PollFor(DWORD dwTimeoutMs, Condition condition)
{
    const DWORD dwStart = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - dwStart >= dwTimeoutMs)
            return false;
        Sleep(5);
    }
}

}  // namespace support
