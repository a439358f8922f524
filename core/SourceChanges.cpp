#include "core/SourceChanges.h"

#include "core/AddressBarText.h"
#include "core/EngineString.h"
#include "core/History.h"
#include "core/ShownTooltips.h"
#include "core/TabIcons.h"
#include "core/Tabs.h"

HRESULT OnSourceChanged(ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args) {
    const int index = FindTabByWebView(sender);
    BOOL newDocument = FALSE;
    if (args != nullptr && SUCCEEDED(args->get_IsNewDocument(&newDocument)) && newDocument) OnTabNewDocument(index);
    EngineString uri;
    if (FAILED(sender->get_Source(uri.Out())) || uri.IsNull()) return S_OK;
    std::wstring u = uri.Copy();
    NoteTabSource(index, u);
    // The New Tab page's icon follows the address.
    RefreshTabIcon(index);
    RefreshShownTabTooltip(index);
    if (sender == CurrentWebView()) ShowReportedAddress(u);
    RecordHistory(std::move(u));
    return S_OK;
}
