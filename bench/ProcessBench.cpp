// Start-up, size and memory of the real velquin.exe, seen from outside.
//
//   velquin_process_bench [runs]
//
// Start-up: velquin.exe (with the stand-in WebView2Loader.dll beside it, in
// app\ beside this program), BareWindow.exe and VelquinWindowOnly.exe (the
// browser's window without the engine) are started in turn, `runs` times each
// (21 by default) after one unmeasured start of each. A run's time goes from
// just before CreateProcessW to the moment this program sees the goal on
// screen: for velquin.exe a visible engine page window whose text (the page's
// address) begins with "data:text/html", that is the first tab current with
// the New Tab page navigated; for the other two their window visible.
// The windows are polled every millisecond with window-manager reads only
// (FindWindowExW, InternalGetWindowText, IsWindowVisible), which send nothing
// to the measured process, so it is not slowed down by being watched.
//
// Memory: the private memory (PrivateUsage) of each started process 100 ms
// after its start-up, and of velquin.exe once 100 more tabs, asked for by
// posting the "+" command to its main window, show the New Tab page.
//
// Size: velquin.exe as built and stripped as the release package has it
// (copies in app\ and stripped\ beside this program).
#include "bench/BenchSupport.h"
#include "core/CommandIds.h"
#include "core/WindowHandles.h"

#include <mmsystem.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t kMainWindowClass[] = L"TabBrowserClass";
const wchar_t kPageWindowClass[] = L"VelquinDevEnginePage";
const wchar_t kBareWindowClass[] = L"VelquinBareWindow";
const wchar_t kNewTabPagePrefix[] = L"data:text/html";

const DWORD kStartTimeoutMs = 30000;
const DWORD kCloseTimeoutMs = 10000;
const DWORD kPauseBetweenRunsMs = 200;
const int kTabsOpened = 100;
const int kTabRuns = 3;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The top-level window of class `windowClass` that belongs to process `processId`.
HWND FindTopLevelWindow(DWORD processId, const wchar_t* windowClass) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

bool ShowsNewTabPage(HWND page) {
    wchar_t text[32] = {};
    InternalGetWindowText(page, text, 32);
    return IsWindowVisible(page) && wcsncmp(text, kNewTabPagePrefix, wcslen(kNewTabPagePrefix)) == 0;
}

int CountNewTabPages(HWND mainWindow) {
    int count = 0;
    HWND page = nullptr;
    while ((page = FindWindowExW(mainWindow, page, kPageWindowClass, nullptr)) != nullptr) {
        wchar_t text[32] = {};
        InternalGetWindowText(page, text, 32);
        if (wcsncmp(text, kNewTabPagePrefix, wcslen(kNewTabPagePrefix)) == 0) ++count;
    }
    return count;
}

// The first visible New Tab page in the browser's main window.
bool FirstTabShown(HWND mainWindow) {
    HWND page = nullptr;
    while ((page = FindWindowExW(mainWindow, page, kPageWindowClass, nullptr)) != nullptr) {
        if (ShowsNewTabPage(page)) return true;
    }
    return false;
}

struct Program {
    std::wstring path;
    const wchar_t* windowClass;
    bool isBrowser;  // measured by its first tab; the others by their window shown
    const char* startupFigure;
    const char* memoryFigure;
};

