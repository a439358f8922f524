// velquin.exe without its engine: the same start-up (COM apartment, common
// controls, the main window with its controls, shown, and the message loop)
// with no engine requested, so no tab ever comes. The start-up benchmark
// measures it beside velquin.exe and the bare window to tell the window's own
// cost from the engine's.
#include "core/WindowHandles.h"
#include "shell/Startup.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int nCmdShow) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    InitCommonControls();

    if (RegisterMainWindowClass(hInstance) == 0) return 1;
    g_hMainWnd = CreateMainWindow(hInstance);
    if (g_hMainWnd == nullptr) return 1;
    ShowWindow(g_hMainWnd, nCmdShow);

    const int exitCode = RunMessageLoop();
    CoUninitialize();
    return exitCode;
}
