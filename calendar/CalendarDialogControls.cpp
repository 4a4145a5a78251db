#include "calendar/CalendarDialogControls.h"

#include "platform/text/StringUtil.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/Translations.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

using namespace tev::calendar;

namespace CalendarDialogControls {

wxString Text(const std::string& utf8) {
    return wxString::FromUTF8(utf8);
}

wxStaticText* Label(wxWindow* parent, const char* text, int id) {
    return new wxStaticText(parent, id, tev::Tr(text));
}

wxChoice* CreateChoice(wxWindow* parent, int id, const Entries& entries) {
    auto* choice = new wxChoice(parent, id);
    for (const CCalendarRecurrenceEditorModel::Entry& entry : entries)
        choice->Append(Text(entry.text),
                       reinterpret_cast<void*>(static_cast<intptr_t>(entry.value)));
    return choice;
}

void SelectValue(wxChoice* choice, int value) {
    for (unsigned i = 0; i < choice->GetCount(); ++i) {
        if (reinterpret_cast<intptr_t>(choice->GetClientData(i)) == value) {
            choice->SetSelection(static_cast<int>(i));
            return;
        }
    }
    choice->SetSelection(wxNOT_FOUND);
}

int SelectedValue(const wxChoice* choice, int fallback) {
    const int selection = choice->GetSelection();
    return selection == wxNOT_FOUND
               ? fallback
               : static_cast<int>(reinterpret_cast<intptr_t>(choice->GetClientData(selection)));
}

wxComboBox* CreateEditableList(wxWindow* parent, int id, const Entries& entries) {
    wxArrayString texts;
    for (const CCalendarRecurrenceEditorModel::Entry& entry : entries)
        texts.Add(Text(entry.text));
    auto* list = new wxComboBox(parent, id, wxString(), wxDefaultPosition, wxDefaultSize, texts,
                                wxCB_DROPDOWN);
    int widest = 0;
    for (const wxString& text : texts)
        widest = std::max(widest, list->GetTextExtent(text).x);
    // Room for the text, the margins and the drop-down button.
    list->SetMinSize(wxSize(widest + list->GetTextExtent("MMMM").x + 24, -1));
    return list;
}

wxComboBox* CreateTimeList(wxWindow* parent, int id) {
    return CreateEditableList(parent, id, CCalendarRecurrenceEditorModel::TimeEntries());
}

wxDatePickerCtrl* CreateDatePicker(wxWindow* parent, int id) {
    return new wxDatePickerCtrl(parent, id, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                wxDP_DROPDOWN | wxDP_SHOWCENTURY);
}

wxSizer* CreateOkCancelButtons(wxWindow* dialog) {
    auto* buttons = new wxStdDialogButtonSizer;
    auto* ok = new wxButton(dialog, wxID_OK, tev::Tr(kButtonOK));
    buttons->AddButton(ok);
    buttons->AddButton(new wxButton(dialog, wxID_CANCEL, tev::Tr(kButtonCancel)));
    buttons->Realize();
    ok->SetDefault();
    return buttons;
}

void ShowDate(wxDatePickerCtrl* picker, const CCalendarDateTime& date,
              const CCalendarDateTime& fallback) {
    const CCalendarDateTime& shown = date.IsValid() ? date : fallback;
    int year = 0;
    int month = 0;
    int day = 0;
    if (shown.GetDateParts(year, month, day))
        picker->SetValue(wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day),
                                    static_cast<wxDateTime::Month>(month - 1), year));
}

CCalendarDateTime PickedDate(const wxDatePickerCtrl* picker) {
    const wxDateTime value = picker->GetValue();
    if (!value.IsValid())
        return CCalendarDateTime::Invalid();
    return CCalendarDateTime(value.GetYear(), value.GetMonth() + 1, value.GetDay());
}

bool Refuse(wxWindow* dialog, const CEditorRefusal& refusal) {
    if (!refusal)
        return false;
    if (wxWindow* control = dialog->FindWindow(refusal.controlId))
        control->SetFocus();
    std::string text = CalendarString(refusal.messageId);
    if (refusal.messageId == IDS_VALUE_BETWEEN)
        text = tev::Format(text.c_str(), std::to_string(refusal.low).c_str(),
                           std::to_string(refusal.high).c_str());
    tev::MessageBox(dialog, text, kMessageCaption, wxOK | wxICON_WARNING);
    return true;
}

} // namespace CalendarDialogControls
