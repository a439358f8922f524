// Checks our engine interface declarations against the engine's binary
// interface: each method in its published vtable slot with its published
// parameter types, each interface with its published IID, and the shared enum
// and struct with their published values and layout. A mismatch builds and links
// without complaint; on a machine with the real engine, calls would land in the
// wrong method.
#include "engine/WebViewInterfaces.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>

namespace {

static_assert(sizeof(void*) == 8, "the slots checked here are those of the 64-bit engine");

// Stands in for an object on the other side: its vtable has one thunk per slot,
// each recording its own index. On x64 there is one calling convention and the
// caller cleans up, so a thunk that takes only `this` may be called with any
// method's arguments.
struct SlotRecorder {
    using Thunk = HRESULT(STDMETHODCALLTYPE*)(SlotRecorder*);
    const Thunk* vtable;
    int calledSlot;
};

template <std::size_t Slot>
HRESULT STDMETHODCALLTYPE RecordSlot(SlotRecorder* self) {
    self->calledSlot = static_cast<int>(Slot);
    return S_OK;
}

template <std::size_t... Slots>
constexpr std::array<SlotRecorder::Thunk, sizeof...(Slots)> MakeRecordingVtable(std::index_sequence<Slots...>) {
    return {{&RecordSlot<Slots>...}};
}

// More slots than the largest interface declares.
constexpr auto kRecordingVtable = MakeRecordingVtable(std::make_index_sequence<64>());

template <typename Interface, typename... Params>
void CallWithZeroArguments(Interface* object, HRESULT (STDMETHODCALLTYPE Interface::*method)(Params...)) {
    (object->*method)(Params{}...);
}

template <typename Interface, typename Method, Method method>
void CallMethod(Interface* object) {
    CallWithZeroArguments(object, method);
}

template <typename Interface>
struct SlotRow {
    int slot;
    const char* method;
    void (*call)(Interface*);
};

template <typename Interface>
void ExpectSlots(std::initializer_list<SlotRow<Interface>> rows) {
    for (const SlotRow<Interface>& row : rows) {
        SlotRecorder recorder{kRecordingVtable.data(), -1};
        row.call(reinterpret_cast<Interface*>(&recorder));
        EXPECT_EQ(recorder.calledSlot, row.slot)
            << typeid(Interface).name() << "::" << row.method << " is called through the wrong slot";
    }
}

}  // namespace

// One row of an interface's slot table: `method`, declared by `Interface` itself
// with exactly these parameter types (any other signature does not compile),
// must be called through vtable slot `slot`.
#define SLOT(slot, method, ...)                                                                         \
    SlotRow<Interface> {                                                                                \
        slot, #method,                                                                                  \
            &CallMethod<Interface, HRESULT (STDMETHODCALLTYPE Interface::*)(__VA_ARGS__), &Interface::method> \
    }

