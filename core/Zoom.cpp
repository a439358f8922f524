#include "core/Zoom.h"

#include "core/Tabs.h"

#include <cmath>

namespace {

const double kZoomSteps[] = {0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                             1.25, 1.5,  1.75, 2.0, 2.5,  3.0, 4.0, 5.0};

// The engine may read a factor back rounded (1.1 as 1.0999999): this close to
// a step, the factor is that step. The steps lie 0.05 apart at least.
const double kStepTolerance = 0.001;

}  // namespace

double ZoomFactorAfter(double factor, ZoomChange change) {
    if (change == ZoomChange::Reset) return 1.0;
    if (!std::isfinite(factor) || factor <= 0.0) factor = 1.0;
    if (change == ZoomChange::In) {
        for (double step : kZoomSteps) {
            if (step > factor + kStepTolerance) return step;
        }
    } else {
        for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
            if (*it < factor - kStepTolerance) return *it;
        }
    }
    return factor;
}

void ZoomCurrentTab(ZoomChange change) {
    ICoreWebView2Controller* controller = CurrentController();
    if (controller == nullptr) return;
    double factor = 1.0;
    if (change != ZoomChange::Reset && FAILED(controller->get_ZoomFactor(&factor))) return;
    const double next = ZoomFactorAfter(factor, change);
    if (change != ZoomChange::Reset && next == factor) return;
    controller->put_ZoomFactor(next);
}
