// One run of the real velquin.exe, installed in a throw-away folder with the
// stand-in engine beside it, as a test sees it from outside: its main window,
// its engine log and the engine's control channel.
#pragma once

#include "Files.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct LaunchOptions {
    // Extra environment variables for the browser, such as the engine's knobs.
    std::vector<std::pair<std::wstring, std::wstring>> environment;
    // Whether WebView2Loader.dll is put beside velquin.exe.
    bool withEngine = true;
    // The install folder's path is made at least this long (nested folders).
    size_t installPathLength = 0;
};

class BrowserProcess {
public:
    // Installs and starts the browser and waits for its main window. Error()
    // tells what went wrong, if anything did.
    explicit BrowserProcess(const LaunchOptions& options);
    // Ends the process if it still runs: a failed test leaves nothing behind.
    ~BrowserProcess();
    BrowserProcess(const BrowserProcess&) = delete;
    BrowserProcess& operator=(const BrowserProcess&) = delete;

    const std::wstring& Error() const { return error_; }
    HANDLE Process() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    // The first visible top-level window of the process that is no dialog box.
    HWND Window() const { return window_; }
    const std::wstring& InstallFolder() const { return installFolder_; }

    // The engine log's lines so far (VELQUIN_DEVENGINE_LOG).
    std::vector<std::wstring> EngineLog() const;

    // Sends one command to the engine's control channel; true if understood.
    bool SendEngineCommand(const std::wstring& command) const;

    // Waits for the process to end and gives its exit code; false on timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode) const;

private:
    bool Install(const LaunchOptions& options);
    bool Start(const LaunchOptions& options);
    // Wine's CreateProcessW cannot start a program whose path is MAX_PATH long
    // or longer, but the wine command, run from Linux, can.
    bool StartThroughWine(const std::wstring& program, std::wstring& environment);

    ScratchFolder scratch_;
    std::wstring installFolder_;
    std::wstring logPath_;
    PROCESS_INFORMATION info_ = {};
    HWND window_ = nullptr;
    std::wstring error_;
};
