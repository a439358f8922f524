// The events that bracket every top-level navigation: NavigationStarting
// before the page changes, NavigationCompleted once it has arrived, or once
// the navigation was stopped, cancelled or replaced. A held navigation (the
// hold_navigations knob) stays under way until ReleaseNavigation or Stop; a
// replaced one's completion can come late (the late_replaced_completion knob).
#include "devengine/Internal.h"

namespace devengine {
namespace {

class NavigationStartingArgs final : public ComObject<ICoreWebView2NavigationStartingEventArgs> {
public:
    NavigationStartingArgs(std::wstring uri, UINT64 navigationId) : uri_(std::move(uri)), navigationId_(navigationId) {}

    HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) override {
        if (uri == nullptr) return E_POINTER;
        return CopyOut(uri_, uri);
    }
    // Every navigation the browser asks for comes from its own call, not a gesture in the page.
    HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* isUserInitiated) override {
        return ValueOut<BOOL>(FALSE, isUserInitiated);
    }
    HRESULT STDMETHODCALLTYPE get_IsRedirected(BOOL* isRedirected) override {
        return ValueOut<BOOL>(FALSE, isRedirected);
    }
    HRESULT STDMETHODCALLTYPE get_RequestHeaders(ICoreWebView2HttpRequestHeaders**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Cancel(BOOL* cancel) override { return ValueOut<BOOL>(cancel_, cancel); }
    HRESULT STDMETHODCALLTYPE put_Cancel(BOOL cancel) override {
        cancel_ = cancel;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* navigationId) override {
        return ValueOut(navigationId_, navigationId);
    }

    bool Cancelled() const { return cancel_ != FALSE; }

private:
    std::wstring uri_;
    UINT64 navigationId_;
    BOOL cancel_ = FALSE;
};

class NavigationCompletedArgs final : public ComObject<ICoreWebView2NavigationCompletedEventArgs> {
public:
    NavigationCompletedArgs(bool success, COREWEBVIEW2_WEB_ERROR_STATUS status, UINT64 navigationId)
        : success_(success), status_(status), navigationId_(navigationId) {}

    HRESULT STDMETHODCALLTYPE get_IsSuccess(BOOL* isSuccess) override {
        return ValueOut<BOOL>(success_ ? TRUE : FALSE, isSuccess);
    }
    HRESULT STDMETHODCALLTYPE get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS* status) override {
        return ValueOut(status_, status);
    }
    HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* navigationId) override {
        return ValueOut(navigationId_, navigationId);
    }

private:
    bool success_;
    COREWEBVIEW2_WEB_ERROR_STATUS status_;
    UINT64 navigationId_;
};

void FireNavigationCompleted(const ViewPtr& view, UINT64 navigationId, bool success,
                             COREWEBVIEW2_WEB_ERROR_STATUS status) {
    Fire(view, kNavigationCompleted, MakeObject<NavigationCompletedArgs>(success, status, navigationId).Get(),
         L"id=" + std::to_wstring(navigationId) + L" success=" + (success ? L"1" : L"0"));
}

}  // namespace

void StartNavigation(const ViewPtr& view, const std::wstring& uri, std::function<void()> arrive) {
    // A new navigation replaces the one under way: that one ends unsuccessfully
    // now, or, with the late_replaced_completion knob, from the queue, after
    // the new one has started.
    const UINT64 replaced = view->navigationId;
    if (State().knobs.lateReplacedCompletion && replaced != 0) {
        DropNavigation(*view);
        Post([view, replaced]() {
            FireNavigationCompleted(view, replaced, false, COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED);
        }, view);
    } else {
        CompleteNavigation(view, replaced, false, COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED);
    }
    const UINT64 id = State().nextNavigationId++;
    view->navigationId = id;
    const auto args = MakeObject<NavigationStartingArgs>(uri, id);
    Fire(view, kNavigationStarting, args.Get(), L"id=" + std::to_wstring(id) + L" " + uri);
    if (view->navigationId != id) return;  // a handler started another one, or closed the view
    if (args->Cancelled()) {
        CompleteNavigation(view, id, false, COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED);
        return;
    }
    if (State().knobs.holdNavigations) {
        Log(L"view " + std::to_wstring(view->id) + L" navigation " + std::to_wstring(id) + L" held");
        view->heldArrival = std::move(arrive);
        return;
    }
    arrive();
}

void CompleteNavigation(const ViewPtr& view, UINT64 navigationId, bool success, COREWEBVIEW2_WEB_ERROR_STATUS status) {
    if (navigationId == 0 || view->navigationId != navigationId) return;
    view->navigationId = 0;
    view->heldArrival = nullptr;
    FireNavigationCompleted(view, navigationId, success, status);
}

void StopNavigation(const ViewPtr& view) {
    const UINT64 id = view->navigationId;
    if (id == 0) return;
    view->heldArrival = nullptr;
    Post([view, id]() { CompleteNavigation(view, id, false, COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED); }, view);
}

void DropNavigation(ViewState& view) {
    view.navigationId = 0;
    view.heldArrival = nullptr;
}

bool ReleaseNavigation(int id) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr || !view->heldArrival) return false;
    auto arrive = std::move(view->heldArrival);
    view->heldArrival = nullptr;
    // It arrives only if nothing has ended or replaced it meanwhile.
    Post([view, arrive, navigationId = view->navigationId]() {
        if (view->navigationId == navigationId) arrive();
    }, view);
    return true;
}

}  // namespace devengine
