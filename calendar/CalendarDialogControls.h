#pragma once
// Pieces the event and recurrence dialogs share: lists filled from (text, value) entries,
// the editable time-of-day list, dates between the date pickers and the store, and the
// refusal of OK (focus on the control, message box with the calendar's caption).
#include "calendar/CalendarEventEditorModel.h"
#include "calendar/CalendarRecurrenceEditorModel.h"
#include "calendar/store/CalendarDateTime.h"

#include <string>
#include <vector>

class wxChoice;
class wxComboBox;
class wxDatePickerCtrl;
class wxSizer;
class wxStaticText;
class wxString;
class wxWindow;

namespace CalendarDialogControls {

using Entries = std::vector<CCalendarRecurrenceEditorModel::Entry>;

wxString Text(const std::string& utf8);
wxStaticText* Label(wxWindow* parent, const char* text, int id = -1);

// A list of `entries` with their values as item data.
wxChoice* CreateChoice(wxWindow* parent, int id, const Entries& entries);
// Selects the entry with that value (none when there is none).
void SelectValue(wxChoice* choice, int value);
// The value of the selected entry; `fallback` when none is selected.
int SelectedValue(const wxChoice* choice, int fallback);

// An editable list of the times of day every half hour.
wxComboBox* CreateTimeList(wxWindow* parent, int id);
// An editable list of `entries`, wide enough for the longest.
wxComboBox* CreateEditableList(wxWindow* parent, int id, const Entries& entries);

wxDatePickerCtrl* CreateDatePicker(wxWindow* parent, int id);

// "OK" (the default button) and "Cancel", in the desktop's order.
wxSizer* CreateOkCancelButtons(wxWindow* dialog);
// Null and invalid dates show as `fallback`.
void ShowDate(wxDatePickerCtrl* picker, const CCalendarDateTime& date,
              const CCalendarDateTime& fallback);
CCalendarDateTime PickedDate(const wxDatePickerCtrl* picker);

// True when `refusal` refuses OK: the control named in it gets the focus and the message
// is shown; false (and nothing shown) when it is empty.
bool Refuse(wxWindow* dialog, const CEditorRefusal& refusal);

} // namespace CalendarDialogControls
