// The web engine's COM interfaces and loader function, declared by us.
//
// The engine is a separate binary built against its vendor's declarations, so
// every interface here must keep the vendor's vtable layout: each method sits in
// its published slot, with the same parameter types, and each interface carries
// its published IID. Methods the browser never calls are still declared (with
// their real shape) so that the slots after them stay in place. Interfaces end
// after the last slot that the browser or the engine calls.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <objidl.h>
#include <eventtoken.h>

// Attaches an IID to an interface so that __uuidof works with MSVC and mingw.
// The arguments are the IID's hex digit groups without "0x", bytes split.
#if defined(_MSC_VER)
#define VELQUIN_IID(Interface, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    struct __declspec(uuid(#l "-" #w1 "-" #w2 "-" #b1 #b2 "-" #b3 #b4 #b5 #b6 #b7 #b8)) Interface
#else
#define VELQUIN_IID(Interface, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                          \
    __CRT_UUID_DECL(Interface, 0x##l, 0x##w1, 0x##w2, 0x##b1, 0x##b2, 0x##b3, 0x##b4, 0x##b5, 0x##b6, \
                    0x##b7, 0x##b8)
#endif

enum COREWEBVIEW2_MOVE_FOCUS_REASON {
    COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC = 0,
    COREWEBVIEW2_MOVE_FOCUS_REASON_NEXT = 1,
    COREWEBVIEW2_MOVE_FOCUS_REASON_PREVIOUS = 2,
};

enum COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT {
    COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT_PNG = 0,
    COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT_JPEG = 1,
};

enum COREWEBVIEW2_KEY_EVENT_KIND {
    COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN = 0,
    COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP = 1,
    COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN = 2,
    COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP = 3,
};

enum COREWEBVIEW2_PROCESS_FAILED_KIND {
    COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED = 0,
    COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED = 1,
    COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE = 2,
    COREWEBVIEW2_PROCESS_FAILED_KIND_FRAME_RENDER_PROCESS_EXITED = 3,
    COREWEBVIEW2_PROCESS_FAILED_KIND_UTILITY_PROCESS_EXITED = 4,
    COREWEBVIEW2_PROCESS_FAILED_KIND_SANDBOX_HELPER_PROCESS_EXITED = 5,
    COREWEBVIEW2_PROCESS_FAILED_KIND_GPU_PROCESS_EXITED = 6,
    COREWEBVIEW2_PROCESS_FAILED_KIND_PPAPI_PLUGIN_PROCESS_EXITED = 7,
    COREWEBVIEW2_PROCESS_FAILED_KIND_PPAPI_BROKER_PROCESS_EXITED = 8,
    COREWEBVIEW2_PROCESS_FAILED_KIND_UNKNOWN_PROCESS_EXITED = 9,
};

enum COREWEBVIEW2_WEB_ERROR_STATUS {
    COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN = 0,
    COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_COMMON_NAME_IS_INCORRECT = 1,
    COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_EXPIRED = 2,
    COREWEBVIEW2_WEB_ERROR_STATUS_CLIENT_CERTIFICATE_CONTAINS_ERRORS = 3,
    COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_REVOKED = 4,
    COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_IS_INVALID = 5,
    COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE = 6,
    COREWEBVIEW2_WEB_ERROR_STATUS_TIMEOUT = 7,
    COREWEBVIEW2_WEB_ERROR_STATUS_ERROR_HTTP_INVALID_SERVER_RESPONSE = 8,
    COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_ABORTED = 9,
    COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_RESET = 10,
    COREWEBVIEW2_WEB_ERROR_STATUS_DISCONNECTED = 11,
    COREWEBVIEW2_WEB_ERROR_STATUS_CANNOT_CONNECT = 12,
    COREWEBVIEW2_WEB_ERROR_STATUS_HOST_NAME_NOT_RESOLVED = 13,
    COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED = 14,
    COREWEBVIEW2_WEB_ERROR_STATUS_REDIRECT_FAILED = 15,
    COREWEBVIEW2_WEB_ERROR_STATUS_UNEXPECTED_ERROR = 16,
    COREWEBVIEW2_WEB_ERROR_STATUS_VALID_AUTHENTICATION_CREDENTIALS_REQUIRED = 17,
    COREWEBVIEW2_WEB_ERROR_STATUS_VALID_PROXY_AUTHENTICATION_REQUIRED = 18,
};

// Only fills the slots of the web resource filters, which the browser never uses.
enum COREWEBVIEW2_WEB_RESOURCE_CONTEXT {
    COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL = 0,
};

enum COREWEBVIEW2_FAVICON_IMAGE_FORMAT {
    COREWEBVIEW2_FAVICON_IMAGE_FORMAT_PNG = 0,
    COREWEBVIEW2_FAVICON_IMAGE_FORMAT_JPEG = 1,
};

enum COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL {
    COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL = 0,
    COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW = 1,
};

enum COREWEBVIEW2_PRINT_DIALOG_KIND {
    COREWEBVIEW2_PRINT_DIALOG_KIND_BROWSER = 0,
    COREWEBVIEW2_PRINT_DIALOG_KIND_SYSTEM = 1,
};

// Enums that only fill parameters of slots the browser never calls: declared
// without their values (32-bit, as the vendor's).
enum COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND : int;
enum COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT : int;
enum COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION : int;
enum COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND : int;
enum COREWEBVIEW2_SHARED_BUFFER_ACCESS : int;
enum COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS : int;

struct COREWEBVIEW2_PHYSICAL_KEY_STATUS {
    UINT32 RepeatCount;
    UINT32 ScanCode;
    BOOL IsExtendedKey;
    BOOL IsMenuKeyDown;
    BOOL WasKeyDown;
    BOOL IsKeyReleased;
};

// Types that only fill slots the browser never calls.
struct ICoreWebView2EnvironmentOptions;
struct ICoreWebView2Settings;
struct ICoreWebView2WebResourceResponse;
struct ICoreWebView2NewBrowserVersionAvailableEventHandler;
struct ICoreWebView2ZoomFactorChangedEventHandler;
struct ICoreWebView2MoveFocusRequestedEventHandler;
struct ICoreWebView2FocusChangedEventHandler;
struct ICoreWebView2ContentLoadingEventHandler;
struct ICoreWebView2ScriptDialogOpeningEventHandler;
struct ICoreWebView2PermissionRequestedEventHandler;
struct ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler;
struct ICoreWebView2CapturePreviewCompletedHandler;
struct ICoreWebView2CallDevToolsProtocolMethodCompletedHandler;
struct ICoreWebView2DevToolsProtocolEventReceiver;
struct ICoreWebView2WebResourceRequestedEventHandler;
struct ICoreWebView2WindowCloseRequestedEventHandler;
struct ICoreWebView2WindowFeatures;
struct ICoreWebView2HttpRequestHeaders;
struct ICoreWebView2BasicAuthenticationRequestedEventHandler;
struct ICoreWebView2BrowserProcessExitedEventHandler;
struct ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler;
struct ICoreWebView2ClientCertificateRequestedEventHandler;
struct ICoreWebView2ContextMenuItem;
struct ICoreWebView2ContextMenuRequestedEventHandler;
struct ICoreWebView2ControllerOptions;
struct ICoreWebView2CookieManager;
struct ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler;
struct ICoreWebView2DOMContentLoadedEventHandler;
struct ICoreWebView2DownloadStartingEventHandler;
struct ICoreWebView2ExecuteScriptWithResultCompletedHandler;
struct ICoreWebView2FileSystemHandle;
struct ICoreWebView2FindActiveMatchIndexChangedEventHandler;
struct ICoreWebView2FindMatchCountChangedEventHandler;
struct ICoreWebView2FrameCreatedEventHandler;
struct ICoreWebView2GetProcessExtendedInfosCompletedHandler;
struct ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler;
struct ICoreWebView2LaunchingExternalUriSchemeEventHandler;
struct ICoreWebView2NotificationReceivedEventHandler;
struct ICoreWebView2ObjectCollection;
struct ICoreWebView2ObjectCollectionView;
struct ICoreWebView2PointerInfo;
struct ICoreWebView2PrintCompletedHandler;
struct ICoreWebView2PrintSettings;
struct ICoreWebView2PrintToPdfCompletedHandler;
struct ICoreWebView2PrintToPdfStreamCompletedHandler;
struct ICoreWebView2ProcessInfoCollection;
struct ICoreWebView2ProcessInfosChangedEventHandler;
struct ICoreWebView2Profile;
struct ICoreWebView2SaveAsUIShowingEventHandler;
struct ICoreWebView2SaveFileSecurityCheckStartingEventHandler;
struct ICoreWebView2ScreenCaptureStartingEventHandler;
struct ICoreWebView2ServerCertificateErrorDetectedEventHandler;
struct ICoreWebView2SharedBuffer;
struct ICoreWebView2ShowSaveAsUICompletedHandler;
struct ICoreWebView2StatusBarTextChangedEventHandler;
struct ICoreWebView2WebResourceRequest;
struct ICoreWebView2WebResourceResponseReceivedEventHandler;

struct ICoreWebView2;
struct ICoreWebView2Controller;
struct ICoreWebView2Environment;
struct ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;
struct ICoreWebView2WebMessageReceivedEventHandler;
struct ICoreWebView2DocumentTitleChangedEventHandler;
struct ICoreWebView2SourceChangedEventHandler;
struct ICoreWebView2AcceleratorKeyPressedEventHandler;
struct ICoreWebView2NewWindowRequestedEventHandler;
struct ICoreWebView2ProcessFailedEventHandler;
struct ICoreWebView2HistoryChangedEventHandler;
struct ICoreWebView2NavigationStartingEventHandler;
struct ICoreWebView2NavigationCompletedEventHandler;
struct ICoreWebView2ContainsFullScreenElementChangedEventHandler;
struct ICoreWebView2ExecuteScriptCompletedHandler;
struct ICoreWebView2FaviconChangedEventHandler;
struct ICoreWebView2GetFaviconCompletedHandler;
struct ICoreWebView2IsDocumentPlayingAudioChangedEventHandler;
struct ICoreWebView2IsMutedChangedEventHandler;
struct ICoreWebView2TrySuspendCompletedHandler;
struct ICoreWebView2FindOptions;
struct ICoreWebView2FindStartCompletedHandler;
struct ICoreWebView2Find;

struct ICoreWebView2Environment : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
        HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE CreateWebResourceResponse(IStream* content, int statusCode,
                                                                LPCWSTR reasonPhrase, LPCWSTR headers,
                                                                ICoreWebView2WebResourceResponse** response) = 0;  // 4
    virtual HRESULT STDMETHODCALLTYPE get_BrowserVersionString(LPWSTR* versionInfo) = 0;  // 5
    virtual HRESULT STDMETHODCALLTYPE add_NewBrowserVersionAvailable(
        ICoreWebView2NewBrowserVersionAvailableEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 6
    virtual HRESULT STDMETHODCALLTYPE remove_NewBrowserVersionAvailable(EventRegistrationToken token) = 0;   // 7
};
VELQUIN_IID(ICoreWebView2Environment, B96D755E, 0319, 4E92, A2, 96, 23, 43, 6F, 46, A1, FC);

struct ICoreWebView2Controller : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_IsVisible(BOOL* isVisible) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE put_IsVisible(BOOL isVisible) = 0;   // 4
    virtual HRESULT STDMETHODCALLTYPE get_Bounds(RECT* bounds) = 0;        // 5
    virtual HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) = 0;         // 6
    virtual HRESULT STDMETHODCALLTYPE get_ZoomFactor(double* zoomFactor) = 0;  // 7
    virtual HRESULT STDMETHODCALLTYPE put_ZoomFactor(double zoomFactor) = 0;   // 8
    virtual HRESULT STDMETHODCALLTYPE add_ZoomFactorChanged(ICoreWebView2ZoomFactorChangedEventHandler* eventHandler,
                                                            EventRegistrationToken* token) = 0;  // 9
    virtual HRESULT STDMETHODCALLTYPE remove_ZoomFactorChanged(EventRegistrationToken token) = 0;  // 10
    virtual HRESULT STDMETHODCALLTYPE SetBoundsAndZoomFactor(RECT bounds, double zoomFactor) = 0;  // 11
    virtual HRESULT STDMETHODCALLTYPE MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) = 0;        // 12
    virtual HRESULT STDMETHODCALLTYPE add_MoveFocusRequested(ICoreWebView2MoveFocusRequestedEventHandler* eventHandler,
                                                             EventRegistrationToken* token) = 0;  // 13
    virtual HRESULT STDMETHODCALLTYPE remove_MoveFocusRequested(EventRegistrationToken token) = 0;  // 14
    virtual HRESULT STDMETHODCALLTYPE add_GotFocus(ICoreWebView2FocusChangedEventHandler* eventHandler,
                                                   EventRegistrationToken* token) = 0;  // 15
    virtual HRESULT STDMETHODCALLTYPE remove_GotFocus(EventRegistrationToken token) = 0;  // 16
    virtual HRESULT STDMETHODCALLTYPE add_LostFocus(ICoreWebView2FocusChangedEventHandler* eventHandler,
                                                    EventRegistrationToken* token) = 0;  // 17
    virtual HRESULT STDMETHODCALLTYPE remove_LostFocus(EventRegistrationToken token) = 0;  // 18
    virtual HRESULT STDMETHODCALLTYPE add_AcceleratorKeyPressed(
        ICoreWebView2AcceleratorKeyPressedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 19
    virtual HRESULT STDMETHODCALLTYPE remove_AcceleratorKeyPressed(EventRegistrationToken token) = 0;     // 20
    virtual HRESULT STDMETHODCALLTYPE get_ParentWindow(HWND* parentWindow) = 0;                          // 21
    virtual HRESULT STDMETHODCALLTYPE put_ParentWindow(HWND parentWindow) = 0;                           // 22
    virtual HRESULT STDMETHODCALLTYPE NotifyParentWindowPositionChanged() = 0;                           // 23
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;                                                       // 24
    virtual HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** coreWebView2) = 0;                // 25
};
VELQUIN_IID(ICoreWebView2Controller, 4D00C0D1, 9434, 4EB6, 80, 78, 86, 97, A5, 60, 33, 4F);

