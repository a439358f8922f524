// The main window: its controls, its message table and the routing of
// commands and tab strip notifications to the browser.
#pragma once

#include <windows.h>

extern const wchar_t kMainWindowClass[];
extern const wchar_t kMainWindowTitle[];
constexpr int kMainWindowWidth = 1100;
constexpr int kMainWindowHeight = 800;

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Tells the user, once, that the web engine could not be started.
void ReportEngineStartFailure(HWND owner, HRESULT failure);
