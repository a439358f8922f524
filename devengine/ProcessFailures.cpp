// Engine processes that fail. A page's render process exits or hangs: its view
// raises ProcessFailed and stays usable. The browser process exits: its
// environment and every view of it fail for good, and each open view raises
// ProcessFailed; another environment is not touched.
#include "devengine/Internal.h"

namespace devengine {
namespace {

class ProcessFailedArgs final : public ComObject<ICoreWebView2ProcessFailedEventArgs> {
public:
    explicit ProcessFailedArgs(COREWEBVIEW2_PROCESS_FAILED_KIND kind) : kind_(kind) {}

    HRESULT STDMETHODCALLTYPE get_ProcessFailedKind(COREWEBVIEW2_PROCESS_FAILED_KIND* kind) override {
        return ValueOut(kind_, kind);
    }

private:
    COREWEBVIEW2_PROCESS_FAILED_KIND kind_;
};

void QueueProcessFailed(const ViewPtr& view, COREWEBVIEW2_PROCESS_FAILED_KIND kind) {
    Post([view, kind]() {
        Fire(view, kProcessFailed, MakeObject<ProcessFailedArgs>(kind).Get(), std::to_wstring(kind));
    }, view);
}

}  // namespace

void FailEnvironment(EnvironmentState& environment) {
    if (environment.failed) return;
    environment.failed = true;
    Log(L"environment " + std::to_wstring(environment.id) + L" browser process exited");
    for (const ViewPtr& view : environment.views) {
        if (view->closed) continue;
        view->failed = true;
        // What the dead process had queued never comes; its failure does.
        DropViewTasks(*view);
        QueueProcessFailed(view, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED);
    }
}

bool TriggerProcessFailure(int id, COREWEBVIEW2_PROCESS_FAILED_KIND kind) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    if (kind == COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED) {
        const EnvironmentPtr environment = view->environment.lock();
        if (environment == nullptr) return false;
        FailEnvironment(*environment);
    } else {
        // The page's process is gone and its navigation with it: no NavigationCompleted comes.
        if (kind == COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED) DropNavigation(*view);
        QueueProcessFailed(view, kind);
    }
    return true;
}

}  // namespace devengine
