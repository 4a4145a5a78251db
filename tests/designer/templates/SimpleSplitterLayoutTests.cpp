#include "designer/templates/SimpleSplitterLayout.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace TEVComponentDesignerAfx;

namespace {

int Sum(const std::vector<int>& weights) {
    return std::accumulate(weights.begin(), weights.end(), 0);
}

// Every layout leaves the panes in order, separated by one bar each, within the extent.
void ExpectConsistent(const CSimpleSplitterLayout& layout, int extent) {
    EXPECT_EQ(Sum(layout.Weights()), CSimpleSplitterLayout::kWholeWeight);
    EXPECT_EQ(Sum(layout.LaidOutWeights()), CSimpleSplitterLayout::kWholeWeight);
    EXPECT_EQ(layout.Start(0), 0);
    for (int i = 0; i < layout.PaneCount(); ++i)
        EXPECT_GE(layout.PaneSize(i), 0) << "pane " << i;
    if (extent >= layout.PaneCount() * layout.MinimumPane()) {
        EXPECT_LE(std::abs(layout.Start(layout.PaneCount()) - layout.BarThickness() - extent), 1);
    }
}

} // namespace

TEST(SimpleSplitterLayout, PanesStartWithEqualSharesTheLastTakingTheRemainder) {
    const struct {
        int count;
        std::vector<int> weights;
    } cases[] = {
        {1, {32768}},
        {2, {16384, 16384}},
        {3, {10923, 10923, 10922}},
        {4, {8192, 8192, 8192, 8192}},
    };
    for (const auto& c : cases) {
        CSimpleSplitterLayout layout(c.count, 30, 3);
        EXPECT_EQ(layout.Weights(), c.weights) << c.count << " panes";
    }
}

TEST(SimpleSplitterLayout, OneThirdAndTheWholeWidthGiveAQuarterToTheLeft) {
    CSimpleSplitterLayout layout(2, 30, 3);
    layout.SetPaneSizes({1203 / 3, 1203}, 1203);
    EXPECT_EQ(layout.Weights(), (std::vector<int>{8192, 24576}));
    EXPECT_EQ(layout.Available(), 1200);
    EXPECT_EQ(layout.PaneSize(0), 300);
    EXPECT_EQ(layout.Start(1), 303);
    EXPECT_EQ(layout.PaneSize(1), 900);
    ExpectConsistent(layout, 1203);
}

TEST(SimpleSplitterLayout, SizesThatSumToNothingLeaveTheWeights) {
    CSimpleSplitterLayout layout(2, 30, 3);
    layout.SetPaneSizes({0, 0}, 600);
    EXPECT_EQ(layout.Weights(), (std::vector<int>{16384, 16384}));
    layout.SetPaneSizes({-5, 0}, 600);
    EXPECT_EQ(layout.Weights(), (std::vector<int>{16384, 16384}));
    layout.SetPaneSizes({100}, 600); // the missing size counts as 0: all to the first pane
    EXPECT_EQ(layout.Weights(), (std::vector<int>{32768, 0}));
    EXPECT_EQ(layout.PaneSize(1), 30) << "still the minimum";
}

TEST(SimpleSplitterLayout, PanesBelowTheMinimumGetExactlyTheMinimum) {
    const struct {
        int extent;
        std::vector<int> sizes; // of panes 0 and 1
    } cases[] = {
        {1003, {30, 970}}, // 1 : 99 would give the left pane 10 pixels
        {203, {30, 170}},  // still room for both
        {63, {30, 30}},    // just room for both minimums
        {40, {30, 7}},     // no room for both: the minimum in order, while it lasts
        {10, {7, 0}},      // not even for one
        {0, {0, 0}},
    };
    for (const auto& c : cases) {
        CSimpleSplitterLayout layout(2, 30, 3);
        layout.SetPaneSizes({1, 99}, c.extent);
        EXPECT_EQ(layout.PaneSize(0), c.sizes[0]) << "extent " << c.extent;
        EXPECT_EQ(layout.PaneSize(1), c.sizes[1]) << "extent " << c.extent;
        ExpectConsistent(layout, c.extent);
    }
}

