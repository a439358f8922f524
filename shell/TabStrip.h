// The tab strip's own window procedure, installed over the tab control's: a
// middle click on a tab closes that tab, a right click (or Shift+F10, the
// Menu key) opens the tab menu, the left button drags a tab along the strip,
// and the pointer resting on a tab shows its tooltip.
#pragma once

#include <windows.h>

extern WNDPROC g_oldTabStripProc;

// Subclasses g_hTabCtrl with TabStripProc.
void InstallTabStripProc();

LRESULT CALLBACK TabStripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
