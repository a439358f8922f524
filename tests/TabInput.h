// Real mouse and keyboard input on the tab strip for the in-process window
// tests: SendInput records handled by the browser's own message loop.
#pragma once

#include "tests/reliability/ReliabilityFixture.h"

// A mouse record with these flags at a point of the tab strip (its client coordinates).
INPUT StripMouseInput(POINT point, DWORD flags);
// The centre of tab `index`, in the strip's client coordinates.
POINT TabCentre(int index);
// Sends the records and runs the loop until they are handled.
void SendAndHandle(const std::vector<INPUT>& inputs);
// A click with the left or the right button on tab `index`.
void ClickTab(int index);
void RightClickTab(int index);
// Presses the keys in order and lets them go in reverse order.
void PressKeys(const std::vector<WORD>& keys);
