// One run of velquin.exe from the folder the suite was given, seen from
// outside: its main window and the controls a person sees on it, found by
// their kind and their label. Everything read here is what any program may
// read of another's windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder that holds velquin.exe and the engine's loader, set by main().
extern std::wstring g_browserFolder;
// Set by main() when the loader in that folder finds no engine runtime
// (--no-engine-runtime): then only the tests of that case run.
extern bool g_engineRuntimeAbsent;

class BrowserUnderTest {
public:
    // Starts the velquin.exe in `folder`, in the working folder
    // `workingFolder` (default: `folder`), and waits for its main window and
    // controls. Error() tells what went wrong, if anything did.
    explicit BrowserUnderTest(const std::wstring& folder = g_browserFolder, const std::wstring& workingFolder = L"");
    // Closes the main window; ends the process if it does not end by itself.
    ~BrowserUnderTest();
    BrowserUnderTest(const BrowserUnderTest&) = delete;
    BrowserUnderTest& operator=(const BrowserUnderTest&) = delete;

    const std::wstring& Error() const { return error_; }
    // The performance counter just before the process was created.
    LONGLONG StartedAt() const { return startedAt_; }

    HWND Window() const { return window_; }
    HWND TabStrip() const { return tabStrip_; }
    HWND AddressBar() const { return addressBar_; }
    // The push button with this label ("+", "X", "Back", "Next", "Reload"
    // or, while the page loads, "Stop", "History"), or null.
    HWND Button(const std::wstring& label) const;

    std::wstring AddressText() const;
    std::vector<std::wstring> TabCaptions() const;
    int SelectedTab() const;
    // The window with the keyboard focus in the browser, or null.
    HWND Focus() const;
    // The screen rectangle of tab `index`; empty if there is no such tab.
    RECT TabRect(int index) const;
    // A point inside the current tab's page, near its lower left corner.
    POINT PagePoint() const;
    // The screen rectangle below the row of the address bar, where the page is.
    RECT PageRect() const;
    // Whether the address bar's whole text is selected.
    bool AddressFullySelected() const;
    // The browser's visible message box with this caption, or null.
    HWND MessageBoxCaptioned(const std::wstring& caption) const;
    // Whether the process is still running.
    bool Running() const;
    // Waits up to `timeoutMs` for the process to end; its exit code goes to
    // *exitCode.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode) const;

private:
    bool Start(const std::wstring& folder, const std::wstring& workingFolder);
    bool FindControls();

    PROCESS_INFORMATION process_ = {};
    LONGLONG startedAt_ = 0;
    HWND window_ = nullptr;
    HWND tabStrip_ = nullptr;
    HWND addressBar_ = nullptr;
    std::wstring error_;
};

// Milliseconds from a performance counter reading to now.
double MillisecondsSince(LONGLONG counter);
LONGLONG PerformanceCounterNow();
