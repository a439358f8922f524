// Sleeping background tabs: a tab out of sight for 5 minutes whose page plays
// no sound, is not loading and holds no full-screen element is asked to
// suspend (the engine's TrySuspend), which frees its memory and stops its
// scripts. The engine wakes it when it is shown again. A refusal or an error
// leaves it as it is until the next try, 5 minutes later. The current tab
// never sleeps, nor does any tab on an engine without the call.
#pragma once

#include <windows.h>

// How long a tab stays in the background before it is put to sleep, and
// between two tries.
constexpr ULONGLONG kTabSleepDelayMs = 5 * 60 * 1000;

// Puts to sleep every tab that is due at `now` (the GetTickCount64 clock).
void PutIdleTabsToSleep(ULONGLONG now);
