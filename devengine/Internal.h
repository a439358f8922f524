// devengine's shared internals: the engine state, the view record, the COM
// object base and the counted reference to the browser's handler objects.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "devengine/DevEngine.h"

namespace devengine {

class ControllerObject;
class WebViewObject;
struct ViewState;

// The engine's process-wide state. Never destroyed, so that engine objects the
// browser releases during static destruction still find it.
struct EngineState {
    Knobs knobs;
    std::vector<std::shared_ptr<ViewState>> views;
    int nextViewId = 1;
    INT64 nextToken = 1;
    std::map<std::wstring, std::wstring> pageTitles;
    std::vector<EnvironmentRequest> environmentRequests;
    std::vector<std::wstring> log;
    HANDLE logFile = INVALID_HANDLE_VALUE;
    long liveObjects = 0;
    long handlerAddRefs = 0;
    long handlerReleases = 0;
};
EngineState& State();

// A reference the engine holds on one of the browser's handler objects; every
// AddRef and Release it makes is counted.
template <typename T>
class Held {
public:
    Held() = default;
    explicit Held(T* object) : object_(object) {
        if (object_ == nullptr) return;
        object_->AddRef();
        ++State().handlerAddRefs;
    }
    Held(const Held& other) : Held(other.object_) {}
    Held(Held&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    Held& operator=(Held other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Held() { Reset(); }

    void Reset() {
        T* object = std::exchange(object_, nullptr);
        if (object == nullptr) return;
        ++State().handlerReleases;
        object->Release();
    }
    T* Get() const { return object_; }

private:
    T* object_ = nullptr;
};

// The registered handlers of one event, by token.
template <typename T>
struct HandlerList {
    std::vector<std::pair<INT64, Held<T>>> entries;

    HRESULT Add(T* handler, EventRegistrationToken* token) {
        if (handler == nullptr) return E_INVALIDARG;
        const INT64 value = State().nextToken++;
        entries.emplace_back(value, Held<T>(handler));
        if (token != nullptr) token->value = value;
        return S_OK;
    }
    void Remove(EventRegistrationToken token) {
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->first == token.value) {
                entries.erase(it);
                return;
            }
        }
    }
    // A copy to invoke from, so that handlers may close the view meanwhile.
    std::vector<Held<T>> Snapshot() const {
        std::vector<Held<T>> handlers;
        for (const auto& entry : entries) handlers.push_back(entry.second);
        return handlers;
    }
};

// One page of a view's back/forward list.
struct PageEntry {
    std::wstring source;
    std::wstring title;
    std::wstring html;  // set for pages given by NavigateToString
};

// One view: a controller, its web view and its page window. Shared by the
// registry and the view's COM objects.
struct ViewState {
    int id = 0;
    HWND parent = nullptr;
    HWND page = nullptr;
    std::vector<PageEntry> entries = {PageEntry{L"about:blank", L"", L""}};
    size_t current = 0;
    bool initialBlank = true;  // entries holds only the fresh page, which the first navigation replaces
    bool visible = true;
    RECT bounds = {};
    bool closed = false;
    std::vector<std::wstring> calls;
    ControllerObject* controller = nullptr;  // cleared when the object goes
    WebViewObject* webView = nullptr;        // cleared when the object goes
    HandlerList<ICoreWebView2WebMessageReceivedEventHandler> webMessageHandlers;
    HandlerList<ICoreWebView2DocumentTitleChangedEventHandler> titleHandlers;
    HandlerList<ICoreWebView2SourceChangedEventHandler> sourceHandlers;
    HandlerList<ICoreWebView2AcceleratorKeyPressedEventHandler> acceleratorHandlers;
};
using ViewPtr = std::shared_ptr<ViewState>;

// Base of the engine's COM objects: QueryInterface answers Interface and
// IUnknown only; live objects are counted. All on the UI thread, so plain
// counters do.
template <typename Interface>
class ComObject : public Interface {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (riid == __uuidof(Interface) || riid == __uuidof(IUnknown)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refCount_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG remaining = --refCount_;
        if (remaining == 0) delete this;
        return static_cast<ULONG>(remaining);
    }

protected:
    ComObject() { ++State().liveObjects; }
    virtual ~ComObject() { --State().liveObjects; }

private:
    LONG refCount_ = 1;
};

// Creates an object with one reference, owned by the returned pointer.
// (Not ComPtr::Attach: mingw's adds a reference.)
template <typename Object, typename... Args>
Microsoft::WRL::ComPtr<Object> MakeObject(Args&&... args) {
    Microsoft::WRL::ComPtr<Object> object;
    *object.GetAddressOf() = new Object(std::forward<Args>(args)...);
    return object;
}

const HRESULT kClosedResult = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);

// Log.cpp
void Log(const std::wstring& line);
// Records a call the browser made on a view, in its call log and the engine log.
void LogCall(ViewState& view, const std::wstring& call);
// Logs a call made on a closed view and returns kClosedResult.
HRESULT ClosedCall(ViewState& view, const wchar_t* call);
std::wstring HexResult(HRESULT hr);
// A CoTaskMemAlloc'ed copy of text for an out string.
HRESULT CopyOut(const std::wstring& text, LPWSTR* out);

