// The main window: its controls, its message table and the routing of
// commands and tab strip notifications to the browser.
#pragma once

#include "core/EngineFailure.h"

#include <windows.h>

extern const wchar_t kMainWindowClass[];
constexpr int kMainWindowWidth = 1100;
constexpr int kMainWindowHeight = 800;

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Tells the user that the web engine could not be started, what is missing
// and what to do, with the error code (the browser posts it once per
// failure).
void ReportEngineStartFailure(HWND owner, HRESULT failure, EngineFailureSource source);
