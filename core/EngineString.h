// A string returned by the engine: UTF-16, allocated with the COM task
// allocator and owned by the caller. EngineString frees it when it goes out of
// scope, on every path.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <string>

class EngineString {
public:
    EngineString() = default;
    ~EngineString() { CoTaskMemFree(text_); }

    EngineString(const EngineString&) = delete;
    EngineString& operator=(const EngineString&) = delete;

    // The out parameter to pass to the engine call.
    LPWSTR* Out() { return &text_; }

    bool IsNull() const { return text_ == nullptr; }
    std::wstring Copy() const { return text_ ? std::wstring(text_) : std::wstring(); }

private:
    LPWSTR text_ = nullptr;
};
