#include "platform/widgets/ResizeLayout.h"

#include <gtest/gtest.h>

using tev::AnchoredRect;
using tev::ResizePoint;
using tev::ResizeRect;

TEST(ResizeAnchors, CornersMoveByTheirFractionOfTheGrowth) {
    const ResizeRect start{10, 20, 110, 70};
    struct Case {
        const char* what;
        ResizePoint topLeft;
        ResizePoint bottomRight;
        int growX;
        int growY;
        ResizeRect expected;
    };
    const Case cases[] = {
        {"pinned to the top left", {0, 0}, {0, 0}, 200, 100, {10, 20, 110, 70}},
        {"stretches with the window", {0, 0}, {1, 1}, 200, 100, {10, 20, 310, 170}},
        {"moves with the bottom right", {1, 1}, {1, 1}, 200, 100, {210, 120, 310, 170}},
        {"left half of a split", {0, 0}, {0.5, 1}, 200, 100, {10, 20, 210, 170}},
        {"right half of a split", {0.5, 0}, {1, 1}, 200, 100, {110, 20, 310, 170}},
        {"button on the bottom edge", {0.5, 1}, {1, 1}, 200, 100, {110, 120, 310, 170}},
        {"odd growth rounds to the nearest pixel", {0.5, 0.5}, {0.5, 0.5}, 3, 5, {12, 23, 112, 73}},
        {"shrinking moves the other way", {0, 0}, {1, 1}, -40, -20, {10, 20, 70, 50}},
        {"never a negative size", {0, 0}, {1, 1}, -500, -500, {10, 20, 10, 20}},
        {"no growth, no change", {0.3, 0.7}, {0.9, 0.1}, 0, 0, {10, 20, 110, 70}},
    };
    for (const Case& c : cases) {
        const ResizeRect got = AnchoredRect(start, c.topLeft, c.bottomRight, c.growX, c.growY);
        EXPECT_EQ(got, c.expected) << c.what << ": got " << got.left << "," << got.top << ","
                                   << got.right << "," << got.bottom;
    }
}

TEST(ResizeAnchors, NeighboursSharingAnEdgeKeepTheirGap) {
    // Two controls split at the middle, 9 pixels apart: the gap survives every growth.
    const ResizeRect left{7, 7, 149, 222};
    const ResizeRect right{158, 7, 313, 222};
    for (int grow = -31; grow <= 311; grow += 7) {
        const ResizeRect l = AnchoredRect(left, {0, 0}, {0.5, 1}, grow, 0);
        const ResizeRect r = AnchoredRect(right, {0.5, 0}, {1, 1}, grow, 0);
        EXPECT_EQ(r.left - l.right, 9) << "growth " << grow;
    }
}
