// The engine's binary interface as one set of declarations gives it: each
// interface's IID and number of slots, each method's vtable slot and type,
// each enum value, struct size and field offset, for every line of
// EngineAbiList.h, in its order. Built twice, in translation units of their
// own (both declare the same names): from our engine/WebViewInterfaces.h and
// from the vendor's WebView2.h.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct AbiInterface {
    std::string name;
    GUID iid;
    // The interface it derives from ("IUnknown" or another of the engine's).
    std::string base;
    // Its first own slot: 3 after IUnknown's, else the slot after its base's last.
    int firstSlot;
    // The slot after the last one the interface declares.
    int slotCount;
};

struct AbiMethod {
    std::string interfaceName;
    std::string name;
    int slot;
    // The mangled type of a pointer to the method: its class, result and
    // parameter types.
    std::string type;
};

// An enum value, a struct's size (name "sizeof") or a field's offset.
struct AbiValue {
    std::string owner;
    std::string name;
    long long value;
};

struct EngineAbi {
    std::vector<AbiInterface> interfaces;
    std::vector<AbiMethod> methods;
    std::vector<AbiValue> values;
    // The mangled type of the loader's CreateCoreWebView2EnvironmentWithOptions.
    std::string loaderType;
};

EngineAbi OurEngineAbi();
EngineAbi VendorEngineAbi();
