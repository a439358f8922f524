// Whether each tab is loading, and the Reload button, which reads "Stop" and
// stops the current tab while that tab is loading.
#pragma once

#include "engine/WebViewInterfaces.h"

// The button's text for a tab that is loading or not.
const wchar_t* ReloadButtonText(bool loading);

// Gives the Reload button the text for the current tab's state ("Reload"
// without a current tab). Only its text changes, and its tooltip's if it shows.
void UpdateReloadButton();

// Notes whether tab `index` is loading; the button follows when it is the
// current tab. Ignores an index out of range.
void SetTabLoading(int index, bool loading);

// A click on the button: stops the current tab while it is loading, otherwise
// reloads it. Does nothing without a current tab.
void ReloadOrStop();

// A tab is loading while its latest navigation, the one with the highest
// navigation id that has started, has not completed, whatever the outcome. A
// NavigationCompleted for an older navigation changes nothing.
HRESULT OnNavigationStarting(ICoreWebView2* sender, ICoreWebView2NavigationStartingEventArgs* args);
HRESULT OnNavigationCompleted(ICoreWebView2* sender, ICoreWebView2NavigationCompletedEventArgs* args);
