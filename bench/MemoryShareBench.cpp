// Whose memory it is: the browser's own or the stand-in engine's.
//
// The same steps are run in fresh processes of this program, with and without
// the browser, and each reports its private memory (PrivateUsage) before the
// first tab, after it, and after 100 more:
// - "browser": the browser's main window, the engine started as start-up does
//   it, then "+" pressed 100 times;
// - "engine": a plain window of the same size (made before the first reading),
//   the stand-in's WebView2Loader.dll loaded (only to measure its image), and
//   the engine driven with exactly the calls the browser makes for each
//   tab (controller, its web view, four event handlers that do nothing,
//   visibility, bounds, the New Tab page), the engine objects held as the
//   browser holds them.
// The engine's share is what the "engine" run grew by; the browser's own share
// is the difference between the two runs. Each kind runs three times, in turn.
#include "bench/BenchSupport.h"
#include "bench/InProcessBrowser.h"
#include "core/Layout.h"
#include "core/NewTabPage.h"
#include "engine/Handler.h"
#include "shell/MainWindow.h"

#include <cstdio>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

const int kMoreTabs = 100;
const int kRuns = 3;

struct Readings {
    double beforeFirstTab = 0;
    double engineLoaded = 0;  // the "engine" run only: once WebView2Loader.dll is loaded
    double firstTab = 0;
    double moreTabs = 0;
};

double OwnPrivateBytes() { return PrivateBytes(GetCurrentProcess()); }

void PrintReadings(const Readings& readings) {
    printf("%.0f %.0f %.0f %.0f\n", readings.beforeFirstTab, readings.engineLoaded, readings.firstTab,
           readings.moreTabs);
    fflush(stdout);
}

// The browser's side of the comparison.
Readings MeasureBrowser() {
    Readings readings;
    PrepareUiThread();
    readings.beforeFirstTab = OwnPrivateBytes();
    readings.engineLoaded = readings.beforeFirstTab;
    OpenBrowserWindow();
    StartBrowserEngine();
    readings.firstTab = OwnPrivateBytes();
    SetTabCount(1 + kMoreTabs);
    readings.moreTabs = OwnPrivateBytes();
    return readings;
}

struct EngineTab {
    ComPtr<ICoreWebView2Controller> controller;
    ComPtr<ICoreWebView2> webview;
};

HWND CreatePlainWindow() {
    WNDCLASSEXW wcex = {};
    wcex.cbSize = sizeof(wcex);
    wcex.lpfnWndProc = DefWindowProcW;
    wcex.hInstance = GetModuleHandleW(nullptr);
    wcex.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wcex.lpszClassName = L"VelquinBenchPlainWindow";
    RegisterClassExW(&wcex);
    HWND window =
        CreateWindowExW(0, wcex.lpszClassName, L"Plain window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, wcex.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

template <typename Interface>
ComPtr<Interface> DoNothingHandler() {
    return MakeHandler<Interface>([](auto, auto) { return S_OK; });
}

// Everything the browser asks of the engine for one tab, minus the browser.
void AddEngineTab(HWND parent, std::vector<EngineTab>& tabs, ICoreWebView2Controller* controller) {
    EngineTab tab;
    tab.controller = controller;
    if (controller == nullptr || FAILED(controller->get_CoreWebView2(&tab.webview)) || !tab.webview) return;
    EventRegistrationToken token = {};
    tab.webview->add_WebMessageReceived(DoNothingHandler<ICoreWebView2WebMessageReceivedEventHandler>().Get(), nullptr);
    tab.webview->add_DocumentTitleChanged(DoNothingHandler<ICoreWebView2DocumentTitleChangedEventHandler>().Get(),
                                          &token);
    tab.webview->add_SourceChanged(DoNothingHandler<ICoreWebView2SourceChangedEventHandler>().Get(), nullptr);
    tab.controller->add_AcceleratorKeyPressed(DoNothingHandler<ICoreWebView2AcceleratorKeyPressedEventHandler>().Get(),
                                              nullptr);
    if (!tabs.empty()) tabs.back().controller->put_IsVisible(FALSE);
    tab.controller->put_IsVisible(TRUE);
    RECT bounds;
    GetClientRect(parent, &bounds);
    bounds.top = kPageTop;
    tab.controller->put_Bounds(bounds);
    tab.webview->NavigateToString(NewTabPageHtml);
    tabs.push_back(tab);
}

// The engine's side of the comparison.
Readings MeasureEngine() {
    Readings readings;
    PrepareUiThread();
    const HWND parent = CreatePlainWindow();
    Settle();
    readings.beforeFirstTab = OwnPrivateBytes();
    // The stand-in's own library, as velquin.exe loads it; this process uses
    // the same engine linked in, so only the library's image is measured here.
    if (LoadLibraryW((ProgramFolder() + L"\\app\\WebView2Loader.dll").c_str()) == nullptr) {
        Note("cannot load app\\WebView2Loader.dll");
    }
    readings.engineLoaded = OwnPrivateBytes();

    const ComPtr<ICoreWebView2Environment> environment = RequestEnvironment();
    if (!environment) return readings;
    std::vector<EngineTab> tabs;
    const auto requestTab = [&]() {
        environment->CreateCoreWebView2Controller(
            parent, MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
                        [&](HRESULT, ICoreWebView2Controller* controller) {
                            AddEngineTab(parent, tabs, controller);
                            return S_OK;
                        })
                        .Get());
    };
    requestTab();
    Settle();
    readings.firstTab = OwnPrivateBytes();
    for (int i = 0; i < kMoreTabs; ++i) requestTab();
    Settle();
    readings.moreTabs = OwnPrivateBytes();
    if (tabs.size() != static_cast<size_t>(1 + kMoreTabs)) Note("the engine made %zu tabs", tabs.size());
    return readings;
}

// Runs this program again with `arguments` and reads the readings it prints.
bool RunChild(const std::string& arguments, Readings& readings) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\" " + std::wstring(arguments.begin(), arguments.end());

    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    const BOOL started =
        CreateProcessW(path, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return false;
    }

    std::string output;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) output.append(buffer, read);
    CloseHandle(readEnd);
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return exitCode == 0 && sscanf(output.c_str(), "%lf %lf %lf %lf", &readings.beforeFirstTab, &readings.engineLoaded,
                                   &readings.firstTab, &readings.moreTabs) == 4;
}

}  // namespace

