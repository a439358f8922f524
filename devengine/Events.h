// The events the stand-in raises, and the one function that fires them.
//
// An event is one declaration below: its name (as in add_<Name>) and its
// handler interface. Registering needs nothing more (every add_/remove_ slot
// keeps handlers by name), closing a view lets all of them go at once, and
// Fire delivers it with the sender its handler interface takes.
#pragma once

#include "devengine/Internal.h"

namespace devengine {

template <typename HandlerType>
struct Event {
    const wchar_t* name;
};

inline constexpr Event<ICoreWebView2SourceChangedEventHandler> kSourceChanged{L"SourceChanged"};
inline constexpr Event<ICoreWebView2DocumentTitleChangedEventHandler> kDocumentTitleChanged{L"DocumentTitleChanged"};
inline constexpr Event<ICoreWebView2WebMessageReceivedEventHandler> kWebMessageReceived{L"WebMessageReceived"};
inline constexpr Event<ICoreWebView2HistoryChangedEventHandler> kHistoryChanged{L"HistoryChanged"};
inline constexpr Event<ICoreWebView2AcceleratorKeyPressedEventHandler> kAcceleratorKeyPressed{
    L"AcceleratorKeyPressed"};
inline constexpr Event<ICoreWebView2NewWindowRequestedEventHandler> kNewWindowRequested{L"NewWindowRequested"};
inline constexpr Event<ICoreWebView2ProcessFailedEventHandler> kProcessFailed{L"ProcessFailed"};
inline constexpr Event<ICoreWebView2NavigationStartingEventHandler> kNavigationStarting{L"NavigationStarting"};
inline constexpr Event<ICoreWebView2NavigationCompletedEventHandler> kNavigationCompleted{L"NavigationCompleted"};
inline constexpr Event<ICoreWebView2ContainsFullScreenElementChangedEventHandler> kContainsFullScreenElementChanged{
    L"ContainsFullScreenElementChanged"};
inline constexpr Event<ICoreWebView2FaviconChangedEventHandler> kFaviconChanged{L"FaviconChanged"};
inline constexpr Event<ICoreWebView2IsDocumentPlayingAudioChangedEventHandler> kIsDocumentPlayingAudioChanged{
    L"IsDocumentPlayingAudioChanged"};
inline constexpr Event<ICoreWebView2IsMutedChangedEventHandler> kIsMutedChanged{L"IsMutedChanged"};

namespace event_detail {

// The sender and argument types of a handler interface's Invoke.
template <typename MemberFn>
struct InvokeTypes;
template <typename Interface, typename Sender, typename Args>
struct InvokeTypes<HRESULT (STDMETHODCALLTYPE Interface::*)(Sender*, Args*)> {
    using SenderType = Sender;
    using ArgsType = Args;
};

inline Microsoft::WRL::ComPtr<ICoreWebView2> SenderOf(const ViewPtr& view, ICoreWebView2*) {
    return WebViewFor(view);
}
inline Microsoft::WRL::ComPtr<ICoreWebView2Controller> SenderOf(const ViewPtr& view, ICoreWebView2Controller*) {
    return view->controller != nullptr ? ControllerInterface(view->controller) : nullptr;
}

}  // namespace event_detail

// Fires `event` on the view's handlers now: logs "view <id> event <Name>
// <detail>", invokes each handler registered when it starts with the view's web
// view or controller as sender, then runs `then` (a deferral's owner decides
// there whether to act now or wait). Nothing fires once the controller is gone.
template <typename HandlerType>
void Fire(const ViewPtr& view, const Event<HandlerType>& event,
          typename event_detail::InvokeTypes<decltype(&HandlerType::Invoke)>::ArgsType* args,
          const std::wstring& detail, const std::function<void()>& then = nullptr) {
    using SenderType = typename event_detail::InvokeTypes<decltype(&HandlerType::Invoke)>::SenderType;
    const auto sender = event_detail::SenderOf(view, static_cast<SenderType*>(nullptr));
    if (!sender) return;
    Log(L"view " + std::to_wstring(view->id) + L" event " + event.name + L" " + detail);
    for (const Held<IUnknown>& handler : view->handlers.Snapshot(event.name)) {
        static_cast<HandlerType*>(handler.Get())->Invoke(sender.Get(), args);
    }
    if (then) then();
}

}  // namespace devengine
