#include "calendar/TEVCalendarView.h"

#include "calendar/CalendarClipboard.h"
#include "calendar/CalendarEventEditorDlg.h"
#include "calendar/CalendarOccurrenceSeriesChooseDlg.h"
#include "calendar/CalendarPrintout.h"
#include "calendar/DatePickerDialogBar.h"
#include "calendar/TEVCalendarControl.h"
#include "calendar/store/CalendarDataFormat.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/MenuTable.h"
#include "platform/widgets/MessageBox.h"
#include "resources/calendar/CalendarStrings.h"

#include <cstdio>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/printdlg.h>
#include <wx/sizer.h>
#include <wx/utils.h>

using namespace tev::calendar;

namespace {

constexpr const char* kWeekStartDay = "WeekStartDay";
constexpr const char* kFirstDayOfWeek = "FirstDayOfWeek";

// 1 = Sunday ... 7 = Saturday for a day's name, 0 for anything else ("Default").
int DayOfWeekNamed(const std::string& name) {
    for (int day = 1; day <= 7; ++day) {
        if (DayName(day) == name)
            return day;
    }
    return 0;
}

const tev::MenuEntry kDayViewMenu[] = {
    tev::MenuItem(kMenuScale60, ID_TIMESCALE_60),
    tev::MenuItem(kMenuScale30, ID_TIMESCALE_30),
    tev::MenuItem(kMenuScale15, ID_TIMESCALE_15),
    tev::MenuItem(kMenuScale10, ID_TIMESCALE_10),
    tev::MenuItem(kMenuScale6, ID_TIMESCALE_6),
    tev::MenuItem(kMenuScale5, ID_TIMESCALE_5),
    tev::MenuSeparator(),
    tev::MenuItem(kMenuAddNewEvent, ID_ADD_NEW_EVENT),
    tev::MenuSeparator(),
    tev::MenuItem(kMenuImportEvents, ID_IMPORT_EVENTS),
    tev::MenuItem(kMenuExportEvents, ID_EXPORT_EVENTS),
};

const tev::MenuEntry kOtherViewsMenu[] = {
    tev::MenuItem(kMenuGoToThisDay, ID_GOTO_THIS_DAY),
    tev::MenuSeparator(),
    tev::MenuItem(kMenuAddNewEvent, ID_ADD_NEW_EVENT),
    tev::MenuSeparator(),
    tev::MenuItem(kMenuImportEvents, ID_IMPORT_EVENTS),
    tev::MenuItem(kMenuExportEvents, ID_EXPORT_EVENTS),
};

const tev::MenuEntry kEventMenu[] = {
    tev::MenuItem(kMenuDeleteEvent, ID_DELETE_EVENT),
    tev::MenuSeparator(),
    tev::MenuItem(kMenuProperties, ID_EVENT_PROPERTIES),
};

// The system clipboard answers through the event loop, where the command updates may ask it
// again; while one question is out, the others take the last answer.
int g_clipboardInUse = 0;
bool g_clipboardHadEvents = false;

class ClipboardInUse {
public:
    ClipboardInUse() { ++g_clipboardInUse; }
    ~ClipboardInUse() { --g_clipboardInUse; }
    ClipboardInUse(const ClipboardInUse&) = delete;
    ClipboardInUse& operator=(const ClipboardInUse&) = delete;
};

bool ClipboardHasEvents() {
    if (g_clipboardInUse > 0)
        return g_clipboardHadEvents;
    ClipboardInUse asking;
    g_clipboardHadEvents =
        wxTheClipboard->IsSupported(wxDataFormat(CCalendarClipboard::kFormatName));
    return g_clipboardHadEvents;
}

int ScaleOfCommand(int id) {
    return id >= ID_TIMESCALE_60 && id <= ID_TIMESCALE_5
               ? CCalendarViewModel::kScales[id - ID_TIMESCALE_60]
               : 0;
}

} // namespace