int RunMemoryChild(const std::string& kind) {
    if (kind != "browser" && kind != "engine") return 2;
    PrintReadings(kind == "browser" ? MeasureBrowser() : MeasureEngine());
    return 0;
}

int RunMemoryShareBench() {
    std::vector<double> browserFirst, browserMore, engineLibrary, engineFirst, engineMore;
    for (int run = 0; run < kRuns; ++run) {
        Note("memory shares: run %d of %d", run + 1, kRuns);
        Readings browser, engine;
        if (!RunChild("memory-run browser", browser) || !RunChild("memory-run engine", engine)) {
            Note("a memory run failed");
            return 1;
        }
        browserFirst.push_back(browser.firstTab - browser.beforeFirstTab);
        browserMore.push_back(browser.moreTabs - browser.firstTab);
        engineLibrary.push_back(engine.engineLoaded - engine.beforeFirstTab);
        engineFirst.push_back(engine.firstTab - engine.engineLoaded);
        engineMore.push_back(engine.moreTabs - engine.firstTab);
    }
    const Summary totalFirst = Summarize(browserFirst);
    const Summary totalMore = Summarize(browserMore);
    const Summary library = Summarize(engineLibrary);
    const Summary engineFirstTab = Summarize(engineFirst);
    const Summary engineMoreTabs = Summarize(engineMore);
    const double ownFirst = totalFirst.median - engineFirstTab.median;
    const double ownMore = totalMore.median - engineMoreTabs.median;

    PrintRow("Memory", "in-process: first tab, the browser's own share (main window, controls, tab)", Bytes(ownFirst));
    PrintRow("Memory", "in-process: first tab, the stand-in engine's share (environment, first view)",
             Bytes(engineFirstTab.median), BytesRange(engineFirstTab));
    PrintRow("Memory", "the stand-in engine's WebView2Loader.dll, loaded", Bytes(library.median), BytesRange(library));
    PrintRow("Memory", Format("in-process: %d more tabs, the browser's own share", kMoreTabs),
             Bytes(ownMore) + " (" + Bytes(ownMore / kMoreTabs) + " a tab)");
    PrintRow("Memory", Format("in-process: %d more tabs, the stand-in engine's share", kMoreTabs),
             Bytes(engineMoreTabs.median) + " (" + Bytes(engineMoreTabs.median / kMoreTabs) + " a tab)",
             BytesRange(engineMoreTabs));
    return 0;
}
