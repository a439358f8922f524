// A page's full screen: an element of the page enters or leaves it (the
// page's own request, its script, Escape, or leaving the document), and
// ContainsFullScreenElementChanged tells the browser. Also ExecuteScript,
// whose one script the model understands is "document.exitFullscreen()".
#include "devengine/Internal.h"

namespace devengine {

namespace {

const wchar_t kExitFullScreenScript[] = L"document.exitFullscreen()";

}  // namespace

void SetFullScreen(const ViewPtr& view, bool fullScreen) {
    if (view->fullScreen == fullScreen || IsDead(*view)) return;
    view->fullScreen = fullScreen;
    Fire(view, kContainsFullScreenElementChanged, nullptr, fullScreen ? L"1" : L"0");
}

HRESULT ExecuteScript(const ViewPtr& view, LPCWSTR script, ICoreWebView2ExecuteScriptCompletedHandler* handler) {
    if (IsDead(*view)) return DeadCall(*view, L"ExecuteScript");
    if (script == nullptr) return E_INVALIDARG;
    LogCall(*view, std::wstring(L"ExecuteScript ") + script);
    const bool exitFullScreen = std::wstring(script) == kExitFullScreenScript;
    Post([view, exitFullScreen, completed = Held<ICoreWebView2ExecuteScriptCompletedHandler>(handler)]() {
        // The script's value as JSON: exitFullscreen gives a promise ({}), the rest nothing.
        if (completed.Get() != nullptr) completed.Get()->Invoke(S_OK, exitFullScreen ? L"{}" : L"null");
        if (exitFullScreen) SetFullScreen(view, false);
    }, view);
    return S_OK;
}

bool TriggerFullScreen(int id, bool enter) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    Post([view, enter]() { SetFullScreen(view, enter); }, view);
    return true;
}

}  // namespace devengine
