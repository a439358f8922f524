// The internal address under which the built-in New Tab page is shown. A
// header of its own, free of the engine's declarations, so that programs that
// watch velquin.exe from outside (the end-to-end tests) share it.
#pragma once

inline constexpr wchar_t kNewTabAddress[] = L"browser://newtab";
