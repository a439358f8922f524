// The event argument objects and the firing of events on a view's handlers.
#include "devengine/Internal.h"

#include <cstdio>

namespace devengine {
namespace {

class WebMessageArgs final : public ComObject<ICoreWebView2WebMessageReceivedEventArgs> {
public:
    WebMessageArgs(std::wstring source, WebMessage message) : source_(std::move(source)), message_(std::move(message)) {}

    HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* source) override {
        if (source == nullptr) return E_POINTER;
        return CopyOut(source_, source);
    }
    HRESULT STDMETHODCALLTYPE get_WebMessageAsJson(LPWSTR* webMessageAsJson) override {
        if (webMessageAsJson == nullptr) return E_POINTER;
        return CopyOut(message_.json, webMessageAsJson);
    }
    HRESULT STDMETHODCALLTYPE TryGetWebMessageAsString(LPWSTR* webMessageAsString) override {
        if (webMessageAsString == nullptr) return E_POINTER;
        *webMessageAsString = nullptr;
        if (!message_.isString) return E_INVALIDARG;
        return CopyOut(message_.text, webMessageAsString);
    }

private:
    std::wstring source_;
    WebMessage message_;
};

class SourceChangedArgs final : public ComObject<ICoreWebView2SourceChangedEventArgs> {
public:
    explicit SourceChangedArgs(bool isNewDocument) : isNewDocument_(isNewDocument) {}

    HRESULT STDMETHODCALLTYPE get_IsNewDocument(BOOL* isNewDocument) override {
        return ValueOut<BOOL>(isNewDocument_ ? TRUE : FALSE, isNewDocument);
    }

private:
    bool isNewDocument_;
};

class AcceleratorKeyArgs final : public ComObject<ICoreWebView2AcceleratorKeyPressedEventArgs> {
public:
    AcceleratorKeyArgs(ViewPtr view, const KeyEvent& key) : view_(std::move(view)), key_(key) {}

    HRESULT STDMETHODCALLTYPE get_KeyEventKind(COREWEBVIEW2_KEY_EVENT_KIND* keyEventKind) override {
        return ValueOut<COREWEBVIEW2_KEY_EVENT_KIND>(key_.kind, keyEventKind);
    }
    HRESULT STDMETHODCALLTYPE get_VirtualKey(UINT* virtualKey) override {
        return ValueOut<UINT>(key_.virtualKey, virtualKey);
    }
    HRESULT STDMETHODCALLTYPE get_KeyEventLParam(INT* lParam) override {
        return ValueOut<INT>(key_.lParam, lParam);
    }
    HRESULT STDMETHODCALLTYPE get_PhysicalKeyStatus(COREWEBVIEW2_PHYSICAL_KEY_STATUS* status) override {
        if (status == nullptr) return E_POINTER;
        const auto bits = static_cast<UINT32>(key_.lParam);
        status->RepeatCount = bits & 0xFFFF;
        status->ScanCode = (bits >> 16) & 0xFF;
        status->IsExtendedKey = (bits >> 24) & 1;
        status->IsMenuKeyDown = (bits >> 29) & 1;
        status->WasKeyDown = (bits >> 30) & 1;
        status->IsKeyReleased = (bits >> 31) & 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) override {
        return ValueOut<BOOL>(handled_, handled);
    }
    HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) override {
        LogCall(*view_, handled ? L"put_Handled 1" : L"put_Handled 0");
        handled_ = handled;
        return S_OK;
    }

private:
    ViewPtr view_;
    KeyEvent key_;
    BOOL handled_ = FALSE;
};

// The JSON form of a string.
std::wstring JsonString(const std::wstring& text) {
    std::wstring json = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            json += L'\\';
            json += c;
        } else if (c < 0x20) {
            wchar_t escape[8];
            swprintf(escape, 8, L"\\u%04x", static_cast<unsigned>(c));
            json += escape;
        } else {
            json += c;
        }
    }
    return json + L"\"";
}

void FireWebMessage(const ViewPtr& view, const WebMessage& message) {
    Fire(view, kWebMessageReceived, MakeObject<WebMessageArgs>(CurrentSource(*view), message).Get(), message.json);
}