struct ICoreWebView2 : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings** settings) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* uri) = 0;                         // 4
    virtual HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) = 0;                           // 5
    virtual HRESULT STDMETHODCALLTYPE NavigateToString(LPCWSTR htmlContent) = 0;           // 6
    virtual HRESULT STDMETHODCALLTYPE add_NavigationStarting(ICoreWebView2NavigationStartingEventHandler* eventHandler,
                                                             EventRegistrationToken* token) = 0;  // 7
    virtual HRESULT STDMETHODCALLTYPE remove_NavigationStarting(EventRegistrationToken token) = 0;  // 8
    virtual HRESULT STDMETHODCALLTYPE add_ContentLoading(ICoreWebView2ContentLoadingEventHandler* eventHandler,
                                                         EventRegistrationToken* token) = 0;  // 9
    virtual HRESULT STDMETHODCALLTYPE remove_ContentLoading(EventRegistrationToken token) = 0;  // 10
    virtual HRESULT STDMETHODCALLTYPE add_SourceChanged(ICoreWebView2SourceChangedEventHandler* eventHandler,
                                                        EventRegistrationToken* token) = 0;  // 11
    virtual HRESULT STDMETHODCALLTYPE remove_SourceChanged(EventRegistrationToken token) = 0;  // 12
    virtual HRESULT STDMETHODCALLTYPE add_HistoryChanged(ICoreWebView2HistoryChangedEventHandler* eventHandler,
                                                         EventRegistrationToken* token) = 0;  // 13
    virtual HRESULT STDMETHODCALLTYPE remove_HistoryChanged(EventRegistrationToken token) = 0;  // 14
    virtual HRESULT STDMETHODCALLTYPE add_NavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* eventHandler,
                                                              EventRegistrationToken* token) = 0;  // 15
    virtual HRESULT STDMETHODCALLTYPE remove_NavigationCompleted(EventRegistrationToken token) = 0;  // 16
    virtual HRESULT STDMETHODCALLTYPE add_FrameNavigationStarting(
        ICoreWebView2NavigationStartingEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 17
    virtual HRESULT STDMETHODCALLTYPE remove_FrameNavigationStarting(EventRegistrationToken token) = 0;  // 18
    virtual HRESULT STDMETHODCALLTYPE add_FrameNavigationCompleted(
        ICoreWebView2NavigationCompletedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 19
    virtual HRESULT STDMETHODCALLTYPE remove_FrameNavigationCompleted(EventRegistrationToken token) = 0;  // 20
    virtual HRESULT STDMETHODCALLTYPE add_ScriptDialogOpening(ICoreWebView2ScriptDialogOpeningEventHandler* eventHandler,
                                                              EventRegistrationToken* token) = 0;  // 21
    virtual HRESULT STDMETHODCALLTYPE remove_ScriptDialogOpening(EventRegistrationToken token) = 0;  // 22
    virtual HRESULT STDMETHODCALLTYPE add_PermissionRequested(ICoreWebView2PermissionRequestedEventHandler* eventHandler,
                                                              EventRegistrationToken* token) = 0;  // 23
    virtual HRESULT STDMETHODCALLTYPE remove_PermissionRequested(EventRegistrationToken token) = 0;  // 24
    virtual HRESULT STDMETHODCALLTYPE add_ProcessFailed(ICoreWebView2ProcessFailedEventHandler* eventHandler,
                                                        EventRegistrationToken* token) = 0;  // 25
    virtual HRESULT STDMETHODCALLTYPE remove_ProcessFailed(EventRegistrationToken token) = 0;  // 26
    virtual HRESULT STDMETHODCALLTYPE AddScriptToExecuteOnDocumentCreated(
        LPCWSTR javaScript, ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler* handler) = 0;  // 27
    virtual HRESULT STDMETHODCALLTYPE RemoveScriptToExecuteOnDocumentCreated(LPCWSTR id) = 0;           // 28
    virtual HRESULT STDMETHODCALLTYPE ExecuteScript(LPCWSTR javaScript,
                                                    ICoreWebView2ExecuteScriptCompletedHandler* handler) = 0;  // 29
    virtual HRESULT STDMETHODCALLTYPE CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT imageFormat,
                                                     IStream* imageStream,
                                                     ICoreWebView2CapturePreviewCompletedHandler* handler) = 0;  // 30
    virtual HRESULT STDMETHODCALLTYPE Reload() = 0;                                              // 31
    virtual HRESULT STDMETHODCALLTYPE PostWebMessageAsJson(LPCWSTR webMessageAsJson) = 0;        // 32
    virtual HRESULT STDMETHODCALLTYPE PostWebMessageAsString(LPCWSTR webMessageAsString) = 0;    // 33
    virtual HRESULT STDMETHODCALLTYPE add_WebMessageReceived(ICoreWebView2WebMessageReceivedEventHandler* handler,
                                                             EventRegistrationToken* token) = 0;  // 34
    virtual HRESULT STDMETHODCALLTYPE remove_WebMessageReceived(EventRegistrationToken token) = 0;  // 35
    virtual HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethod(
        LPCWSTR methodName, LPCWSTR parametersAsJson,
        ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) = 0;  // 36
    virtual HRESULT STDMETHODCALLTYPE get_BrowserProcessId(UINT32* value) = 0;  // 37
    virtual HRESULT STDMETHODCALLTYPE get_CanGoBack(BOOL* canGoBack) = 0;       // 38
    virtual HRESULT STDMETHODCALLTYPE get_CanGoForward(BOOL* canGoForward) = 0; // 39
    virtual HRESULT STDMETHODCALLTYPE GoBack() = 0;                             // 40
    virtual HRESULT STDMETHODCALLTYPE GoForward() = 0;                          // 41
    virtual HRESULT STDMETHODCALLTYPE GetDevToolsProtocolEventReceiver(
        LPCWSTR eventName, ICoreWebView2DevToolsProtocolEventReceiver** receiver) = 0;  // 42
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;                                       // 43
    virtual HRESULT STDMETHODCALLTYPE add_NewWindowRequested(ICoreWebView2NewWindowRequestedEventHandler* eventHandler,
                                                             EventRegistrationToken* token) = 0;  // 44
    virtual HRESULT STDMETHODCALLTYPE remove_NewWindowRequested(EventRegistrationToken token) = 0;  // 45
    virtual HRESULT STDMETHODCALLTYPE add_DocumentTitleChanged(
        ICoreWebView2DocumentTitleChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 46
    virtual HRESULT STDMETHODCALLTYPE remove_DocumentTitleChanged(EventRegistrationToken token) = 0;     // 47
    virtual HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR* title) = 0;                              // 48
    virtual HRESULT STDMETHODCALLTYPE AddHostObjectToScript(LPCWSTR name, VARIANT* object) = 0;          // 49
    virtual HRESULT STDMETHODCALLTYPE RemoveHostObjectFromScript(LPCWSTR name) = 0;                      // 50
    virtual HRESULT STDMETHODCALLTYPE OpenDevToolsWindow() = 0;                                          // 51
    virtual HRESULT STDMETHODCALLTYPE add_ContainsFullScreenElementChanged(
        ICoreWebView2ContainsFullScreenElementChangedEventHandler* eventHandler,
        EventRegistrationToken* token) = 0;                                                              // 52
    virtual HRESULT STDMETHODCALLTYPE remove_ContainsFullScreenElementChanged(EventRegistrationToken token) = 0;  // 53
    virtual HRESULT STDMETHODCALLTYPE get_ContainsFullScreenElement(BOOL* containsFullScreenElement) = 0;  // 54
    virtual HRESULT STDMETHODCALLTYPE add_WebResourceRequested(
        ICoreWebView2WebResourceRequestedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 55
    virtual HRESULT STDMETHODCALLTYPE remove_WebResourceRequested(EventRegistrationToken token) = 0;     // 56
    virtual HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilter(
        const LPCWSTR uri, const COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext) = 0;                 // 57
    virtual HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilter(
        const LPCWSTR uri, const COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext) = 0;                 // 58
    virtual HRESULT STDMETHODCALLTYPE add_WindowCloseRequested(
        ICoreWebView2WindowCloseRequestedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 59
    virtual HRESULT STDMETHODCALLTYPE remove_WindowCloseRequested(EventRegistrationToken token) = 0;     // 60
};
VELQUIN_IID(ICoreWebView2, 76ECEACB, 0462, 4D94, AC, 83, 42, 3A, 67, 93, 77, 5E);

struct ICoreWebView2WebMessageReceivedEventArgs : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* source) = 0;                           // 3
    virtual HRESULT STDMETHODCALLTYPE get_WebMessageAsJson(LPWSTR* webMessageAsJson) = 0;       // 4
    virtual HRESULT STDMETHODCALLTYPE TryGetWebMessageAsString(LPWSTR* webMessageAsString) = 0; // 5
};
VELQUIN_IID(ICoreWebView2WebMessageReceivedEventArgs, 0F99A40C, E962, 4207, 9E, 92, E3, D5, 42, EF, F8, 49);