CTEVCalendarView::CTEVCalendarView() {
    m_idList.Attach(m_data);
    m_data.AddListener(this);
}

CTEVCalendarView::~CTEVCalendarView() {
    ClosePrintPreview();
    m_data.RemoveListener(this);
    m_idList.Detach();
}

bool CTEVCalendarView::Create(wxWindow* parent, wxWindowID id) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                         wxBORDER_NONE | wxCLIP_CHILDREN, "CalendarView"))
        return false;
    m_pCalendar = new CTEVCalendarControl;
    m_pCalendar->Create(this, wxID_ANY);
    m_pCalendar->SetDataProvider(&m_data);
    m_pCalendar->SetChangeRunner(
        [this](const std::function<void()>& change) { ChangeAsOneStep(change); });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pCalendar, 1, wxEXPAND);
    SetSizer(sizer);
    m_pCalendar->Bind(wxEVT_RIGHT_DOWN, &CTEVCalendarView::OnContextMenu, this);
    m_pCalendar->Bind(wxEVT_LEFT_DCLICK, &CTEVCalendarView::OnDoubleClick, this);
    m_pCalendar->Bind(wxEVT_KEY_DOWN, &CTEVCalendarView::OnKeyDown, this);
    Bind(wxEVT_MENU, &CTEVCalendarView::OnMenuCommand, this);
    Bind(wxEVT_UPDATE_UI, &CTEVCalendarView::OnUpdateUI, this);
    if (wxGetEnv("TEV_REPORT_CALENDAR_PAINTS", nullptr))
        m_pCalendar->Bind(wxEVT_PAINT, &CTEVCalendarView::OnCalendarPaintReport, this);
    return true;
}

void CTEVCalendarView::OnCalendarPaintReport(wxPaintEvent& event) {
    // Counted before the calendar's own handler paints, reported after it has painted.
    event.Skip();
    const std::vector<int64_t> days = m_pCalendar->GetModel().GetVisibleDays();
    const size_t shown =
        days.empty() ? 0
                     : m_data
                           .RetrieveEvents(CCalendarDateTime::FromDayNumber(days.front()),
                                           CCalendarDateTime::FromDayNumber(days.back() + 1))
                           .size();
    CallAfter([shown] {
        std::fprintf(stderr, "TEVCalendar: calendar painted, %zu events shown\n", shown);
        std::fflush(stderr);
    });
}

void CTEVCalendarView::ConnectDatePicker(CDatePickerDialogBar* datePicker) {
    m_pDatePicker = datePicker;
    if (!m_pDatePicker)
        return;
    m_pDatePicker->SetDayPickedHandler([this](int64_t day) {
        if (m_pCalendar)
            m_pCalendar->SelectDay(day);
    });
    m_pCalendar->SetVisibleDaysChangedHandler([this] { SyncDatePicker(); });
    SyncDatePicker();
}

void CTEVCalendarView::SyncDatePicker() {
    if (!m_pDatePicker || !m_pCalendar)
        return;
    m_pDatePicker->SetFirstDayOfWeek(m_data.GetFirstDayOfWeek());
    m_pDatePicker->ShowVisibleDays(m_pCalendar->GetVisibleDays(),
                                   m_pCalendar->GetModel().GetSelectedDay());
}

void CTEVCalendarView::OnInitialUpdate() {
    m_nScale = m_pCalendar->GetModel().GetScale();
    if (m_pCalendar->GetActiveViewType() != kCalendarDayView)
        m_pCalendar->SwitchActiveView(kCalendarDayView);
    ApplyScale();
    m_pCalendar->ScrollToMinute(m_pCalendar->GetModel().GetWorkDayStart());
    SyncDatePicker();
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
}

std::string CTEVCalendarView::WriteData() const {
    return CCalendarDataFormat::Write(m_data, m_idList);
}