// One started program, ended when it goes out of scope if it still runs.
class Run {
public:
    explicit Run(const Program& program) : program_(program) {}
    ~Run() {
        if (info_.hProcess == nullptr) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Starts the program and waits until it shows what it is measured by;
    // returns the milliseconds that took, or a negative number on failure.
    double StartAndWait() {
        const std::wstring folder = program_.path.substr(0, program_.path.find_last_of(L"\\/"));
        std::wstring commandLine = L"\"" + program_.path + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;

        const double start = NowMs();
        if (!CreateProcessW(program_.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &info_)) {
            Note("cannot start %s (error %lu)", Narrow(program_.path).c_str(), GetLastError());
            return -1;
        }
        for (;;) {
            if (window_ == nullptr) window_ = FindTopLevelWindow(info_.dwProcessId, program_.windowClass);
            if (window_ != nullptr &&
                (program_.isBrowser ? FirstTabShown(window_) : IsWindowVisible(window_) != FALSE)) {
                return NowMs() - start;
            }
            if (NowMs() - start > kStartTimeoutMs || WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT) {
                Note("%s did not reach its first screen", Narrow(program_.path).c_str());
                return -1;
            }
            Sleep(1);
        }
    }

    // Posts "+" `count` times and waits until that many more New Tab pages
    // show; returns the milliseconds that took, or a negative number.
    double OpenTabs(int count) {
        const int expected = CountNewTabPages(window_) + count;
        const double start = NowMs();
        for (int i = 0; i < count; ++i) {
            PostMessageW(window_, WM_COMMAND, MAKEWPARAM(ID_NEW_TAB, BN_CLICKED), 0);
        }
        while (CountNewTabPages(window_) < expected) {
            if (NowMs() - start > kStartTimeoutMs) {
                Note("velquin.exe did not open %d tabs", count);
                return -1;
            }
            Sleep(10);
        }
        return NowMs() - start;
    }

    // Private memory once what was asked for has settled.
    double SettledPrivateBytes() const {
        Sleep(100);
        return PrivateBytes(info_.hProcess);
    }

    // Closes the main window as its close box would and waits for the exit.
    bool Close() {
        const double start = NowMs();
        PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, kCloseTimeoutMs) != WAIT_OBJECT_0) {
            Note("%s did not exit after WM_CLOSE", Narrow(program_.path).c_str());
            return false;
        }
        DWORD exitCode = 1;
        GetExitCodeProcess(info_.hProcess, &exitCode);
        if (exitCode != 0) Note("%s exited with %lu", Narrow(program_.path).c_str(), exitCode);
        if (NowMs() - start > 1000) {
            Note("closing took %s: without a window manager, Wine's X11 Driver needs Managed=N",
                 Duration(NowMs() - start).c_str());
        }
        return exitCode == 0;
    }

private:
    Program program_;
    PROCESS_INFORMATION info_ = {};
    HWND window_ = nullptr;
};

struct StartupSample {
    double ms = -1;
    double privateBytes = 0;
};

StartupSample MeasureStartup(const Program& program) {
    // Let the previous run's process, windows and X resources go first.
    Sleep(kPauseBetweenRunsMs);
    Run run(program);
    StartupSample sample;
    sample.ms = run.StartAndWait();
    if (sample.ms < 0) return StartupSample();
    sample.privateBytes = run.SettledPrivateBytes();
    if (!run.Close()) return StartupSample();
    return sample;
}

double FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

// Start-up figures of one program over all runs.
struct StartupSeries {
    std::vector<double> ms;
    std::vector<double> privateBytes;
};

// The run-by-run ratios of two series. Each ratio compares runs made one
// right after the other, so a machine that slows down or speeds up during the
// benchmark moves both alike.
Summary RatioOf(const StartupSeries& slower, const StartupSeries& faster) {
    std::vector<double> ratios;
    for (size_t i = 0; i < slower.ms.size() && i < faster.ms.size(); ++i) ratios.push_back(slower.ms[i] / faster.ms[i]);
    return Summarize(ratios);
}

