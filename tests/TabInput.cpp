#include "tests/TabInput.h"

#include "core/WindowHandles.h"

#include <commctrl.h>

INPUT StripMouseInput(POINT point, DWORD flags) {
    ClientToScreen(g_hTabCtrl, &point);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    input.mi.dx = (point.x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (point.y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

POINT TabCentre(int index) {
    RECT item = {};
    EXPECT_TRUE(SendMessageW(g_hTabCtrl, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
    return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

void SendAndHandle(const std::vector<INPUT>& inputs) {
    Send(inputs);
    RunLoopUntilInputHandled();
}

void ClickTab(int index, DWORD down, DWORD up) {
    const POINT at = TabCentre(index);
    SendAndHandle({StripMouseInput(at, 0), StripMouseInput(at, down), StripMouseInput(at, up)});
}

void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) inputs.push_back(KeyInput(key, false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(KeyInput(*key, true));
    SendAndHandle(inputs);
}
