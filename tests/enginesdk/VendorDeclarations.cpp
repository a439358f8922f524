// The engine's binary interface as the vendor's WebView2.h declares it (from
// the SDK package; shim/ supplies what mingw names differently).
#include <WebView2.h>

#define VELQUIN_ABI_IID_OF(Interface) IID_##Interface
#define VELQUIN_ABI_LOADER_TYPE decltype(&CreateCoreWebView2EnvironmentWithOptions)
#include "EngineAbiTable.h"

EngineAbi VendorEngineAbi() { return BuildEngineAbi(); }