void CTEVCalendarView::ReadData(const pugi::xml_document& document) {
    CTEVCalendarControl::UpdateContext update(m_pCalendar);
    CCalendarDataFormat::Read(document, m_data, m_idList);
    // Loaded data is where undoing stops.
    m_history.Restart();
    RefreshCalendar();
}

void CTEVCalendarView::RefreshCalendar() {
    if (m_pCalendar)
        m_pCalendar->Populate();
}

void CTEVCalendarView::OnPropertyChanged(const std::string& name, const std::string&,
                                         const VARIANT& value) {
    if (name == kWeekStartDay) {
        // The payload is read whatever the variant's type, as a boolean grid item sends it.
        const uint16_t payload = static_cast<uint16_t>(value.iVal);
        m_weekStartDay = payload == 0 ? 2 : 1;
    } else if (name == kFirstDayOfWeek) {
        m_firstDayOfWeek = DayOfWeekNamed(CComVariant(value).ToText());
    } else {
        return;
    }
    SetFirstDayOfWeek(m_firstDayOfWeek != 0 ? m_firstDayOfWeek : m_weekStartDay);
}

void CTEVCalendarView::SetFirstDayOfWeek(int dayOfWeek) {
    m_data.SetFirstDayOfWeek(dayOfWeek);
    if (m_pCalendar)
        m_pCalendar->Populate();
    SyncDatePicker();
}

void CTEVCalendarView::SetScale(int minutes) {
    m_nScale = minutes;
    ApplyScale();
}

void CTEVCalendarView::ApplyScale() {
    if (!m_pCalendar || m_nScale <= 0)
        return;
    // Outside the day views the scale waits in the options for the next day view.
    m_pCalendar->SetScaleInterval(m_nScale);
}

void CTEVCalendarView::SwitchTo(CalendarViewType type) {
    if (!m_pCalendar || m_pCalendar->GetActiveViewType() == type)
        return;
    m_pCalendar->SwitchActiveView(type);
    if (type == kCalendarDayView || type == kCalendarWorkWeekView)
        ApplyScale();
}

bool CTEVCalendarView::OnCommand(int id) {
    switch (id) {
    case ID_CALENDARVIEW_DAY:
        SwitchTo(kCalendarDayView);
        return true;
    case ID_CALENDARVIEW_WORKWEEK:
        SwitchTo(kCalendarWorkWeekView);
        return true;
    case ID_CALENDARVIEW_WEEK:
        SwitchTo(kCalendarWeekView);
        return true;
    case ID_CALENDARVIEW_MONTH:
        SwitchTo(kCalendarMonthView);
        return true;
    case ID_ADD_NEW_EVENT:
        OpenNewEventDialog();
        return true;
    case ID_DELETE_EVENT:
        DeleteSelectedEvents();
        return true;
    case ID_IMPORT_EVENTS:
        ImportEvents();
        return true;
    case ID_EXPORT_EVENTS:
        ExportEvents();
        return true;
    case ID_EVENT_PROPERTIES:
        if (m_pCalendar && m_pCalendar->GetSelection().GetFirstEvent())
            OpenEventDialog(m_pCalendar->GetSelection().GetFirstEvent());
        return true;
    case ID_EDIT_UNDO:
        Undo();
        return true;
    case ID_EDIT_REDO:
        Redo();
        return true;
    case ID_EDIT_CUT:
        CutSelection();
        return true;
    case ID_EDIT_COPY:
        CopySelection();
        return true;
    case ID_EDIT_PASTE:
        Paste();
        return true;
    case ID_FILE_PRINT:
        Print();
        return true;
    case ID_FILE_PRINT_PREVIEW:
        PrintPreview();
        return true;
    case ID_GOTO_THIS_DAY:
        if (m_pCalendar) {
            m_pCalendar->SwitchActiveView(kCalendarDayView);
            ApplyScale();
            m_pCalendar->SelectDay(m_contextDay);
        }
        return true;
    default:
        if (const int scale = ScaleOfCommand(id)) {
            m_nScale = scale;
            ApplyScale();
            return true;
        }
        return false;
    }
}

