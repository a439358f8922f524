// The engine log (in memory and, if set, a file) and small helpers for calls:
// calls on dead views, handler registration, out strings.
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

bool IsDead(const ViewState& view) { return view.closed || view.failed; }

HRESULT DeadCall(ViewState& view, const std::wstring& call) {
    LogCall(view, call + (view.closed ? L" [closed]" : L" [failed]"));
    return view.closed ? kClosedResult : kFailedResult;
}

HRESULT AddHandler(ViewState& view, const wchar_t* event, IUnknown* handler, EventRegistrationToken* token) {
    const std::wstring call = std::wstring(L"add_") + event;
    if (IsDead(view)) return DeadCall(view, call);
    LogCall(view, call);
    return view.handlers.Add(event, handler, token);
}

HRESULT RemoveHandler(ViewState& view, const wchar_t* event, EventRegistrationToken token) {
    const std::wstring call = std::wstring(L"remove_") + event;
    if (IsDead(view)) return DeadCall(view, call);
    LogCall(view, call);
    view.handlers.Remove(event, token);
    return S_OK;
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
