#include "core/SourceChanges.h"

#include "core/AddressBarText.h"
#include "core/EngineString.h"
#include "core/History.h"
#include "core/Tabs.h"

HRESULT OnSourceChanged(ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* /*args*/) {
    EngineString uri;
    if (FAILED(sender->get_Source(uri.Out())) || uri.IsNull()) return S_OK;
    std::wstring u = uri.Copy();
    NoteTabSource(FindTabByWebView(sender), u);
    if (sender == CurrentWebView()) ShowReportedAddress(u);
    RecordHistory(std::move(u));
    return S_OK;
}
