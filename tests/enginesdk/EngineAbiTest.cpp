// Checks our engine declarations (engine/WebViewInterfaces.h) against the
// vendor's own header, WebView2.h from the SDK package: for every line of
// EngineAbiList.h, the interface's IID, the method's vtable slot and type
// (result and parameter types), the enum value, the struct's size and field
// offsets. A mismatch builds and links without complaint; with the real
// engine, a call would land in the wrong method.
#include "EngineAbi.h"

#include <gtest/gtest.h>

#include <cxxabi.h>
#include <objbase.h>

#include <cstdlib>
#include <memory>

namespace {

std::string GuidText(const GUID& guid) {
    wchar_t text[39] = {};
    StringFromGUID2(guid, text, 39);
    return std::string(text, text + 38);
}

std::string Demangled(const std::string& mangled) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status),
                                                std::free);
    return status == 0 && name ? name.get() : mangled;
}

class EngineAbiCheck : public ::testing::Test {
protected:
    EngineAbi ours = OurEngineAbi();
    EngineAbi vendor = VendorEngineAbi();
};

TEST_F(EngineAbiCheck, InterfaceIds) {
    ASSERT_EQ(ours.interfaces.size(), vendor.interfaces.size());
    for (size_t i = 0; i < ours.interfaces.size(); ++i) {
        const AbiInterface& our = ours.interfaces[i];
        EXPECT_TRUE(IsEqualGUID(our.iid, vendor.interfaces[i].iid))
            << our.name << ": ours is " << GuidText(our.iid) << ", the vendor's " << GuidText(vendor.interfaces[i].iid);
        EXPECT_EQ(our.firstSlot, vendor.interfaces[i].firstSlot)
            << our.name << ": its own slots begin at " << our.firstSlot << " in ours, at "
            << vendor.interfaces[i].firstSlot << " in the vendor's";
    }
}

TEST_F(EngineAbiCheck, MethodSlotsAndTypes) {
    ASSERT_EQ(ours.methods.size(), vendor.methods.size());
    for (size_t i = 0; i < ours.methods.size(); ++i) {
        const AbiMethod& our = ours.methods[i];
        const AbiMethod& theirs = vendor.methods[i];
        EXPECT_EQ(our.slot, theirs.slot) << our.interfaceName << "::" << our.name << ": ours in slot " << our.slot
                                         << ", the vendor's in slot " << theirs.slot;
        EXPECT_EQ(our.type, theirs.type) << our.interfaceName << "::" << our.name << ": ours is "
                                         << Demangled(our.type) << ", the vendor's " << Demangled(theirs.type);
    }
    EXPECT_EQ(ours.loaderType, vendor.loaderType)
        << "CreateCoreWebView2EnvironmentWithOptions: ours is " << Demangled(ours.loaderType) << ", the vendor's "
        << Demangled(vendor.loaderType);
}

// EngineAbiList.h lists each interface's methods in slot order, every slot
// from its first own one (3 after IUnknown's, or the one after its base's
// last) to the last one we declare, so that none goes unchecked.
TEST_F(EngineAbiCheck, ListHasEveryDeclaredSlot) {
    for (const AbiInterface& our : ours.interfaces) {
        int expected = our.firstSlot;
        for (const AbiMethod& method : ours.methods) {
            if (method.interfaceName != our.name) continue;
            EXPECT_EQ(method.slot, expected) << our.name << "::" << method.name << " is in slot " << method.slot
                                             << ", but listed where slot " << expected << " belongs";
            expected = method.slot + 1;
        }
        EXPECT_EQ(expected, our.slotCount) << our.name << " declares slots up to " << our.slotCount - 1
                                           << ", EngineAbiList.h lists them up to " << expected - 1;
    }
}

TEST_F(EngineAbiCheck, EnumValuesAndStructLayouts) {
    ASSERT_EQ(ours.values.size(), vendor.values.size());
    for (size_t i = 0; i < ours.values.size(); ++i) {
        const AbiValue& our = ours.values[i];
        EXPECT_EQ(our.value, vendor.values[i].value)
            << our.owner << " " << our.name << ": ours is " << our.value << ", the vendor's " << vendor.values[i].value;
    }
}

}  // namespace
