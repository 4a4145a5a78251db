#include "designer/templates/SimpleSplitterLayout.h"

#include <algorithm>
#include <cstdint>

namespace TEVComponentDesignerAfx {
namespace {

// Pixels of a weight, rounded to the nearest pixel.
int PixelsOf(int weight, int available) {
    if (available <= 0)
        return 0;
    return static_cast<int>((int64_t{weight} * available + 16384) / 32768);
}

} // namespace

CSimpleSplitterLayout::CSimpleSplitterLayout(int paneCount, int minimumPane, int barThickness)
    : m_minimum(std::max(0, minimumPane)), m_bar(std::max(0, barThickness)) {
    const int count = std::max(1, paneCount);
    m_weights.assign(count, (count / 2 + kWholeWeight) / count);
    m_weights.back() = kWholeWeight - (count - 1) * m_weights.front();
    m_laidOut = m_weights;
    m_starts.assign(count + 1, 0);
}

int CSimpleSplitterLayout::MinimumWeight() const {
    if (m_available <= 0 || m_available < m_minimum)
        return kWholeWeight;
    return static_cast<int>((m_available / 2 + int64_t{m_minimum} * kWholeWeight) / m_available);
}

void CSimpleSplitterLayout::SetPaneSizes(const std::vector<int>& sizes, int extent) {
    const int count = PaneCount();
    std::vector<int64_t> s(count, 0);
    int64_t sum = 0;
    for (int i = 0; i < count && i < static_cast<int>(sizes.size()); ++i) {
        s[i] = std::max(0, sizes[i]);
        sum += s[i];
    }
    if (sum > 0) {
        int64_t given = 0;
        for (int i = 0; i + 1 < count; ++i) {
            m_weights[i] = static_cast<int>((sum / 2 + s[i] * kWholeWeight) / sum);
            given += m_weights[i];
        }
        m_weights.back() = static_cast<int>(kWholeWeight - given);
    }
    Layout(extent);
}

void CSimpleSplitterLayout::Layout(int extent) {
    const int count = PaneCount();
    m_available = extent - (count - 1) * m_bar;
    const int minimumWeight = MinimumWeight();
    std::vector<int>& weights = m_laidOut;
    weights = m_weights;
    std::vector<bool> atMinimum(count, false);
    // Each round fixes at least one more pane at the minimum, so count rounds suffice.
    for (int round = 0; round < count; ++round) {
        bool added = false;
        for (int i = 0; i < count; ++i) {
            if (!atMinimum[i] && PixelsOf(weights[i], m_available) < m_minimum) {
                atMinimum[i] = true;
                added = true;
            }
        }
        if (!added)
            break;
        const int fixed = static_cast<int>(std::count(atMinimum.begin(), atMinimum.end(), true));
        const int64_t left = kWholeWeight - int64_t{fixed} * minimumWeight;
        if (left <= 0) {
            // Not even the panes below the minimum fit: they get the minimum in order while
            // anything remains.
            int remaining = kWholeWeight;
            for (int i = 0; i < count; ++i) {
                weights[i] = std::min(minimumWeight, remaining);
                remaining -= weights[i];
            }
            break;
        }
        int64_t othersTotal = 0;
        int others = 0;
        int lastOther = -1;
        for (int i = 0; i < count; ++i) {
            if (atMinimum[i]) {
                weights[i] = minimumWeight;
            } else {
                othersTotal += weights[i];
                ++others;
                lastOther = i;
            }
        }
        if (others == 0) {
            // Every pane is at the minimum; the last keeps what is over.
            weights.back() += static_cast<int>(left);
            break;
        }
        int64_t shared = 0;
        for (int i = 0; i < count; ++i) {
            if (atMinimum[i] || i == lastOther)
                continue;
            weights[i] =
                static_cast<int>(othersTotal > 0 ? weights[i] * left / othersTotal : left / others);
            shared += weights[i];
        }
        weights[lastOther] = static_cast<int>(left - shared);
    }
    PlaceStarts();
}

void CSimpleSplitterLayout::PlaceStarts() {
    const int count = PaneCount();
    m_starts[0] = 0;
    for (int i = 0; i < count; ++i)
        m_starts[i + 1] = m_starts[i] + PixelsOf(m_laidOut[i], m_available) + m_bar;
}

bool CSimpleSplitterLayout::BeginDrag(int pos) {
    m_dragBar = 0;
    for (int i = 1; i < PaneCount(); ++i) {
        if (m_starts[i] > pos) {
            m_dragBar = i;
            break;
        }
    }
    if (m_dragBar == 0)
        return false;
    m_tracker = m_starts[m_dragBar] - m_bar;
    m_dragOffset = pos - m_tracker;
    return true;
}

int CSimpleSplitterLayout::DragTo(int pos) {
    if (!IsDragging())
        return m_tracker;
    const int lowest = m_starts[m_dragBar - 1] + m_minimum;
    const int highest = m_starts[m_dragBar + 1] - 2 * m_bar - m_minimum;
    if (lowest <= highest)
        m_tracker = std::clamp(pos - m_dragOffset, lowest, highest);
    return m_tracker;
}

void CSimpleSplitterLayout::EndDrag(int extent) {
    if (!IsDragging())
        return;
    const int bar = m_dragBar;
    m_dragBar = 0;
    if (m_available <= 0)
        return;
    m_weights = m_laidOut;
    const int before = m_tracker - m_starts[bar - 1];
    // The pair keeps its combined weight, so the weights still sum to the whole.
    const int pair = m_weights[bar - 1] + m_weights[bar];
    const int weight = static_cast<int>(
        (int64_t{std::max(0, before)} * kWholeWeight + m_available / 2) / m_available);
    m_weights[bar - 1] = std::clamp(weight, 0, pair);
    m_weights[bar] = pair - m_weights[bar - 1];
    Layout(extent);
}

} // namespace TEVComponentDesignerAfx
