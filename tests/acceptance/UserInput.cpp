#include "UserInput.h"

#include "InputEvents.h"

#include <cstdlib>

namespace {

bool Send(std::vector<INPUT>& inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

// A coordinate as absolute mouse input takes it: 0 to 65535 over the virtual
// screen, rounded so that it maps back onto the same pixel.
LONG Normalised(LONG value, LONG origin, LONG extent) {
    return static_cast<LONG>((static_cast<long long>(value - origin) * 65536 + extent - 1) / extent);
}

bool PointerIsAt(POINT point) {
    POINT now = {};
    return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

// Whether the pointer has come to `point` and stays there a moment. Under
// Wine a move can take effect late, and a button press sent with it would
// land where the pointer was before: so the press waits for the move.
bool PointerRestsAt(POINT point) {
    const ULONGLONG deadline = GetTickCount64() + 2000;
    int steady = 0;
    while (steady < 3) {
        steady = PointerIsAt(point) ? steady + 1 : 0;
        if (GetTickCount64() >= deadline) return false;
        Sleep(10);
    }
    return true;
}

// Where and when the last click was.
POINT g_lastClickPoint = {-1, -1};
ULONGLONG g_lastClickTime = 0;

// A second click on the same spot soon after the first makes a double click,
// which an edit control, for one, takes as "select a word" and not as "take
// the focus": so it waits as long as a double click may take.
void WaitOutDoubleClick(POINT point) {
    const bool nearby = abs(point.x - g_lastClickPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                      abs(point.y - g_lastClickPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    const ULONGLONG since = GetTickCount64() - g_lastClickTime;
    const ULONGLONG interval = GetDoubleClickTime() + 50;
    if (nearby && since < interval) Sleep(static_cast<DWORD>(interval - since));
}

// Moves the pointer to a screen point and waits for it to rest there.
bool MoveTo(POINT screenPoint) {
    const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const LONG width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width <= 0 || height <= 0) return false;
    std::vector<INPUT> move = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
                                          Normalised(screenPoint.x, left, width),
                                          Normalised(screenPoint.y, top, height))};
    return Send(move) && PointerRestsAt(screenPoint);
}

// Moves the pointer to a screen point, then presses and releases a button.
bool ClickWith(POINT screenPoint, DWORD down, DWORD up) {
    WaitOutDoubleClick(screenPoint);
    if (!MoveTo(screenPoint)) return false;
    std::vector<INPUT> click = {MouseInput(down), MouseInput(up)};
    g_lastClickPoint = screenPoint;
    g_lastClickTime = GetTickCount64();
    return Send(click);
}

}  // namespace

bool MovePointerTo(POINT screenPoint) { return MoveTo(screenPoint); }

bool ClickAt(POINT screenPoint) { return ClickWith(screenPoint, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

bool MiddleClickAt(POINT screenPoint) {
    return ClickWith(screenPoint, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
}

bool RightClickAt(POINT screenPoint) {
    return ClickWith(screenPoint, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

bool DragAlong(const std::vector<POINT>& screenPoints) {
    if (screenPoints.empty()) return false;
    WaitOutDoubleClick(screenPoints.front());
    std::vector<INPUT> down = {MouseInput(MOUSEEVENTF_LEFTDOWN)};
    std::vector<INPUT> up = {MouseInput(MOUSEEVENTF_LEFTUP)};
    if (!MoveTo(screenPoints.front()) || !Send(down)) return false;
    g_lastClickPoint = screenPoints.front();
    g_lastClickTime = GetTickCount64();
    for (const POINT& point : screenPoints) {
        if (!MoveTo(point)) return false;
    }
    return Send(up);
}

bool ClickWindow(HWND window) {
    RECT rect = {};
    if (window == nullptr || !GetWindowRect(window, &rect)) return false;
    return ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (const wchar_t character : text) {
        inputs.push_back(UnicodeInput(character, false));
        inputs.push_back(UnicodeInput(character, true));
    }
    return inputs.empty() || Send(inputs);
}

bool PressKeys(const std::vector<WORD>& virtualKeys) {
    std::vector<INPUT> inputs;
    for (const WORD key : virtualKeys) inputs.push_back(KeyInput(key, false));
    for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key) inputs.push_back(KeyInput(*key, true));
    return Send(inputs);
}

bool BringToFront(HWND window) {
    if (GetForegroundWindow() == window) return true;
    if (SetForegroundWindow(window) && GetForegroundWindow() == window) return true;
    // Windows lets a process hand the foreground on only while it has had the
    // last input: a tap of Alt gives it that, as a person's key press would.
    std::vector<INPUT> alt = {KeyInput(VK_MENU, false), KeyInput(VK_MENU, true)};
    Send(alt);
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
}
