#pragma once
// The frame inside the calendar control's window: toolbar "Standard" on top, the
// date-picker bar on the left and the calendar view filling the rest. A 100 ms timer runs
// the command updates of the toolbar, the view and the bars, since the control lives in a
// host with its own message loop. Commands go to the view first, then to the frame.
#include <wx/panel.h>
#include <wx/timer.h>

#include <memory>

class CTEVCalendarView;
class CDatePickerDialogBar;
class COptionsDialogBar;
class wxToolBar;
class wxUpdateUIEvent;
namespace tev {
class HtmlHelp;
}

class CTEVCalendarFrame : public wxPanel {
public:
    CTEVCalendarFrame();
    // Closes print preview first, as its pages draw from the calendar.
    ~CTEVCalendarFrame() override;
    // Creates the frame with its bars and view; false when a bar cannot be made.
    bool Create(wxWindow* parent, const wxRect& rect);

    CTEVCalendarView* GetActiveView() const { return m_pView; }
    wxToolBar* GetToolBar() const { return m_pToolBar; }
    CDatePickerDialogBar* GetDatePickerBar() const { return m_pDatePickerBar; }
    COptionsDialogBar* GetOptionsBar() const { return m_pOptionsBar; }

    // The date-picker bar's command (7748).
    void ToggleDatePicker();
    bool IsDatePickerVisible() const;
    // The options bar's command (7747): shows it with the calendar's settings, or hides it.
    void ToggleOptionsBar();
    bool IsOptionsBarVisible() const;
    // F1 in the calendar: the help book at the calendar's page.
    void ShowHelp();
    // The help book once asked for, else null.
    tev::HtmlHelp* GetHelp() const { return m_help.get(); }
    // Runs the command updates once, as every timer tick does.
    void UpdateCommands();

    // The toolbar's commands in order, 0 for a separator.
    static const int kToolBarCommands[];
    static const size_t kToolBarCommandCount;

private:
    bool CreateToolBar();
    void OnTimer(wxTimerEvent& event);
    void OnCommand(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);

    wxToolBar* m_pToolBar = nullptr;
    CDatePickerDialogBar* m_pDatePickerBar = nullptr;
    COptionsDialogBar* m_pOptionsBar = nullptr;
    CTEVCalendarView* m_pView = nullptr;
    wxTimer m_timer;
    std::unique_ptr<tev::HtmlHelp> m_help;
};
