// Fits the controls to the main window's width and gives the current tab's
// page the area below the two rows of controls; in full screen the page has
// the whole client area.
#pragma once

#include <windows.h>

// Top of the page area, below the tab row and the navigation row.
constexpr int kPageTop = 70;

// Places all eight controls by the main window's width, with or without a
// tab, and gives the current tab's page the area below them.
void ResizeBrowser();

// WM_SIZE: hides the current page from the engine while the window is
// minimised and shows it again when restored; lays out otherwise.
void OnMainWindowSized(WPARAM kind);

// WM_MOVE: tells the current tab's engine that its window moved.
void OnMainWindowMoved();
