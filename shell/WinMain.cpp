// Velquin's entry point: prepares the UI thread, creates the main window,
// starts the web engine and runs the message loop until the window closes.
#include "core/EngineStart.h"
#include "core/TabCreation.h"
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

    StartEngine(ExecutablePath());
    ShowWindow(g_hMainWnd, nCmdShow);

    const int exitCode = RunMessageLoop();

    // Engine objects must go before COM does.
    ReleaseEngineObjects();
    CoUninitialize();
    return exitCode;
}
