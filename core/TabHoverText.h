// The text shown while the pointer rests on a tab: the page's whole title,
// which the caption may leave out, and its address as the address bar shows it.
// It is asked of the engine each time it is shown, so a title or address that
// changed since is never shown stale.
#pragma once

#include <string>

// Longer titles and addresses are cut to this many UTF-16 code units and end in "...":
// a page may set a title of any length.
constexpr size_t kMaxHoverLineLength = 1000;

// Two lines: `title` (the caption's "New Tab" where the caption hides it as
// empty or naming a data address, but never for being long) and the address
// bar's form of `source`. Line breaks inside either are shown as blanks.
std::wstring HoverTextFor(const std::wstring& title, const std::wstring& source);

// The hover text of tab `index`, from its web view's title and source now; an
// address the engine cannot tell is taken from the tab's last reported one,
// and for a title it cannot tell the tab's caption stands. Empty for an index
// that is no tab.
std::wstring TabHoverText(int index);
