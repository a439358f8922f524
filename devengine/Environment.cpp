// The environment request and the environment object, which creates
// controllers.
#include "devengine/Internal.h"
#include "devengine/LaterSlots.h"

namespace devengine {
namespace {

using Microsoft::WRL::ComPtr;
using EnvironmentHandler = ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler;
using ControllerHandler = ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;

class EnvironmentObject final : public EnvironmentSlots {
public:
    explicit EnvironmentObject(EnvironmentPtr environment) : environment_(std::move(environment)) {}

    HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(HWND parentWindow, ControllerHandler* handler) override {
        if (environment_->failed) {
            Log(L"environment CreateCoreWebView2Controller [failed]");
            return kFailedResult;
        }
        Log(L"environment CreateCoreWebView2Controller");
        if (handler == nullptr) return E_INVALIDARG;
        Knobs& knobs = State().knobs;
        if (knobs.refusedControllerRequests > 0) {
            --knobs.refusedControllerRequests;
            return E_FAIL;
        }
        if (FAILED(knobs.requestControllerResult)) return knobs.requestControllerResult;
        const bool failing = knobs.failingControllerRequests > 0;
        if (failing) --knobs.failingControllerRequests;
        const HRESULT result = failing ? E_FAIL : knobs.controllerResult;
        const bool giveNull = knobs.nullController;
        PostControllerCompletion(
            [environment = environment_, parentWindow, result, giveNull, held = Held<ControllerHandler>(handler)]() {
                CompleteController(environment, parentWindow, result, giveNull, held.Get());
            },
            knobs.controllerDelayMs);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateWebResourceResponse(IStream*, int, LPCWSTR, LPCWSTR,
                                                        ICoreWebView2WebResourceResponse**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_BrowserVersionString(LPWSTR* versionInfo) override {
        if (versionInfo == nullptr) return E_POINTER;
        return CopyOut(L"devengine", versionInfo);
    }
    HRESULT STDMETHODCALLTYPE add_NewBrowserVersionAvailable(ICoreWebView2NewBrowserVersionAvailableEventHandler*,
                                                             EventRegistrationToken*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_NewBrowserVersionAvailable(EventRegistrationToken) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateFindOptions(ICoreWebView2FindOptions** value) override {
        if (environment_->failed) {
            if (value != nullptr) *value = nullptr;
            return kFailedResult;
        }
        return devengine::CreateFindOptions(value);
    }

private:
    static void CompleteController(const EnvironmentPtr& environment, HWND parent, HRESULT result, bool giveNull,
                                   ControllerHandler* handler) {
        // A request still pending when the browser process exited fails too.
        if (environment->failed) result = kFailedResult;
        if (FAILED(result) || giveNull) {
            Log(L"controller completed " + HexResult(result) + L" (null)");
            handler->Invoke(result, nullptr);
            return;
        }
        if (!IsWindow(parent)) {
            const HRESULT gone = HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE);
            Log(L"controller completed " + HexResult(gone) + L" (null)");
            handler->Invoke(gone, nullptr);
            return;
        }
        const ViewPtr view = CreateView(environment, parent);
        const ComPtr<ICoreWebView2Controller> controller = MakeController(view);
        Log(L"controller completed view " + std::to_wstring(view->id));
        handler->Invoke(S_OK, controller.Get());
    }

    EnvironmentPtr environment_;
};

EnvironmentPtr NewEnvironmentState() {
    EngineState& state = State();
    auto environment = std::make_shared<EnvironmentState>();
    environment->id = state.nextEnvironmentId++;
    state.environments.push_back(environment);
    return environment;
}

// The real engine needs a single-threaded apartment on the calling thread.
HRESULT CheckApartment() {
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    const HRESULT hr = CoGetApartmentType(&type, &qualifier);
    if (FAILED(hr)) return hr;
    return type == APTTYPE_STA || type == APTTYPE_MAINSTA ? S_OK : RPC_E_CHANGED_MODE;
}

std::wstring Described(PCWSTR text) { return text == nullptr ? L"(null)" : text; }

}  // namespace

HRESULT STDAPICALLTYPE CreateEnvironment(PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
                                         ICoreWebView2EnvironmentOptions* environmentOptions,
                                         EnvironmentHandler* handler) {
    EngineState& state = State();
    Log(L"environment CreateCoreWebView2EnvironmentWithOptions browserFolder=" +
        Described(browserExecutableFolder) + L" options=" + (environmentOptions ? L"given" : L"(null)") +
        L" userDataFolder=" + Described(userDataFolder));
    EnvironmentRequest request;
    request.browserFolderGiven = browserExecutableFolder != nullptr;
    request.browserFolder = browserExecutableFolder ? browserExecutableFolder : L"";
    request.userDataFolderGiven = userDataFolder != nullptr;
    request.userDataFolder = userDataFolder ? userDataFolder : L"";
    request.optionsGiven = environmentOptions != nullptr;
    state.environmentRequests.push_back(request);

    const Knobs& knobs = state.knobs;
    HRESULT failure = knobs.requireSta ? CheckApartment() : S_OK;
    if (SUCCEEDED(failure)) failure = knobs.createResult;
    if (SUCCEEDED(failure) && handler == nullptr) failure = E_INVALIDARG;
    if (FAILED(failure)) {
        Log(L"environment request failed " + HexResult(failure));
        return failure;
    }
    const HRESULT result = knobs.environmentResult;
    const bool giveNull = FAILED(result) || knobs.nullEnvironment;
    Post([result, giveNull, held = Held<EnvironmentHandler>(handler)]() {
        ComPtr<ICoreWebView2Environment> environment;
        if (!giveNull) environment = MakeObject<EnvironmentObject>(NewEnvironmentState());
        Log(L"environment completed " + HexResult(result) + (giveNull ? L" (null)" : L""));
        held.Get()->Invoke(result, environment.Get());
    }, nullptr, knobs.environmentDelayMs);
    return S_OK;
}

std::vector<EnvironmentRequest> EnvironmentRequests() { return State().environmentRequests; }

}  // namespace devengine
