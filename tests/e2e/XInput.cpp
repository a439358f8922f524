#include "XInput.h"

#include "LinuxShell.h"
#include "RemoteWindows.h"

#include <cstdlib>

bool RunXdotool(const std::wstring& arguments) { return RunShell(L"xdotool " + arguments); }

bool ClickAt(POINT screenPoint) {
    // Two clicks close together in place and time make a double click, which
    // an edit control takes for selecting a word, without taking the focus.
    // A click that would pair with the previous one is moved aside.
    static POINT lastPoint = {-1000, -1000};
    static ULONGLONG lastTime = 0;
    if (std::abs(screenPoint.x - lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screenPoint.y - lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) &&
        GetTickCount64() - lastTime <= GetDoubleClickTime()) {
        screenPoint.x += 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    }
    lastPoint = screenPoint;
    lastTime = GetTickCount64();
    return RunXdotool(L"mousemove " + std::to_wstring(screenPoint.x) + L" " + std::to_wstring(screenPoint.y) +
                      L" click 1");
}

bool ClickWindow(HWND window) { return window != nullptr && ClickAt(CentreOf(ScreenRect(window))); }

bool TypeText(const std::wstring& text) { return RunXdotool(L"type '" + text + L"'"); }

bool PressKeys(const std::wstring& keys) { return RunXdotool(L"key " + keys); }
