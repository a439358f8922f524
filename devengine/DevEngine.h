// devengine: a stand-in for the web engine, for development and tests only.
//
// It is never shipped as the engine. The real engine cannot run on the build
// and test machines (Linux with Wine), so devengine implements the same COM
// interfaces (engine/WebViewInterfaces.h) with a tiny page model and plain
// Win32 windows, and lets tests steer it.
//
// It comes in two forms:
// - the static library `devengine`, linked into in-process tests, which drive
//   it through the functions below;
// - `WebView2Loader.dll` (target `devengine_dll`), put beside velquin.exe for
//   end-to-end tests. It exports CreateCoreWebView2EnvironmentWithOptions, reads
//   the VELQUIN_DEVENGINE_* environment variables at its first call and opens
//   the control channel described at the end of this file.
//
// Behaviour, as the browser sees it:
// - Everything runs on the thread that calls the engine, which must be in a
//   single-threaded COM apartment (else the environment request fails at once
//   with CO_E_NOTINITIALIZED or RPC_E_CHANGED_MODE, like the real engine).
//   Completions and events are queued and delivered from that thread's message
//   loop through a hidden message-only window: never inside the call that
//   caused them. Completion handlers are released once invoked; event handlers
//   are held until their view is closed.
// - A navigation (Navigate, NavigateToString, GoBack, GoForward, Reload)
//   starts when its queued task runs: NavigationStarting fires (Uri the
//   address, IsUserInitiated FALSE, a new NavigationId; put_Cancel TRUE ends it
//   there, unsuccessfully). Then the page arrives in the same delivery: only
//   then do the source and title change, and SourceChanged (IsNewDocument TRUE)
//   fires, then HistoryChanged, then, in a delivery of its own,
//   DocumentTitleChanged (fired on every navigation, even to the same title)
//   followed by NavigationCompleted (IsSuccess TRUE). get_CanGoBack and
//   get_CanGoForward answer from the back/forward list.
//   Until then get_Source still reports the previous page. Reload changes
//   neither source nor title, except that a local file's page reads its title
//   from the file again and fires DocumentTitleChanged if it changed (the real
//   engine loads the file anew); NavigationCompleted follows in the same
//   delivery. GoBack/GoForward at the end of the list do nothing and fire
//   nothing. A fresh view shows "about:blank" with an empty title and an empty
//   back/forward list.
// - Slow pages: with the hold_navigations knob set when a navigation starts,
//   its page does not arrive: the navigation stays under way (ViewInfo
//   navigating) until ReleaseNavigation brings the page, or Stop ends it.
//   Stop ends a navigation under way, held or not, with NavigationCompleted
//   (IsSuccess FALSE, WebErrorStatus OPERATION_CANCELED) from the queue, and
//   the page stays as it was; with none under way it does nothing. A new
//   navigation ends the one under way the same way (at once) before its own
//   NavigationStarting; with the late_replaced_completion knob, the replaced
//   one's NavigationCompleted comes instead from the queue, after the new
//   one's NavigationStarting, as the real engine may deliver it. A render
//   process exit drops the navigation under way without any
//   NavigationCompleted.
// - Full screen (TriggerFullScreen): an element of the page enters or leaves
//   full screen; ContainsFullScreenElementChanged (null args) fires when that
//   changes anything, and get_ContainsFullScreenElement answers. A full-screen
//   page leaves it when a new document arrives (a navigation, a reload), when
//   it runs the script "document.exitFullscreen()", and on an Escape key-down
//   offered through AcceleratorKeyPressed that the browser did not mark
//   handled (the engine's own use of Escape).
// - ExecuteScript is listed in the call log with its script ("ExecuteScript
//   document.exitFullscreen()"); its completion handler (may be null) is
//   invoked from the queue with S_OK and "{}" for document.exitFullscreen(),
//   "null" for any other script, which runs nothing.
// - Titles: a page given by NavigateToString has its <title> text as its title,
//   or its data address when it has none. Its source is
//   "data:text/html;charset=utf-8;base64," followed by the base64 of the UTF-8
//   html. A URL's title comes from the table set with SetPageTitle; otherwise
//   a file: address gives the <title> of the file it names, read at the
//   Navigate call (its address if it has none or cannot be read); a search
//   address ("/search?q=..." on a google host) gives "<terms> - Google
//   Search", any other address its host name, and an address without a host
//   (about:blank) itself.
// - A file: address reads back in the real engine's normalised form: forward
//   slashes, "file:///" and an upper-case drive letter before a drive path,
//   blanks and non-ASCII characters percent-encoded ("file:c:\dir\a b.html"
//   reads back as "file:///C:/dir/a%20b.html"). Other addresses read back as
//   given.
// - DocumentTitleChanged is invoked with null args.
// - Zoom: a view starts at ZoomFactor 1.0 and keeps what put_ZoomFactor sets
//   across navigations (logged as "put_ZoomFactor 1.25"; a factor that is not
//   positive and finite is refused with E_INVALIDARG). It reads back through a
//   zoom level, a power of 1.2, so a little off at times, as a real engine's
//   may: 1.75 as 1.7499999999999998, 5.0 as 4.999999999999999.
//   ZoomFactorChanged never fires. OpenDevToolsWindow is logged and opens
//   nothing.
// - Each controller owns a child window of its parent, class
//   "VelquinDevEnginePage", whose window text is the current source. It draws
//   the address and title, then the title as a heading (sized by the zoom
//   factor), or for the New Tab page its heading and the "Search Google..."
//   box. Any click gives it the keyboard focus; a click on
//   the box then posts the string web message "focus_url". A key pressed in it
//   while Ctrl or Alt is down, or a key that types no character, and Escape
//   always, Shift never, is offered to AcceleratorKeyPressed (as the real engine
//   does), key-downs and system key-downs (Alt held) each as their own kind;
//   unlike the real engine, the browser's message loop has seen the key message
//   first.
// - Close(), releasing the last reference to a controller, or destroying its
//   parent window closes the view: its page window goes, its event handlers are
//   released, its pending events are dropped, and every later call on the
//   controller or its web view fails with HRESULT_FROM_WIN32(ERROR_INVALID_STATE).
// - A controller request whose parent window is gone when it completes fails
//   with HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE) and a null controller.
// - New windows (TriggerNewWindowRequest): the opener's NewWindowRequested fires
//   with real arguments. The engine acts on the answer when the handlers return,
//   or, once a deferral is taken, when it is completed (later, from its queue):
//   a web view handed over with put_NewWindow loads the requested address
//   (SourceChanged and DocumentTitleChanged follow as for any navigation);
//   Handled without a new window opens nothing; a request left unhandled opens
//   a window of the engine's own, outside the browser: the log says
//   "stray window <uri>", which tests treat as a failure. put_NewWindow refuses
//   (E_INVALIDARG) a view of another environment, a closed or failed one, or
//   one that was asked to navigate; it fails once the opener is closed or
//   failed, and once the deferral is completed. A deferral completes once.
// - Process failures (TriggerProcessFailure): a render process exit or hang, or
//   any kind but the browser process's, fires ProcessFailed on that view,
//   which stays usable. A browser-process exit fails the view's environment:
//   from then on every call on the environment, its controllers and web views
//   fails with HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ("[failed]" in the
//   call log), pending controller requests complete with it and null, pending
//   events are dropped, and each of its open views fires ProcessFailed
//   (kind 0). Close still works on a failed view and lets its handlers go.
//   "Failed" is not "closed": the objects stay until the browser closes or
//   releases them. A new environment works as usual.
// - The later interfaces: the web view answers QueryInterface for
//   ICoreWebView2_2 to ICoreWebView2_28 and the environment for
//   ICoreWebView2Environment2 to 15, but the interface that a withhold_ knob
//   holds back (each knob one feature's interface only, as below). Modelled:
//   - the page's icon (ICoreWebView2_15): TriggerFavicon sets it and fires
//     FaviconChanged (null args); get_FaviconUri answers ("" for none);
//     GetFavicon (logged "GetFavicon png") completes from the queue with a
//     stream of the icon's bytes as they were at the call (empty for none),
//     even after the view closed, or with the favicon_result knob's failure
//     and a null stream. A new
//     document has no icon: FaviconChanged fires if it had one. A local
//     page's <link rel="icon" href="name"> (a file beside the page) sets it
//     once the page has loaded.
//   - sound (ICoreWebView2_8): TriggerAudio starts or stops it and fires
//     IsDocumentPlayingAudioChanged; a new document or a reload stops it, and a local
//     page with an <audio ... autoplay> element starts it once loaded. put_IsMuted
//     (logged "put_IsMuted 1") fires IsMutedChanged from the queue when it
//     changes anything; muting stays across navigations.
//   - sleep (ICoreWebView2_3): TrySuspend (logged) fails at once with the
//     suspend_result knob's failure, or with
//     HRESULT_FROM_WIN32(ERROR_INVALID_STATE) while the controller is
//     visible; otherwise it completes from the queue with S_OK and TRUE
//     (suspended), or FALSE with the refuse_suspend knob or while the page
//     plays sound. Its
//     completion still comes after the view closed, with the closed (or
//     failed) view's error and FALSE. Resume (logged) and put_IsVisible 1
//     wake it; get_IsSuspended answers.
//   - the memory level (ICoreWebView2_19): put_MemoryUsageTargetLevel is
//     logged "put_MemoryUsageTargetLevel low" or "... normal".
//   - printing (ICoreWebView2_16): ShowPrintUI is logged "ShowPrintUI
//     browser" (or "system"); no dialog shows.
//   - find (ICoreWebView2_28, options from ICoreWebView2Environment15's
//     CreateFindOptions): each get_Find gives a find object of the view whose
//     Start is logged "Find Start <term>" (with " (no dialog)" when the
//     options suppress the default dialog) and completes from the queue;
//     FindNext, FindPrevious and Stop are logged "Find FindNext" and so on.
//     No find bar is drawn and matches are not counted (E_NOTIMPL).
//   Their other methods return E_NOTIMPL.
// - Every add_/remove_ event slot takes handlers (and hands out a token); only
//   the events described here ever fire (each is one declaration in
//   devengine/Events.h, fired through its Fire). Other methods the browser
//   never uses return E_NOTIMPL.
// - Each environment owns the views it created.
#pragma once

