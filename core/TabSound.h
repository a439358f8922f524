// Muting a tab's page. The engine keeps whether a web view is muted, across
// its navigations; nothing here keeps a copy. An engine without sound control
// leaves every tab unmuted and the mute command doing nothing.
#pragma once

// Whether the engine lets tab `index` be muted.
bool CanMuteTab(int index);

// Whether tab `index` is muted (false when it cannot be).
bool IsTabMuted(int index);

// Mutes tab `index`, or unmutes it when it is muted.
void ToggleTabMute(int index);
