// The zoom steps that Ctrl+Plus and Ctrl+Minus go through.
#include "core/Zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const std::vector<double> kSteps = {0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                    1.25, 1.5,  1.75, 2.0, 2.5,  3.0, 4.0, 5.0};

TEST(ZoomSteps, InAndOutWalkEveryStepAndStopAtTheEnds) {
    std::vector<double> up = {0.25};
    for (double factor = 0.25; (factor = ZoomFactorAfter(factor, ZoomChange::In)) != up.back();) up.push_back(factor);
    EXPECT_EQ(up, kSteps);
    std::vector<double> down = {5.0};
    for (double factor = 5.0; (factor = ZoomFactorAfter(factor, ZoomChange::Out)) != down.back();) {
        down.push_back(factor);
    }
    EXPECT_EQ(down, std::vector<double>(kSteps.rbegin(), kSteps.rend()));
    EXPECT_EQ(ZoomFactorAfter(5.0, ZoomChange::In), 5.0);
    EXPECT_EQ(ZoomFactorAfter(0.25, ZoomChange::Out), 0.25);
}

// Ctrl+wheel in the page sets any factor: the keys go on from the nearest step
// in their direction, never back the other way.
TEST(ZoomSteps, AFactorBetweenStepsGoesToTheNextStepInTheKeysDirection) {
    EXPECT_EQ(ZoomFactorAfter(1.17, ZoomChange::In), 1.25);
    EXPECT_EQ(ZoomFactorAfter(1.17, ZoomChange::Out), 1.1);
    EXPECT_EQ(ZoomFactorAfter(0.3, ZoomChange::In), 0.33);
    EXPECT_EQ(ZoomFactorAfter(0.3, ZoomChange::Out), 0.25);
    EXPECT_EQ(ZoomFactorAfter(4.5, ZoomChange::In), 5.0);
    EXPECT_EQ(ZoomFactorAfter(4.5, ZoomChange::Out), 4.0);
    // Beyond the ends: back into the steps one way, unchanged the other.
    EXPECT_EQ(ZoomFactorAfter(0.1, ZoomChange::In), 0.25);
    EXPECT_EQ(ZoomFactorAfter(0.1, ZoomChange::Out), 0.1);
    EXPECT_EQ(ZoomFactorAfter(7.0, ZoomChange::Out), 5.0);
    EXPECT_EQ(ZoomFactorAfter(7.0, ZoomChange::In), 7.0);
}

// A factor read back from the engine may be off in its last digits: it is
// still that step, so a press never stays on it or skips one.
TEST(ZoomSteps, AStepReadBackSlightlyOffIsThatStep) {
    for (size_t i = 0; i < kSteps.size(); ++i) {
        for (double factor : {std::nextafter(kSteps[i], 0.0), std::nextafter(kSteps[i], 10.0), kSteps[i] - 1e-7,
                              kSteps[i] + 1e-7}) {
            SCOPED_TRACE(factor);
            EXPECT_EQ(ZoomFactorAfter(factor, ZoomChange::In), i + 1 < kSteps.size() ? kSteps[i + 1] : factor);
            EXPECT_EQ(ZoomFactorAfter(factor, ZoomChange::Out), i > 0 ? kSteps[i - 1] : factor);
        }
    }
}

TEST(ZoomSteps, ResetIs100PercentAndAFactorThatIsNoZoomCountsAs100) {
    for (double factor : {0.25, 1.0, 3.3, 500.0}) EXPECT_EQ(ZoomFactorAfter(factor, ZoomChange::Reset), 1.0);
    for (double factor : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(factor);
        EXPECT_EQ(ZoomFactorAfter(factor, ZoomChange::In), 1.1);
        EXPECT_EQ(ZoomFactorAfter(factor, ZoomChange::Out), 0.9);
        EXPECT_EQ(ZoomFactorAfter(factor, ZoomChange::Reset), 1.0);
    }
}

}  // namespace
