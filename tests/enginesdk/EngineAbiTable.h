// Builds an EngineAbi from whichever engine declarations were included
// before it. The includer defines VELQUIN_ABI_IID_OF(Interface), the IID of an
// interface, and VELQUIN_ABI_LOADER_TYPE, the type of the loader's export.
// Everything here has internal linkage: each includer sees its own
// declarations under the same names.
#include "EngineAbi.h"

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <typeinfo>

namespace {

// mingw follows the Itanium C++ ABI: a pointer to a virtual member function
// is {1 + the function's offset in the vtable in bytes, this-adjustment}.
template <typename Member>
int SlotOf(Member member) {
    static_assert(sizeof(Member) == 2 * sizeof(std::ptrdiff_t), "an Itanium ABI pointer to member function");
    std::ptrdiff_t words[2];
    std::memcpy(words, &member, sizeof(words));
    if ((words[0] & 1) == 0) return -1;  // not virtual
    return static_cast<int>((words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)));
}

// A virtual function added after an interface's own takes the slot after its last.
template <typename Interface>
struct SlotCountProbe : Interface {
    virtual void AfterLastSlot() {}
};

EngineAbi BuildEngineAbi() {
    EngineAbi abi;
#define VELQUIN_ABI_INTERFACE(Interface)                                                                       \
    static_assert(std::is_base_of<IUnknown, Interface>::value, #Interface " is a COM interface");               \
    abi.interfaces.push_back({#Interface, VELQUIN_ABI_IID_OF(Interface), "IUnknown", 3,                         \
                              SlotOf(&SlotCountProbe<Interface>::AfterLastSlot)});
#define VELQUIN_ABI_DERIVED_INTERFACE(Interface, Base)                                                         \
    static_assert(std::is_base_of<Base, Interface>::value, #Interface " derives from " #Base);                  \
    abi.interfaces.push_back({#Interface, VELQUIN_ABI_IID_OF(Interface), #Base,                                 \
                              SlotOf(&SlotCountProbe<Base>::AfterLastSlot),                                     \
                              SlotOf(&SlotCountProbe<Interface>::AfterLastSlot)});
#define VELQUIN_ABI_METHOD(Interface, Method) \
    abi.methods.push_back({#Interface, #Method, SlotOf(&Interface::Method), typeid(&Interface::Method).name()});
#define VELQUIN_ABI_ENUM_VALUE(Enum, Value) abi.values.push_back({#Enum, #Value, static_cast<long long>(Value)});
#define VELQUIN_ABI_STRUCT(Struct) abi.values.push_back({#Struct, "sizeof", static_cast<long long>(sizeof(Struct))});
#define VELQUIN_ABI_FIELD(Struct, Field) \
    abi.values.push_back({#Struct, #Field, static_cast<long long>(offsetof(Struct, Field))});
#include "EngineAbiList.h"
    abi.loaderType = typeid(VELQUIN_ABI_LOADER_TYPE).name();
    return abi;
}

}  // namespace