bool CTEVCalendarView::OnUpdateCommand(int id, bool& enabled, bool& checked) const {
    const CalendarViewType type = m_pCalendar ? m_pCalendar->GetActiveViewType() : kCalendarDayView;
    enabled = true;
    checked = false;
    switch (id) {
    case ID_CALENDARVIEW_DAY:
        checked = type == kCalendarDayView;
        return true;
    case ID_CALENDARVIEW_WORKWEEK:
        checked = type == kCalendarWorkWeekView;
        return true;
    case ID_CALENDARVIEW_WEEK:
        checked = type == kCalendarWeekView;
        return true;
    case ID_CALENDARVIEW_MONTH:
        checked = type == kCalendarMonthView;
        return true;
    case ID_ADD_NEW_EVENT:
    case ID_IMPORT_EVENTS:
        return true;
    case ID_EXPORT_EVENTS:
        enabled = m_data.GetEventCount() != 0;
        return true;
    case ID_DELETE_EVENT:
    case ID_EVENT_PROPERTIES:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
        enabled = m_pCalendar && m_pCalendar->GetSelection().GetFirstEvent();
        return true;
    case ID_EDIT_UNDO:
        enabled = m_history.CanUndo();
        return true;
    case ID_EDIT_REDO:
        enabled = m_history.CanRedo();
        return true;
    case ID_EDIT_PASTE:
        enabled = CanPaste();
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
        enabled = m_pCalendar && !m_pPreview;
        return true;
    default:
        if (const int scale = ScaleOfCommand(id)) {
            enabled = type == kCalendarDayView;
            checked = enabled && m_pCalendar && m_pCalendar->GetScaleInterval() == scale;
            return true;
        }
        return false;
    }
}

namespace {

// The time a click on a cell stands for: the start of its row, or its day.
CCalendarDateTime TimeOfHit(const CTEVCalendarControl::HitTestInfo& hit) {
    const CCalendarDateTime day = CCalendarDateTime::FromDayNumber(hit.day);
    return hit.kind == CTEVCalendarControl::HitTestInfo::kTimeCell ? day.AddMinutes(hit.minute)
                                                                   : day;
}

} // namespace

int CTEVCalendarView::ContextMenuAt(const wxPoint& point) {
    if (!m_pCalendar)
        return 0;
    const CTEVCalendarControl::HitTestInfo hit = m_pCalendar->HitTest(point);
    if (hit.kind == CTEVCalendarControl::HitTestInfo::kNothing)
        return 0;
    m_contextDay = hit.day;
    const CCalendarSelection& selection = m_pCalendar->GetSelection();
    if (hit.kind == CTEVCalendarControl::HitTestInfo::kEvent) {
        if (!selection.IsSelected(*hit.event))
            m_pCalendar->SelectAt(point, false);
        return IDR_MENU_EVENT;
    }
    // A click inside the picked span keeps it, so the new event takes all of it.
    if (!selection.SpanContains(TimeOfHit(hit)))
        m_pCalendar->SelectAt(point, false);
    return m_pCalendar->GetActiveViewType() == kCalendarDayView ? IDR_MENU_DAY_VIEW
                                                                : IDR_MENU_OTHER_VIEWS;
}

