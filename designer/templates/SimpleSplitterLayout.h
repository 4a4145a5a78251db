#pragma once
// The arithmetic of the simple splitter, apart from any window: pane weights in units of
// 1/32768 of the space left after the bars (always summing to 32768), the pixel start of every
// pane, the minimum pane size, and dragging a bar.
//
// The weights the user gave (SetPaneSizes, a drag) are kept apart from the weights a layout
// uses after lifting panes to the minimum. Lifting them for good would let one moment at a
// small size (a window before it is shown, a user shrinking it) collapse a pane to the
// minimum for ever; kept apart, the panes get their shares back when there is room again.
//
// Along the splitter's orientation the window's extent holds, in order, pane 0, a bar, pane 1,
// a bar, ... pane n-1. Pane i covers [Start(i), Start(i + 1) - bar).
#include <vector>

namespace TEVComponentDesignerAfx {

class CSimpleSplitterLayout {
public:
    static constexpr int kWholeWeight = 32768;

    // Panes get equal weights, the last one the remainder. A count below 1 counts as 1,
    // negative sizes as 0.
    CSimpleSplitterLayout(int paneCount, int minimumPane, int barThickness);

    int PaneCount() const { return static_cast<int>(m_weights.size()); }
    int MinimumPane() const { return m_minimum; }
    int BarThickness() const { return m_bar; }
    // The weights as given.
    const std::vector<int>& Weights() const { return m_weights; }
    // The weights of the last layout: panes below the minimum lifted to it.
    const std::vector<int>& LaidOutWeights() const { return m_laidOut; }
    // Start of pane i (0..count); Start(count) is one bar beyond the end of the last pane.
    int Start(int i) const { return m_starts[i]; }
    int PaneSize(int i) const { return m_starts[i + 1] - m_bar - m_starts[i]; }
    // The space the panes share: extent - (count - 1) x bar, as of the last layout.
    int Available() const { return m_available; }

    // Pixel sizes used as relative weights (1:3 for {w/3, w}). The first count values
    // count; missing ones are 0. Sizes that sum to nothing leave the weights as they are.
    // Lays out again for `extent`.
    void SetPaneSizes(const std::vector<int>& sizes, int extent);

    // Sizes the panes for a window `extent` pixels long: panes that would come out below the
    // minimum get exactly the minimum and the others share the rest by weight.
    void Layout(int extent);

    // Dragging. BeginDrag takes the first bar at or after `pos` (the bar before pane i, i >= 1)
    // and returns false when there is none. The tracker is where the bar would go.
    bool BeginDrag(int pos);
    bool IsDragging() const { return m_dragBar > 0; }
    int DragBar() const { return m_dragBar; }
    int TrackerPos() const { return m_tracker; }
    // Moves the tracker to follow the mouse, clamped so that both neighbouring panes keep at
    // least the minimum (it stays put when they cannot both have it). Returns the tracker.
    int DragTo(int pos);
    // Puts the bar where the tracker is: the layout as it is becomes the given weights, the
    // two neighbours' weights follow their new sizes and the panes are laid out again for
    // `extent`.
    void EndDrag(int extent);
    void CancelDrag() { m_dragBar = 0; }

private:
    void PlaceStarts();
    int MinimumWeight() const;

    int m_minimum;
    int m_bar;
    int m_available = 0;
    std::vector<int> m_weights;
    std::vector<int> m_laidOut;
    std::vector<int> m_starts;
    int m_dragBar = 0;
    int m_dragOffset = 0;
    int m_tracker = 0;
};

} // namespace TEVComponentDesignerAfx
