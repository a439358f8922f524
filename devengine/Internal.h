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

struct EnvironmentState;

// The engine's process-wide state. Never destroyed, so that engine objects the
// browser releases during static destruction still find it.
struct EngineState {
    Knobs knobs;
    // Every environment since the last Reset, in creation order; each owns its views.
    std::vector<std::shared_ptr<EnvironmentState>> environments;
    int nextEnvironmentId = 1;
    int nextViewId = 1;
    INT64 nextToken = 1;
    UINT64 nextNavigationId = 1;
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

// The handlers registered on one view, for all its events, in registration
// order, each found by its event's name.
class EventHandlers {
public:
    HRESULT Add(const wchar_t* event, IUnknown* handler, EventRegistrationToken* token) {
        if (handler == nullptr) return E_INVALIDARG;
        const INT64 value = State().nextToken++;
        entries_.push_back(Entry{event, value, Held<IUnknown>(handler)});
        if (token != nullptr) token->value = value;
        return S_OK;
    }
    void Remove(const wchar_t* event, EventRegistrationToken token) {
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->token == token.value && it->event == event) {
                entries_.erase(it);
                return;
            }
        }
    }
    // A copy to invoke from, so that handlers may close the view meanwhile.
    std::vector<Held<IUnknown>> Snapshot(const wchar_t* event) const {
        std::vector<Held<IUnknown>> handlers;
        for (const Entry& entry : entries_) {
            if (entry.event == event) handlers.push_back(entry.handler);
        }
        return handlers;
    }
    // Lets every handler go. They are moved out first: releasing one may call
    // back into the engine.
    void Clear() {
        std::vector<Entry> released = std::move(entries_);
        entries_.clear();
        released.clear();
    }

private:
    struct Entry {
        std::wstring event;
        INT64 token;
        Held<IUnknown> handler;
    };
    std::vector<Entry> entries_;
};

// One page of a view's back/forward list.
struct PageEntry {
    std::wstring source;
    std::wstring title;
    std::wstring html;  // set for pages given by NavigateToString
};

// One view: a controller, its web view and its page window. Owned by its
// environment, shared with the view's COM objects.
//
// A view ends either closed (Close, its controller released, its parent window
// destroyed: the page window and the handlers go) or failed (its environment's
// browser process exited: every call fails, but the objects, the handlers and
// the page window stay until the browser closes or releases them).
struct ViewState {
    int id = 0;
    std::weak_ptr<EnvironmentState> environment;
    HWND parent = nullptr;
    HWND page = nullptr;
    std::vector<PageEntry> entries = {PageEntry{L"about:blank", L"", L""}};
    size_t current = 0;
    bool initialBlank = true;  // entries holds only the fresh page, which the first navigation replaces
    bool navigated = false;    // a navigation was asked of it: it can no longer take a new-window request
    bool visible = true;
    RECT bounds = {};
    double zoomFactor = 1.0;  // the controller's ZoomFactor: kept across navigations, 1.0 for a new view
    bool closed = false;
    bool failed = false;
    UINT64 navigationId = 0;           // the top-level navigation under way (started, not completed); 0: none
    std::function<void()> heldArrival;  // a held navigation's page, brought by ReleaseNavigation
    bool fullScreen = false;            // an element of the page is full screen
    std::wstring faviconUri;            // the page's icon; empty: it has none
    std::string faviconBytes;           // what GetFavicon's stream holds: a PNG, or bytes that are no image
    bool playingAudio = false;          // the page plays sound
    bool muted = false;                 // stays across navigations
    bool suspended = false;             // TrySuspend succeeded; showing the view or Resume wakes it
    COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL memoryLevel = COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL;
    bool findActive = false;            // a find was started and not stopped
    std::vector<std::wstring> calls;
    ControllerObject* controller = nullptr;  // cleared when the object goes
    WebViewObject* webView = nullptr;        // cleared when the object goes
    EventHandlers handlers;
};
using ViewPtr = std::shared_ptr<ViewState>;

// One environment: the views it created. A browser-process exit fails it and
// every view it owns; a new environment is not affected.
struct EnvironmentState {
    int id = 0;
    bool failed = false;
    std::vector<ViewPtr> views;
};
using EnvironmentPtr = std::shared_ptr<EnvironmentState>;

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

// What every call on a closed view fails with, and on a failed one (whose
// browser process is gone).
const HRESULT kClosedResult = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
const HRESULT kFailedResult = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);

// Log.cpp
void Log(const std::wstring& line);
// Records a call the browser made on a view, in its call log and the engine log.
void LogCall(ViewState& view, const std::wstring& call);
// Closed or failed: every call but a failed view's Close fails.
bool IsDead(const ViewState& view);
// Logs a call made on a dead view, marked " [closed]" or " [failed]", and
// returns kClosedResult or kFailedResult.
HRESULT DeadCall(ViewState& view, const std::wstring& call);
std::wstring HexResult(HRESULT hr);
// A CoTaskMemAlloc'ed copy of text for an out string.
HRESULT CopyOut(const std::wstring& text, LPWSTR* out);

// add_ and remove_ of an event on a view.
HRESULT AddHandler(ViewState& view, const wchar_t* event, IUnknown* handler, EventRegistrationToken* token);
HRESULT RemoveHandler(ViewState& view, const wchar_t* event, EventRegistrationToken token);

// An event argument's getter: `value` into *out.
template <typename T>
HRESULT ValueOut(T value, T* out) {
    if (out == nullptr) return E_POINTER;
    *out = value;
    return S_OK;
}

// A getter on a view: `value` into *out.
template <typename T>
HRESULT GetValue(ViewState& view, const wchar_t* call, T* out, T value) {
    if (IsDead(view)) return DeadCall(view, call);
    return ValueOut(value, out);
}