wxMenu* CTEVCalendarView::CreateContextMenu(int menuId) const {
    if (menuId == IDR_MENU_DAY_VIEW) {
        wxMenu* menu = new wxMenu;
        const int checkedScale = CCalendarViewModel::MenuScaleFor(m_pCalendar->GetScaleInterval());
        for (const tev::MenuEntry& entry : kDayViewMenu) {
            if (entry.kind == tev::MenuEntryKind::Separator) {
                menu->AppendSeparator();
            } else if (ScaleOfCommand(entry.id)) {
                menu->AppendCheckItem(entry.id, wxString::FromUTF8(entry.caption));
                menu->Check(entry.id, ScaleOfCommand(entry.id) == checkedScale);
            } else {
                menu->Append(entry.id, wxString::FromUTF8(entry.caption));
            }
        }
        return menu;
    }
    if (menuId == IDR_MENU_OTHER_VIEWS)
        return tev::CreatePopupMenu(kOtherViewsMenu);
    if (menuId == IDR_MENU_EVENT)
        return tev::CreatePopupMenu(kEventMenu);
    return nullptr;
}

bool CTEVCalendarView::OpenNewEventDialog() {
    return RunEventDialog(true, nullptr);
}

bool CTEVCalendarView::OpenEventDialog(const CCalendarEventPtr& event) {
    return event && RunEventDialog(false, event);
}

bool CTEVCalendarView::RunEventDialog(bool addNew, const CCalendarEventPtr& event) {
    if (!m_pCalendar)
        return false;
    // The calendar shows the change once, with the new or changed event picked; whatever
    // the dialog and its recurrence dialog change is one step.
    CTEVCalendarControl::UpdateContext update(m_pCalendar);
    CCalendarUndoHistory::Batch batch(m_history);
    CCalendarEventEditorDlg dialog(m_pCalendar, addNew, this, event);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    m_pCalendar->GetSelection().SelectEvent(dialog.GetModel().GetEvent());
    m_pCalendar->Populate();
    return true;
}

void CTEVCalendarView::DeleteSelectedEvents() {
    if (!m_pCalendar)
        return;
    const std::vector<CCalendarEventPtr> events = m_pCalendar->GetSelection().GetEvents();
    if (events.empty())
        return;
    const CCalendarEvent& first = *events.front();
    bool series = false;
    if (first.IsRecurring()) {
        CCalendarOccurrenceSeriesChooseDlg question(this, IDS_DELETE_RECURRING_ITEM,
                                                    first.GetSubject());
        const int choice = question.ShowModal();
        if (choice != IDC_CHOOSE_OCCURRENCE && choice != IDC_CHOOSE_SERIES)
            return;
        series = choice == IDC_CHOOSE_SERIES;
    } else {
        const std::string text = tev::Format(CalendarString(IDS_DELETE_EVENT_QUESTION).c_str(),
                                             first.GetSubject().c_str());
        if (tev::MessageBox(this, text, kMessageCaption, wxYES_NO | wxICON_QUESTION) != wxID_YES)
            return;
    }
    DeleteEvents(events, series);
}

void CTEVCalendarView::DeleteEvents(const std::vector<CCalendarEventPtr>& events, bool series) {
    ChangeAsOneStep([&] {
        for (const CCalendarEventPtr& event : events) {
            const CCalendarEventPtr master =
                series && event->IsRecurring()
                    ? m_data.GetMasterEvent(event->GetRecurrencePatternId())
                    : nullptr;
            m_data.DeleteEvent(master ? master : event);
        }
    });
    m_pCalendar->GetSelection().Clear();
}

void CTEVCalendarView::ChangeAsOneStep(const std::function<void()>& change) {
    CTEVCalendarControl::UpdateContext update(m_pCalendar);
    CCalendarUndoHistory::Batch batch(m_history);
    change();
}

bool CTEVCalendarView::Undo() {
    CTEVCalendarControl::UpdateContext update(m_pCalendar);
    if (m_pCalendar)
        m_pCalendar->EndInPlaceEdit(true);
    return m_history.Undo();
}

bool CTEVCalendarView::Redo() {
    CTEVCalendarControl::UpdateContext update(m_pCalendar);
    return m_history.Redo();
}

