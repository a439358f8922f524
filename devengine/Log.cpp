// The engine log (in memory and, if set, a file) and small helpers for calls.
#include "devengine/Internal.h"

#include <cstdio>

namespace devengine {

void Log(const std::wstring& line) {
    EngineState& state = State();
    state.log.push_back(line);
    if (state.logFile == INVALID_HANDLE_VALUE) return;
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(state.logFile, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void LogCall(ViewState& view, const std::wstring& call) {
    view.calls.push_back(call);
    Log(L"view " + std::to_wstring(view.id) + L" " + call);
}

HRESULT ClosedCall(ViewState& view, const wchar_t* call) {
    LogCall(view, std::wstring(call) + L" [closed]");
    return kClosedResult;
}

std::wstring HexResult(HRESULT hr) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

HRESULT CopyOut(const std::wstring& text, LPWSTR* out) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    *out = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (*out == nullptr) return E_OUTOFMEMORY;
    memcpy(*out, text.c_str(), bytes);
    return S_OK;
}

std::vector<std::wstring> EngineLog() { return State().log; }

void SetLogFile(const std::wstring& path) {
    EngineState& state = State();
    if (state.logFile != INVALID_HANDLE_VALUE) CloseHandle(state.logFile);
    state.logFile = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace devengine
