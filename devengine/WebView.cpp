// The web view: navigation, the page's source and title, full screen and
// scripts, the slots of its events, and the modelled slots of its later
// interfaces (PageFeatures.cpp, Find.cpp).
#include "devengine/Internal.h"
#include "devengine/LaterSlots.h"

namespace devengine {

class WebViewObject final : public WebViewSlots {
public:
    explicit WebViewObject(ViewPtr view)
        : WebViewSlots(std::move(view)),
          controller_(view_->controller != nullptr ? ControllerInterface(view_->controller) : nullptr) {
        view_->webView = this;
    }

    HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* uri) override {
        const Knobs& knobs = State().knobs;
        return GetText(L"get_Source", knobs.sourceResult, knobs.nullSource, CurrentSource(*view_), uri);
    }
    HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) override {
        if (IsDead(*view_)) return DeadCall(*view_, L"Navigate");
        if (uri == nullptr) return E_INVALIDARG;
        LogCall(*view_, std::wstring(L"Navigate ") + uri);
        view_->navigated = true;
        QueueNavigation(view_, PageForUrl(uri));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE NavigateToString(LPCWSTR htmlContent) override {
        if (IsDead(*view_)) return DeadCall(*view_, L"NavigateToString");
        if (htmlContent == nullptr) return E_INVALIDARG;
        LogCall(*view_, L"NavigateToString");
        view_->navigated = true;
        QueueNavigation(view_, PageForHtml(htmlContent));
        return S_OK;
    }
    DEVENGINE_EVENT(NavigationStarting, ICoreWebView2NavigationStartingEventHandler)
    DEVENGINE_EVENT(ContentLoading, ICoreWebView2ContentLoadingEventHandler)
    DEVENGINE_EVENT(SourceChanged, ICoreWebView2SourceChangedEventHandler)
    DEVENGINE_EVENT(HistoryChanged, ICoreWebView2HistoryChangedEventHandler)
    DEVENGINE_EVENT(NavigationCompleted, ICoreWebView2NavigationCompletedEventHandler)
    DEVENGINE_EVENT(FrameNavigationStarting, ICoreWebView2NavigationStartingEventHandler)
    DEVENGINE_EVENT(FrameNavigationCompleted, ICoreWebView2NavigationCompletedEventHandler)
    DEVENGINE_EVENT(ScriptDialogOpening, ICoreWebView2ScriptDialogOpeningEventHandler)
    DEVENGINE_EVENT(PermissionRequested, ICoreWebView2PermissionRequestedEventHandler)
    DEVENGINE_EVENT(ProcessFailed, ICoreWebView2ProcessFailedEventHandler)
    HRESULT STDMETHODCALLTYPE AddScriptToExecuteOnDocumentCreated(
        LPCWSTR, ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RemoveScriptToExecuteOnDocumentCreated(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ExecuteScript(LPCWSTR javaScript,
                                            ICoreWebView2ExecuteScriptCompletedHandler* handler) override {
        return devengine::ExecuteScript(view_, javaScript, handler);
    }
    HRESULT STDMETHODCALLTYPE CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT, IStream*,
                                             ICoreWebView2CapturePreviewCompletedHandler*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Reload() override {
        if (IsDead(*view_)) return DeadCall(*view_, L"Reload");
        // The source stays; only a local file's page can get a new title.
        LogCall(*view_, L"Reload");
        QueueReload(view_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PostWebMessageAsJson(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PostWebMessageAsString(LPCWSTR) override { return E_NOTIMPL; }
    DEVENGINE_EVENT(WebMessageReceived, ICoreWebView2WebMessageReceivedEventHandler)
    HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethod(LPCWSTR, LPCWSTR,
                                                         ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_BrowserProcessId(UINT32*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CanGoBack(BOOL* canGoBack) override {
        if (FAILED(State().knobs.canGoResult) && !IsDead(*view_)) return State().knobs.canGoResult;
        return GetValue(*view_, L"get_CanGoBack", canGoBack, CanGoBack(*view_) ? TRUE : FALSE);
    }
    HRESULT STDMETHODCALLTYPE get_CanGoForward(BOOL* canGoForward) override {
        if (FAILED(State().knobs.canGoResult) && !IsDead(*view_)) return State().knobs.canGoResult;
        return GetValue(*view_, L"get_CanGoForward", canGoForward, CanGoForward(*view_) ? TRUE : FALSE);
    }
    HRESULT STDMETHODCALLTYPE GoBack() override {
        if (IsDead(*view_)) return DeadCall(*view_, L"GoBack");
        LogCall(*view_, L"GoBack");
        QueueHistoryStep(view_, -1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GoForward() override {
        if (IsDead(*view_)) return DeadCall(*view_, L"GoForward");
        LogCall(*view_, L"GoForward");
        QueueHistoryStep(view_, 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDevToolsProtocolEventReceiver(LPCWSTR,
                                                               ICoreWebView2DevToolsProtocolEventReceiver**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Stop() override {
        if (IsDead(*view_)) return DeadCall(*view_, L"Stop");
        LogCall(*view_, L"Stop");
        StopNavigation(view_);
        return S_OK;
    }
    DEVENGINE_EVENT(NewWindowRequested, ICoreWebView2NewWindowRequestedEventHandler)
    DEVENGINE_EVENT(DocumentTitleChanged, ICoreWebView2DocumentTitleChangedEventHandler)
    HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR* title) override {
        const Knobs& knobs = State().knobs;
        return GetText(L"get_DocumentTitle", knobs.titleResult, knobs.nullTitle, CurrentTitle(*view_), title);
    }
    HRESULT STDMETHODCALLTYPE AddHostObjectToScript(LPCWSTR, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveHostObjectFromScript(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OpenDevToolsWindow() override {
        if (IsDead(*view_)) return DeadCall(*view_, L"OpenDevToolsWindow");
        LogCall(*view_, L"OpenDevToolsWindow");
        return S_OK;
    }
    DEVENGINE_EVENT(ContainsFullScreenElementChanged, ICoreWebView2ContainsFullScreenElementChangedEventHandler)
    HRESULT STDMETHODCALLTYPE get_ContainsFullScreenElement(BOOL* containsFullScreenElement) override {
        return GetValue(*view_, L"get_ContainsFullScreenElement", containsFullScreenElement,
                        view_->fullScreen ? TRUE : FALSE);
    }
    DEVENGINE_EVENT(WebResourceRequested, ICoreWebView2WebResourceRequestedEventHandler)
    HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilter(LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilter(LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
        return E_NOTIMPL;
    }
    DEVENGINE_EVENT(WindowCloseRequested, ICoreWebView2WindowCloseRequestedEventHandler)

    // ICoreWebView2_3
    HRESULT STDMETHODCALLTYPE TrySuspend(ICoreWebView2TrySuspendCompletedHandler* handler) override {
        return devengine::TrySuspend(view_, handler);
    }
    HRESULT STDMETHODCALLTYPE Resume() override { return devengine::Resume(*view_); }
    HRESULT STDMETHODCALLTYPE get_IsSuspended(BOOL* isSuspended) override {
        return GetValue(*view_, L"get_IsSuspended", isSuspended, view_->suspended ? TRUE : FALSE);
    }
    // ICoreWebView2_8
    HRESULT STDMETHODCALLTYPE get_IsMuted(BOOL* value) override {
        return GetValue(*view_, L"get_IsMuted", value, view_->muted ? TRUE : FALSE);
    }
    HRESULT STDMETHODCALLTYPE put_IsMuted(BOOL value) override { return PutIsMuted(view_, value); }
    HRESULT STDMETHODCALLTYPE get_IsDocumentPlayingAudio(BOOL* value) override {
        return GetValue(*view_, L"get_IsDocumentPlayingAudio", value, view_->playingAudio ? TRUE : FALSE);
    }
    // ICoreWebView2_15
    HRESULT STDMETHODCALLTYPE get_FaviconUri(LPWSTR* value) override { return GetFaviconUri(*view_, value); }
    HRESULT STDMETHODCALLTYPE GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT format,
                                         ICoreWebView2GetFaviconCompletedHandler* completedHandler) override {
        return devengine::GetFavicon(view_, format, completedHandler);
    }
    // ICoreWebView2_16
    HRESULT STDMETHODCALLTYPE ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND printDialogKind) override {
        return devengine::ShowPrintUI(*view_, printDialogKind);
    }
    // ICoreWebView2_19
    HRESULT STDMETHODCALLTYPE get_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL* level) override {
        return GetValue(*view_, L"get_MemoryUsageTargetLevel", level, view_->memoryLevel);
    }
    HRESULT STDMETHODCALLTYPE put_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL level) override {
        return PutMemoryUsageTargetLevel(*view_, level);
    }
    // ICoreWebView2_28
    HRESULT STDMETHODCALLTYPE get_Find(ICoreWebView2Find** value) override { return GetFind(view_, value); }

private:
    ~WebViewObject() override {
        if (view_->webView == this) view_->webView = nullptr;
    }

    // A string getter, with its failure knobs.
    HRESULT GetText(const wchar_t* call, HRESULT failure, bool giveNull, const std::wstring& text, LPWSTR* out) {
        if (out != nullptr) *out = nullptr;
        if (IsDead(*view_)) return DeadCall(*view_, call);
        if (out == nullptr) return E_POINTER;
        if (FAILED(failure)) return failure;
        if (giveNull) return S_OK;
        return CopyOut(text, out);
    }

    // Keeps the controller, and so the view, alive while the browser holds
    // only the web view.
    Microsoft::WRL::ComPtr<ICoreWebView2Controller> controller_;
};

Microsoft::WRL::ComPtr<ICoreWebView2> MakeWebView(const ViewPtr& view) { return MakeObject<WebViewObject>(view); }

ICoreWebView2* WebViewInterface(WebViewObject* webView) { return webView; }

}  // namespace devengine