// An event slot pair of a view's object (its view_): add_ and remove_ keep the
// handler under the event's name. Every event slot takes handlers; the events
// declared in Events.h are the ones that fire. Handler interfaces the browser
// never implements are only forward declared, so the handler is kept as the
// IUnknown it is by the COM binary standard.
#define DEVENGINE_EVENT(Name, HandlerType)                                                                   \
    HRESULT STDMETHODCALLTYPE add_##Name(HandlerType* handler, EventRegistrationToken* token) override {      \
        return AddHandler(*view_, L"" #Name, reinterpret_cast<IUnknown*>(handler), token);                          \
    }                                                                                                         \
    HRESULT STDMETHODCALLTYPE remove_##Name(EventRegistrationToken token) override {                          \
        return RemoveHandler(*view_, L"" #Name, token);                                                       \
    }

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
// A new view of `environment`, which owns it.
ViewPtr CreateView(const EnvironmentPtr& environment, HWND parent);
ViewPtr FindView(int id);
// Every view of every environment, by id.
std::vector<ViewPtr> AllViews();
// The view if it exists and is neither closed nor failed, else null.
ViewPtr OpenView(int id);
// Closes the view: page window, handlers and pending events go.
void CloseView(ViewState& view, const wchar_t* why);

// ProcessFailures.cpp: the environment's browser process exits. It and each of
// its open views fail, their pending events go, and each raises ProcessFailed.
void FailEnvironment(EnvironmentState& environment);

// NewWindows.cpp: forgets every request (Reset).
void ForgetNewWindowRequests();
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
// Whether the back/forward list has an entry before / after the current one.
bool CanGoBack(const ViewState& view);
bool CanGoForward(const ViewState& view);
PageEntry PageForUrl(const std::wstring& url);
PageEntry PageForHtml(const std::wstring& html);
// Queues a navigation to `page`, a new document after the current entry.
void QueueNavigation(const ViewPtr& view, const PageEntry& page);
// Queues a move of `step` entries along the back/forward list.
void QueueHistoryStep(const ViewPtr& view, int step);
// Queues a reload: a local file's page takes its title from the file again.
void QueueReload(const ViewPtr& view);
void QueueTitleChange(const ViewPtr& view, const std::wstring& title);

// Navigation.cpp: the events that bracket a top-level navigation.
// Starts one to `uri`: a navigation still under way ends unsuccessfully first
// (after this one's start, from the queue, with the late_replaced_completion
// knob), NavigationStarting fires, and `arrive` (the page arriving) runs now, or, with
// the hold_navigations knob, when ReleaseNavigation brings it. A handler that
// cancels it ends it at once, unsuccessfully, and `arrive` never runs.
void StartNavigation(const ViewPtr& view, const std::wstring& uri, std::function<void()> arrive);
// Ends navigation `navigationId` if it is still the one under way:
// NavigationCompleted fires with the outcome.
void CompleteNavigation(const ViewPtr& view, UINT64 navigationId, bool success,
                        COREWEBVIEW2_WEB_ERROR_STATUS status = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN);
// Stop: a navigation under way ends unsuccessfully, from the queue; a held
// page never arrives.
void StopNavigation(const ViewPtr& view);
// The page's process is gone: the navigation under way is dropped without an event.
void DropNavigation(ViewState& view);

// FullScreen.cpp: an element of the page enters or leaves full screen;
// ContainsFullScreenElementChanged fires when that changes anything.
void SetFullScreen(const ViewPtr& view, bool fullScreen);
// ExecuteScript: logged; its completion handler is invoked from the queue.
// "document.exitFullscreen()" takes a full-screen page out of it.
HRESULT ExecuteScript(const ViewPtr& view, LPCWSTR script, ICoreWebView2ExecuteScriptCompletedHandler* handler);

// PageFeatures.cpp: a new document has no icon and plays no sound (the
// events fire when that changes anything).
void ForgetPageFeatures(const ViewPtr& view);
// The page's icon (an empty `uri` for none) and whether it plays sound; each
// event fires when that changes anything.
void SetFavicon(const ViewPtr& view, const std::wstring& uri, const std::string& bytes);
void SetPlayingAudio(const ViewPtr& view, bool playing);
// The web view's modelled slots of the later interfaces.
HRESULT GetFaviconUri(ViewState& view, LPWSTR* uri);
HRESULT GetFavicon(const ViewPtr& view, COREWEBVIEW2_FAVICON_IMAGE_FORMAT format,
                   ICoreWebView2GetFaviconCompletedHandler* handler);
HRESULT PutIsMuted(const ViewPtr& view, BOOL muted);
HRESULT TrySuspend(const ViewPtr& view, ICoreWebView2TrySuspendCompletedHandler* handler);
HRESULT Resume(ViewState& view);
HRESULT PutMemoryUsageTargetLevel(ViewState& view, COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL level);
HRESULT ShowPrintUI(ViewState& view, COREWEBVIEW2_PRINT_DIALOG_KIND kind);
HRESULT GetFind(const ViewPtr& view, ICoreWebView2Find** find);
// The environment's CreateFindOptions.
HRESULT CreateFindOptions(ICoreWebView2FindOptions** options);

// PageWindow.cpp
HWND CreatePageWindow(HWND parent, const ViewPtr& view);
void RefreshPageWindow(const ViewState& view);

// EventArgs.cpp: fire an event on the view's handlers now.
void FireSourceChanged(const ViewPtr& view, bool isNewDocument);
void FireTitleChanged(const ViewPtr& view);
// HistoryChanged, with the back/forward list's state in its log line.
void FireHistoryChanged(const ViewPtr& view);
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

#include "devengine/Events.h"
