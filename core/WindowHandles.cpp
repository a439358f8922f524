#include "core/WindowHandles.h"

HWND g_hMainWnd = nullptr;
HWND g_hTabCtrl = nullptr;
HWND g_hNewTabButton = nullptr;
HWND g_hCloseTabButton = nullptr;
HWND g_hAddressBar = nullptr;
HWND g_hHistoryButton = nullptr;
HWND g_hButtonTooltips = nullptr;
HFONT g_hFont = nullptr;

const wchar_t kMainWindowTitle[] = L"Velquin";
