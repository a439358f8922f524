// A person's mouse and keyboard, through SendInput: the input goes where a
// person's would, to the window under the pointer and to the focus of the
// foreground window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Moves the pointer to a screen point and waits for it to rest there.
bool MovePointerTo(POINT screenPoint);
// Moves the pointer to a screen point and clicks the left button there.
bool ClickAt(POINT screenPoint);
// The same with the middle button.
bool MiddleClickAt(POINT screenPoint);
// The same with the right button.
bool RightClickAt(POINT screenPoint);
// Presses the left button at the first point, moves the pointer through the
// others with it held, and lets it go at the last.
bool DragAlong(const std::vector<POINT>& screenPoints);
// Clicks the middle of a window.
bool ClickWindow(HWND window);
// Types `text` as characters (any Unicode text, no keyboard layout involved).
bool TypeText(const std::wstring& text);
// Presses the keys together, in order, then lets them go in reverse order:
// {VK_CONTROL, 'W'} is Ctrl+W.
bool PressKeys(const std::vector<WORD>& virtualKeys);
// Makes `window` the foreground window, as a click on its task bar button
// would, so that its own clicks and keys reach it.
bool BringToFront(HWND window);
