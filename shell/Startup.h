// Process start-up and the message loop.
#pragma once

#include <windows.h>

#include <string>

extern const wchar_t kUserDataFolderName[];

// The executable's full path, however long it is.
std::wstring ExecutablePath();

// The executable's folder: its path up to the last backslash or slash (the
// whole path when it has neither).
std::wstring ExecutableFolder(const std::wstring& executablePath);

// The engine's profile folder: "Browser_Data" beside the executable.
std::wstring UserDataFolderFor(const std::wstring& executablePath);

ATOM RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);

// Requests the engine environment through the loader library beside the
// executable; a request that fails at once is reported to the main window,
// which tells the user once it is visible.
void StartEngine(const std::wstring& executablePath);

// Runs until WM_QUIT and returns its exit code. Every shortcut, Ctrl+W among
// them, is translated into its command (core/Shortcuts.h).
int RunMessageLoop();
