#pragma once
// Status bar with a stretching text pane and keyboard-lock indicators. Each indicator pane
// shows its text while its key's toggle state is on and is blank otherwise; the panes
// follow the keyboard on every idle pass.
#include <wx/statusbr.h>

#include <cstddef>
#include <vector>

namespace tev {

enum class StatusIndicator {
    Separator, // the text pane; it takes the width the indicators leave
    CapsLock,
    NumLock,
    ScrollLock,
};

class StatusBarEx : public wxStatusBar {
public:
    StatusBarEx() = default;
    StatusBarEx(wxWindow* parent, wxWindowID id) { Create(parent, id); }
    bool Create(wxWindow* parent, wxWindowID id);

    // Lays out one pane per entry, in order. False for an empty list.
    bool SetIndicators(const StatusIndicator* panes, size_t count);
    template <size_t N> bool SetIndicators(const StatusIndicator (&panes)[N]) {
        return SetIndicators(panes, N);
    }
    StatusIndicator GetIndicator(int pane) const;

    // Brings the lock indicators in line with the keyboard.
    void UpdatePanes();

    // The text an indicator pane shows while its lock is on ("" for the text pane).
    static const char* IndicatorText(StatusIndicator indicator);
    // The keyboard's toggle state for a lock indicator (false for the text pane).
    static bool IsLockOn(StatusIndicator indicator);

private:
    void OnIdle(wxIdleEvent& event);

    std::vector<StatusIndicator> m_panes;
};

} // namespace tev
