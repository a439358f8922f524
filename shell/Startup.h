// Process start-up and the message loop.
#pragma once

#include <windows.h>

#include <string>

extern const wchar_t kUserDataFolderName[];

// The executable's full path, however long it is.
std::wstring ExecutablePath();

// The engine's profile folder: "Browser_Data" beside the executable, whose
// folder ends at the last backslash or slash of `executablePath`.
std::wstring UserDataFolderFor(const std::wstring& executablePath);

ATOM RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);

// Requests the engine environment; a request that fails at once is reported
// to the main window, which tells the user once it is visible.
void StartEngine(const std::wstring& userDataFolder);

// Ctrl+W (Shift or not) closes the current tab from the message loop.
bool IsCloseTabShortcut(const MSG& msg);

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();
