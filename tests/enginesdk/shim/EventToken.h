// The vendor's WebView2.h includes "EventToken.h", as the Windows SDK names
// it; mingw-w64 ships the same header as eventtoken.h, and Linux file names
// are case-sensitive. Nothing else of the vendor's header needs adapting for
// mingw (it defines DECLSPEC_XFGVIRT itself when the compiler lacks it).
#pragma once
#include <eventtoken.h>
