// Reading another process's windows: texts, geometry, focus, tab strip items
// and its message boxes. Everything here works across processes: messages
// whose data holds pointers get a buffer inside the target process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The window's text as the window itself reports it (WM_GETTEXT), which for
// an edit control is what the user typed.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
RECT ScreenRect(HWND window);
SIZE SizeOf(const RECT& rect);
POINT CentreOf(const RECT& rect);

// The window with the keyboard focus on `window`'s thread, or null.
HWND FocusedWindowOfThread(HWND window);

// Top-level windows of a process, visible ones only.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);
bool IsDialogBox(HWND window);
// The process's visible dialog boxes (message boxes among them).
std::vector<HWND> DialogBoxes(DWORD processId);
// The process's visible dialog box with this caption (the last one found), or null.
HWND DialogBoxCaptioned(DWORD processId, const std::wstring& caption);
// The text of a message box: its static controls' texts, joined.
std::wstring MessageBoxText(HWND box);
// A push button of a dialog box with this text, or null.
HWND DialogButton(HWND box, const std::wstring& text);

// Children of `parent` of the given window class, in z-order.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className);

// The tab strip of a process, read through a buffer in that process.
int TabCount(HWND tabStrip);
int SelectedTab(HWND tabStrip);
std::vector<std::wstring> TabCaptions(HANDLE process, HWND tabStrip);
// Tab `index`'s rectangle in screen coordinates; empty if there is no such tab.
RECT TabItemScreenRect(HANDLE process, HWND tabStrip, int index);
