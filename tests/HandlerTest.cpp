#include "engine/Handler.h"
#include "engine/WebViewInterfaces.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace {

// Captured by a handler's callable: counts how often the live copy is destroyed
// (moved-from copies do not count), so the test sees the handler object itself die.
class DestructionCounter {
public:
    explicit DestructionCounter(int* destroyed) : destroyed_(destroyed) {}
    DestructionCounter(DestructionCounter&& other) noexcept : destroyed_(std::exchange(other.destroyed_, nullptr)) {}
    DestructionCounter(const DestructionCounter&) = delete;
    DestructionCounter& operator=(const DestructionCounter&) = delete;
    DestructionCounter& operator=(DestructionCounter&&) = delete;
    ~DestructionCounter() {
        if (destroyed_ != nullptr) ++*destroyed_;
    }

private:
    int* destroyed_;
};

ComPtr<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> MakeCountedHandler(int* destroyed, int* calls) {
    return MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [counter = DestructionCounter(destroyed), calls](HRESULT, ICoreWebView2Controller*) {
            ++*calls;
            return S_OK;
        });
}

// The reference count as seen through AddRef, leaving it unchanged.
ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace

TEST(Handler, EngineReferenceOutlivesCreatorAndLastReleaseDestroysOnce) {
    int destroyed = 0;
    int calls = 0;
    auto handler = MakeCountedHandler(&destroyed, &calls);
    EXPECT_EQ(RefCount(handler.Get()), 1u);

    // The engine keeps the handler it is given; the creator lets its reference go.
    ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* engineReference = handler.Get();
    EXPECT_EQ(engineReference->AddRef(), 2u);
    handler.Reset();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(RefCount(engineReference), 1u);

    // Still alive and working for the engine's later callback.
    EXPECT_EQ(engineReference->Invoke(S_OK, nullptr), S_OK);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(destroyed, 0);

    EXPECT_EQ(engineReference->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

TEST(Handler, QueryInterfaceAnswersItsInterfaceAndIUnknownOnly) {
    int destroyed = 0;
    int calls = 0;
    auto handler = MakeCountedHandler(&destroyed, &calls);

    for (const IID& iid : {__uuidof(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler), __uuidof(IUnknown)}) {
        void* object = nullptr;
        ASSERT_EQ(handler->QueryInterface(iid, &object), S_OK);
        EXPECT_EQ(object, static_cast<void*>(handler.Get()));
        EXPECT_EQ(RefCount(handler.Get()), 2u);
        static_cast<IUnknown*>(object)->Release();
    }

    // Another handler interface of the engine, and an unrelated COM interface.
    for (const IID& iid : {__uuidof(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler), IID_IDispatch}) {
        void* object = &calls;
        EXPECT_EQ(handler->QueryInterface(iid, &object), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
    }

    EXPECT_EQ(handler->QueryInterface(__uuidof(IUnknown), nullptr), E_POINTER);
    EXPECT_EQ(RefCount(handler.Get()), 1u);
    EXPECT_EQ(destroyed, 0);
}

TEST(Handler, InvokeForwardsBothArgumentsAndTheResult) {
    // A completion handler: an error code and an object.
    HRESULT receivedError = S_OK;
    ICoreWebView2Controller* receivedController = nullptr;
    auto completion = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [&](HRESULT errorCode, ICoreWebView2Controller* controller) {
            receivedError = errorCode;
            receivedController = controller;
            return E_ABORT;
        });
    auto* controller = reinterpret_cast<ICoreWebView2Controller*>(&receivedError);
    EXPECT_EQ(completion->Invoke(HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE), controller), E_ABORT);
    EXPECT_EQ(receivedError, HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(receivedController, controller);

    // An event handler: the sender and the event's arguments, in that order.
    ICoreWebView2* receivedSender = nullptr;
    ICoreWebView2WebMessageReceivedEventArgs* receivedArgs = nullptr;
    auto event = MakeHandler<ICoreWebView2WebMessageReceivedEventHandler>(
        [&](ICoreWebView2* sender, ICoreWebView2WebMessageReceivedEventArgs* args) {
            receivedSender = sender;
            receivedArgs = args;
            return S_OK;
        });
    int senderObject = 0;
    int argsObject = 0;
    auto* sender = reinterpret_cast<ICoreWebView2*>(&senderObject);
    auto* args = reinterpret_cast<ICoreWebView2WebMessageReceivedEventArgs*>(&argsObject);
    EXPECT_EQ(event->Invoke(sender, args), S_OK);
    EXPECT_EQ(receivedSender, sender);
    EXPECT_EQ(receivedArgs, args);
}

TEST(Handler, AnExceptionStopsAtInvokeAsAFailureResult) {
    auto outOfMemory = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [](HRESULT, ICoreWebView2Controller*) -> HRESULT { throw std::bad_alloc(); });
    EXPECT_EQ(outOfMemory->Invoke(S_OK, nullptr), E_OUTOFMEMORY);

    auto anyOther = MakeHandler<ICoreWebView2ProcessFailedEventHandler>(
        [](ICoreWebView2*, ICoreWebView2ProcessFailedEventArgs*) -> HRESULT { throw std::runtime_error("bad"); });
    EXPECT_EQ(anyOther->Invoke(nullptr, nullptr), E_FAIL);
}
