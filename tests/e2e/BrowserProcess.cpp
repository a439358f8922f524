#include "BrowserProcess.h"

#include "LinuxShell.h"
#include "Polling.h"
#include "RemoteWindows.h"

#include <cwchar>

namespace {

const wchar_t kBrowserProgram[] = L"velquin.exe";
const wchar_t kEngineLibrary[] = L"WebView2Loader.dll";
const wchar_t kEngineVariablePrefix[] = L"VELQUIN_DEVENGINE_";
// A cold Wine server takes seconds to start a process's window.
const DWORD kStartTimeoutMs = 30000;

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    return SameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// This process's environment without the engine's variables, then `extra`, as
// a block for CreateProcessW: "name=value\0" entries ending with one more zero.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& extra) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        if (StartsWithIgnoringCase(entry, kEngineVariablePrefix)) continue;
        block += entry;
        block += L'\0';
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& variable : extra) {
        block += variable.first + L"=" + variable.second;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

// `folder` extended with nested folders until its path is at least `length` long.
std::wstring PaddedFolder(std::wstring folder, size_t length) {
    const std::wstring segment = L"\\a-folder-whose-name-makes-the-install-path-long";
    for (int i = 0; folder.size() < length; ++i) folder += segment + std::to_wstring(i);
    return folder;
}

HWND FindMainWindow(DWORD processId) {
    for (HWND window : VisibleTopLevelWindows(processId)) {
        if (!IsDialogBox(window)) return window;
    }
    return nullptr;
}

std::wstring ProgramPathOf(DWORD processId) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return std::wstring();
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, &path[0], &size)) size = 0;
    CloseHandle(process);
    path.resize(size);
    return path;
}

// The process of `program` that shows a main window, or 0.
DWORD ProcessShowingMainWindow(const std::wstring& program) {
    for (HWND window = FindWindowExW(nullptr, nullptr, L"TabBrowserClass", nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"TabBrowserClass", nullptr)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (SameIgnoringCase(ProgramPathOf(processId), program)) return processId;
    }
    return 0;
}

bool HasExited(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) break;  // a line still being written
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

BrowserProcess::BrowserProcess(const LaunchOptions& options) {
    if (!Install(options) || !Start(options)) return;
    const bool shown = WaitUntil([this] {
        window_ = FindMainWindow(info_.dwProcessId);
        return window_ != nullptr || HasExited(info_.hProcess);
    }, kStartTimeoutMs);
    if (window_ == nullptr) error_ = shown ? L"velquin.exe ended without a window" : L"no main window appeared";
}

BrowserProcess::~BrowserProcess() {
    if (info_.hProcess == nullptr) return;
    if (!HasExited(info_.hProcess)) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kStepTimeoutMs);
    }
    if (info_.hThread != nullptr) CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool BrowserProcess::Install(const LaunchOptions& options) {
    const std::wstring programs = BuiltProgramsFolder();
    installFolder_ = PaddedFolder(scratch_.Path() + L"\\app", options.installPathLength);
    logPath_ = scratch_.Path() + L"\\engine.log";
    if (!CreateFolders(installFolder_)) {
        error_ = L"cannot create " + installFolder_;
        return false;
    }
    if (!CopyFileInto(kBrowserProgram, programs, installFolder_) ||
        (options.withEngine && !CopyFileInto(kEngineLibrary, programs, installFolder_))) {
        error_ = L"cannot copy the programs from " + programs;
        return false;
    }
    return true;
}

bool BrowserProcess::Start(const LaunchOptions& options) {
    auto environment = options.environment;
    environment.emplace_back(L"VELQUIN_DEVENGINE_LOG", logPath_);
    std::wstring block = EnvironmentBlock(environment);
    const std::wstring program = installFolder_ + L"\\" + kBrowserProgram;
    if (program.size() >= MAX_PATH) return StartThroughWine(program, block);
    std::wstring commandLine = L"\"" + program + L"\"";

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        &block[0], scratch_.Path().c_str(), &startup, &info_)) {
        error_ = L"CreateProcessW failed with error " + std::to_wstring(GetLastError());
        info_ = PROCESS_INFORMATION();
        return false;
    }
    return true;
}

bool BrowserProcess::StartThroughWine(const std::wstring& program, std::wstring& environment) {
    if (!StartShell(L"cd '" + LinuxPath(scratch_.Path()) + L"' && exec wine '" + LinuxPath(program) + L"'",
                    &environment)) {
        error_ = L"cannot start the Linux shell";
        return false;
    }
    DWORD processId = 0;
    if (!WaitUntil([&] { return (processId = ProcessShowingMainWindow(program)) != 0; }, kStartTimeoutMs)) {
        error_ = L"wine did not start " + program;
        return false;
    }
    info_.dwProcessId = processId;
    info_.hProcess = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                     PROCESS_VM_WRITE | PROCESS_TERMINATE | SYNCHRONIZE,
                                 FALSE, processId);
    if (info_.hProcess == nullptr) error_ = L"cannot open the browser's process";
    return info_.hProcess != nullptr;
}

std::vector<std::wstring> BrowserProcess::EngineLog() const { return SplitLines(ReadUtf8File(logPath_)); }

bool BrowserProcess::SendEngineCommand(const std::wstring& command) const {
    const HWND channel = FindWindowExW(HWND_MESSAGE, nullptr, L"VelquinDevEngineControl",
                                       std::to_wstring(info_.dwProcessId).c_str());
    if (channel == nullptr) return false;
    COPYDATASTRUCT data = {};
    data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(command.c_str());
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               kStepTimeoutMs, &result) != 0 &&
           result == 1;
}

bool BrowserProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, exitCode) != FALSE;
}