// An event's add_ and remove_ methods, in consecutive slots.
#define EVENT_SLOTS(slot, event, Handler) \
    SLOT(slot, add_##event, Handler*, EventRegistrationToken*), SLOT(slot + 1, remove_##event, EventRegistrationToken)

TEST(EngineSlots, Environment) {
    using Interface = ICoreWebView2Environment;
    ExpectSlots<Interface>({
        SLOT(3, CreateCoreWebView2Controller, HWND, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler*),
        SLOT(4, CreateWebResourceResponse, IStream*, int, LPCWSTR, LPCWSTR, ICoreWebView2WebResourceResponse**),
        SLOT(5, get_BrowserVersionString, LPWSTR*),
        EVENT_SLOTS(6, NewBrowserVersionAvailable, ICoreWebView2NewBrowserVersionAvailableEventHandler),
    });
}

TEST(EngineSlots, Controller) {
    using Interface = ICoreWebView2Controller;
    ExpectSlots<Interface>({
        SLOT(3, get_IsVisible, BOOL*),
        SLOT(4, put_IsVisible, BOOL),
        SLOT(5, get_Bounds, RECT*),
        SLOT(6, put_Bounds, RECT),
        SLOT(7, get_ZoomFactor, double*),
        SLOT(8, put_ZoomFactor, double),
        EVENT_SLOTS(9, ZoomFactorChanged, ICoreWebView2ZoomFactorChangedEventHandler),
        SLOT(11, SetBoundsAndZoomFactor, RECT, double),
        SLOT(12, MoveFocus, COREWEBVIEW2_MOVE_FOCUS_REASON),
        EVENT_SLOTS(13, MoveFocusRequested, ICoreWebView2MoveFocusRequestedEventHandler),
        EVENT_SLOTS(15, GotFocus, ICoreWebView2FocusChangedEventHandler),
        EVENT_SLOTS(17, LostFocus, ICoreWebView2FocusChangedEventHandler),
        EVENT_SLOTS(19, AcceleratorKeyPressed, ICoreWebView2AcceleratorKeyPressedEventHandler),
        SLOT(21, get_ParentWindow, HWND*),
        SLOT(22, put_ParentWindow, HWND),
        SLOT(23, NotifyParentWindowPositionChanged, void),
        SLOT(24, Close, void),
        SLOT(25, get_CoreWebView2, ICoreWebView2**),
    });
}

TEST(EngineSlots, WebView) {
    using Interface = ICoreWebView2;
    ExpectSlots<Interface>({
        SLOT(3, get_Settings, ICoreWebView2Settings**),
        SLOT(4, get_Source, LPWSTR*),
        SLOT(5, Navigate, LPCWSTR),
        SLOT(6, NavigateToString, LPCWSTR),
        EVENT_SLOTS(7, NavigationStarting, ICoreWebView2NavigationStartingEventHandler),
        EVENT_SLOTS(9, ContentLoading, ICoreWebView2ContentLoadingEventHandler),
        EVENT_SLOTS(11, SourceChanged, ICoreWebView2SourceChangedEventHandler),
        EVENT_SLOTS(13, HistoryChanged, ICoreWebView2HistoryChangedEventHandler),
        EVENT_SLOTS(15, NavigationCompleted, ICoreWebView2NavigationCompletedEventHandler),
        EVENT_SLOTS(17, FrameNavigationStarting, ICoreWebView2NavigationStartingEventHandler),
        EVENT_SLOTS(19, FrameNavigationCompleted, ICoreWebView2NavigationCompletedEventHandler),
        EVENT_SLOTS(21, ScriptDialogOpening, ICoreWebView2ScriptDialogOpeningEventHandler),
        EVENT_SLOTS(23, PermissionRequested, ICoreWebView2PermissionRequestedEventHandler),
        EVENT_SLOTS(25, ProcessFailed, ICoreWebView2ProcessFailedEventHandler),
        SLOT(27, AddScriptToExecuteOnDocumentCreated, LPCWSTR,
             ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler*),
        SLOT(28, RemoveScriptToExecuteOnDocumentCreated, LPCWSTR),
        SLOT(29, ExecuteScript, LPCWSTR, ICoreWebView2ExecuteScriptCompletedHandler*),
        SLOT(30, CapturePreview, COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT, IStream*,
             ICoreWebView2CapturePreviewCompletedHandler*),
        SLOT(31, Reload, void),
        SLOT(32, PostWebMessageAsJson, LPCWSTR),
        SLOT(33, PostWebMessageAsString, LPCWSTR),
        EVENT_SLOTS(34, WebMessageReceived, ICoreWebView2WebMessageReceivedEventHandler),
        SLOT(36, CallDevToolsProtocolMethod, LPCWSTR, LPCWSTR,
             ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*),
        SLOT(37, get_BrowserProcessId, UINT32*),
        SLOT(38, get_CanGoBack, BOOL*),
        SLOT(39, get_CanGoForward, BOOL*),
        SLOT(40, GoBack, void),
        SLOT(41, GoForward, void),
        SLOT(42, GetDevToolsProtocolEventReceiver, LPCWSTR, ICoreWebView2DevToolsProtocolEventReceiver**),
        SLOT(43, Stop, void),
        EVENT_SLOTS(44, NewWindowRequested, ICoreWebView2NewWindowRequestedEventHandler),
        EVENT_SLOTS(46, DocumentTitleChanged, ICoreWebView2DocumentTitleChangedEventHandler),
        SLOT(48, get_DocumentTitle, LPWSTR*),
        SLOT(49, AddHostObjectToScript, LPCWSTR, VARIANT*),
        SLOT(50, RemoveHostObjectFromScript, LPCWSTR),
        SLOT(51, OpenDevToolsWindow, void),
        EVENT_SLOTS(52, ContainsFullScreenElementChanged, ICoreWebView2ContainsFullScreenElementChangedEventHandler),
        SLOT(54, get_ContainsFullScreenElement, BOOL*),
        EVENT_SLOTS(55, WebResourceRequested, ICoreWebView2WebResourceRequestedEventHandler),
        SLOT(57, AddWebResourceRequestedFilter, LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT),
        SLOT(58, RemoveWebResourceRequestedFilter, LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT),
        EVENT_SLOTS(59, WindowCloseRequested, ICoreWebView2WindowCloseRequestedEventHandler),
    });
}

// The event arguments the engine hands to the browser's handlers.
TEST(EngineSlots, EventArgs) {
    {
        using Interface = ICoreWebView2WebMessageReceivedEventArgs;
        ExpectSlots<Interface>({
            SLOT(3, get_Source, LPWSTR*),
            SLOT(4, get_WebMessageAsJson, LPWSTR*),
            SLOT(5, TryGetWebMessageAsString, LPWSTR*),
        });
    }
    {
        using Interface = ICoreWebView2SourceChangedEventArgs;
        ExpectSlots<Interface>({SLOT(3, get_IsNewDocument, BOOL*)});
    }
    {
        using Interface = ICoreWebView2AcceleratorKeyPressedEventArgs;
        ExpectSlots<Interface>({
            SLOT(3, get_KeyEventKind, COREWEBVIEW2_KEY_EVENT_KIND*),
            SLOT(4, get_VirtualKey, UINT*),
            SLOT(5, get_KeyEventLParam, INT*),
            SLOT(6, get_PhysicalKeyStatus, COREWEBVIEW2_PHYSICAL_KEY_STATUS*),
            SLOT(7, get_Handled, BOOL*),
            SLOT(8, put_Handled, BOOL),
        });
    }
    {
        using Interface = ICoreWebView2NewWindowRequestedEventArgs;
        ExpectSlots<Interface>({
            SLOT(3, get_Uri, LPWSTR*),
            SLOT(4, put_NewWindow, ICoreWebView2*),
            SLOT(5, get_NewWindow, ICoreWebView2**),
            SLOT(6, put_Handled, BOOL),
            SLOT(7, get_Handled, BOOL*),
            SLOT(8, get_IsUserInitiated, BOOL*),
            SLOT(9, GetDeferral, ICoreWebView2Deferral**),
            SLOT(10, get_WindowFeatures, ICoreWebView2WindowFeatures**),
        });
    }
    {
        using Interface = ICoreWebView2Deferral;
        ExpectSlots<Interface>({SLOT(3, Complete, void)});
    }
    {
        using Interface = ICoreWebView2ProcessFailedEventArgs;
        ExpectSlots<Interface>({SLOT(3, get_ProcessFailedKind, COREWEBVIEW2_PROCESS_FAILED_KIND*)});
    }
    {
        using Interface = ICoreWebView2NavigationStartingEventArgs;
        ExpectSlots<Interface>({
            SLOT(3, get_Uri, LPWSTR*),
            SLOT(4, get_IsUserInitiated, BOOL*),
            SLOT(5, get_IsRedirected, BOOL*),
            SLOT(6, get_RequestHeaders, ICoreWebView2HttpRequestHeaders**),
            SLOT(7, get_Cancel, BOOL*),
            SLOT(8, put_Cancel, BOOL),
            SLOT(9, get_NavigationId, UINT64*),
        });
    }
    {
        using Interface = ICoreWebView2NavigationCompletedEventArgs;
        ExpectSlots<Interface>({
            SLOT(3, get_IsSuccess, BOOL*),
            SLOT(4, get_WebErrorStatus, COREWEBVIEW2_WEB_ERROR_STATUS*),
            SLOT(5, get_NavigationId, UINT64*),
        });
    }
}

// The browser implements the handlers; the engine calls their Invoke.
template <typename Interface, typename First, typename Second>
void ExpectInvokeInSlot3() {
    ExpectSlots<Interface>({SLOT(3, Invoke, First, Second)});
}

TEST(EngineSlots, Handlers) {
    ExpectInvokeInSlot3<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, HRESULT,
                        ICoreWebView2Environment*>();
    ExpectInvokeInSlot3<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, HRESULT, ICoreWebView2Controller*>();
    ExpectInvokeInSlot3<ICoreWebView2WebMessageReceivedEventHandler, ICoreWebView2*,
                        ICoreWebView2WebMessageReceivedEventArgs*>();
    ExpectInvokeInSlot3<ICoreWebView2DocumentTitleChangedEventHandler, ICoreWebView2*, IUnknown*>();
    ExpectInvokeInSlot3<ICoreWebView2SourceChangedEventHandler, ICoreWebView2*, ICoreWebView2SourceChangedEventArgs*>();
    ExpectInvokeInSlot3<ICoreWebView2AcceleratorKeyPressedEventHandler, ICoreWebView2Controller*,
                        ICoreWebView2AcceleratorKeyPressedEventArgs*>();
    ExpectInvokeInSlot3<ICoreWebView2NewWindowRequestedEventHandler, ICoreWebView2*,
                        ICoreWebView2NewWindowRequestedEventArgs*>();
    ExpectInvokeInSlot3<ICoreWebView2ProcessFailedEventHandler, ICoreWebView2*, ICoreWebView2ProcessFailedEventArgs*>();
    ExpectInvokeInSlot3<ICoreWebView2HistoryChangedEventHandler, ICoreWebView2*, IUnknown*>();
    ExpectInvokeInSlot3<ICoreWebView2NavigationStartingEventHandler, ICoreWebView2*,
                        ICoreWebView2NavigationStartingEventArgs*>();
    ExpectInvokeInSlot3<ICoreWebView2NavigationCompletedEventHandler, ICoreWebView2*,
                        ICoreWebView2NavigationCompletedEventArgs*>();
    ExpectInvokeInSlot3<ICoreWebView2ContainsFullScreenElementChangedEventHandler, ICoreWebView2*, IUnknown*>();
    ExpectInvokeInSlot3<ICoreWebView2ExecuteScriptCompletedHandler, HRESULT, LPCWSTR>();
}

namespace {

struct IidRow {
    const char* interfaceName;
    IID declared;
    const wchar_t* published;
};

std::string GuidText(const GUID& guid) {
    wchar_t text[39] = {};
    StringFromGUID2(guid, text, 39);
    return std::string(text, text + 38);
}

}  // namespace

#define IID_ROW(Interface, published) \
    IidRow { #Interface, __uuidof(Interface), published }

TEST(EngineSlots, InterfaceIds) {
    const IidRow rows[] = {
        IID_ROW(ICoreWebView2Environment, L"{B96D755E-0319-4E92-A296-23436F46A1FC}"),
        IID_ROW(ICoreWebView2Controller, L"{4D00C0D1-9434-4EB6-8078-8697A560334F}"),
        IID_ROW(ICoreWebView2, L"{76ECEACB-0462-4D94-AC83-423A6793775E}"),
        IID_ROW(ICoreWebView2WebMessageReceivedEventArgs, L"{0F99A40C-E962-4207-9E92-E3D542EFF849}"),
        IID_ROW(ICoreWebView2SourceChangedEventArgs, L"{31E0E545-1DBA-4266-8914-F63848A1F7D7}"),
        IID_ROW(ICoreWebView2AcceleratorKeyPressedEventArgs, L"{9F760F8A-FB79-42BE-9990-7B56900FA9C7}"),
        IID_ROW(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
                L"{4E8A3389-C9D8-4BD2-B6B5-124FEE6CC14D}"),
        IID_ROW(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, L"{6C4819F3-C9B7-4260-8127-C9F5BDE7F68C}"),
        IID_ROW(ICoreWebView2WebMessageReceivedEventHandler, L"{57213F19-00E6-49FA-8E07-898EA01ECBD2}"),
        IID_ROW(ICoreWebView2DocumentTitleChangedEventHandler, L"{F5F2B923-953E-4042-9F95-F3A118E1AFD4}"),
        IID_ROW(ICoreWebView2SourceChangedEventHandler, L"{3C067F9F-5388-4772-8B48-79F7EF1AB37C}"),
        IID_ROW(ICoreWebView2AcceleratorKeyPressedEventHandler, L"{B29C7E28-FA79-41A8-8E44-65811C76DCB2}"),
        IID_ROW(ICoreWebView2NewWindowRequestedEventArgs, L"{34ACB11C-FC37-4418-9132-F9C21D1EAFB9}"),
        IID_ROW(ICoreWebView2NewWindowRequestedEventHandler, L"{D4C185FE-C81C-4989-97AF-2D3FA7AB5651}"),
        IID_ROW(ICoreWebView2Deferral, L"{C10E7F7B-B585-46F0-A623-8BEFBF3E4EE0}"),
        IID_ROW(ICoreWebView2ProcessFailedEventArgs, L"{8155A9A4-1474-4A86-8CAE-151B0FA6B8CA}"),
        IID_ROW(ICoreWebView2ProcessFailedEventHandler, L"{79E0AEA4-990B-42D9-AA1D-0FCC2E5BC7F1}"),
        IID_ROW(ICoreWebView2HistoryChangedEventHandler, L"{C79A420C-EFD9-4058-9295-3E8B4BCAB645}"),
        IID_ROW(ICoreWebView2NavigationStartingEventArgs, L"{5B495469-E119-438A-9B18-7604F25F2E49}"),
        IID_ROW(ICoreWebView2NavigationStartingEventHandler, L"{9ADBE429-F36D-432B-9DDC-F8881FBD76E3}"),
        IID_ROW(ICoreWebView2NavigationCompletedEventArgs, L"{30D68B7D-20D9-4752-A9CA-EC8448FBB5C1}"),
        IID_ROW(ICoreWebView2NavigationCompletedEventHandler, L"{D33A35BF-1C49-4F98-93AB-006E0533FE1C}"),
        IID_ROW(ICoreWebView2ContainsFullScreenElementChangedEventHandler, L"{E45D98B1-AFEF-45BE-8BAF-6C7728867F73}"),
        IID_ROW(ICoreWebView2ExecuteScriptCompletedHandler, L"{49511172-CC67-4BCA-9923-137112F4C4CC}"),
    };
    for (const IidRow& row : rows) {
        IID published{};
        ASSERT_EQ(IIDFromString(row.published, &published), S_OK) << row.interfaceName;
        EXPECT_TRUE(IsEqualIID(row.declared, published))
            << row.interfaceName << " declares " << GuidText(row.declared) << ", published "
            << GuidText(published);
    }
}

TEST(EngineSlots, SharedTypes) {
    EXPECT_EQ(sizeof(COREWEBVIEW2_KEY_EVENT_KIND), 4u);
    EXPECT_EQ(COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 0);
    EXPECT_EQ(COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP, 1);
    EXPECT_EQ(COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN, 2);
    EXPECT_EQ(COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP, 3);

    using Status = COREWEBVIEW2_PHYSICAL_KEY_STATUS;
    EXPECT_EQ(sizeof(Status), 24u);
    EXPECT_EQ(offsetof(Status, RepeatCount), 0u);
    EXPECT_EQ(offsetof(Status, ScanCode), 4u);
    EXPECT_EQ(offsetof(Status, IsExtendedKey), 8u);
    EXPECT_EQ(offsetof(Status, IsMenuKeyDown), 12u);
    EXPECT_EQ(offsetof(Status, WasKeyDown), 16u);
    EXPECT_EQ(offsetof(Status, IsKeyReleased), 20u);

    EXPECT_EQ(sizeof(COREWEBVIEW2_PROCESS_FAILED_KIND), 4u);
    EXPECT_EQ(COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED, 0);
    EXPECT_EQ(COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED, 1);
    EXPECT_EQ(COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE, 2);
    EXPECT_EQ(COREWEBVIEW2_PROCESS_FAILED_KIND_FRAME_RENDER_PROCESS_EXITED, 3);
    EXPECT_EQ(COREWEBVIEW2_PROCESS_FAILED_KIND_GPU_PROCESS_EXITED, 6);
    EXPECT_EQ(COREWEBVIEW2_PROCESS_FAILED_KIND_UNKNOWN_PROCESS_EXITED, 9);

    EXPECT_EQ(sizeof(COREWEBVIEW2_WEB_ERROR_STATUS), 4u);
    EXPECT_EQ(COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN, 0);
    EXPECT_EQ(COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE, 6);
    EXPECT_EQ(COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED, 14);
    EXPECT_EQ(COREWEBVIEW2_WEB_ERROR_STATUS_VALID_PROXY_AUTHENTICATION_REQUIRED, 18);

    EXPECT_EQ(sizeof(EventRegistrationToken), 8u);

    const bool loaderSignatureMatches =
        std::is_same<CreateEnvironmentWithOptionsFn,
                     HRESULT(STDAPICALLTYPE*)(PCWSTR, PCWSTR, ICoreWebView2EnvironmentOptions*,
                                              ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler*)>::value;
    EXPECT_TRUE(loaderSignatureMatches);
}
