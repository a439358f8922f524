// The engine's binary interface as engine/WebViewInterfaces.h declares it.
#include "engine/WebViewInterfaces.h"

#define VELQUIN_ABI_IID_OF(Interface) __uuidof(Interface)
#define VELQUIN_ABI_LOADER_TYPE CreateEnvironmentWithOptionsFn
#include "EngineAbiTable.h"

EngineAbi OurEngineAbi() { return BuildEngineAbi(); }
