#include "calendar/TEVCalendarFrame.h"

#include "calendar/CalendarToolImages.h"
#include "calendar/DatePickerDialogBar.h"
#include "calendar/OptionsDialogBar.h"
#include "calendar/TEVCalendarView.h"
#include "platform/com/ModuleLoader.h"
#include "platform/help/HtmlHelp.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/artprov.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>

using namespace tev::calendar;

namespace {

constexpr int kTimerId = 0;
constexpr int kTimerMilliseconds = 100;

} // namespace

const int CTEVCalendarFrame::kToolBarCommands[] = {
    ID_FILE_PRINT_PREVIEW,
    ID_FILE_PRINT,
    0,
    ID_EDIT_UNDO,
    0,
    ID_EDIT_CUT,
    ID_EDIT_COPY,
    ID_EDIT_PASTE,
    0,
    ID_CALENDARVIEW_DAY,
    ID_CALENDARVIEW_WORKWEEK,
    ID_CALENDARVIEW_WEEK,
    ID_CALENDARVIEW_MONTH,
    0,
    ID_VIEW_DATE_PICKER,
    ID_VIEW_OPTIONS_PANE,
    0,
    ID_IMPORT_EVENTS,
    ID_EXPORT_EVENTS,
};
const size_t CTEVCalendarFrame::kToolBarCommandCount = std::size(kToolBarCommands);

CTEVCalendarFrame::CTEVCalendarFrame() = default;

CTEVCalendarFrame::~CTEVCalendarFrame() {
    m_timer.Stop();
    if (m_pView)
        m_pView->ClosePrintPreview();
}

void CTEVCalendarFrame::ShowHelp() {
    if (!m_help)
        m_help = std::make_unique<tev::HtmlHelp>(tev::ProgramFolder() + kHelpBook);
    m_help->DisplayPage(kHelpCalendarPage);
}

bool CTEVCalendarFrame::Create(wxWindow* parent, const wxRect& rect) {
    if (!wxPanel::Create(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
                         wxBORDER_NONE | wxCLIP_CHILDREN | wxTAB_TRAVERSAL, kFrameTitle))
        return false;
    SetLabel(kFrameTitle);
    m_timer.SetOwner(this, kTimerId);
    Bind(wxEVT_TIMER, &CTEVCalendarFrame::OnTimer, this, kTimerId);
    m_timer.Start(kTimerMilliseconds);

    if (!CreateToolBar())
        return false;
    m_pDatePickerBar = new CDatePickerDialogBar;
    if (!m_pDatePickerBar->Create(this, wxID_ANY))
        return false;
    m_pView = new CTEVCalendarView;
    if (!m_pView->Create(this, wxID_ANY))
        return false;

    m_pOptionsBar = new COptionsDialogBar;
    if (!m_pOptionsBar->Create(this, m_pView))
        return false;

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(m_pDatePickerBar, 0, wxEXPAND);
    body->Add(m_pView, 1, wxEXPAND);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pToolBar, 0, wxEXPAND);
    sizer->Add(m_pOptionsBar, 0, wxEXPAND);
    sizer->Add(body, 1, wxEXPAND);
    m_pDatePickerBar->SetMinSize(wxSize(m_pDatePickerBar->GetBestWidth(), -1));
    SetSizer(sizer);

    Bind(wxEVT_MENU, &CTEVCalendarFrame::OnCommand, this);
    Bind(wxEVT_UPDATE_UI, &CTEVCalendarFrame::OnUpdateUI, this);

    m_pView->ConnectDatePicker(m_pDatePickerBar);
    Layout();
    m_pView->OnInitialUpdate();
    UpdateCommands();
    return true;
}

bool CTEVCalendarFrame::CreateToolBar() {
    m_pToolBar = new wxToolBar(this, IDR_TOOLBAR_STANDARD, wxDefaultPosition, wxDefaultSize,
                               wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER, kToolBarName);
    m_pToolBar->SetToolBitmapSize(wxSize(16, 16));
    for (int id : kToolBarCommands) {
        if (id == 0) {
            m_pToolBar->AddSeparator();
            continue;
        }
        const std::string tip = CalendarString(id);
        const bool check = (id >= ID_CALENDARVIEW_DAY && id <= ID_CALENDARVIEW_MONTH) ||
                           id == ID_VIEW_DATE_PICKER || id == ID_VIEW_OPTIONS_PANE;
        m_pToolBar->AddTool(id, wxString::FromUTF8(TipOf(tip)), CalendarToolImage(id), wxNullBitmap,
                            check ? wxITEM_CHECK : wxITEM_NORMAL, wxString::FromUTF8(TipOf(tip)),
                            wxString::FromUTF8(PromptOf(tip)));
    }
    return m_pToolBar->Realize();
}

void CTEVCalendarFrame::OnTimer(wxTimerEvent&) {
    UpdateCommands();
}

void CTEVCalendarFrame::UpdateCommands() {
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
}

void CTEVCalendarFrame::ToggleDatePicker() {
    if (!m_pDatePickerBar)
        return;
    m_pDatePickerBar->Show(!m_pDatePickerBar->IsShown());
    Layout();
}

bool CTEVCalendarFrame::IsDatePickerVisible() const {
    return m_pDatePickerBar && m_pDatePickerBar->IsShown();
}

void CTEVCalendarFrame::ToggleOptionsBar() {
    if (!m_pOptionsBar)
        return;
    if (!m_pOptionsBar->IsShown())
        m_pOptionsBar->ShowCalendarSettings();
    m_pOptionsBar->Show(!m_pOptionsBar->IsShown());
    Layout();
}

bool CTEVCalendarFrame::IsOptionsBarVisible() const {
    return m_pOptionsBar && m_pOptionsBar->IsShown();
}

void CTEVCalendarFrame::OnCommand(wxCommandEvent& event) {
    // The view has the first word, as the active view of a frame does.
    if (m_pView && event.GetEventObject() != m_pView &&
        m_pView->GetEventHandler()->ProcessEventLocally(event))
        return;
    // The view passed: the frame answers for itself.
    event.Skip(false);
    if (event.GetId() == ID_VIEW_DATE_PICKER) {
        ToggleDatePicker();
        return;
    }
    if (event.GetId() == ID_VIEW_OPTIONS_PANE) {
        ToggleOptionsBar();
        return;
    }
    if (event.GetId() == ID_PREVIEW_CLOSE) {
        if (m_pView)
            m_pView->ClosePrintPreview();
        return;
    }
    if (event.GetId() == wxID_HELP) {
        ShowHelp();
        return;
    }
    event.Skip();
}

void CTEVCalendarFrame::OnUpdateUI(wxUpdateUIEvent& event) {
    if (m_pView && event.GetEventObject() != m_pView &&
        m_pView->GetEventHandler()->ProcessEventLocally(event))
        return;
    event.Skip(false);
    if (event.GetId() == ID_VIEW_DATE_PICKER) {
        event.Check(IsDatePickerVisible());
        return;
    }
    if (event.GetId() == ID_VIEW_OPTIONS_PANE) {
        event.Check(IsOptionsBarVisible());
        return;
    }
    event.Skip();
}
