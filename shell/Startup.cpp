#include "shell/Startup.h"

#include "core/EngineStart.h"
#include "core/Shortcuts.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/EngineLoader.h"
#include "shell/MainWindow.h"

const wchar_t kUserDataFolderName[] = L"Browser_Data";

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Truncated: the path fills the whole buffer. Try a larger one.
        path.resize(path.size() * 2);
    }
}

std::wstring ExecutableFolder(const std::wstring& executablePath) {
    const size_t separator = executablePath.find_last_of(L"\\/");
    return separator == std::wstring::npos ? executablePath : executablePath.substr(0, separator);
}

std::wstring UserDataFolderFor(const std::wstring& executablePath) {
    return ExecutableFolder(executablePath) + L"\\" + kUserDataFolderName;
}

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wcex = {};
    wcex.cbSize = sizeof(wcex);
    wcex.style = CS_HREDRAW | CS_VREDRAW;
    wcex.lpfnWndProc = WndProc;
    wcex.hInstance = instance;
    wcex.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wcex.hIcon = LoadIconW(instance, L"MAINICON");
    wcex.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wcex.lpszClassName = kMainWindowClass;
    wcex.hIconSm = LoadIconW(instance, L"MAINICON");
    return RegisterClassExW(&wcex);
}

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, nullptr);
}

void StartEngine(const std::wstring& executablePath) {
    StartEngineFromLoader(ExecutableFolder(executablePath) + L"\\" + kEngineLoaderDll,
                          UserDataFolderFor(executablePath));
}

int RunMessageLoop() {
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (TranslateShortcut(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
