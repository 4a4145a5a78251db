#pragma once
// The question a recurring event brings before it is opened or deleted: this occurrence or
// the whole series. The text (caption, the two choices, the question with %s for the
// subject, one per line) comes from the string table. The dialog ends with the identifier
// of the chosen button, IDC_CHOOSE_OCCURRENCE or IDC_CHOOSE_SERIES, or with wxID_CANCEL.
#include <wx/dialog.h>

#include <string>

class wxRadioButton;

class CCalendarOccurrenceSeriesChooseDlg : public wxDialog {
public:
    CCalendarOccurrenceSeriesChooseDlg(wxWindow* parent, int textId, const std::string& subject);

    // The choice that is ticked: IDC_CHOOSE_OCCURRENCE (the first, ticked at the start) or
    // IDC_CHOOSE_SERIES.
    int GetChoice() const;

private:
    void OnOK(wxCommandEvent& event);

    wxRadioButton* m_pOccurrence = nullptr;
    wxRadioButton* m_pSeries = nullptr;
};
