// Waiting for another process: poll a condition until it holds or time runs out.
#pragma once

#include <windows.h>

// How long a step of the browser may take before a test gives up on it. Wine is
// slow to start a process and, under load, to deliver input.
constexpr DWORD kStepTimeoutMs = 10000;

// Evaluates `condition` every 20 ms until it returns true or `timeoutMs` has
// passed; returns whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kStepTimeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}
