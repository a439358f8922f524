// The slots of the later web view and environment interfaces (up to
// ICoreWebView2_28 and ICoreWebView2Environment15) that the stand-in does not
// model: each event slot takes handlers (none of those fires) and every other
// method returns E_NOTIMPL. The modelled ones are left to WebViewObject and
// EnvironmentObject. QueryInterface answers each interface of the chain but
// the ones a withhold_ knob holds back, as an older engine would.
#pragma once

#include "devengine/Internal.h"

namespace devengine {

// Whether the knobs hold back the interface `riid` of a web view or an
// environment (LaterSlots.cpp).
bool IsWithheld(REFIID riid);
// Whether `riid` is the base interface or one of the later ones of the chain.
bool IsWebViewInterface(REFIID riid);
bool IsEnvironmentInterface(REFIID riid);

template <typename Latest>
HRESULT AnswerChain(Latest* object, bool (*isInChain)(REFIID), REFIID riid, void** result) {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (riid != __uuidof(IUnknown) && (!isInChain(riid) || IsWithheld(riid))) return E_NOINTERFACE;
    *result = object;
    object->AddRef();
    return S_OK;
}

class WebViewSlots : public ComObject<ICoreWebView2_28> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return AnswerChain<ICoreWebView2_28>(this, IsWebViewInterface, riid, object);
    }

    // ICoreWebView2_2
    DEVENGINE_EVENT(WebResourceResponseReceived, ICoreWebView2WebResourceResponseReceivedEventHandler)
    HRESULT STDMETHODCALLTYPE NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest*) override {
        return E_NOTIMPL;
    }
    DEVENGINE_EVENT(DOMContentLoaded, ICoreWebView2DOMContentLoadedEventHandler)
    HRESULT STDMETHODCALLTYPE get_CookieManager(ICoreWebView2CookieManager**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Environment(ICoreWebView2Environment**) override { return E_NOTIMPL; }
    // ICoreWebView2_3
    HRESULT STDMETHODCALLTYPE SetVirtualHostNameToFolderMapping(
        LPCWSTR, LPCWSTR, COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearVirtualHostNameToFolderMapping(LPCWSTR) override { return E_NOTIMPL; }
    // ICoreWebView2_4
    DEVENGINE_EVENT(FrameCreated, ICoreWebView2FrameCreatedEventHandler)
    DEVENGINE_EVENT(DownloadStarting, ICoreWebView2DownloadStartingEventHandler)
    // ICoreWebView2_5
    DEVENGINE_EVENT(ClientCertificateRequested, ICoreWebView2ClientCertificateRequestedEventHandler)
    // ICoreWebView2_6
    HRESULT STDMETHODCALLTYPE OpenTaskManagerWindow() override { return E_NOTIMPL; }
    // ICoreWebView2_7
    HRESULT STDMETHODCALLTYPE PrintToPdf(
        LPCWSTR, ICoreWebView2PrintSettings*, ICoreWebView2PrintToPdfCompletedHandler*) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2_8
    DEVENGINE_EVENT(IsMutedChanged, ICoreWebView2IsMutedChangedEventHandler)
    DEVENGINE_EVENT(IsDocumentPlayingAudioChanged, ICoreWebView2IsDocumentPlayingAudioChangedEventHandler)
    // ICoreWebView2_9
    DEVENGINE_EVENT(IsDefaultDownloadDialogOpenChanged, ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler)
    HRESULT STDMETHODCALLTYPE get_IsDefaultDownloadDialogOpen(BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OpenDefaultDownloadDialog() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CloseDefaultDownloadDialog() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogCornerAlignment(
        COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogCornerAlignment(
        COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogMargin(POINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogMargin(POINT) override { return E_NOTIMPL; }
    // ICoreWebView2_10
    DEVENGINE_EVENT(BasicAuthenticationRequested, ICoreWebView2BasicAuthenticationRequestedEventHandler)
    // ICoreWebView2_11
    HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethodForSession(
        LPCWSTR, LPCWSTR, LPCWSTR, ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*) override {
        return E_NOTIMPL;
    }
    DEVENGINE_EVENT(ContextMenuRequested, ICoreWebView2ContextMenuRequestedEventHandler)
    // ICoreWebView2_12
    DEVENGINE_EVENT(StatusBarTextChanged, ICoreWebView2StatusBarTextChangedEventHandler)
    HRESULT STDMETHODCALLTYPE get_StatusBarText(LPWSTR*) override { return E_NOTIMPL; }
    // ICoreWebView2_13
    HRESULT STDMETHODCALLTYPE get_Profile(ICoreWebView2Profile**) override { return E_NOTIMPL; }
    // ICoreWebView2_14
    DEVENGINE_EVENT(ServerCertificateErrorDetected, ICoreWebView2ServerCertificateErrorDetectedEventHandler)
    HRESULT STDMETHODCALLTYPE ClearServerCertificateErrorActions(
        ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler*) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2_15
    DEVENGINE_EVENT(FaviconChanged, ICoreWebView2FaviconChangedEventHandler)
    // ICoreWebView2_16
    HRESULT STDMETHODCALLTYPE Print(ICoreWebView2PrintSettings*, ICoreWebView2PrintCompletedHandler*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE PrintToPdfStream(
        ICoreWebView2PrintSettings*, ICoreWebView2PrintToPdfStreamCompletedHandler*) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2_17
    HRESULT STDMETHODCALLTYPE PostSharedBufferToScript(
        ICoreWebView2SharedBuffer*, COREWEBVIEW2_SHARED_BUFFER_ACCESS, LPCWSTR) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2_18
    DEVENGINE_EVENT(LaunchingExternalUriScheme, ICoreWebView2LaunchingExternalUriSchemeEventHandler)
    // ICoreWebView2_19
    // ICoreWebView2_20
    HRESULT STDMETHODCALLTYPE get_FrameId(UINT32*) override { return E_NOTIMPL; }
    // ICoreWebView2_21
    HRESULT STDMETHODCALLTYPE ExecuteScriptWithResult(
        LPCWSTR, ICoreWebView2ExecuteScriptWithResultCompletedHandler*) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2_22
    HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilterWithRequestSourceKinds(
        LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilterWithRequestSourceKinds(
        LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2_23
    HRESULT STDMETHODCALLTYPE PostWebMessageAsJsonWithAdditionalObjects(
        LPCWSTR, ICoreWebView2ObjectCollectionView*) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2_24
    DEVENGINE_EVENT(NotificationReceived, ICoreWebView2NotificationReceivedEventHandler)
    // ICoreWebView2_25
    DEVENGINE_EVENT(SaveAsUIShowing, ICoreWebView2SaveAsUIShowingEventHandler)
    HRESULT STDMETHODCALLTYPE ShowSaveAsUI(ICoreWebView2ShowSaveAsUICompletedHandler*) override { return E_NOTIMPL; }
    // ICoreWebView2_26
    DEVENGINE_EVENT(SaveFileSecurityCheckStarting, ICoreWebView2SaveFileSecurityCheckStartingEventHandler)
    // ICoreWebView2_27
    DEVENGINE_EVENT(ScreenCaptureStarting, ICoreWebView2ScreenCaptureStartingEventHandler)
    // ICoreWebView2_28

protected:
    explicit WebViewSlots(ViewPtr view) : view_(std::move(view)) {}

    ViewPtr view_;
};

class EnvironmentSlots : public ComObject<ICoreWebView2Environment15> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return AnswerChain<ICoreWebView2Environment15>(this, IsEnvironmentInterface, riid, object);
    }

    // ICoreWebView2Environment2
    HRESULT STDMETHODCALLTYPE CreateWebResourceRequest(
        LPCWSTR, LPCWSTR, IStream*, LPCWSTR, ICoreWebView2WebResourceRequest**) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2Environment3
    HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionController(
        HWND, ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateCoreWebView2PointerInfo(ICoreWebView2PointerInfo**) override { return E_NOTIMPL; }
    // ICoreWebView2Environment4
    HRESULT STDMETHODCALLTYPE GetAutomationProviderForWindow(HWND, IUnknown**) override { return E_NOTIMPL; }
    // ICoreWebView2Environment5
    HRESULT STDMETHODCALLTYPE add_BrowserProcessExited(
        ICoreWebView2BrowserProcessExitedEventHandler*, EventRegistrationToken*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_BrowserProcessExited(EventRegistrationToken) override { return E_NOTIMPL; }
    // ICoreWebView2Environment6
    HRESULT STDMETHODCALLTYPE CreatePrintSettings(ICoreWebView2PrintSettings**) override { return E_NOTIMPL; }
    // ICoreWebView2Environment7
    HRESULT STDMETHODCALLTYPE get_UserDataFolder(LPWSTR*) override { return E_NOTIMPL; }
    // ICoreWebView2Environment8
    HRESULT STDMETHODCALLTYPE add_ProcessInfosChanged(
        ICoreWebView2ProcessInfosChangedEventHandler*, EventRegistrationToken*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_ProcessInfosChanged(EventRegistrationToken) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetProcessInfos(ICoreWebView2ProcessInfoCollection**) override { return E_NOTIMPL; }
    // ICoreWebView2Environment9
    HRESULT STDMETHODCALLTYPE CreateContextMenuItem(
        LPCWSTR, IStream*, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND, ICoreWebView2ContextMenuItem**) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2Environment10
    HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerOptions(ICoreWebView2ControllerOptions**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerWithOptions(
        HWND, ICoreWebView2ControllerOptions*, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionControllerWithOptions(
        HWND, ICoreWebView2ControllerOptions*,
        ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler*) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2Environment11
    HRESULT STDMETHODCALLTYPE get_FailureReportFolderPath(LPWSTR*) override { return E_NOTIMPL; }
    // ICoreWebView2Environment12
    HRESULT STDMETHODCALLTYPE CreateSharedBuffer(UINT64, ICoreWebView2SharedBuffer**) override { return E_NOTIMPL; }
    // ICoreWebView2Environment13
    HRESULT STDMETHODCALLTYPE GetProcessExtendedInfos(ICoreWebView2GetProcessExtendedInfosCompletedHandler*) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2Environment14
    HRESULT STDMETHODCALLTYPE CreateWebFileSystemFileHandle(
        LPCWSTR, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION, ICoreWebView2FileSystemHandle**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateWebFileSystemDirectoryHandle(
        LPCWSTR, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION, ICoreWebView2FileSystemHandle**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateObjectCollection(UINT32, IUnknown**, ICoreWebView2ObjectCollection**) override {
        return E_NOTIMPL;
    }
    // ICoreWebView2Environment15
};

}  // namespace devengine
