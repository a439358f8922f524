// Which later interfaces a web view or an environment answers: the whole
// chain, but the one of a feature whose withhold_ knob is set.
#include "devengine/LaterSlots.h"

namespace devengine {
namespace {

struct Withholding {
    IID iid;
    bool Knobs::*withheld;
};

const Withholding kWithheld[] = {
    {__uuidof(ICoreWebView2_3), &Knobs::withholdSuspend},
    {__uuidof(ICoreWebView2_8), &Knobs::withholdAudio},
    {__uuidof(ICoreWebView2_15), &Knobs::withholdFavicon},
    {__uuidof(ICoreWebView2_16), &Knobs::withholdPrint},
    {__uuidof(ICoreWebView2_19), &Knobs::withholdMemoryLevel},
    {__uuidof(ICoreWebView2_28), &Knobs::withholdFind},
    {__uuidof(ICoreWebView2Environment15), &Knobs::withholdFind},
};

const IID kWebViewChain[] = {
    __uuidof(ICoreWebView2),    __uuidof(ICoreWebView2_2),  __uuidof(ICoreWebView2_3),  __uuidof(ICoreWebView2_4),
    __uuidof(ICoreWebView2_5),  __uuidof(ICoreWebView2_6),  __uuidof(ICoreWebView2_7),  __uuidof(ICoreWebView2_8),
    __uuidof(ICoreWebView2_9),  __uuidof(ICoreWebView2_10), __uuidof(ICoreWebView2_11), __uuidof(ICoreWebView2_12),
    __uuidof(ICoreWebView2_13), __uuidof(ICoreWebView2_14), __uuidof(ICoreWebView2_15), __uuidof(ICoreWebView2_16),
    __uuidof(ICoreWebView2_17), __uuidof(ICoreWebView2_18), __uuidof(ICoreWebView2_19), __uuidof(ICoreWebView2_20),
    __uuidof(ICoreWebView2_21), __uuidof(ICoreWebView2_22), __uuidof(ICoreWebView2_23), __uuidof(ICoreWebView2_24),
    __uuidof(ICoreWebView2_25), __uuidof(ICoreWebView2_26), __uuidof(ICoreWebView2_27), __uuidof(ICoreWebView2_28),
};

const IID kEnvironmentChain[] = {
    __uuidof(ICoreWebView2Environment),   __uuidof(ICoreWebView2Environment2),  __uuidof(ICoreWebView2Environment3),
    __uuidof(ICoreWebView2Environment4),  __uuidof(ICoreWebView2Environment5),  __uuidof(ICoreWebView2Environment6),
    __uuidof(ICoreWebView2Environment7),  __uuidof(ICoreWebView2Environment8),  __uuidof(ICoreWebView2Environment9),
    __uuidof(ICoreWebView2Environment10), __uuidof(ICoreWebView2Environment11), __uuidof(ICoreWebView2Environment12),
    __uuidof(ICoreWebView2Environment13), __uuidof(ICoreWebView2Environment14), __uuidof(ICoreWebView2Environment15),
};

template <size_t N>
bool IsOneOf(REFIID riid, const IID (&iids)[N]) {
    for (const IID& iid : iids) {
        if (riid == iid) return true;
    }
    return false;
}

}  // namespace

bool IsWithheld(REFIID riid) {
    for (const Withholding& entry : kWithheld) {
        if (riid == entry.iid) return State().knobs.*entry.withheld;
    }
    return false;
}

bool IsWebViewInterface(REFIID riid) { return IsOneOf(riid, kWebViewChain); }

bool IsEnvironmentInterface(REFIID riid) { return IsOneOf(riid, kEnvironmentChain); }

}  // namespace devengine