TEST(SimpleSplitterLayout, TheOthersShareWhatIsLeftByTheirWeights) {
    CSimpleSplitterLayout layout(3, 50, 2);
    layout.SetPaneSizes({1, 30, 10}, 604); // 600 to share: the first would get 15
    EXPECT_EQ(layout.PaneSize(0), 50);
    EXPECT_EQ(layout.PaneSize(1), 412); // 550 shared 3 : 1, the remainder to the last
    EXPECT_EQ(layout.PaneSize(2), 138);
    ExpectConsistent(layout, 604);
}

TEST(SimpleSplitterLayout, ASmallMomentDoesNotCollapseAPaneForGood) {
    // A window laid out before it has its size, or shrunk by the user, gets its
    // proportions back when it grows again.
    CSimpleSplitterLayout layout(2, 200, 3);
    layout.Layout(20);
    EXPECT_EQ(layout.PaneSize(1), 0);
    layout.Layout(803);
    EXPECT_EQ(layout.PaneSize(0), 400);
    EXPECT_EQ(layout.PaneSize(1), 400);
}

TEST(SimpleSplitterLayout, DraggingABarKeepsBothNeighboursAtTheMinimum) {
    CSimpleSplitterLayout layout(2, 30, 3);
    layout.Layout(403); // panes 0..199 and 203..402, the bar at 200..202
    ASSERT_EQ(layout.Start(1), 203);
    ASSERT_TRUE(layout.BeginDrag(201));
    EXPECT_EQ(layout.DragBar(), 1);
    EXPECT_EQ(layout.TrackerPos(), 200);
    const struct {
        int mouse;
        int tracker;
    } moves[] = {{251, 250}, {11, 30}, {-50, 30}, {391, 370}, {1000, 370}, {101, 100}};
    for (const auto& m : moves)
        EXPECT_EQ(layout.DragTo(m.mouse), m.tracker) << "mouse at " << m.mouse;
    layout.EndDrag(403);
    EXPECT_FALSE(layout.IsDragging());
    EXPECT_EQ(layout.PaneSize(0), 100);
    EXPECT_EQ(layout.Start(1), 103);
    EXPECT_EQ(layout.PaneSize(1), 300);
    ExpectConsistent(layout, 403);
    // The new shares hold when the window is resized.
    layout.Layout(803);
    EXPECT_EQ(layout.PaneSize(0), 200);
}

TEST(SimpleSplitterLayout, ADragTakesTheFirstBarAtOrAfterTheMouse) {
    CSimpleSplitterLayout layout(3, 10, 4);
    layout.Layout(308); // 100 each: bars at 100..103 and 204..207
    const struct {
        int mouse;
        int bar;
    } cases[] = {{50, 1}, {100, 1}, {103, 1}, {104, 2}, {207, 2}, {208, 0}, {400, 0}};
    for (const auto& c : cases) {
        const bool dragging = layout.BeginDrag(c.mouse);
        EXPECT_EQ(dragging, c.bar != 0) << "mouse at " << c.mouse;
        EXPECT_EQ(layout.DragBar(), c.bar) << "mouse at " << c.mouse;
        layout.CancelDrag();
    }
    // Dragging the second bar moves only its neighbours.
    ASSERT_TRUE(layout.BeginDrag(205));
    layout.DragTo(155);
    layout.EndDrag(308);
    EXPECT_EQ(layout.PaneSize(0), 100);
    EXPECT_EQ(layout.PaneSize(1), 50);
    EXPECT_EQ(layout.PaneSize(2), 150);
    ExpectConsistent(layout, 308);
}

TEST(SimpleSplitterLayout, WithoutRoomForBothNeighboursTheTrackerStays) {
    CSimpleSplitterLayout layout(2, 100, 3);
    layout.Layout(150);
    ASSERT_TRUE(layout.BeginDrag(layout.Start(1) - 1));
    const int start = layout.TrackerPos();
    EXPECT_EQ(layout.DragTo(10), start);
    EXPECT_EQ(layout.DragTo(140), start);
}

TEST(SimpleSplitterLayout, ASinglePaneHasNoBarToDrag) {
    CSimpleSplitterLayout layout(1, 30, 3);
    layout.Layout(500);
    EXPECT_EQ(layout.PaneSize(0), 500);
    EXPECT_FALSE(layout.BeginDrag(0));
    layout.EndDrag(500); // nothing to end
    EXPECT_EQ(layout.PaneSize(0), 500);
}
