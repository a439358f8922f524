// Real input through the X server: xdotool, run by the Linux shell (LinuxShell.h).
//
// Without a window manager (Xvfb), Win32 screen coordinates are X root
// coordinates, so a point from GetWindowRect can be clicked as it is.
#pragma once

#include <windows.h>

#include <string>

// Runs xdotool with `arguments` (no double quotes in them) and waits until it
// has finished; true if it succeeded.
bool RunXdotool(const std::wstring& arguments);

bool ClickAt(POINT screenPoint);
// Clicks the middle of a window.
bool ClickWindow(HWND window);
// Types `text` (no single quotes in it) into the window with the keyboard focus.
bool TypeText(const std::wstring& text);
// Presses key combinations in xdotool's names, e.g. L"Return", L"ctrl+w End".
bool PressKeys(const std::wstring& keys);