struct ICoreWebView2SourceChangedEventArgs : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_IsNewDocument(BOOL* isNewDocument) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2SourceChangedEventArgs, 31E0E545, 1DBA, 4266, 89, 14, F6, 38, 48, A1, F7, D7);

struct ICoreWebView2AcceleratorKeyPressedEventArgs : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_KeyEventKind(COREWEBVIEW2_KEY_EVENT_KIND* keyEventKind) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE get_VirtualKey(UINT* virtualKey) = 0;                            // 4
    virtual HRESULT STDMETHODCALLTYPE get_KeyEventLParam(INT* lParam) = 0;                             // 5
    virtual HRESULT STDMETHODCALLTYPE get_PhysicalKeyStatus(
        COREWEBVIEW2_PHYSICAL_KEY_STATUS* physicalKeyStatus) = 0;                                       // 6
    virtual HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) = 0;                                  // 7
    virtual HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) = 0;                                   // 8
};
VELQUIN_IID(ICoreWebView2AcceleratorKeyPressedEventArgs, 9F760F8A, FB79, 42BE, 99, 90, 7B, 56, 90, 0F, A9, C7);

struct ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode, ICoreWebView2Environment* createdEnvironment) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, 4E8A3389, C9D8, 4BD2, B6, B5, 12, 4F, EE, 6C,
            C1, 4D);

