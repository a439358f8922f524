// New-window requests: a page asks for a window (window.open, a link with
// target="_blank"). The request's arguments and deferral, and what the engine
// does once the browser has answered: load the address into the view it was
// handed, open nothing, or, left unhandled, open a stray window of its own.
#include "devengine/Internal.h"

namespace devengine {
namespace {

using Microsoft::WRL::ComPtr;

// One request, shared by its arguments, its deferral and the record tests read.
struct NewWindowRequest {
    NewWindowRequestInfo info;
    ViewPtr opener;
    bool resolved = false;
    ComPtr<ICoreWebView2> newWindow;
};
using RequestPtr = std::shared_ptr<NewWindowRequest>;

std::vector<RequestPtr>& Requests() {
    static auto* requests = new std::vector<RequestPtr>;
    return *requests;
}

// The engine acts on the answer: the handed-over view loads the address, or a
// handled request opens nothing, or an unhandled one opens a window outside
// the browser.
void Resolve(const RequestPtr& request) {
    if (request->resolved) return;
    request->resolved = true;
    NewWindowRequestInfo& info = request->info;
    const std::wstring prefix = L"view " + std::to_wstring(info.opener) + L" new window " + info.uri;
    const int newWindowId = ViewIdOf(request->newWindow.Get());
    const ViewPtr view = FindView(newWindowId);
    if (view != nullptr && !IsDead(*view) && !view->navigated) {
        info.newWindow = newWindowId;
        info.outcome = L"view " + std::to_wstring(newWindowId);
        Log(prefix + L" loads in view " + std::to_wstring(newWindowId));
        view->navigated = true;
        QueueNavigation(view, PageForUrl(info.uri));
    } else if (info.handled) {
        info.outcome = L"none";
        Log(prefix + L" handled, nothing opened");
    } else {
        info.outcome = L"stray";
        Log(L"stray window " + info.uri + L" (a window of the engine's own, outside the browser)");
    }
    request->newWindow.Reset();
}

class Deferral final : public ComObject<ICoreWebView2Deferral> {
public:
    explicit Deferral(RequestPtr request) : request_(std::move(request)) {}

    HRESULT STDMETHODCALLTYPE Complete() override {
        NewWindowRequestInfo& info = request_->info;
        if (info.completed) {
            LogCall(*request_->opener, L"Complete [again]");
            return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
        }
        LogCall(*request_->opener, L"Complete");
        info.completed = true;
        // The engine looks at the answer later, from its queue.
        Post([request = request_]() { Resolve(request); });
        return S_OK;
    }

private:
    RequestPtr request_;
};

class NewWindowArgs final : public ComObject<ICoreWebView2NewWindowRequestedEventArgs> {
public:
    explicit NewWindowArgs(RequestPtr request) : request_(std::move(request)) {}

    HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) override {
        if (uri == nullptr) return E_POINTER;
        return CopyOut(request_->info.uri, uri);
    }
    HRESULT STDMETHODCALLTYPE put_NewWindow(ICoreWebView2* newWindow) override {
        ViewState& opener = *request_->opener;
        const int id = ViewIdOf(newWindow);
        const std::wstring call =
            newWindow == nullptr ? L"put_NewWindow (null)" : L"put_NewWindow view " + std::to_wstring(id);
        // The engine looks at the new window once the deferral completes: later is too late.
        if (request_->resolved || request_->info.completed) {
            LogCall(opener, call + L" [too late]");
            return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
        }
        if (IsDead(opener)) return DeadCall(opener, call);
        const HRESULT failure = State().knobs.newWindowResult;
        if (FAILED(failure)) {
            LogCall(opener, call + L" [knob " + HexResult(failure) + L"]");
            return failure;
        }
        const HRESULT refused = Refusal(newWindow);
        LogCall(opener, FAILED(refused) ? call + L" [refused]" : call);
        if (FAILED(refused)) return refused;
        request_->newWindow = newWindow;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_NewWindow(ICoreWebView2** newWindow) override {
        if (newWindow == nullptr) return E_POINTER;
        return request_->newWindow.CopyTo(newWindow);
    }
    HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) override {
        LogCall(*request_->opener, handled ? L"put_Handled 1" : L"put_Handled 0");
        request_->info.handled = handled != FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) override {
        return ValueOut<BOOL>(request_->info.handled ? TRUE : FALSE, handled);
    }
    HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* isUserInitiated) override {
        return ValueOut<BOOL>(request_->info.userInitiated ? TRUE : FALSE, isUserInitiated);
    }
    HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) override {
        if (deferral == nullptr) return E_POINTER;
        *deferral = nullptr;
        if (request_->resolved || request_->info.deferralTaken) {
            LogCall(*request_->opener, L"GetDeferral [refused]");
            return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
        }
        LogCall(*request_->opener, L"GetDeferral");
        request_->info.deferralTaken = true;
        return MakeObject<Deferral>(request_).CopyTo(deferral);
    }
    HRESULT STDMETHODCALLTYPE get_WindowFeatures(ICoreWebView2WindowFeatures**) override { return E_NOTIMPL; }

private:
    // Why a web view cannot take the request, as the engine's contract has it:
    // it must be a fresh, open view of the opener's environment.
    HRESULT Refusal(ICoreWebView2* newWindow) const {
        if (newWindow == nullptr) return S_OK;
        const ViewPtr view = FindView(ViewIdOf(newWindow));
        if (view == nullptr || IsDead(*view) || view->navigated) return E_INVALIDARG;
        return view->environment.lock() == request_->opener->environment.lock() ? S_OK : E_INVALIDARG;
    }

    RequestPtr request_;
};

}  // namespace

bool TriggerNewWindowRequest(int openerId, const std::wstring& uri, bool userInitiated) {
    const ViewPtr opener = OpenView(openerId);
    if (opener == nullptr) return false;
    auto request = std::make_shared<NewWindowRequest>();
    request->info.opener = openerId;
    request->info.uri = uri;
    request->info.userInitiated = userInitiated;
    request->opener = opener;
    Requests().push_back(request);
    Post([request]() {
        const auto args = MakeObject<NewWindowArgs>(request);
        // Without a deferral the engine acts as soon as the handlers return.
        Fire(request->opener, kNewWindowRequested, args.Get(), request->info.uri, [request]() {
            if (!request->info.deferralTaken) Resolve(request);
        });
    }, opener);
    return true;
}

std::vector<NewWindowRequestInfo> NewWindowRequests() {
    std::vector<NewWindowRequestInfo> infos;
    for (const RequestPtr& request : Requests()) infos.push_back(request->info);
    return infos;
}

void ForgetNewWindowRequests() {
    std::vector<RequestPtr> forgotten;
    forgotten.swap(Requests());
}

}  // namespace devengine
