// The text shown while the pointer rests on a tab: the page's whole title,
// which the caption may leave out, and its address as the address bar shows it.
// It is asked of the engine each time it is shown, and again when the title or
// address changes while it shows, so it is never shown stale.
#pragma once

#include <string>

// Longer titles and addresses are cut to this many UTF-16 code units and end in "...":
// a page may set a title of any length.
constexpr size_t kMaxHoverPartLength = 1000;

// The widest run without a blank on one line, in columns (a wide character,
// such as a Chinese one, takes two): the tab tooltip is made wide enough for
// about this many.
constexpr size_t kHoverLineColumns = 80;

// `title` (the caption's "New Tab" where the caption hides it as empty or
// naming a data address, but never for being long) over the address bar's
// form of `source`, each starting on a line of its own. Line breaks inside
// either are shown as blanks; a run without a blank is broken onto lines of
// at most kHoverLineColumns.
std::wstring HoverTextFor(const std::wstring& title, const std::wstring& source);

// The hover text of tab `index`, from its web view's title and source now; an
// address the engine cannot tell is taken from the tab's last reported one,
// and for a title it cannot tell the tab's caption stands. Empty for an index
// that is no tab.
std::wstring TabHoverText(int index);
