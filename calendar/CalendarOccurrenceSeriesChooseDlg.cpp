#include "calendar/CalendarOccurrenceSeriesChooseDlg.h"

#include "calendar/CalendarDialogControls.h"

#include "platform/text/StringUtil.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/artprov.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

using namespace tev::calendar;

CCalendarOccurrenceSeriesChooseDlg::CCalendarOccurrenceSeriesChooseDlg(wxWindow* parent, int textId,
                                                                       const std::string& subject)
    : wxDialog(parent, IDD_OCCURRENCE_OR_SERIES,
               wxString::FromUTF8(LineOf(CalendarString(textId), 0))) {
    const std::string text = CalendarString(textId);
    const std::string question = tev::Format(LineOf(text, 3).c_str(), subject.c_str());

    auto* message = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(question));
    message->Wrap(FromDIP(340));
    m_pOccurrence =
        new wxRadioButton(this, IDC_CHOOSE_OCCURRENCE, wxString::FromUTF8(LineOf(text, 1)),
                          wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_pSeries = new wxRadioButton(this, IDC_CHOOSE_SERIES, wxString::FromUTF8(LineOf(text, 2)));
    m_pOccurrence->SetValue(true);

    auto* choices = new wxBoxSizer(wxVERTICAL);
    choices->Add(message, 0, wxBOTTOM, FromDIP(12));
    choices->Add(m_pOccurrence, 0, wxLEFT | wxBOTTOM, FromDIP(8));
    choices->Add(m_pSeries, 0, wxLEFT, FromDIP(8));
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(new wxStaticBitmap(this, wxID_ANY,
                                 wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX)),
              0, wxRIGHT, FromDIP(12));
    body->Add(choices, 1);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(body, 1, wxEXPAND | wxALL, FromDIP(12));
    sizer->Add(CalendarDialogControls::CreateOkCancelButtons(this), 0,
               wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
    SetSizerAndFit(sizer);
    CentreOnParent();

    Bind(wxEVT_BUTTON, &CCalendarOccurrenceSeriesChooseDlg::OnOK, this, wxID_OK);
}

int CCalendarOccurrenceSeriesChooseDlg::GetChoice() const {
    return m_pSeries->GetValue() ? IDC_CHOOSE_SERIES : IDC_CHOOSE_OCCURRENCE;
}

void CCalendarOccurrenceSeriesChooseDlg::OnOK(wxCommandEvent&) {
    // The result stays readable when a modal hook answered the dialog.
    SetReturnCode(GetChoice());
    EndDialog(GetChoice());
}
