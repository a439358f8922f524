// "The current tab changed": one refresh of everything that shows the current
// tab, run by every action that changes which tab is current or closes it.
#pragma once

// Where the keyboard goes after the change: the caller decides.
enum class KeyboardAfterChange {
    Page,        // into the current tab's page (a switch by the user, a closed tab's neighbour, a reopened tab)
    AddressBar,  // into the address bar, all selected (a new tab, ready for typing)
    Stays,       // where it is (no tab is current, or a tab came back in the background)
};

// Shows the current tab's page (visible unless the window is minimised) and
// hides the one shown before, if it is still a tab; ends the full screen of
// any page but the current one's; puts the current address in the bar (which
// ends any editing); brings Back, Next and Reload/Stop to the current tab's
// state; lays the window out; then moves the keyboard as asked.
void ShowCurrentTab(KeyboardAfterChange keyboard);