bool CTEVCalendarView::CopySelection() {
    if (!m_pCalendar || m_pCalendar->GetSelection().GetEvents().empty())
        return false;
    const std::vector<CCalendarEventPtr>& events = m_pCalendar->GetSelection().GetEvents();
    ClipboardInUse copying;
    wxClipboardLocker locker;
    if (!locker)
        return false;
    const std::string xml = CCalendarClipboard::ToXml(events);
    auto* data = new wxDataObjectComposite;
    auto* document = new wxCustomDataObject(wxDataFormat(CCalendarClipboard::kFormatName));
    document->SetData(xml.size(), xml.data());
    data->Add(document, true);
    data->Add(new wxTextDataObject(wxString::FromUTF8(CCalendarClipboard::ToText(events))));
    const bool copied = wxTheClipboard->SetData(data);
    g_clipboardHadEvents = g_clipboardHadEvents || copied;
    return copied;
}

bool CTEVCalendarView::CutSelection() {
    if (!CopySelection())
        return false;
    // A cut occurrence leaves its series as a deleted exception, as Delete does.
    DeleteEvents(m_pCalendar->GetSelection().GetEvents(), false);
    return true;
}

bool CTEVCalendarView::CanPaste() const {
    if (!m_pCalendar ||
        (!m_pCalendar->GetSelection().HasSpan() && !m_pCalendar->GetSelection().GetFirstEvent()))
        return false;
    return ClipboardHasEvents();
}

bool CTEVCalendarView::Paste() {
    if (!m_pCalendar)
        return false;
    CCalendarSelection& selection = m_pCalendar->GetSelection();
    CCalendarDateTime slot;
    bool wholeDay = false;
    if (selection.HasSpan()) {
        slot = selection.GetSpan().begin;
        wholeDay = selection.GetSpan().allDay;
    } else if (const CCalendarEventPtr first = selection.GetFirstEvent()) {
        slot = first->GetStartTime();
    }
    std::string xml;
    {
        ClipboardInUse pasting;
        wxClipboardLocker locker;
        wxCustomDataObject document(wxDataFormat(CCalendarClipboard::kFormatName));
        if (!locker || !wxTheClipboard->GetData(document))
            return false;
        xml.assign(static_cast<const char*>(document.GetData()), document.GetSize());
    }
    const std::vector<CCalendarEventPtr> pasted =
        CCalendarClipboard::FromXml(xml, m_data, slot, wholeDay);
    if (pasted.empty())
        return false;
    ChangeAsOneStep([&] {
        for (const CCalendarEventPtr& event : pasted)
            m_data.AddEvent(event);
    });
    selection.Clear();
    for (const CCalendarEventPtr& event : pasted)
        selection.SelectEvent(event, true);
    m_pCalendar->Populate();
    return true;
}

bool CTEVCalendarView::Print(bool prompt) {
    if (!m_pCalendar)
        return false;
    wxPrinter printer;
    CCalendarPrintout printout(m_pCalendar);
    return printer.Print(this, &printout, prompt);
}

bool CTEVCalendarView::PrintPreview() {
    if (!m_pCalendar || m_pPreview)
        return false;
    auto* preview =
        new wxPrintPreview(new CCalendarPrintout(m_pCalendar), new CCalendarPrintout(m_pCalendar));
    if (!preview->IsOk()) {
        delete preview;
        return false;
    }
    m_pPreview =
        new wxPreviewFrame(preview, wxGetTopLevelParent(this), wxString::FromUTF8(kFrameTitle),
                           wxDefaultPosition, wxSize(900, 700));
    m_pPreview->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        m_pPreview = nullptr;
        event.Skip();
    });
    // Not modal: it closes at once whenever the control hands out its data or goes, with no
    // windows to enable again that may be going too.
    m_pPreview->InitializeWithModality(wxPreviewFrame_NonModal);
    m_pPreview->Show();
    return true;
}

void CTEVCalendarView::ClosePrintPreview() {
    if (!m_pPreview)
        return;
    wxPreviewFrame* preview = m_pPreview;
    m_pPreview = nullptr;
    // Closed at once: the printouts draw from the calendar, which may be about to go. The
    // preview destroys itself on closing.
    preview->Close(true);
}