#include <windows.h>

#include <wrl/client.h>

#include <string>
#include <vector>

#include "engine/WebViewInterfaces.h"

namespace devengine {

// Failure knobs. Results and null flags are read when the request is made
// (the environment and controller requests) or when the call is made (getters).
struct Knobs {
    HRESULT createResult = S_OK;         // a failure: the environment request fails at once, no completion
    HRESULT environmentResult = S_OK;    // a failure: the completion brings it with a null environment
    bool nullEnvironment = false;        // the completion brings environmentResult with a null environment
    DWORD environmentDelayMs = 0;        // the environment completion waits this long
    HRESULT requestControllerResult = S_OK;  // a failure: the controller request fails at once, no completion
    HRESULT controllerResult = S_OK;     // a failure: the controller completion brings it with null
    bool nullController = false;         // the controller completion brings S_OK with null
    DWORD controllerDelayMs = 0;         // each controller completion waits this long
    // The next this many controller requests fail with E_FAIL, each taking
    // one: refused at once, or through their completion with null.
    unsigned long refusedControllerRequests = 0;
    unsigned long failingControllerRequests = 0;
    HRESULT sourceResult = S_OK;         // a failure: get_Source fails with it
    bool nullSource = false;             // get_Source succeeds with a null string
    HRESULT titleResult = S_OK;          // a failure: get_DocumentTitle fails with it
    bool nullTitle = false;              // get_DocumentTitle succeeds with a null string
    HRESULT coreWebView2Result = S_OK;   // a failure: get_CoreWebView2 fails with it
    bool nullCoreWebView2 = false;       // get_CoreWebView2 succeeds with null
    HRESULT canGoResult = S_OK;          // a failure: get_CanGoBack and get_CanGoForward fail with it
    bool nonStringMessages = false;      // string web messages arrive as the JSON {"message":"<text>"}
    bool requireSta = true;              // the environment request checks the COM apartment
    HRESULT newWindowResult = S_OK;      // a failure: put_NewWindow of a new-window request fails with it
    bool holdNavigations = false;        // a navigation that starts waits for ReleaseNavigation or Stop
    bool lateReplacedCompletion = false;  // a replaced navigation's completion comes after the new one's start
    // An older engine: QueryInterface refuses the interface of one feature
    // (the rest of the chain still answers).
    bool withholdFavicon = false;        // ICoreWebView2_15
    bool withholdAudio = false;          // ICoreWebView2_8
    bool withholdSuspend = false;        // ICoreWebView2_3
    bool withholdMemoryLevel = false;    // ICoreWebView2_19
    bool withholdPrint = false;          // ICoreWebView2_16
    bool withholdFind = false;           // ICoreWebView2_28 and ICoreWebView2Environment15
    HRESULT faviconResult = S_OK;        // a failure: GetFavicon's completion brings it with a null stream
    HRESULT suspendResult = S_OK;        // a failure: TrySuspend fails with it at once, no completion
    bool refuseSuspend = false;          // TrySuspend completes with S_OK and isSuccessful FALSE
};

// The knobs in force; change them in place.
Knobs& GetKnobs();
void ResetKnobs();

// Sets one knob by name (the names of the control channel's "knob" command and,
// upper-cased, of the environment variables): create_result, environment_result,
// null_environment, environment_delay_ms, request_controller_result,
// controller_result, null_controller,
// controller_delay_ms, refused_controller_requests, failing_controller_requests, source_result, null_source, title_result, null_title,
// corewebview2_result, null_corewebview2, can_go_result, nonstring_messages,
// require_sta, new_window_result, hold_navigations, late_replaced_completion,
// withhold_favicon, withhold_audio, withhold_suspend, withhold_memory_level,
// withhold_print, withhold_find, favicon_result, suspend_result, refuse_suspend.
// The value is a number (decimal, or hex with 0x); flags take 0 or 1.
// Returns false for an unknown name or a value that is not a number.
bool SetKnob(const std::wstring& name, const std::wstring& value);

// Resets everything between tests: closes every open view, drops pending
// completions and events (releasing their handlers), forgets the views (ids
// start again at 1, navigation ids too), the environments, the title table,
// the logs, the environment and new-window requests, and resets the knobs.
// Reference counters are not reset.
void Reset();

// The loader export's implementation (same signature).
HRESULT STDAPICALLTYPE CreateEnvironment(PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
                                         ICoreWebView2EnvironmentOptions* environmentOptions,
                                         ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler);

struct EnvironmentRequest {
    bool browserFolderGiven = false;  // a non-null browserExecutableFolder
    std::wstring browserFolder;
    bool userDataFolderGiven = false;
    std::wstring userDataFolder;
    bool optionsGiven = false;
};
// Every environment request made since the last Reset, in order.
std::vector<EnvironmentRequest> EnvironmentRequests();

// Delivers queued completions and events by pumping the calling thread's
// messages (the browser's own messages too) until the engine's queue is empty
// and no message is left. Delayed completions are waited for. Returns false if
// something was still pending after timeoutMs.
bool RunPending(DWORD timeoutMs = 5000);
// Completions and events queued and not yet delivered.
size_t PendingCount();
// Delivers only the oldest queued completion or event that is due, without
// pumping messages; false when there is none.
bool DeliverNext();
// Changes the order in which the controller requests made so far and not yet
// completed will complete: reversed for seed 0, otherwise shuffled by the seed
// (the same order with every compiler). Each completion keeps its request's
// result; delays stay with the places in the queue. Returns how many there are.
size_t ReorderControllerCompletions(unsigned seed = 0);

// Views: one per successful controller completion, ids 1, 2, 3, ... in
// creation order (closed views keep their id and stay listed until Reset).
std::vector<int> ViewIds();

struct ViewInfo {
    int id = 0;                 // 0: no such view
    std::wstring source;
    std::wstring title;
    std::wstring html;          // the current page's html when it came from NavigateToString
    bool canGoBack = false;
    bool canGoForward = false;
    bool visible = true;
    RECT bounds = {};
    double zoomFactor = 1.0;    // as get_ZoomFactor reads it
    bool closed = false;
    bool failed = false;        // its environment's browser process exited
    bool navigating = false;    // a navigation has started and not completed
    bool fullScreen = false;    // an element of its page is full screen
    std::wstring faviconUri;    // empty: the page has no icon
    bool playingAudio = false;
    bool muted = false;
    bool suspended = false;
    COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL memoryLevel = COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL;
    bool findActive = false;    // a find was started and not stopped
    int environment = 0;        // the id of the environment that created it (1, 2, ... since Reset)
    HWND parentWindow = nullptr;
    HWND pageWindow = nullptr;  // null once closed
};
ViewInfo GetView(int id);

// The view's engine objects (null for an unknown id; for a closed view the
// objects still exist but every call on them fails).
Microsoft::WRL::ComPtr<ICoreWebView2Controller> GetController(int id);
Microsoft::WRL::ComPtr<ICoreWebView2> GetWebView(int id);
// The id of the view a controller or web view belongs to, or 0.
int ViewIdOf(ICoreWebView2Controller* controller);
int ViewIdOf(ICoreWebView2* webView);

// The calls the browser made on a view's controller, web view and event args,
// in order, for example "Navigate https://a.b", "NavigateToString", "GoBack",
// "GoForward", "Reload", "Stop", "ExecuteScript <script>", "put_IsVisible 0",
// "put_ZoomFactor 1.25", "OpenDevToolsWindow",
// "put_Bounds 0 70 1000 700" (left top right bottom), "Close",
// "add_SourceChanged", "remove_WebMessageReceived", "put_Handled 1". Getters
// are not listed while the view is open; any call on a closed view is listed
// with " [closed]" after it.
std::vector<std::wstring> CallLog(int id);

// Every line of the engine log since the last Reset: one per call the browser
// made and per event or completion delivered (the same lines that
// VELQUIN_DEVENGINE_LOG receives). View lines begin with "view <id> ".
std::vector<std::wstring> EngineLog();
// Also appends each log line (UTF-8) to this file, flushed line by line.
void SetLogFile(const std::wstring& path);

// The title a URL's page gets when navigated to (overrides the built-in rule).
void SetPageTitle(const std::wstring& url, const std::wstring& title);

// Event triggers. Each queues the event for the view and returns at once
// (false for an unknown, closed or failed view); RunPending or the message
// loop delivers it.
// The document title changes; DocumentTitleChanged fires.
bool TriggerTitleChange(int id, const std::wstring& title);
// The page moves to another address within its document (as a fragment or
// history.pushState navigation does): a new back/forward entry with the same
// title; SourceChanged, then HistoryChanged, fire.
bool TriggerSourceChange(int id, const std::wstring& source, bool isNewDocument = false);
// The page posts a string web message.
bool TriggerWebMessage(int id, const std::wstring& text);
// The page posts a message that is not a string, given as JSON.
bool TriggerNonStringWebMessage(int id, const std::wstring& json = L"{\"message\":\"focus_url\"}");
// A key is offered through AcceleratorKeyPressed. While the browser's handler
// runs, the thread's keyboard state shows Ctrl and Shift as given, and Alt held
// for a system key (COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN or _UP).
bool TriggerAcceleratorKey(int id, COREWEBVIEW2_KEY_EVENT_KIND kind, UINT virtualKey, bool ctrl = false,
                           bool shift = false);
// The page asks for a new window for `uri` (window.open, target="_blank").
bool TriggerNewWindowRequest(int openerId, const std::wstring& uri, bool userInitiated = true);
// The view's engine process of this kind fails (see above).
bool TriggerProcessFailure(int id, COREWEBVIEW2_PROCESS_FAILED_KIND kind);
// An element of the page enters (or leaves) full screen, as a video's
// full-screen button (or the page's script) does.
bool TriggerFullScreen(int id, bool enter);
// The page's icon changes to `uri` (empty: the page has none) and
// FaviconChanged fires; GetFavicon then gives a 32x32 PNG of one opaque
// `color`, or bytes that are no image.
enum class FaviconContent { kPng, kNotAnImage };
bool TriggerFavicon(int id, const std::wstring& uri, FaviconContent content = FaviconContent::kPng,
                    COLORREF color = RGB(0, 0, 255));
// The page starts (or stops) playing sound; IsDocumentPlayingAudioChanged fires.
bool TriggerAudio(int id, bool playing);
// The page of the view's held navigation arrives (see "Slow pages"); false if
// none is held.
bool ReleaseNavigation(int id);
// Sends a mouse click (button down and up) to the view's page window: on the
// "Search Google..." box, or on an empty spot of the page. False if there is
// no page window, or no box is shown and onSearchBox is true.
bool ClickPage(int id, bool onSearchBox);

// Every new-window request since the last Reset, in order.
struct NewWindowRequestInfo {
    int opener = 0;
    std::wstring uri;
    bool userInitiated = true;
    bool handled = false;        // as the browser last set it
    bool deferralTaken = false;
    bool completed = false;      // the deferral was completed
    int newWindow = 0;           // the view that loaded the address, once the engine acted
    std::wstring outcome;        // "" until the engine acts, then "view <id>", "none" or "stray"
};
std::vector<NewWindowRequestInfo> NewWindowRequests();

// Reference accounting.
// Engine COM objects alive now (environments, controllers, web views, args).
long LiveObjectCount();
// AddRef and Release calls the engine made on the browser's handler objects,
// since the process started; their difference is the references it holds now.
long HandlerAddRefCount();
long HandlerReleaseCount();
long HeldHandlerCount();

// The control channel, for tests in another process. The DLL opens it at its
// first environment request; in-process tests may open it themselves.
//
// It is a message-only window (find it with
// FindWindowExW(HWND_MESSAGE, nullptr, L"VelquinDevEngineControl", L"<pid>"),
// where <pid> is the decimal process id of the browser) that takes WM_COPYDATA
// whose data is one UTF-16 command (dwData 0, the text need not end with a
// zero). SendMessage returns 1 when the command was understood, 0 otherwise.
// Commands run on the UI thread; the events they trigger are still delivered
// asynchronously.
//   title <viewId> <text>                      TriggerTitleChange (text may hold blanks, or be empty)
//   source <viewId> <url>                      TriggerSourceChange
//   message <viewId> <text>                    TriggerWebMessage
//   message-nonstring <viewId> [json]          TriggerNonStringWebMessage
//   accel <viewId> <vk> [ctrl] [shift] [alt] [keyup]
//                                              TriggerAcceleratorKey; vk is a number (65, 0x41) or
//                                              one letter or digit (W); with alt, a system key
//   knob <name> <value>                        SetKnob
//   click <viewId> box|page                    ClickPage
//   new-window <viewId> <uri>                  TriggerNewWindowRequest
//   process-failed <viewId> <kind>             TriggerProcessFailure; kind is the number (0 to 9)
//   fullscreen <viewId> enter|leave            TriggerFullScreen
//   release-navigation <viewId>                ReleaseNavigation
//   favicon <viewId> none                      TriggerFavicon with no icon
//   favicon <viewId> png <rrggbb> <uri>        TriggerFavicon: a PNG of that colour (hex, e.g. ff0000)
//   favicon <viewId> broken <uri>              TriggerFavicon: bytes that are no image
//   audio <viewId> start|stop                  TriggerAudio
// Environment variables read by the DLL at its first environment request:
//   VELQUIN_DEVENGINE_<KNOB NAME>, e.g. VELQUIN_DEVENGINE_ENVIRONMENT_RESULT=0x80070002, and
//   VELQUIN_DEVENGINE_LOG=<windows path>  (SetLogFile).
HWND StartControlChannel();
// Runs one control command as WM_COPYDATA would; returns whether it was understood.
bool RunControlCommand(const std::wstring& command);

}  // namespace devengine
