// Real mouse and keyboard input on the tab strip for the in-process window
// tests: SendInput records handled by the browser's own message loop.
#pragma once

#include "tests/reliability/ReliabilityFixture.h"

// A mouse record with these flags at a point of the strip (its client coordinates).
INPUT StripMouseInput(POINT point, DWORD flags);
POINT TabCentre(int index);
void SendAndHandle(const std::vector<INPUT>& inputs);
// Presses and releases a button (the left one unless told) on tab `index`.
void ClickTab(int index, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
// Presses the keys in order and lets them go in reverse order.
void PressKeys(const std::vector<WORD>& keys);