void CTEVCalendarView::OnDoubleClickAt(const wxPoint& point) {
    if (!m_pCalendar)
        return;
    const CTEVCalendarControl::HitTestInfo hit = m_pCalendar->HitTest(point);
    switch (hit.kind) {
    case CTEVCalendarControl::HitTestInfo::kEvent:
        m_pCalendar->SelectAt(point, false);
        OpenEventDialog(hit.event);
        return;
    case CTEVCalendarControl::HitTestInfo::kTimeCell:
    case CTEVCalendarControl::HitTestInfo::kAllDayArea:
    case CTEVCalendarControl::HitTestInfo::kDayCell:
        if (!m_pCalendar->GetSelection().SpanContains(TimeOfHit(hit)))
            m_pCalendar->SelectAt(point, false);
        OpenNewEventDialog();
        return;
    default:
        return;
    }
}

bool CTEVCalendarView::OnCalendarKey(int keyCode, int modifiers) {
    if (!m_pCalendar)
        return false;
    if (modifiers == wxMOD_CONTROL || modifiers == (wxMOD_CONTROL | wxMOD_SHIFT))
        return OnEditKey(keyCode, modifiers);
    if (m_pCalendar->Navigate(keyCode, (modifiers & wxMOD_SHIFT) != 0))
        return true;
    switch (keyCode) {
    case WXK_F1: {
        wxCommandEvent help(wxEVT_MENU, wxID_HELP);
        help.SetEventObject(this);
        ProcessWindowEvent(help);
        return true;
    }
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        if (const CCalendarEventPtr first = m_pCalendar->GetSelection().GetFirstEvent())
            OpenEventDialog(first);
        else
            OpenNewEventDialog();
        return true;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE:
        DeleteSelectedEvents();
        return true;
    default:
        return false;
    }
}

bool CTEVCalendarView::OnEditKey(int keyCode, int modifiers) {
    const bool shift = (modifiers & wxMOD_SHIFT) != 0;
    switch (keyCode) {
    case 'Z':
        return shift ? Redo() : Undo();
    case 'Y':
        return Redo();
    case 'X':
        return CutSelection();
    case 'C':
        return CopySelection();
    case 'V':
        return Paste();
    default:
        return false;
    }
}

void CTEVCalendarView::OnContextMenu(wxMouseEvent& event) {
    const int menuId = ContextMenuAt(event.GetPosition());
    if (!menuId)
        return;
    std::unique_ptr<wxMenu> menu(CreateContextMenu(menuId));
    if (menu)
        PopupMenu(menu.get(), m_pCalendar->GetPosition() + event.GetPosition());
}

void CTEVCalendarView::OnDoubleClick(wxMouseEvent& event) {
    OnDoubleClickAt(event.GetPosition());
}

void CTEVCalendarView::OnKeyDown(wxKeyEvent& event) {
    if (!OnCalendarKey(event.GetKeyCode(), event.GetModifiers()))
        event.Skip();
}

void CTEVCalendarView::OnMenuCommand(wxCommandEvent& event) {
    if (!OnCommand(event.GetId()))
        event.Skip();
}

void CTEVCalendarView::OnUpdateUI(wxUpdateUIEvent& event) {
    bool enabled = true;
    bool checked = false;
    if (!OnUpdateCommand(event.GetId(), enabled, checked)) {
        event.Skip();
        return;
    }
    event.Enable(enabled);
    // A menu checks the nearest offered scale at or below the current one.
    if (ScaleOfCommand(event.GetId()) && wxDynamicCast(event.GetEventObject(), wxMenu))
        checked = ScaleOfCommand(event.GetId()) ==
                  CCalendarViewModel::MenuScaleFor(m_pCalendar->GetScaleInterval());
    event.Check(checked);
}
