#include "BrowserUnderTest.h"

#include "Polling.h"
#include "RemoteWindows.h"

#include <algorithm>

std::wstring g_browserFolder;
bool g_engineRuntimeAbsent = false;

namespace {

// The engine may take seconds to start the first time on a machine.
const DWORD kStartTimeoutMs = 30000;
// How far from the page's lower left corner a click into the page lands: away
// from anything a page of the suite or the New Tab page shows there.
const int kPageMargin = 30;

HWND MainWindowOf(DWORD processId) {
    for (HWND window : VisibleTopLevelWindows(processId)) {
        if (!IsDialogBox(window)) return window;
    }
    return nullptr;
}

bool HasExited(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

}  // namespace

LONGLONG PerformanceCounterNow() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double MillisecondsSince(LONGLONG counter) {
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(PerformanceCounterNow() - counter) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

BrowserUnderTest::BrowserUnderTest(const std::wstring& folder, const std::wstring& workingFolder) {
    if (!Start(folder, workingFolder.empty() ? folder : workingFolder)) return;
    const bool shown = WaitUntil([this] {
        window_ = MainWindowOf(process_.dwProcessId);
        return window_ != nullptr || HasExited(process_.hProcess);
    }, kStartTimeoutMs);
    if (window_ == nullptr) {
        error_ = shown ? L"velquin.exe ended without showing a window" : L"velquin.exe showed no window";
        return;
    }
    if (!FindControls()) error_ = L"the main window lacks the tab strip, the address bar or a button";
}

BrowserUnderTest::~BrowserUnderTest() {
    if (process_.hProcess == nullptr) return;
    if (window_ != nullptr && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kStepTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kStepTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool BrowserUnderTest::Start(const std::wstring& folder, const std::wstring& workingFolder) {
    const std::wstring program = folder + L"\\velquin.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startedAt_ = PerformanceCounterNow();
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &process_)) {
        error_ = L"cannot start " + program + L": error " + std::to_wstring(GetLastError());
        process_ = PROCESS_INFORMATION();
        return false;
    }
    return true;
}

bool BrowserUnderTest::FindControls() {
    const std::vector<HWND> strips = ChildrenOfClass(window_, L"SysTabControl32");
    const std::vector<HWND> edits = ChildrenOfClass(window_, L"Edit");
    tabStrip_ = strips.size() == 1 ? strips[0] : nullptr;
    addressBar_ = edits.size() == 1 ? edits[0] : nullptr;
    if (tabStrip_ == nullptr || addressBar_ == nullptr) return false;
    for (const wchar_t* label : {L"+", L"X", L"Back", L"Next", L"History"}) {
        if (Button(label) == nullptr) return false;
    }
    // It reads "Stop" while the page loads.
    return Button(L"Reload") != nullptr || Button(L"Stop") != nullptr;
}

HWND BrowserUnderTest::Button(const std::wstring& label) const {
    for (HWND button : ChildrenOfClass(window_, L"Button")) {
        if (TextOf(button) == label) return button;
    }
    return nullptr;
}

std::wstring BrowserUnderTest::AddressText() const { return TextOf(addressBar_); }

std::vector<std::wstring> BrowserUnderTest::TabCaptions() const { return ::TabCaptions(process_.hProcess, tabStrip_); }

int BrowserUnderTest::SelectedTab() const { return ::SelectedTab(tabStrip_); }

HWND BrowserUnderTest::Focus() const { return FocusedWindowOfThread(window_); }

RECT BrowserUnderTest::TabRect(int index) const { return TabItemScreenRect(process_.hProcess, tabStrip_, index); }

POINT BrowserUnderTest::PagePoint() const {
    RECT client = {};
    GetClientRect(window_, &client);
    POINT point = {client.left + kPageMargin, client.bottom - kPageMargin};
    ClientToScreen(window_, &point);
    return point;
}

RECT BrowserUnderTest::PageRect() const {
    RECT client = {};
    GetClientRect(window_, &client);
    POINT topLeft = {client.left, client.top};
    POINT bottomRight = {client.right, client.bottom};
    ClientToScreen(window_, &topLeft);
    ClientToScreen(window_, &bottomRight);
    RECT bar = {};
    GetWindowRect(addressBar_, &bar);
    return RECT{topLeft.x, std::max(topLeft.y, bar.bottom + 2), bottomRight.x, bottomRight.y};
}

bool BrowserUnderTest::AddressFullySelected() const {
    DWORD_PTR selection = 0;
    if (!SendMessageTimeoutW(addressBar_, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, kStepTimeoutMs, &selection)) return false;
    const size_t start = LOWORD(selection);
    const size_t end = HIWORD(selection);
    return start == 0 && end == AddressText().size();
}

HWND BrowserUnderTest::MessageBoxCaptioned(const std::wstring& caption) const {
    return DialogBoxCaptioned(process_.dwProcessId, caption);
}

bool BrowserUnderTest::Running() const { return process_.hProcess != nullptr && !HasExited(process_.hProcess); }

bool BrowserUnderTest::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (process_.hProcess == nullptr || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process_.hProcess, exitCode) != FALSE;
}