struct ICoreWebView2CreateCoreWebView2ControllerCompletedHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode, ICoreWebView2Controller* createdController) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, 6C4819F3, C9B7, 4260, 81, 27, C9, F5, BD, E7,
            F6, 8C);

struct ICoreWebView2WebMessageReceivedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                             ICoreWebView2WebMessageReceivedEventArgs* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2WebMessageReceivedEventHandler, 57213F19, 00E6, 49FA, 8E, 07, 89, 8E, A0, 1E, CB, D2);

struct ICoreWebView2DocumentTitleChangedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2DocumentTitleChangedEventHandler, F5F2B923, 953E, 4042, 9F, 95, F3, A1, 18, E1, AF, D4);

struct ICoreWebView2SourceChangedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2SourceChangedEventHandler, 3C067F9F, 5388, 4772, 8B, 48, 79, F7, EF, 1A, B3, 7C);

struct ICoreWebView2AcceleratorKeyPressedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2Controller* sender,
                                             ICoreWebView2AcceleratorKeyPressedEventArgs* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2AcceleratorKeyPressedEventHandler, B29C7E28, FA79, 41A8, 8E, 44, 65, 81, 1C, 76, DC, B2);

struct ICoreWebView2Deferral : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Complete() = 0;  // 3
};
VELQUIN_IID(ICoreWebView2Deferral, C10E7F7B, B585, 46F0, A6, 23, 8B, EF, BF, 3E, 4E, E0);

struct ICoreWebView2NewWindowRequestedEventArgs : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;                                   // 3
    virtual HRESULT STDMETHODCALLTYPE put_NewWindow(ICoreWebView2* newWindow) = 0;                // 4
    virtual HRESULT STDMETHODCALLTYPE get_NewWindow(ICoreWebView2** newWindow) = 0;               // 5
    virtual HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) = 0;                              // 6
    virtual HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) = 0;                             // 7
    virtual HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* isUserInitiated) = 0;             // 8
    virtual HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) = 0;          // 9
    virtual HRESULT STDMETHODCALLTYPE get_WindowFeatures(ICoreWebView2WindowFeatures** value) = 0; // 10
};
VELQUIN_IID(ICoreWebView2NewWindowRequestedEventArgs, 34ACB11C, FC37, 4418, 91, 32, F9, C2, 1D, 1E, AF, B9);

struct ICoreWebView2NewWindowRequestedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                             ICoreWebView2NewWindowRequestedEventArgs* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2NewWindowRequestedEventHandler, D4C185FE, C81C, 4989, 97, AF, 2D, 3F, A7, AB, 56, 51);

struct ICoreWebView2ProcessFailedEventArgs : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_ProcessFailedKind(COREWEBVIEW2_PROCESS_FAILED_KIND* value) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2ProcessFailedEventArgs, 8155A9A4, 1474, 4A86, 8C, AE, 15, 1B, 0F, A6, B8, CA);

struct ICoreWebView2ProcessFailedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, ICoreWebView2ProcessFailedEventArgs* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2ProcessFailedEventHandler, 79E0AEA4, 990B, 42D9, AA, 1D, 0F, CC, 2E, 5B, C7, F1);

struct ICoreWebView2HistoryChangedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2HistoryChangedEventHandler, C79A420C, EFD9, 4058, 92, 95, 3E, 8B, 4B, CA, B6, 45);

struct ICoreWebView2NavigationStartingEventArgs : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;                                           // 3
    virtual HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* isUserInitiated) = 0;                     // 4
    virtual HRESULT STDMETHODCALLTYPE get_IsRedirected(BOOL* isRedirected) = 0;                           // 5
    virtual HRESULT STDMETHODCALLTYPE get_RequestHeaders(ICoreWebView2HttpRequestHeaders** requestHeaders) = 0;  // 6
    virtual HRESULT STDMETHODCALLTYPE get_Cancel(BOOL* cancel) = 0;                                       // 7
    virtual HRESULT STDMETHODCALLTYPE put_Cancel(BOOL cancel) = 0;                                        // 8
    virtual HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* navigationId) = 0;                         // 9
};
VELQUIN_IID(ICoreWebView2NavigationStartingEventArgs, 5B495469, E119, 438A, 9B, 18, 76, 04, F2, 5F, 2E, 49);

struct ICoreWebView2NavigationStartingEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                             ICoreWebView2NavigationStartingEventArgs* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2NavigationStartingEventHandler, 9ADBE429, F36D, 432B, 9D, DC, F8, 88, 1F, BD, 76, E3);