// Sets the thread's keyboard state of one modifier (left and generic keys).
void SetModifier(BYTE* state, int genericKey, int leftKey, bool down) {
    for (const int key : {genericKey, leftKey}) {
        state[key] = static_cast<BYTE>((state[key] & 0x01) | (down ? 0x80 : 0x00));
    }
}

void FireAcceleratorKey(const ViewPtr& view, const KeyEvent& key) {
    const auto args = MakeObject<AcceleratorKeyArgs>(view, key);
    // The browser's handler reads the modifiers with GetKeyState, as it would
    // while the real engine holds the key.
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE pressed[256];
    memcpy(pressed, saved, sizeof(pressed));
    SetModifier(pressed, VK_CONTROL, VK_LCONTROL, key.ctrl);
    SetModifier(pressed, VK_SHIFT, VK_LSHIFT, key.shift);
    SetModifier(pressed, VK_MENU, VK_LMENU, key.alt);
    SetKeyboardState(pressed);
    Fire(view, kAcceleratorKeyPressed, args.Get(),
         L"kind=" + std::to_wstring(key.kind) + L" vk=" + std::to_wstring(key.virtualKey) +
             L" ctrl=" + std::to_wstring(key.ctrl) + L" shift=" + std::to_wstring(key.shift) +
             L" alt=" + std::to_wstring(key.alt));
    SetKeyboardState(saved);
    // Escape that the browser leaves to the page takes a full-screen page out of it.
    BOOL handled = FALSE;
    args->get_Handled(&handled);
    if (!handled && key.virtualKey == VK_ESCAPE && key.kind == COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN) {
        SetFullScreen(view, false);
    }
}

}  // namespace

void FireSourceChanged(const ViewPtr& view, bool isNewDocument) {
    Fire(view, kSourceChanged, MakeObject<SourceChangedArgs>(isNewDocument).Get(), CurrentSource(*view));
}

void FireHistoryChanged(const ViewPtr& view) {
    const std::wstring detail = std::wstring(L"back=") + (CanGoBack(*view) ? L"1" : L"0") +
                                L" forward=" + (CanGoForward(*view) ? L"1" : L"0");
    Fire(view, kHistoryChanged, nullptr, detail);
}

void FireTitleChanged(const ViewPtr& view) {
    Fire(view, kDocumentTitleChanged, nullptr, CurrentTitle(*view));
}

WebMessage StringMessage(const std::wstring& text) { return WebMessage{JsonString(text), true, text}; }

void QueueWebMessage(const ViewPtr& view, const WebMessage& message) {
    WebMessage sent = message;
    if (sent.isString && State().knobs.nonStringMessages) {
        sent = WebMessage{L"{\"message\":" + message.json + L"}", false, L""};
    }
    Post([view, sent]() { FireWebMessage(view, sent); }, view);
}

void QueueAcceleratorKey(const ViewPtr& view, const KeyEvent& key) {
    Post([view, key]() { FireAcceleratorKey(view, key); }, view);
}

bool TriggerWebMessage(int id, const std::wstring& text) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    QueueWebMessage(view, StringMessage(text));
    return true;
}

bool TriggerNonStringWebMessage(int id, const std::wstring& json) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    QueueWebMessage(view, WebMessage{json, false, L""});
    return true;
}

bool TriggerAcceleratorKey(int id, COREWEBVIEW2_KEY_EVENT_KIND kind, UINT virtualKey, bool ctrl, bool shift) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    const bool released = kind == COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP || kind == COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP;
    const bool system = kind == COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN || kind == COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP;
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    UINT32 lParam = 1 | ((scanCode & 0xFF) << 16);
    if (system) lParam |= 1u << 29;
    if (released) lParam |= (1u << 30) | (1u << 31);
    KeyEvent key;
    key.kind = kind;
    key.virtualKey = virtualKey;
    key.lParam = static_cast<INT>(lParam);
    key.ctrl = ctrl;
    key.shift = shift;
    key.alt = system;
    QueueAcceleratorKey(view, key);
    return true;
}

}  // namespace devengine
