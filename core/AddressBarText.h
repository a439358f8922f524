// What the address bar shows: the current tab's address by the display rule,
// except that what the user is typing is never overwritten by the engine.
#pragma once

#include <string>

// Puts the current tab's address into the address bar by the display rule and
// ends any editing. With no current tab, or when the engine cannot tell the
// address, the bar keeps what it shows.
void ShowCurrentAddress();

// The current tab reported `source`: the bar shows it unless the user is
// editing the bar's text, which then stays as typed. When the bar has the
// focus, the new address is all selected, so that typing replaces it.
void ShowReportedAddress(const std::wstring& source);

// Whether the user is editing: the bar has the focus and its text was changed
// by the user since the browser last set it.
bool IsAddressBeingEdited();

// The typed text was taken (Enter): the next address reported replaces it.
void EndAddressEditing();
