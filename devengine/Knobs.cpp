// The failure knobs: by name for the control channel and the environment
// variables, which the DLL reads at its first environment request.
#include "devengine/Internal.h"

#include <cwchar>
#include <cwctype>

namespace devengine {
namespace {

struct KnobSetter {
    const wchar_t* name;
    void (*set)(Knobs& knobs, unsigned long value);
};

const KnobSetter kKnobSetters[] = {
    {L"create_result", [](Knobs& k, unsigned long v) { k.createResult = static_cast<HRESULT>(v); }},
    {L"environment_result", [](Knobs& k, unsigned long v) { k.environmentResult = static_cast<HRESULT>(v); }},
    {L"null_environment", [](Knobs& k, unsigned long v) { k.nullEnvironment = v != 0; }},
    {L"environment_delay_ms", [](Knobs& k, unsigned long v) { k.environmentDelayMs = v; }},
    {L"controller_result", [](Knobs& k, unsigned long v) { k.controllerResult = static_cast<HRESULT>(v); }},
    {L"request_controller_result",
     [](Knobs& k, unsigned long v) { k.requestControllerResult = static_cast<HRESULT>(v); }},
    {L"null_controller", [](Knobs& k, unsigned long v) { k.nullController = v != 0; }},
    {L"controller_delay_ms", [](Knobs& k, unsigned long v) { k.controllerDelayMs = v; }},
    {L"refused_controller_requests", [](Knobs& k, unsigned long v) { k.refusedControllerRequests = v; }},
    {L"failing_controller_requests", [](Knobs& k, unsigned long v) { k.failingControllerRequests = v; }},
    {L"source_result", [](Knobs& k, unsigned long v) { k.sourceResult = static_cast<HRESULT>(v); }},
    {L"null_source", [](Knobs& k, unsigned long v) { k.nullSource = v != 0; }},
    {L"title_result", [](Knobs& k, unsigned long v) { k.titleResult = static_cast<HRESULT>(v); }},
    {L"null_title", [](Knobs& k, unsigned long v) { k.nullTitle = v != 0; }},
    {L"corewebview2_result", [](Knobs& k, unsigned long v) { k.coreWebView2Result = static_cast<HRESULT>(v); }},
    {L"null_corewebview2", [](Knobs& k, unsigned long v) { k.nullCoreWebView2 = v != 0; }},
    {L"can_go_result", [](Knobs& k, unsigned long v) { k.canGoResult = static_cast<HRESULT>(v); }},
    {L"nonstring_messages", [](Knobs& k, unsigned long v) { k.nonStringMessages = v != 0; }},
    {L"require_sta", [](Knobs& k, unsigned long v) { k.requireSta = v != 0; }},
    {L"new_window_result", [](Knobs& k, unsigned long v) { k.newWindowResult = static_cast<HRESULT>(v); }},
    {L"hold_navigations", [](Knobs& k, unsigned long v) { k.holdNavigations = v != 0; }},
    {L"late_replaced_completion", [](Knobs& k, unsigned long v) { k.lateReplacedCompletion = v != 0; }},
    {L"withhold_favicon", [](Knobs& k, unsigned long v) { k.withholdFavicon = v != 0; }},
    {L"withhold_audio", [](Knobs& k, unsigned long v) { k.withholdAudio = v != 0; }},
    {L"withhold_suspend", [](Knobs& k, unsigned long v) { k.withholdSuspend = v != 0; }},
    {L"withhold_memory_level", [](Knobs& k, unsigned long v) { k.withholdMemoryLevel = v != 0; }},
    {L"withhold_print", [](Knobs& k, unsigned long v) { k.withholdPrint = v != 0; }},
    {L"withhold_find", [](Knobs& k, unsigned long v) { k.withholdFind = v != 0; }},
    {L"favicon_result", [](Knobs& k, unsigned long v) { k.faviconResult = static_cast<HRESULT>(v); }},
    {L"suspend_result", [](Knobs& k, unsigned long v) { k.suspendResult = static_cast<HRESULT>(v); }},
    {L"refuse_suspend", [](Knobs& k, unsigned long v) { k.refuseSuspend = v != 0; }},
};

std::wstring EnvironmentVariable(const std::wstring& name) {
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(name.c_str(), value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

}  // namespace

Knobs& GetKnobs() { return State().knobs; }

void ResetKnobs() { State().knobs = Knobs(); }

bool SetKnob(const std::wstring& name, const std::wstring& value) {
    if (value.empty()) return false;
    wchar_t* end = nullptr;
    const unsigned long number = wcstoul(value.c_str(), &end, 0);
    if (*end != L'\0') return false;
    for (const KnobSetter& setter : kKnobSetters) {
        if (name == setter.name) {
            setter.set(State().knobs, number);
            Log(L"knob " + name + L" " + value);
            return true;
        }
    }
    return false;
}

void LoadKnobsFromEnvironment() {
    const std::wstring logPath = EnvironmentVariable(L"VELQUIN_DEVENGINE_LOG");
    if (!logPath.empty()) SetLogFile(logPath);
    for (const KnobSetter& setter : kKnobSetters) {
        std::wstring variable = L"VELQUIN_DEVENGINE_";
        for (const wchar_t* c = setter.name; *c != L'\0'; ++c) variable += static_cast<wchar_t>(towupper(*c));
        const std::wstring value = EnvironmentVariable(variable);
        if (!value.empty() && !SetKnob(setter.name, value)) Log(L"ignored " + variable + L"=" + value);
    }
}

}  // namespace devengine
