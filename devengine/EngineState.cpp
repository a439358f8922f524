// The engine's process-wide state, its reset between tests and its counters.
#include "devengine/Internal.h"

namespace devengine {

EngineState& State() {
    static EngineState* state = new EngineState;
    return *state;
}

void Reset() {
    EngineState& state = State();
    for (const ViewPtr& view : AllViews()) {
        if (!view->closed) CloseView(*view, L"reset");
    }
    DropPendingTasks();
    ForgetNewWindowRequests();
    state.environments.clear();
    state.nextEnvironmentId = 1;
    state.nextViewId = 1;
    state.nextNavigationId = 1;
    state.pageTitles.clear();
    state.environmentRequests.clear();
    state.log.clear();
    ResetKnobs();
}

long LiveObjectCount() { return State().liveObjects; }
long HandlerAddRefCount() { return State().handlerAddRefs; }
long HandlerReleaseCount() { return State().handlerReleases; }
long HeldHandlerCount() { return State().handlerAddRefs - State().handlerReleases; }

}  // namespace devengine
