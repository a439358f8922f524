// The control channel: a message-only window that takes text commands by
// WM_COPYDATA from tests in another process (commands listed in DevEngine.h).
#include "devengine/Internal.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace devengine {
namespace {

// The next blank-separated word of `text` from `*position`.
std::wstring NextWord(const std::wstring& text, size_t* position) {
    const size_t start = text.find_first_not_of(L' ', *position);
    if (start == std::wstring::npos) {
        *position = text.size();
        return L"";
    }
    const size_t end = std::min(text.find(L' ', start), text.size());
    *position = end;
    return text.substr(start, end - start);
}

// The text after the blank that follows the last word read (may be empty).
std::wstring RestOf(const std::wstring& text, size_t position) {
    return position + 1 < text.size() ? text.substr(position + 1) : L"";
}

// A virtual key: a number (65, 0x41) or one letter or digit.
UINT ParseVirtualKey(const std::wstring& word) {
    if (word.size() == 1 && iswalnum(word[0])) return static_cast<UINT>(towupper(word[0]));
    wchar_t* end = nullptr;
    const unsigned long key = wcstoul(word.c_str(), &end, 0);
    return !word.empty() && *end == L'\0' && key < 256 ? static_cast<UINT>(key) : 0;
}

bool RunAcceleratorCommand(int viewId, const std::wstring& text, size_t position) {
    const UINT virtualKey = ParseVirtualKey(NextWord(text, &position));
    if (virtualKey == 0) return false;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool keyUp = false;
    for (std::wstring flag = NextWord(text, &position); !flag.empty(); flag = NextWord(text, &position)) {
        if (flag == L"ctrl") {
            ctrl = true;
        } else if (flag == L"shift") {
            shift = true;
        } else if (flag == L"alt") {
            alt = true;
        } else if (flag == L"keyup") {
            keyUp = true;
        } else {
            return false;
        }
    }
    // With Alt held the key comes as a system key, as WM_SYSKEYDOWN does.
    COREWEBVIEW2_KEY_EVENT_KIND kind = COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN;
    if (keyUp) kind = alt ? COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP : COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP;
    if (!keyUp && alt) kind = COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN;
    return TriggerAcceleratorKey(viewId, kind, virtualKey, ctrl, shift);
}

// favicon <viewId> none | png <rrggbb> <uri> | broken <uri>
bool RunFaviconCommand(int viewId, const std::wstring& text, size_t position) {
    const std::wstring how = NextWord(text, &position);
    if (how == L"none") return NextWord(text, &position).empty() && TriggerFavicon(viewId, L"");
    COLORREF color = 0;
    if (how == L"png") {
        const std::wstring rgb = NextWord(text, &position);
        wchar_t* end = nullptr;
        const unsigned long value = wcstoul(rgb.c_str(), &end, 16);
        if (rgb.size() != 6 || *end != L'\0') return false;
        color = RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    } else if (how != L"broken") {
        return false;
    }
    const std::wstring uri = NextWord(text, &position);
    if (uri.empty()) return false;
    return TriggerFavicon(viewId, uri, how == L"png" ? FaviconContent::kPng : FaviconContent::kNotAnImage, color);
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data == nullptr || data->lpData == nullptr) return 0;
        std::wstring command(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        command.resize(wcsnlen(command.c_str(), command.size()));
        return RunControlCommand(command) ? 1 : 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RunControlCommand(const std::wstring& command) {
    Log(L"control " + command);
    size_t position = 0;
    const std::wstring name = NextWord(command, &position);
    if (name == L"knob") {
        const std::wstring knob = NextWord(command, &position);
        return SetKnob(knob, NextWord(command, &position));
    }
    const std::wstring idWord = NextWord(command, &position);
    wchar_t* end = nullptr;
    const long viewId = wcstol(idWord.c_str(), &end, 10);
    if (idWord.empty() || *end != L'\0') return false;
    const int id = static_cast<int>(viewId);
    if (name == L"title") return TriggerTitleChange(id, RestOf(command, position));
    if (name == L"source") return TriggerSourceChange(id, RestOf(command, position));
    if (name == L"message") return TriggerWebMessage(id, RestOf(command, position));
    if (name == L"message-nonstring") {
        const std::wstring json = RestOf(command, position);
        return json.empty() ? TriggerNonStringWebMessage(id) : TriggerNonStringWebMessage(id, json);
    }
    if (name == L"accel") return RunAcceleratorCommand(id, command, position);
    if (name == L"new-window") {
        const std::wstring uri = NextWord(command, &position);
        return !uri.empty() && TriggerNewWindowRequest(id, uri);
    }
    if (name == L"process-failed") {
        const std::wstring kind = NextWord(command, &position);
        const unsigned long value = wcstoul(kind.c_str(), &end, 10);
        if (kind.empty() || *end != L'\0') return false;
        return TriggerProcessFailure(id, static_cast<COREWEBVIEW2_PROCESS_FAILED_KIND>(value));
    }
    if (name == L"fullscreen") {
        const std::wstring how = NextWord(command, &position);
        if (how != L"enter" && how != L"leave") return false;
        return TriggerFullScreen(id, how == L"enter");
    }
    if (name == L"release-navigation") return ReleaseNavigation(id);
    if (name == L"favicon") return RunFaviconCommand(id, command, position);
    if (name == L"audio") {
        const std::wstring how = NextWord(command, &position);
        if (how != L"start" && how != L"stop") return false;
        return TriggerAudio(id, how == L"start");
    }
    if (name == L"click") {
        const std::wstring where = NextWord(command, &position);
        if (where != L"box" && where != L"page") return false;
        return ClickPage(id, where == L"box");
    }
    return false;
}

HWND StartControlChannel() {
    static HWND window = nullptr;
    if (window == nullptr) {
        const std::wstring processId = std::to_wstring(GetCurrentProcessId());
        window = CreateMessageWindow(L"VelquinDevEngineControl", ControlWindowProc, processId.c_str());
    }
    return window;
}

}  // namespace devengine