struct ICoreWebView2NavigationCompletedEventArgs : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_IsSuccess(BOOL* isSuccess) = 0;                                   // 3
    virtual HRESULT STDMETHODCALLTYPE get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS* webErrorStatus) = 0;  // 4
    virtual HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* navigationId) = 0;                           // 5
};
VELQUIN_IID(ICoreWebView2NavigationCompletedEventArgs, 30D68B7D, 20D9, 4752, A9, CA, EC, 84, 48, FB, B5, C1);

struct ICoreWebView2NavigationCompletedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                             ICoreWebView2NavigationCompletedEventArgs* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2NavigationCompletedEventHandler, D33A35BF, 1C49, 4F98, 93, AB, 00, 6E, 05, 33, FE, 1C);

struct ICoreWebView2ContainsFullScreenElementChangedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2ContainsFullScreenElementChangedEventHandler, E45D98B1, AFEF, 45BE, 8B, AF, 6C, 77, 28, 86,
            7F, 73);

struct ICoreWebView2ExecuteScriptCompletedHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode, LPCWSTR result) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2ExecuteScriptCompletedHandler, 49511172, CC67, 4BCA, 99, 23, 13, 71, 12, F4, C4, CC);

// The later web view and environment interfaces, each deriving from the one
// before and adding its methods after the base's last slot. The browser asks
// the web view (or environment) for the one it needs with QueryInterface; an
// older engine answers E_NOINTERFACE and the feature stays off.
struct ICoreWebView2_2 : public ICoreWebView2 {
    virtual HRESULT STDMETHODCALLTYPE add_WebResourceResponseReceived(
        ICoreWebView2WebResourceResponseReceivedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 61
    virtual HRESULT STDMETHODCALLTYPE remove_WebResourceResponseReceived(EventRegistrationToken token) = 0;  // 62
    virtual HRESULT STDMETHODCALLTYPE NavigateWithWebResourceRequest(
        ICoreWebView2WebResourceRequest* request) = 0;  // 63
    virtual HRESULT STDMETHODCALLTYPE add_DOMContentLoaded(
        ICoreWebView2DOMContentLoadedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 64
    virtual HRESULT STDMETHODCALLTYPE remove_DOMContentLoaded(EventRegistrationToken token) = 0;  // 65
    virtual HRESULT STDMETHODCALLTYPE get_CookieManager(ICoreWebView2CookieManager** cookieManager) = 0;  // 66
    virtual HRESULT STDMETHODCALLTYPE get_Environment(ICoreWebView2Environment** environment) = 0;  // 67
};
VELQUIN_IID(ICoreWebView2_2, 9E8F0CF8, E670, 4B5E, B2, BC, 73, E0, 61, E3, 18, 4C);

struct ICoreWebView2_3 : public ICoreWebView2_2 {
    virtual HRESULT STDMETHODCALLTYPE TrySuspend(ICoreWebView2TrySuspendCompletedHandler* handler) = 0;  // 68
    virtual HRESULT STDMETHODCALLTYPE Resume() = 0;  // 69
    virtual HRESULT STDMETHODCALLTYPE get_IsSuspended(BOOL* isSuspended) = 0;  // 70
    virtual HRESULT STDMETHODCALLTYPE SetVirtualHostNameToFolderMapping(
        LPCWSTR hostName, LPCWSTR folderPath, COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND accessKind) = 0;  // 71
    virtual HRESULT STDMETHODCALLTYPE ClearVirtualHostNameToFolderMapping(LPCWSTR hostName) = 0;  // 72
};
VELQUIN_IID(ICoreWebView2_3, A0D6DF20, 3B92, 416D, AA, 0C, 43, 7A, 9C, 72, 78, 57);

struct ICoreWebView2_4 : public ICoreWebView2_3 {
    virtual HRESULT STDMETHODCALLTYPE add_FrameCreated(
        ICoreWebView2FrameCreatedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 73
    virtual HRESULT STDMETHODCALLTYPE remove_FrameCreated(EventRegistrationToken token) = 0;  // 74
    virtual HRESULT STDMETHODCALLTYPE add_DownloadStarting(
        ICoreWebView2DownloadStartingEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 75
    virtual HRESULT STDMETHODCALLTYPE remove_DownloadStarting(EventRegistrationToken token) = 0;  // 76
};
VELQUIN_IID(ICoreWebView2_4, 20D02D59, 6DF2, 42DC, BD, 06, F9, 8A, 69, 4B, 13, 02);

struct ICoreWebView2_5 : public ICoreWebView2_4 {
    virtual HRESULT STDMETHODCALLTYPE add_ClientCertificateRequested(
        ICoreWebView2ClientCertificateRequestedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 77
    virtual HRESULT STDMETHODCALLTYPE remove_ClientCertificateRequested(EventRegistrationToken token) = 0;  // 78
};
VELQUIN_IID(ICoreWebView2_5, BEDB11B8, D63C, 11EB, B8, BC, 02, 42, AC, 13, 00, 03);

struct ICoreWebView2_6 : public ICoreWebView2_5 {
    virtual HRESULT STDMETHODCALLTYPE OpenTaskManagerWindow() = 0;  // 79
};
VELQUIN_IID(ICoreWebView2_6, 499AADAC, D92C, 4589, 8A, 75, 11, 1B, FC, 16, 77, 95);

struct ICoreWebView2_7 : public ICoreWebView2_6 {
    virtual HRESULT STDMETHODCALLTYPE PrintToPdf(
        LPCWSTR ResultFilePath, ICoreWebView2PrintSettings* printSettings,
        ICoreWebView2PrintToPdfCompletedHandler* handler) = 0;  // 80
};
VELQUIN_IID(ICoreWebView2_7, 79C24D83, 09A3, 45AE, 94, 18, 48, 7F, 32, A5, 87, 40);

struct ICoreWebView2_8 : public ICoreWebView2_7 {
    virtual HRESULT STDMETHODCALLTYPE add_IsMutedChanged(
        ICoreWebView2IsMutedChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 81
    virtual HRESULT STDMETHODCALLTYPE remove_IsMutedChanged(EventRegistrationToken token) = 0;  // 82
    virtual HRESULT STDMETHODCALLTYPE get_IsMuted(BOOL* value) = 0;  // 83
    virtual HRESULT STDMETHODCALLTYPE put_IsMuted(BOOL value) = 0;  // 84
    virtual HRESULT STDMETHODCALLTYPE add_IsDocumentPlayingAudioChanged(
        ICoreWebView2IsDocumentPlayingAudioChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 85
    virtual HRESULT STDMETHODCALLTYPE remove_IsDocumentPlayingAudioChanged(EventRegistrationToken token) = 0;  // 86
    virtual HRESULT STDMETHODCALLTYPE get_IsDocumentPlayingAudio(BOOL* value) = 0;  // 87
};
VELQUIN_IID(ICoreWebView2_8, E9632730, 6E1E, 43AB, B7, B8, 7B, 2C, 9E, 62, E0, 94);

struct ICoreWebView2_9 : public ICoreWebView2_8 {
    virtual HRESULT STDMETHODCALLTYPE add_IsDefaultDownloadDialogOpenChanged(
        ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler* handler, EventRegistrationToken* token) = 0;  // 88
    virtual HRESULT STDMETHODCALLTYPE remove_IsDefaultDownloadDialogOpenChanged(
        EventRegistrationToken token) = 0;  // 89
    virtual HRESULT STDMETHODCALLTYPE get_IsDefaultDownloadDialogOpen(BOOL* value) = 0;  // 90
    virtual HRESULT STDMETHODCALLTYPE OpenDefaultDownloadDialog() = 0;  // 91
    virtual HRESULT STDMETHODCALLTYPE CloseDefaultDownloadDialog() = 0;  // 92
    virtual HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogCornerAlignment(
        COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT* value) = 0;  // 93
    virtual HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogCornerAlignment(
        COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT value) = 0;  // 94
    virtual HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogMargin(POINT* value) = 0;  // 95
    virtual HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogMargin(POINT value) = 0;  // 96
};
VELQUIN_IID(ICoreWebView2_9, 4D7B2EAB, 9FDC, 468D, B9, 98, A9, 26, 0B, 5E, D6, 51);

struct ICoreWebView2_10 : public ICoreWebView2_9 {
    virtual HRESULT STDMETHODCALLTYPE add_BasicAuthenticationRequested(
        ICoreWebView2BasicAuthenticationRequestedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 97
    virtual HRESULT STDMETHODCALLTYPE remove_BasicAuthenticationRequested(EventRegistrationToken token) = 0;  // 98
};
VELQUIN_IID(ICoreWebView2_10, B1690564, 6F5A, 4983, 8E, 48, 31, D1, 14, 3F, EC, DB);

struct ICoreWebView2_11 : public ICoreWebView2_10 {
    virtual HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethodForSession(
        LPCWSTR sessionId, LPCWSTR methodName, LPCWSTR parametersAsJson,
        ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) = 0;  // 99
    virtual HRESULT STDMETHODCALLTYPE add_ContextMenuRequested(
        ICoreWebView2ContextMenuRequestedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 100
    virtual HRESULT STDMETHODCALLTYPE remove_ContextMenuRequested(EventRegistrationToken token) = 0;  // 101
};
VELQUIN_IID(ICoreWebView2_11, 0BE78E56, C193, 4051, B9, 43, 23, B4, 60, C0, 8B, DB);

struct ICoreWebView2_12 : public ICoreWebView2_11 {
    virtual HRESULT STDMETHODCALLTYPE add_StatusBarTextChanged(
        ICoreWebView2StatusBarTextChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 102
    virtual HRESULT STDMETHODCALLTYPE remove_StatusBarTextChanged(EventRegistrationToken token) = 0;  // 103
    virtual HRESULT STDMETHODCALLTYPE get_StatusBarText(LPWSTR* value) = 0;  // 104
};
VELQUIN_IID(ICoreWebView2_12, 35D69927, BCFA, 4566, 93, 49, 6B, 3E, 0D, 15, 4C, AC);

struct ICoreWebView2_13 : public ICoreWebView2_12 {
    virtual HRESULT STDMETHODCALLTYPE get_Profile(ICoreWebView2Profile** value) = 0;  // 105
};
VELQUIN_IID(ICoreWebView2_13, F75F09A8, 667E, 4983, 88, D6, C8, 77, 3F, 31, 5E, 84);

struct ICoreWebView2_14 : public ICoreWebView2_13 {
    virtual HRESULT STDMETHODCALLTYPE add_ServerCertificateErrorDetected(
        ICoreWebView2ServerCertificateErrorDetectedEventHandler* eventHandler,
        EventRegistrationToken* token) = 0;  // 106
    virtual HRESULT STDMETHODCALLTYPE remove_ServerCertificateErrorDetected(EventRegistrationToken token) = 0;  // 107
    virtual HRESULT STDMETHODCALLTYPE ClearServerCertificateErrorActions(
        ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler* handler) = 0;  // 108
};
VELQUIN_IID(ICoreWebView2_14, 6DAA4F10, 4A90, 4753, 88, 98, 77, C5, DF, 53, 41, 65);

struct ICoreWebView2_15 : public ICoreWebView2_14 {
    virtual HRESULT STDMETHODCALLTYPE add_FaviconChanged(
        ICoreWebView2FaviconChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 109
    virtual HRESULT STDMETHODCALLTYPE remove_FaviconChanged(EventRegistrationToken token) = 0;  // 110
    virtual HRESULT STDMETHODCALLTYPE get_FaviconUri(LPWSTR* value) = 0;  // 111
    virtual HRESULT STDMETHODCALLTYPE GetFavicon(
        COREWEBVIEW2_FAVICON_IMAGE_FORMAT format,
        ICoreWebView2GetFaviconCompletedHandler* completedHandler) = 0;  // 112
};
VELQUIN_IID(ICoreWebView2_15, 517B2D1D, 7DAE, 4A66, A4, F4, 10, 35, 2F, FB, 95, 18);

struct ICoreWebView2_16 : public ICoreWebView2_15 {
    virtual HRESULT STDMETHODCALLTYPE Print(
        ICoreWebView2PrintSettings* printSettings, ICoreWebView2PrintCompletedHandler* handler) = 0;  // 113
    virtual HRESULT STDMETHODCALLTYPE ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND printDialogKind) = 0;  // 114
    virtual HRESULT STDMETHODCALLTYPE PrintToPdfStream(
        ICoreWebView2PrintSettings* printSettings, ICoreWebView2PrintToPdfStreamCompletedHandler* handler) = 0;  // 115
};
VELQUIN_IID(ICoreWebView2_16, 0EB34DC9, 9F91, 41E1, 86, 39, 95, CD, 59, 43, 90, 6B);

struct ICoreWebView2_17 : public ICoreWebView2_16 {
    virtual HRESULT STDMETHODCALLTYPE PostSharedBufferToScript(
        ICoreWebView2SharedBuffer* sharedBuffer, COREWEBVIEW2_SHARED_BUFFER_ACCESS access,
        LPCWSTR additionalDataAsJson) = 0;  // 116
};
VELQUIN_IID(ICoreWebView2_17, 702E75D4, FD44, 434D, 9D, 70, 1A, 68, A6, B1, 19, 2A);

struct ICoreWebView2_18 : public ICoreWebView2_17 {
    virtual HRESULT STDMETHODCALLTYPE add_LaunchingExternalUriScheme(
        ICoreWebView2LaunchingExternalUriSchemeEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 117
    virtual HRESULT STDMETHODCALLTYPE remove_LaunchingExternalUriScheme(EventRegistrationToken token) = 0;  // 118
};
VELQUIN_IID(ICoreWebView2_18, 7A626017, 28BE, 49B2, B8, 65, 3B, A2, B3, 52, 2D, 90);

struct ICoreWebView2_19 : public ICoreWebView2_18 {
    virtual HRESULT STDMETHODCALLTYPE get_MemoryUsageTargetLevel(
        COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL* value) = 0;  // 119
    virtual HRESULT STDMETHODCALLTYPE put_MemoryUsageTargetLevel(
        COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL value) = 0;  // 120
};
VELQUIN_IID(ICoreWebView2_19, 6921F954, 79B0, 437F, A9, 97, C8, 58, 11, 89, 7C, 68);

struct ICoreWebView2_20 : public ICoreWebView2_19 {
    virtual HRESULT STDMETHODCALLTYPE get_FrameId(UINT32* value) = 0;  // 121
};
VELQUIN_IID(ICoreWebView2_20, B4BC1926, 7305, 11EE, B9, 62, 02, 42, AC, 12, 00, 02);

struct ICoreWebView2_21 : public ICoreWebView2_20 {
    virtual HRESULT STDMETHODCALLTYPE ExecuteScriptWithResult(
        LPCWSTR javaScript, ICoreWebView2ExecuteScriptWithResultCompletedHandler* handler) = 0;  // 122
};
VELQUIN_IID(ICoreWebView2_21, C4980DEA, 587B, 43B9, 81, 43, 3E, F3, BF, 55, 2D, 95);

struct ICoreWebView2_22 : public ICoreWebView2_21 {
    virtual HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilterWithRequestSourceKinds(
        LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT ResourceContext,
        COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) = 0;  // 123
    virtual HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilterWithRequestSourceKinds(
        LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT ResourceContext,
        COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) = 0;  // 124
};
VELQUIN_IID(ICoreWebView2_22, DB75DFC7, A857, 4632, A3, 98, 69, 69, DD, E2, 6C, 0A);

struct ICoreWebView2_23 : public ICoreWebView2_22 {
    virtual HRESULT STDMETHODCALLTYPE PostWebMessageAsJsonWithAdditionalObjects(
        LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) = 0;  // 125
};
VELQUIN_IID(ICoreWebView2_23, 508F0DB5, 90C4, 5872, 90, A7, 26, 7A, 91, 37, 75, 02);

struct ICoreWebView2_24 : public ICoreWebView2_23 {
    virtual HRESULT STDMETHODCALLTYPE add_NotificationReceived(
        ICoreWebView2NotificationReceivedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 126
    virtual HRESULT STDMETHODCALLTYPE remove_NotificationReceived(EventRegistrationToken token) = 0;  // 127
};
VELQUIN_IID(ICoreWebView2_24, 39A7AD55, 4287, 5CC1, 88, A1, C6, F4, 58, 59, 38, 24);

struct ICoreWebView2_25 : public ICoreWebView2_24 {
    virtual HRESULT STDMETHODCALLTYPE add_SaveAsUIShowing(
        ICoreWebView2SaveAsUIShowingEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 128
    virtual HRESULT STDMETHODCALLTYPE remove_SaveAsUIShowing(EventRegistrationToken token) = 0;  // 129
    virtual HRESULT STDMETHODCALLTYPE ShowSaveAsUI(ICoreWebView2ShowSaveAsUICompletedHandler* handler) = 0;  // 130
};
VELQUIN_IID(ICoreWebView2_25, B5A86092, DF50, 5B4F, A1, 7B, 6C, 8F, 8B, 40, B7, 71);

struct ICoreWebView2_26 : public ICoreWebView2_25 {
    virtual HRESULT STDMETHODCALLTYPE add_SaveFileSecurityCheckStarting(
        ICoreWebView2SaveFileSecurityCheckStartingEventHandler* eventHandler,
        EventRegistrationToken* token) = 0;  // 131
    virtual HRESULT STDMETHODCALLTYPE remove_SaveFileSecurityCheckStarting(EventRegistrationToken token) = 0;  // 132
};
VELQUIN_IID(ICoreWebView2_26, 806268B8, F897, 5685, 88, E5, C4, 5F, CA, 0B, 1A, 48);

struct ICoreWebView2_27 : public ICoreWebView2_26 {
    virtual HRESULT STDMETHODCALLTYPE add_ScreenCaptureStarting(
        ICoreWebView2ScreenCaptureStartingEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 133
    virtual HRESULT STDMETHODCALLTYPE remove_ScreenCaptureStarting(EventRegistrationToken token) = 0;  // 134
};
VELQUIN_IID(ICoreWebView2_27, 00FBE33B, 8C07, 517C, AA, 23, 0D, DD, 4B, 5F, 6F, A0);

struct ICoreWebView2_28 : public ICoreWebView2_27 {
    virtual HRESULT STDMETHODCALLTYPE get_Find(ICoreWebView2Find** value) = 0;  // 135
};
VELQUIN_IID(ICoreWebView2_28, 62E50381, 5BF5, 51A8, AA, E0, F2, 0A, 3A, 9C, 8A, 90);

struct ICoreWebView2Environment2 : public ICoreWebView2Environment {
    virtual HRESULT STDMETHODCALLTYPE CreateWebResourceRequest(
        LPCWSTR uri, LPCWSTR Method, IStream* postData, LPCWSTR Headers,
        ICoreWebView2WebResourceRequest** value) = 0;  // 8
};
VELQUIN_IID(ICoreWebView2Environment2, 41F3632B, 5EF4, 404F, AD, 82, 2D, 60, 6C, 5A, 9A, 21);

struct ICoreWebView2Environment3 : public ICoreWebView2Environment2 {
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionController(
        HWND ParentWindow, ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) = 0;  // 9
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2PointerInfo(ICoreWebView2PointerInfo** value) = 0;  // 10
};
VELQUIN_IID(ICoreWebView2Environment3, 80A22AE3, BE7C, 4CE2, AF, E1, 5A, 50, 05, 6C, DE, EB);

struct ICoreWebView2Environment4 : public ICoreWebView2Environment3 {
    virtual HRESULT STDMETHODCALLTYPE GetAutomationProviderForWindow(HWND hwnd, IUnknown** value) = 0;  // 11
};
VELQUIN_IID(ICoreWebView2Environment4, 20944379, 6DCF, 41D6, A0, A0, AB, C0, FC, 50, DE, 0D);

struct ICoreWebView2Environment5 : public ICoreWebView2Environment4 {
    virtual HRESULT STDMETHODCALLTYPE add_BrowserProcessExited(
        ICoreWebView2BrowserProcessExitedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 12
    virtual HRESULT STDMETHODCALLTYPE remove_BrowserProcessExited(EventRegistrationToken token) = 0;  // 13
};
VELQUIN_IID(ICoreWebView2Environment5, 319E423D, E0D7, 4B8D, 92, 54, AE, 94, 75, DE, 9B, 17);

struct ICoreWebView2Environment6 : public ICoreWebView2Environment5 {
    virtual HRESULT STDMETHODCALLTYPE CreatePrintSettings(ICoreWebView2PrintSettings** value) = 0;  // 14
};
VELQUIN_IID(ICoreWebView2Environment6, E59EE362, ACBD, 4857, 9A, 8E, D3, 64, 4D, 94, 59, A9);

struct ICoreWebView2Environment7 : public ICoreWebView2Environment6 {
    virtual HRESULT STDMETHODCALLTYPE get_UserDataFolder(LPWSTR* value) = 0;  // 15
};
VELQUIN_IID(ICoreWebView2Environment7, 43C22296, 3BBD, 43A4, 9C, 00, 5C, 0D, F6, DD, 29, A2);

struct ICoreWebView2Environment8 : public ICoreWebView2Environment7 {
    virtual HRESULT STDMETHODCALLTYPE add_ProcessInfosChanged(
        ICoreWebView2ProcessInfosChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 16
    virtual HRESULT STDMETHODCALLTYPE remove_ProcessInfosChanged(EventRegistrationToken token) = 0;  // 17
    virtual HRESULT STDMETHODCALLTYPE GetProcessInfos(ICoreWebView2ProcessInfoCollection** value) = 0;  // 18
};
VELQUIN_IID(ICoreWebView2Environment8, D6EB91DD, C3D2, 45E5, BD, 29, 6D, C2, BC, 4D, E9, CF);

struct ICoreWebView2Environment9 : public ICoreWebView2Environment8 {
    virtual HRESULT STDMETHODCALLTYPE CreateContextMenuItem(
        LPCWSTR Label, IStream* iconStream, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND Kind,
        ICoreWebView2ContextMenuItem** value) = 0;  // 19
};
VELQUIN_IID(ICoreWebView2Environment9, F06F41BF, 4B5A, 49D8, B9, F6, FA, 16, CD, 29, F2, 74);

struct ICoreWebView2Environment10 : public ICoreWebView2Environment9 {
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerOptions(
        ICoreWebView2ControllerOptions** value) = 0;  // 20
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerWithOptions(
        HWND ParentWindow, ICoreWebView2ControllerOptions* options,
        ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) = 0;  // 21
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionControllerWithOptions(
        HWND ParentWindow, ICoreWebView2ControllerOptions* options,
        ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) = 0;  // 22
};
VELQUIN_IID(ICoreWebView2Environment10, EE0EB9DF, 6F12, 46CE, B5, 3F, 3F, 47, B9, C9, 28, E0);

struct ICoreWebView2Environment11 : public ICoreWebView2Environment10 {
    virtual HRESULT STDMETHODCALLTYPE get_FailureReportFolderPath(LPWSTR* value) = 0;  // 23
};
VELQUIN_IID(ICoreWebView2Environment11, F0913DC6, A0EC, 42EF, 98, 05, 91, DF, F3, A2, 96, 6A);

struct ICoreWebView2Environment12 : public ICoreWebView2Environment11 {
    virtual HRESULT STDMETHODCALLTYPE CreateSharedBuffer(UINT64 Size, ICoreWebView2SharedBuffer** value) = 0;  // 24
};
VELQUIN_IID(ICoreWebView2Environment12, F503DB9B, 739F, 48DD, B1, 51, FD, FC, F2, 53, F5, 4E);

struct ICoreWebView2Environment13 : public ICoreWebView2Environment12 {
    virtual HRESULT STDMETHODCALLTYPE GetProcessExtendedInfos(
        ICoreWebView2GetProcessExtendedInfosCompletedHandler* handler) = 0;  // 25
};
VELQUIN_IID(ICoreWebView2Environment13, AF641F58, 72B2, 11EE, B9, 62, 02, 42, AC, 12, 00, 02);

struct ICoreWebView2Environment14 : public ICoreWebView2Environment13 {
    virtual HRESULT STDMETHODCALLTYPE CreateWebFileSystemFileHandle(
        LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
        ICoreWebView2FileSystemHandle** value) = 0;  // 26
    virtual HRESULT STDMETHODCALLTYPE CreateWebFileSystemDirectoryHandle(
        LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
        ICoreWebView2FileSystemHandle** value) = 0;  // 27
    virtual HRESULT STDMETHODCALLTYPE CreateObjectCollection(
        UINT32 length, IUnknown** items, ICoreWebView2ObjectCollection** objectCollection) = 0;  // 28
};
VELQUIN_IID(ICoreWebView2Environment14, A5E9FAD9, C875, 59DA, 9B, D7, 47, 3A, A5, CA, 1C, EF);

struct ICoreWebView2Environment15 : public ICoreWebView2Environment14 {
    virtual HRESULT STDMETHODCALLTYPE CreateFindOptions(ICoreWebView2FindOptions** value) = 0;  // 29
};
VELQUIN_IID(ICoreWebView2Environment15, 2AC5EBFB, E654, 5961, A6, 67, 79, 71, 88, 5C, 7B, 27);

struct ICoreWebView2FaviconChangedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2FaviconChangedEventHandler, 2913DA94, 833D, 4DE0, 8D, CA, 90, 0F, C5, 24, A1, A4);

struct ICoreWebView2GetFaviconCompletedHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode, IStream* result) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2GetFaviconCompletedHandler, A2508329, 7DA8, 49D7, 8C, 05, FA, 12, 5E, 4A, EE, 8D);

struct ICoreWebView2IsDocumentPlayingAudioChangedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2IsDocumentPlayingAudioChangedEventHandler, 5DEF109A, 2F4B, 49FA, B7, F6, 11, C3, 9E, 51, 33,
            28);

struct ICoreWebView2IsMutedChangedEventHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2IsMutedChangedEventHandler, 57D90347, CD0E, 4952, A4, A2, 74, 83, A2, 75, 6F, 08);

struct ICoreWebView2TrySuspendCompletedHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode, BOOL result) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2TrySuspendCompletedHandler, 00F206A7, 9D17, 4605, 91, F6, 4E, 8E, 4D, E1, 92, E3);

struct ICoreWebView2FindOptions : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_FindTerm(LPWSTR* value) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE put_FindTerm(LPCWSTR value) = 0;  // 4
    virtual HRESULT STDMETHODCALLTYPE get_IsCaseSensitive(BOOL* value) = 0;  // 5
    virtual HRESULT STDMETHODCALLTYPE put_IsCaseSensitive(BOOL value) = 0;  // 6
    virtual HRESULT STDMETHODCALLTYPE get_ShouldHighlightAllMatches(BOOL* value) = 0;  // 7
    virtual HRESULT STDMETHODCALLTYPE put_ShouldHighlightAllMatches(BOOL value) = 0;  // 8
    virtual HRESULT STDMETHODCALLTYPE get_ShouldMatchWord(BOOL* value) = 0;  // 9
    virtual HRESULT STDMETHODCALLTYPE put_ShouldMatchWord(BOOL value) = 0;  // 10
    virtual HRESULT STDMETHODCALLTYPE get_SuppressDefaultFindDialog(BOOL* value) = 0;  // 11
    virtual HRESULT STDMETHODCALLTYPE put_SuppressDefaultFindDialog(BOOL value) = 0;  // 12
};
VELQUIN_IID(ICoreWebView2FindOptions, E82E3B2B, A4AF, 5BC6, 94, C6, 18, B4, 41, 57, A1, 6C);

struct ICoreWebView2FindStartCompletedHandler : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode) = 0;  // 3
};
VELQUIN_IID(ICoreWebView2FindStartCompletedHandler, 6A90ECAF, 44B0, 5BD9, 8F, 07, 19, 67, E1, 7B, E9, FB);

struct ICoreWebView2Find : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_ActiveMatchIndex(INT32* value) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE get_MatchCount(INT32* value) = 0;  // 4
    virtual HRESULT STDMETHODCALLTYPE add_ActiveMatchIndexChanged(
        ICoreWebView2FindActiveMatchIndexChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 5
    virtual HRESULT STDMETHODCALLTYPE remove_ActiveMatchIndexChanged(EventRegistrationToken token) = 0;  // 6
    virtual HRESULT STDMETHODCALLTYPE add_MatchCountChanged(
        ICoreWebView2FindMatchCountChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;  // 7
    virtual HRESULT STDMETHODCALLTYPE remove_MatchCountChanged(EventRegistrationToken token) = 0;  // 8
    virtual HRESULT STDMETHODCALLTYPE Start(
        ICoreWebView2FindOptions* options, ICoreWebView2FindStartCompletedHandler* handler) = 0;  // 9
    virtual HRESULT STDMETHODCALLTYPE FindNext() = 0;  // 10
    virtual HRESULT STDMETHODCALLTYPE FindPrevious() = 0;  // 11
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;  // 12
};
VELQUIN_IID(ICoreWebView2Find, A3EC0F5F, DDBC, 54ED, 85, 46, AF, 75, A7, 85, B9, A6);

// The loader library's one export, looked up at run time.
using CreateEnvironmentWithOptionsFn = HRESULT(STDAPICALLTYPE*)(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder, ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler);
