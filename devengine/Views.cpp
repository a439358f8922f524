// The views of every environment: creation, closing and the lookups tests use.
#include "devengine/Internal.h"

#include <algorithm>

namespace devengine {

ViewPtr CreateView(const EnvironmentPtr& environment, HWND parent) {
    auto view = std::make_shared<ViewState>();
    view->id = State().nextViewId++;
    view->environment = environment;
    view->parent = parent;
    view->page = CreatePageWindow(parent, view);
    environment->views.push_back(view);
    return view;
}

std::vector<ViewPtr> AllViews() {
    std::vector<ViewPtr> views;
    for (const EnvironmentPtr& environment : State().environments) {
        views.insert(views.end(), environment->views.begin(), environment->views.end());
    }
    std::sort(views.begin(), views.end(), [](const ViewPtr& a, const ViewPtr& b) { return a->id < b->id; });
    return views;
}

namespace {

// The view for which `matches` holds, or null. Walks the environments' own
// lists without copying or sorting them: tests look views up once per tab,
// hundreds of tabs at a time.
template <typename Predicate>
ViewPtr FindViewWhere(Predicate matches) {
    for (const EnvironmentPtr& environment : State().environments) {
        for (const ViewPtr& view : environment->views) {
            if (matches(*view)) return view;
        }
    }
    return nullptr;
}

}  // namespace

ViewPtr FindView(int id) {
    return FindViewWhere([id](const ViewState& view) { return view.id == id; });
}

ViewPtr OpenView(int id) {
    ViewPtr view = FindView(id);
    return view != nullptr && !IsDead(*view) ? view : nullptr;
}

void CloseView(ViewState& view, const wchar_t* why) {
    if (view.closed) return;
    view.closed = true;
    Log(L"view " + std::to_wstring(view.id) + L" closed (" + why + L")");
    DropViewTasks(view);
    view.handlers.Clear();
    const HWND page = std::exchange(view.page, nullptr);
    if (page != nullptr && IsWindow(page)) DestroyWindow(page);
}

Microsoft::WRL::ComPtr<ICoreWebView2> WebViewFor(const ViewPtr& view) {
    if (view->webView != nullptr) return WebViewInterface(view->webView);
    return MakeWebView(view);
}

std::vector<int> ViewIds() {
    std::vector<int> ids;
    for (const ViewPtr& view : AllViews()) ids.push_back(view->id);
    return ids;
}

ViewInfo GetView(int id) {
    ViewInfo info;
    const ViewPtr view = FindView(id);
    if (view == nullptr) return info;
    info.id = view->id;
    info.source = CurrentSource(*view);
    info.title = CurrentTitle(*view);
    info.html = CurrentHtml(*view);
    info.canGoBack = CanGoBack(*view);
    info.canGoForward = CanGoForward(*view);
    info.visible = view->visible;
    info.bounds = view->bounds;
    info.zoomFactor = view->zoomFactor;
    info.closed = view->closed;
    info.failed = view->failed;
    info.navigating = view->navigationId != 0;
    info.fullScreen = view->fullScreen;
    info.faviconUri = view->faviconUri;
    info.playingAudio = view->playingAudio;
    info.muted = view->muted;
    info.suspended = view->suspended;
    info.memoryLevel = view->memoryLevel;
    info.findActive = view->findActive;
    const EnvironmentPtr environment = view->environment.lock();
    info.environment = environment != nullptr ? environment->id : 0;
    info.parentWindow = view->parent;
    info.pageWindow = view->page;
    return info;
}

Microsoft::WRL::ComPtr<ICoreWebView2Controller> GetController(int id) {
    const ViewPtr view = FindView(id);
    if (view == nullptr || view->controller == nullptr) return nullptr;
    return ControllerInterface(view->controller);
}

Microsoft::WRL::ComPtr<ICoreWebView2> GetWebView(int id) {
    const ViewPtr view = FindView(id);
    if (view == nullptr || (view->webView == nullptr && view->controller == nullptr)) return nullptr;
    return WebViewFor(view);
}

int ViewIdOf(ICoreWebView2Controller* controller) {
    const ViewPtr view = FindViewWhere([controller](const ViewState& candidate) {
        return candidate.controller != nullptr && ControllerInterface(candidate.controller) == controller;
    });
    return view != nullptr ? view->id : 0;
}

int ViewIdOf(ICoreWebView2* webView) {
    const ViewPtr view = FindViewWhere([webView](const ViewState& candidate) {
        return candidate.webView != nullptr && WebViewInterface(candidate.webView) == webView;
    });
    return view != nullptr ? view->id : 0;
}

std::vector<std::wstring> CallLog(int id) {
    const ViewPtr view = FindView(id);
    return view == nullptr ? std::vector<std::wstring>() : view->calls;
}

void SetPageTitle(const std::wstring& url, const std::wstring& title) { State().pageTitles[url] = title; }

}  // namespace devengine
