// Handler objects: reference-counted COM objects that implement one of the
// engine's completion or event handler interfaces by forwarding Invoke to a
// callable of the browser.
//
// No C++ exception leaves Invoke: the engine's frames are not C++. One that
// reaches it becomes a failure result, E_OUTOFMEMORY for std::bad_alloc and
// E_FAIL for any other.
//
// MakeHandler returns the object with one reference, held by the caller's
// ComPtr (a new object starts at zero; its first owner adds the reference,
// which is also why ComPtr::Attach is not used: mingw's adds one more). The caller hands it to the engine (which adds its own reference) and
// then lets its ComPtr go, so the engine ends up holding the only reference.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <new>
#include <utility>

template <typename Interface, typename Callable, typename InvokeFn = decltype(&Interface::Invoke)>
class Handler;

// Invoke's parameters are read off the interface's own signature (one or two).
template <typename Interface, typename Callable, typename... Params>
class Handler<Interface, Callable, HRESULT (STDMETHODCALLTYPE Interface::*)(Params...)> final : public Interface {
public:
    explicit Handler(Callable callable) : callable_(std::move(callable)) {}
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (riid == __uuidof(Interface) || riid == __uuidof(IUnknown)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG remaining = InterlockedDecrement(&refCount_);
        if (remaining == 0) delete this;
        return static_cast<ULONG>(remaining);
    }

    HRESULT STDMETHODCALLTYPE Invoke(Params... params) override {
        try {
            return callable_(params...);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

private:
    ~Handler() = default;

    LONG refCount_ = 0;
    Callable callable_;
};

// Wraps `callable` into a new handler object for `Interface`.
template <typename Interface, typename Callable>
Microsoft::WRL::ComPtr<Interface> MakeHandler(Callable callable) {
    return Microsoft::WRL::ComPtr<Interface>(new Handler<Interface, Callable>(std::move(callable)));
}
