// Find in page: the options the environment creates and the web view's find
// object, whose calls go to the view's log ("Find Start <term>", "Find
// FindNext", "Find FindPrevious", "Find Stop"). The engine's own find bar is
// not drawn; matches are not counted.
#include "devengine/Internal.h"

namespace devengine {
namespace {

using Microsoft::WRL::ComPtr;

class FindOptionsObject final : public ComObject<ICoreWebView2FindOptions> {
public:
    HRESULT STDMETHODCALLTYPE get_FindTerm(LPWSTR* value) override {
        if (value == nullptr) return E_POINTER;
        return CopyOut(term_, value);
    }
    HRESULT STDMETHODCALLTYPE put_FindTerm(LPCWSTR value) override {
        term_ = value != nullptr ? value : L"";
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_IsCaseSensitive(BOOL* value) override { return ValueOut(caseSensitive_, value); }
    HRESULT STDMETHODCALLTYPE put_IsCaseSensitive(BOOL value) override {
        caseSensitive_ = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_ShouldHighlightAllMatches(BOOL* value) override {
        return ValueOut(highlightAll_, value);
    }
    HRESULT STDMETHODCALLTYPE put_ShouldHighlightAllMatches(BOOL value) override {
        highlightAll_ = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_ShouldMatchWord(BOOL* value) override { return ValueOut(matchWord_, value); }
    HRESULT STDMETHODCALLTYPE put_ShouldMatchWord(BOOL value) override {
        matchWord_ = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_SuppressDefaultFindDialog(BOOL* value) override {
        return ValueOut(suppressDialog_, value);
    }
    HRESULT STDMETHODCALLTYPE put_SuppressDefaultFindDialog(BOOL value) override {
        suppressDialog_ = value;
        return S_OK;
    }

private:
    std::wstring term_;
    BOOL caseSensitive_ = FALSE;
    BOOL highlightAll_ = TRUE;
    BOOL matchWord_ = FALSE;
    BOOL suppressDialog_ = FALSE;
};

class FindObject final : public ComObject<ICoreWebView2Find> {
public:
    explicit FindObject(ViewPtr view) : view_(std::move(view)) {}

    HRESULT STDMETHODCALLTYPE get_ActiveMatchIndex(INT32*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_MatchCount(INT32*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE add_ActiveMatchIndexChanged(ICoreWebView2FindActiveMatchIndexChangedEventHandler*,
                                                          EventRegistrationToken*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_ActiveMatchIndexChanged(EventRegistrationToken) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE add_MatchCountChanged(ICoreWebView2FindMatchCountChangedEventHandler*,
                                                    EventRegistrationToken*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_MatchCountChanged(EventRegistrationToken) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Start(ICoreWebView2FindOptions* options,
                                    ICoreWebView2FindStartCompletedHandler* handler) override {
        if (IsDead(*view_)) return DeadCall(*view_, L"Find Start");
        if (options == nullptr) return E_INVALIDARG;
        LPWSTR term = nullptr;
        BOOL suppressDialog = FALSE;
        if (FAILED(options->get_FindTerm(&term)) || FAILED(options->get_SuppressDefaultFindDialog(&suppressDialog))) {
            return E_INVALIDARG;
        }
        const std::wstring text = term != nullptr ? term : L"";
        CoTaskMemFree(term);
        LogCall(*view_, L"Find Start " + text + (suppressDialog ? L" (no dialog)" : L""));
        view_->findActive = true;
        Post([held = Held<ICoreWebView2FindStartCompletedHandler>(handler)]() {
            if (held.Get() != nullptr) held.Get()->Invoke(S_OK);
        }, view_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindNext() override { return Step(L"Find FindNext"); }
    HRESULT STDMETHODCALLTYPE FindPrevious() override { return Step(L"Find FindPrevious"); }
    HRESULT STDMETHODCALLTYPE Stop() override {
        if (IsDead(*view_)) return DeadCall(*view_, L"Find Stop");
        LogCall(*view_, L"Find Stop");
        view_->findActive = false;
        return S_OK;
    }

private:
    HRESULT Step(const wchar_t* call) {
        if (IsDead(*view_)) return DeadCall(*view_, call);
        LogCall(*view_, call);
        return S_OK;
    }

    ViewPtr view_;
};

}  // namespace

HRESULT GetFind(const ViewPtr& view, ICoreWebView2Find** find) {
    if (find != nullptr) *find = nullptr;
    if (IsDead(*view)) return DeadCall(*view, L"get_Find");
    if (find == nullptr) return E_POINTER;
    *find = MakeObject<FindObject>(view).Detach();
    return S_OK;
}

HRESULT CreateFindOptions(ICoreWebView2FindOptions** options) {
    if (options == nullptr) return E_POINTER;
    *options = MakeObject<FindOptionsObject>().Detach();
    return S_OK;
}

}  // namespace devengine