bool BenchStartup(const std::vector<Program>& programs, int runs) {
    Note("start-up: %d runs of each program, in turn", runs);
    for (const Program& program : programs) MeasureStartup(program);

    std::vector<StartupSeries> series(programs.size());
    for (int run = 0; run < runs; ++run) {
        // Each round starts with another program, so that none always follows the same one.
        for (size_t step = 0; step < programs.size(); ++step) {
            const size_t which = (static_cast<size_t>(run) + step) % programs.size();
            const StartupSample sample = MeasureStartup(programs[which]);
            if (sample.ms < 0) return false;
            series[which].ms.push_back(sample.ms);
            series[which].privateBytes.push_back(sample.privateBytes);
        }
    }

    for (size_t i = 0; i < programs.size(); ++i) {
        const Summary time = Summarize(series[i].ms);
        PrintRow("Start-up", Format("%s, median of %d", programs[i].startupFigure, runs), Duration(time.median),
                 DurationRange(time));
    }
    const StartupSeries& bare = series[0];
    const StartupSeries& windowOnly = series[1];
    const StartupSeries& browser = series[2];
    const Summary toBare = RatioOf(browser, bare);
    PrintRow("Start-up", "velquin.exe / bare window, median of the run-by-run ratios", Factor(toBare.median),
             Factor(toBare.min) + " - " + Factor(toBare.max), Goal("<= 1.3x", toBare.median <= 1.3));
    const Summary windowToBare = RatioOf(windowOnly, bare);
    PrintRow("Start-up", "velquin.exe's window without the engine / bare window", Factor(windowToBare.median),
             Factor(windowToBare.min) + " - " + Factor(windowToBare.max));

    for (size_t i = 0; i < programs.size(); ++i) {
        const Summary memory = Summarize(series[i].privateBytes);
        PrintRow("Memory", Format("%s, private", programs[i].memoryFigure), Bytes(memory.median), BytesRange(memory));
    }
    return true;
}

bool BenchManyTabs(const Program& browser) {
    Note("memory: velquin.exe with %d more tabs, %d runs", kTabsOpened, kTabRuns);
    std::vector<double> grown, added, openMs;
    for (int i = 0; i < kTabRuns; ++i) {
        Run run(browser);
        if (run.StartAndWait() < 0) return false;
        const double before = run.SettledPrivateBytes();
        const double ms = run.OpenTabs(kTabsOpened);
        if (ms < 0) return false;
        const double after = run.SettledPrivateBytes();
        if (!run.Close()) return false;
        grown.push_back(after);
        added.push_back(after - before);
        openMs.push_back(ms);
    }
    const Summary total = Summarize(grown);
    const double perTab = Summarize(added).median / kTabsOpened;
    PrintRow("Memory",
             Format("velquin.exe with %d more tabs (posted \"+\"), private, median of %d", kTabsOpened, kTabRuns),
             Bytes(total.median) + " (" + Bytes(perTab) + " a tab)", BytesRange(total));
    Note("opening %d tabs took %s (median, polled every 10 ms)", kTabsOpened,
         Duration(Summarize(openMs).median).c_str());
    return true;
}

void PrintSize(const char* figure, const std::wstring& path) {
    const double bytes = FileBytes(path);
    if (bytes < 0) return;
    PrintRow("Size", figure, Bytes(bytes) + " (" + Count(static_cast<size_t>(bytes)) + " bytes)", "",
             Goal("< 1 MiB", bytes < 1024.0 * 1024.0));
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? atoi(argv[1]) : 21;
    if (runs < 1) {
        Note("usage: velquin_process_bench [runs]");
        return 2;
    }
    const std::wstring folder = ProgramFolder();
    const std::vector<Program> programs = {
        {folder + L"\\BareWindow.exe", kBareWindowClass, false, "bare Win32 window shown (BareWindow.exe)",
         "bare Win32 window after start-up"},
        {folder + L"\\VelquinWindowOnly.exe", kMainWindowClass, false,
         "velquin.exe's window without the engine shown (VelquinWindowOnly.exe)",
         "velquin.exe's window without the engine after start-up"},
        {folder + L"\\app\\velquin.exe", kMainWindowClass, true, "velquin.exe: first tab current with the New Tab page",
         "velquin.exe after start-up (1 tab)"},
    };
    const Program& browser = programs.back();

    // Sleep(1) sleeps about a millisecond rather than a scheduler tick.
    timeBeginPeriod(1);
    const bool ok = BenchStartup(programs, runs) && BenchManyTabs(browser);
    timeEndPeriod(1);
    PrintSize("velquin.exe as built (build/mingw/velquin.exe)", folder + L"\\app\\velquin.exe");
    PrintSize("velquin.exe stripped, as in the release package", folder + L"\\stripped\\velquin.exe");
    return ok ? 0 : 1;
}