// add_ and remove_ of an event on a view.
template <typename T>
HRESULT AddHandler(ViewState& view, HandlerList<T>& list, const wchar_t* call, T* handler,
                   EventRegistrationToken* token) {
    if (view.closed) return ClosedCall(view, call);
    LogCall(view, call);
    return list.Add(handler, token);
}
template <typename T>
HRESULT RemoveHandler(ViewState& view, HandlerList<T>& list, const wchar_t* call, EventRegistrationToken token) {
    if (view.closed) return ClosedCall(view, call);
    LogCall(view, call);
    list.Remove(token);
    return S_OK;
}

// A getter on a view: `value` into *out.
template <typename T>
HRESULT GetValue(ViewState& view, const wchar_t* call, T* out, T value) {
    if (view.closed) return ClosedCall(view, call);
    if (out == nullptr) return E_POINTER;
    *out = value;
    return S_OK;
}

// An event of a view (the object's view_): add_ and remove_ on its handler list.
#define DEVENGINE_EVENT(Name, HandlerType, handlers)                                                       \
    HRESULT STDMETHODCALLTYPE add_##Name(HandlerType* handler, EventRegistrationToken* token) override {      \
        return AddHandler(*view_, view_->handlers, L"add_" #Name, handler, token);                            \
    }                                                                                                         \
    HRESULT STDMETHODCALLTYPE remove_##Name(EventRegistrationToken token) override {                          \
        return RemoveHandler(*view_, view_->handlers, L"remove_" #Name, token);                               \
    }

// An event the browser never uses: its add_ and remove_ slots answer E_NOTIMPL.
#define DEVENGINE_UNUSED_EVENT(Name, HandlerType)                                                         \
    HRESULT STDMETHODCALLTYPE add_##Name(HandlerType*, EventRegistrationToken*) override { return E_NOTIMPL; } \
    HRESULT STDMETHODCALLTYPE remove_##Name(EventRegistrationToken) override { return E_NOTIMPL; }

// Dispatcher.cpp: runs `task` later from the thread's message loop. A task
// bound to a view is dropped when the view closes (or is closed already).
void Post(std::function<void()> task, const ViewPtr& view = nullptr, DWORD delayMs = 0);
// Post for a controller completion, which ReorderControllerCompletions may move.
void PostControllerCompletion(std::function<void()> task, DWORD delayMs);
void DropViewTasks(const ViewState& view);
void DropPendingTasks();
HINSTANCE ThisModule();
// A hidden message-only window of a class of this module's own.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC windowProc, const wchar_t* title);

// Views.cpp
ViewPtr CreateView(HWND parent);
ViewPtr FindView(int id);
// The view if it exists and is open, else null.
ViewPtr OpenView(int id);
// Closes the view: page window, handlers and pending events go.
void CloseView(ViewState& view, const wchar_t* why);
Microsoft::WRL::ComPtr<ICoreWebView2> WebViewFor(const ViewPtr& view);

// Controller.cpp / WebView.cpp
Microsoft::WRL::ComPtr<ICoreWebView2Controller> MakeController(const ViewPtr& view);
Microsoft::WRL::ComPtr<ICoreWebView2> MakeWebView(const ViewPtr& view);
ICoreWebView2Controller* ControllerInterface(ControllerObject* controller);
ICoreWebView2* WebViewInterface(WebViewObject* webView);

// PageModel.cpp
std::wstring CurrentSource(const ViewState& view);
std::wstring CurrentTitle(const ViewState& view);
const std::wstring& CurrentHtml(const ViewState& view);
bool IsNewTabPage(const ViewState& view);
PageEntry PageForUrl(const std::wstring& url);
PageEntry PageForHtml(const std::wstring& html);
// Queues a navigation to `page`, a new document after the current entry.
void QueueNavigation(const ViewPtr& view, const PageEntry& page);
// Queues a move of `step` entries along the back/forward list.
void QueueHistoryStep(const ViewPtr& view, int step);
// Queues a reload: a local file's page takes its title from the file again.
void QueueReload(const ViewPtr& view);
void QueueTitleChange(const ViewPtr& view, const std::wstring& title);

// PageWindow.cpp
HWND CreatePageWindow(HWND parent, const ViewPtr& view);
void RefreshPageWindow(const ViewState& view);

// EventArgs.cpp: fire an event on the view's handlers now.
void FireSourceChanged(const ViewPtr& view, bool isNewDocument);
void FireTitleChanged(const ViewPtr& view);
struct WebMessage {
    std::wstring json;
    bool isString = false;
    std::wstring text;  // the string, when isString
};
WebMessage StringMessage(const std::wstring& text);
void QueueWebMessage(const ViewPtr& view, const WebMessage& message);
struct KeyEvent {
    COREWEBVIEW2_KEY_EVENT_KIND kind = COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN;
    UINT virtualKey = 0;
    INT lParam = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};
void QueueAcceleratorKey(const ViewPtr& view, const KeyEvent& key);

// Knobs.cpp
void LoadKnobsFromEnvironment();

}  // namespace devengine
