// The controller: visibility, bounds and zoom of a view's page window, the
// AcceleratorKeyPressed event, Close, and access to its web view.
#include "devengine/Internal.h"

#include <cmath>
#include <cwchar>

namespace devengine {

class ControllerObject final : public ComObject<ICoreWebView2Controller> {
public:
    explicit ControllerObject(ViewPtr view) : view_(std::move(view)) { view_->controller = this; }

    HRESULT STDMETHODCALLTYPE get_IsVisible(BOOL* isVisible) override {
        return GetValue(*view_, L"get_IsVisible", isVisible, view_->visible ? TRUE : FALSE);
    }
    HRESULT STDMETHODCALLTYPE put_IsVisible(BOOL isVisible) override {
        if (IsDead(*view_)) return DeadCall(*view_, L"put_IsVisible");
        LogCall(*view_, isVisible ? L"put_IsVisible 1" : L"put_IsVisible 0");
        // The engine resumes a suspended web view that is made visible.
        if (isVisible) view_->suspended = false;
        view_->visible = isVisible != FALSE;
        ShowWindow(view_->page, view_->visible ? SW_SHOWNA : SW_HIDE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Bounds(RECT* bounds) override {
        return GetValue(*view_, L"get_Bounds", bounds, view_->bounds);
    }
    HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) override {
        if (IsDead(*view_)) return DeadCall(*view_, L"put_Bounds");
        LogCall(*view_, L"put_Bounds " + std::to_wstring(bounds.left) + L" " + std::to_wstring(bounds.top) + L" " +
                            std::to_wstring(bounds.right) + L" " + std::to_wstring(bounds.bottom));
        view_->bounds = bounds;
        MoveWindow(view_->page, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_ZoomFactor(double* zoomFactor) override {
        return GetValue(*view_, L"get_ZoomFactor", zoomFactor, view_->zoomFactor);
    }
    HRESULT STDMETHODCALLTYPE put_ZoomFactor(double zoomFactor) override {
        if (IsDead(*view_)) return DeadCall(*view_, L"put_ZoomFactor");
        wchar_t text[48];
        swprintf(text, 48, L"put_ZoomFactor %g", zoomFactor);
        LogCall(*view_, text);
        if (!std::isfinite(zoomFactor) || zoomFactor <= 0.0) return E_INVALIDARG;
        // Kept as a zoom level, a power of 1.2, so that it may read back a
        // little off (1.75 as 1.7499999999999998), as a real engine's may.
        view_->zoomFactor = std::pow(1.2, std::log(zoomFactor) / std::log(1.2));
        RefreshPageWindow(*view_);
        return S_OK;
    }
    DEVENGINE_EVENT(ZoomFactorChanged, ICoreWebView2ZoomFactorChangedEventHandler)
    HRESULT STDMETHODCALLTYPE SetBoundsAndZoomFactor(RECT, double) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON) override {
        if (IsDead(*view_)) return DeadCall(*view_, L"MoveFocus");
        LogCall(*view_, L"MoveFocus");
        SetFocus(view_->page);
        return S_OK;
    }
    DEVENGINE_EVENT(MoveFocusRequested, ICoreWebView2MoveFocusRequestedEventHandler)
    DEVENGINE_EVENT(GotFocus, ICoreWebView2FocusChangedEventHandler)
    DEVENGINE_EVENT(LostFocus, ICoreWebView2FocusChangedEventHandler)
    DEVENGINE_EVENT(AcceleratorKeyPressed, ICoreWebView2AcceleratorKeyPressedEventHandler)
    HRESULT STDMETHODCALLTYPE get_ParentWindow(HWND* parentWindow) override {
        return GetValue(*view_, L"get_ParentWindow", parentWindow, view_->parent);
    }
    HRESULT STDMETHODCALLTYPE put_ParentWindow(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE NotifyParentWindowPositionChanged() override {
        if (IsDead(*view_)) return DeadCall(*view_, L"NotifyParentWindowPositionChanged");
        LogCall(*view_, L"NotifyParentWindowPositionChanged");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Close() override {
        // A failed view is closed like any other: that is how its host lets it go.
        if (view_->closed) return DeadCall(*view_, L"Close");
        LogCall(*view_, L"Close");
        CloseView(*view_, L"Close");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** coreWebView2) override {
        if (coreWebView2 != nullptr) *coreWebView2 = nullptr;
        if (IsDead(*view_)) return DeadCall(*view_, L"get_CoreWebView2");
        if (coreWebView2 == nullptr) return E_POINTER;
        const Knobs& knobs = State().knobs;
        if (FAILED(knobs.coreWebView2Result)) return knobs.coreWebView2Result;
        if (knobs.nullCoreWebView2) return S_OK;
        return WebViewFor(view_).CopyTo(coreWebView2);
    }

private:
    ~ControllerObject() override {
        view_->controller = nullptr;
        // Like the real engine, letting go of the last reference closes the view.
        CloseView(*view_, L"controller released");
    }

    ViewPtr view_;
};

Microsoft::WRL::ComPtr<ICoreWebView2Controller> MakeController(const ViewPtr& view) {
    return MakeObject<ControllerObject>(view);
}

ICoreWebView2Controller* ControllerInterface(ControllerObject* controller) { return controller; }

}  // namespace devengine
