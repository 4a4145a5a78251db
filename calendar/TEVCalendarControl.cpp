#include "calendar/TEVCalendarControl.h"

#include "calendar/store/CalendarData.h"
#include "platform/text/StringUtil.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/dcbuffer.h>
#include <wx/dcgraph.h>
#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>

using namespace tev::calendar;

namespace {

constexpr int kHeaderHeight = 30;
constexpr int kBarHeight = 20;
constexpr int kLineHeight = 20;
constexpr int kRowHeight = 22;
constexpr int kGutterWidth = 58;
constexpr int kWeekdayRowHeight = 24;

// The palette: calm greys, one blue accent, a red line for the time now.
const wxColour kBackground(255, 255, 255);
const wxColour kHeaderBackground(246, 248, 250);
const wxColour kGrid(218, 222, 228);
const wxColour kGridLight(236, 239, 243);
const wxColour kOffHours(243, 246, 250);
const wxColour kOtherMonth(248, 249, 250);
const wxColour kText(32, 33, 36);
const wxColour kMutedText(95, 99, 104);
const wxColour kAccent(26, 115, 232);
const wxColour kAccentLight(232, 240, 254);
const wxColour kNowLine(217, 48, 37);
constexpr uint32_t kNoLabelColour = 0x8AB4F8;

wxColour ColourOf(uint32_t rgb) {
    return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

wxColour Blend(const wxColour& a, const wxColour& b, double t) {
    auto mix = [t](int x, int y) { return static_cast<unsigned char>(x + (y - x) * t + 0.5); };
    return wxColour(mix(a.Red(), b.Red()), mix(a.Green(), b.Green()), mix(a.Blue(), b.Blue()));
}

std::string TimeText(int minuteOfDay) {
    return tev::Format("%02d:%02d", minuteOfDay / 60, minuteOfDay % 60);
}

wxString Wx(const std::string& text) {
    return wxString::FromUTF8(text);
}

CCalendarDateTime DayStart(int64_t day) {
    return CCalendarDateTime::FromDayNumber(day);
}

wxRect WxRect(const CCalendarGridRect& rect) {
    return wxRect(rect.x, rect.y, rect.width, rect.height);
}

std::vector<wxRect> CellRects(const CCalendarMonthGrid& grid) {
    std::vector<wxRect> cells;
    for (const CCalendarGridRect& cell : grid.Cells())
        cells.push_back(WxRect(cell));
    return cells;
}

using Measured = CCalendarTextCache::Measured;
constexpr CCalendarTextCache::Face kNormalFace = CCalendarTextCache::kNormal;
constexpr CCalendarTextCache::Face kBoldFace = CCalendarTextCache::kBold;

void DrawText(wxDC& dc, const wxString& text, int x, int y) {
    CCalendarTextCache::DrawText(dc, text, x, y);
}

// The marks stamped: the kind of mark, and what sets its look (a colour or a size).
enum StampKind : uint64_t { kLabelDotStamp = 1, kMeetingStamp, kReminderStamp };

uint64_t StampKey(StampKind kind, uint32_t look) {
    return kind << 32 | look;
}

// Two heads over a body, in a square of `size`.
void PaintMeetingMark(wxDC& dc, const wxPoint& at, int size) {
    dc.SetPen(wxPen(kMutedText));
    dc.SetBrush(wxBrush(kMutedText));
    const int head = std::max(2, size / 4);
    dc.DrawCircle(at.x + size / 3, at.y + head, head);
    dc.DrawCircle(at.x + 2 * size / 3 + 1, at.y + head, head);
    dc.DrawRectangle(at.x, at.y + 2 * head + 1, size, size - 2 * head - 1);
}

// A bell with its clapper, `size` wide.
void PaintReminderMark(wxDC& dc, const wxPoint& at, int size) {
    dc.SetPen(wxPen(kMutedText));
    dc.SetBrush(wxBrush(kMutedText));
    dc.DrawEllipticArc(at.x + 1, at.y, size - 2, size + 2, 0, 180);
    dc.DrawRectangle(at.x + 1, at.y + size / 2, size - 2, size / 2 - 1);
    dc.DrawRectangle(at.x, at.y + size - 2, size, 2);
    dc.DrawCircle(at.x + size / 2, at.y + size + 1, 1);
}

} // namespace

CTEVCalendarControl::~CTEVCalendarControl() {
    if (HasCapture())
        ReleaseMouse();
}

bool CTEVCalendarControl::Create(wxWindow* parent, wxWindowID id) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxWindow::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                          wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE | wxBORDER_NONE,
                          "CalendarControl"))
        return false;
    m_model.SetSelectedDay(GetToday());
    m_pScrollBar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    Bind(wxEVT_PAINT, &CTEVCalendarControl::OnPaint, this);
    Bind(wxEVT_SIZE, &CTEVCalendarControl::OnSize, this);
    Bind(wxEVT_MOUSEWHEEL, &CTEVCalendarControl::OnMouseWheel, this);
    Bind(wxEVT_LEFT_DOWN, &CTEVCalendarControl::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CTEVCalendarControl::OnLeftUp, this);
    Bind(wxEVT_MOTION, &CTEVCalendarControl::OnMotion, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CTEVCalendarControl::OnCaptureLost, this);
    Bind(wxEVT_CHAR, &CTEVCalendarControl::OnChar, this);
    m_pScrollBar->Bind(wxEVT_SCROLL_CHANGED, &CTEVCalendarControl::OnScroll, this);
    m_pScrollBar->Bind(wxEVT_SCROLL_THUMBTRACK, &CTEVCalendarControl::OnScroll, this);
    m_pScrollBar->Bind(wxEVT_SCROLL_LINEUP, &CTEVCalendarControl::OnScroll, this);
    m_pScrollBar->Bind(wxEVT_SCROLL_LINEDOWN, &CTEVCalendarControl::OnScroll, this);
    m_pScrollBar->Bind(wxEVT_SCROLL_PAGEUP, &CTEVCalendarControl::OnScroll, this);
    m_pScrollBar->Bind(wxEVT_SCROLL_PAGEDOWN, &CTEVCalendarControl::OnScroll, this);
    ScrollToMinute(m_model.GetWorkDayStart());
    Populate();
    return true;
}

void CTEVCalendarControl::SetDataProvider(CCalendarData* data) {
    m_pData = data;
    Populate();
}

int64_t CTEVCalendarControl::GetToday() const {
    return m_today != INT64_MIN ? m_today : CCalendarDateTime::Now().GetDayNumber();
}

void CTEVCalendarControl::SwitchActiveView(CalendarViewType type) {
    if (m_model.GetViewType() == type)
        return;
    m_model.SetViewType(type);
    Populate();
}

void CTEVCalendarControl::SetScaleInterval(int minutes) {
    m_model.SetScale(minutes);
    m_topRow = m_topMinute / m_model.GetScale();
    Populate();
}

void CTEVCalendarControl::SelectDay(int64_t day) {
    m_model.SetSelectedDay(day);
    m_focusDay = day;
    Populate();
}

void CTEVCalendarControl::ScrollToMinute(int minuteOfDay) {
    m_topMinute = std::clamp(minuteOfDay, 0, CCalendarLayout::kMinutesPerDay - 1);
    m_topRow = m_topMinute / m_model.GetScale();
    UpdateScrollBar();
    Refresh(false);
}

void CTEVCalendarControl::Populate() {
    if (m_updateDepth > 0) {
        m_populatePending = true;
        return;
    }
    if (m_pData)
        m_model.SetFirstDayOfWeek(m_pData->GetFirstDayOfWeek());
    const std::vector<int64_t> days = m_model.GetVisibleDays();
    const bool daysChanged = days != m_days;
    m_days = days;
    Recalc();
    // A tip may name an event that is gone; the next mouse move finds the right one.
    UnsetToolTip();
    UpdateScrollBar();
    Refresh(false);
    if (daysChanged)
        NotifyVisibleDays();
}

void CTEVCalendarControl::Recalc() {
    m_events.clear();
    m_placed.clear();
    if (m_pData && !m_days.empty())
        m_events = m_pData->RetrieveEvents(DayStart(m_days.front()), DayStart(m_days.back() + 1));
    const bool dayView =
        m_model.GetViewType() == kCalendarDayView || m_model.GetViewType() == kCalendarWorkWeekView;
    m_spans =
        dayView ? CCalendarLayout::LayoutSpans(m_events, m_days) : std::vector<CCalendarSpanItem>();
    m_timed = dayView ? CCalendarLayout::LayoutTimed(m_events, m_days, m_model.GetScale())
                      : std::vector<CCalendarTimedItem>();
    m_dayLists = dayView ? std::vector<std::vector<CCalendarEventPtr>>()
                         : CCalendarLayout::DayLists(m_events, m_days);
    m_selection.Rebind(m_events);
}

CTEVCalendarControl::UpdateContext::UpdateContext(CTEVCalendarControl* control)
    : m_pControl(control) {
    if (m_pControl)
        ++m_pControl->m_updateDepth;
}

CTEVCalendarControl::UpdateContext::~UpdateContext() {
    if (!m_pControl || --m_pControl->m_updateDepth > 0 || !m_pControl->m_populatePending)
        return;
    m_pControl->m_populatePending = false;
    m_pControl->Populate();
}

void CTEVCalendarControl::NotifyVisibleDays() {
    if (m_onVisibleDaysChanged)
        m_onVisibleDaysChanged();
}

int CTEVCalendarControl::RowCount() const {
    return CCalendarLayout::RowsPerDay(m_model.GetScale());
}

int CTEVCalendarControl::VisibleRows() const {
    const DayGeometry geometry = DayViewGeometry();
    return std::max(1, geometry.time.height / kRowHeight);
}

void CTEVCalendarControl::UpdateScrollBar() {
    if (!m_pScrollBar)
        return;
    const bool dayView =
        m_model.GetViewType() == kCalendarDayView || m_model.GetViewType() == kCalendarWorkWeekView;
    const DayGeometry geometry = DayViewGeometry();
    if (!dayView || geometry.time.height <= 0) {
        m_pScrollBar->Hide();
        return;
    }
    const int visible = VisibleRows();
    const int maxTop = std::max(0, RowCount() - visible);
    m_topRow = std::clamp(m_topMinute / m_model.GetScale(), 0, maxTop);
    const int width = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
    m_pScrollBar->SetSize(GetClientSize().x - width, geometry.time.y, width, geometry.time.height);
    m_pScrollBar->SetScrollbar(m_topRow, visible, RowCount(), std::max(1, visible - 1));
    m_pScrollBar->Show();
}

void CTEVCalendarControl::OnSize(wxSizeEvent& event) {
    UpdateScrollBar();
    Refresh(false);
    event.Skip();
}

void CTEVCalendarControl::OnScroll(wxScrollEvent& event) {
    m_topRow = event.GetPosition();
    m_topMinute = m_topRow * m_model.GetScale();
    Refresh(false);
}

void CTEVCalendarControl::OnMouseWheel(wxMouseEvent& event) {
    const bool dayView =
        m_model.GetViewType() == kCalendarDayView || m_model.GetViewType() == kCalendarWorkWeekView;
    if (!dayView || event.GetWheelRotation() == 0)
        return;
    const int maxTop = std::max(0, RowCount() - VisibleRows());
    m_topRow = std::clamp(m_topRow + (event.GetWheelRotation() > 0 ? -3 : 3), 0, maxTop);
    m_topMinute = m_topRow * m_model.GetScale();
    UpdateScrollBar();
    Refresh(false);
}

void CTEVCalendarControl::OnLeftDown(wxMouseEvent& event) {
    if (m_editing)
        EndInPlaceEdit(true);
    SetFocus();
    const wxPoint point = event.GetPosition();
    const HitTestInfo hit = HitTest(point);
    const bool add = event.ControlDown() || event.CmdDown();
    // A press on a picked event keeps the others picked, so that they stay together.
    if (!(hit.kind == HitTestInfo::kEvent && !add && m_selection.IsSelected(*hit.event)))
        SelectAt(point, event.ShiftDown(), add);
    if (hit.kind == HitTestInfo::kEvent && !add) {
        m_drag = DragState();
        m_drag.event = hit.event;
        m_drag.pressed = point;
        // The mouse is held only once the press turns into a drag.
        if (!CellAt(point, m_drag.grab) || !DragModeAt(point, m_drag.mode))
            m_drag.event = nullptr;
    } else if (hit.kind == HitTestInfo::kTimeCell || hit.kind == HitTestInfo::kAllDayArea ||
               hit.kind == HitTestInfo::kDayCell) {
        m_selectingSpan = true;
    }
    event.Skip();
}

void CTEVCalendarControl::OnLeftUp(wxMouseEvent& event) {
    event.Skip();
    const DragState drag = m_drag;
    EndDrag();
    if (drag.event && drag.active && drag.hasDrop)
        ApplyDrag(drag.event, drag.drop);
}

void CTEVCalendarControl::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_drag = DragState();
    m_selectingSpan = false;
    Refresh(false);
}

void CTEVCalendarControl::EndDrag() {
    if (HasCapture())
        ReleaseMouse();
    const bool wasActive = m_drag.active;
    m_drag = DragState();
    m_selectingSpan = false;
    if (wasActive)
        Refresh(false);
}

bool CTEVCalendarControl::SelectAt(const wxPoint& point, bool extend, bool add) {
    const HitTestInfo hit = HitTest(point);
    if (hit.kind == HitTestInfo::kNothing)
        return false;
    m_focusDay = hit.day;
    Refresh(false);
    const CCalendarDateTime day = DayStart(hit.day);
    switch (hit.kind) {
    case HitTestInfo::kEvent:
        m_selection.SelectEvent(hit.event, add);
        return true;
    case HitTestInfo::kTimeCell: {
        const CCalendarDateTime begin = day.AddMinutes(hit.minute);
        const CCalendarDateTime end = begin.AddMinutes(m_model.GetScale());
        if (extend && m_selection.HasSpan() && !m_selection.GetSpan().allDay)
            m_selection.ExtendSpan(begin, end);
        else
            m_selection.SelectSpan(begin, end, false);
        return true;
    }
    case HitTestInfo::kAllDayArea:
    case HitTestInfo::kDayCell:
        if (extend && m_selection.HasSpan() && m_selection.GetSpan().allDay)
            m_selection.ExtendSpan(day, day.AddDays(1));
        else
            m_selection.SelectSpan(day, day.AddDays(1), true);
        return true;
    default:
        return false;
    }
}

bool CTEVCalendarControl::DragModeAt(const wxPoint& point, CalendarDragMode& mode) const {
    const PlacedEvent* placed = PlacedAt(point);
    if (!placed)
        return false;
    constexpr int kGrip = 5;
    const wxRect& rect = placed->rect;
    mode = kCalendarDragMove;
    if (placed->ends == kTopAndBottom && rect.height > 3 * kGrip) {
        if (point.y < rect.y + kGrip)
            mode = kCalendarDragResizeStart;
        else if (point.y > rect.GetBottom() - kGrip)
            mode = kCalendarDragResizeEnd;
    } else if (rect.width > 3 * kGrip) {
        if ((placed->ends & kLeftEnd) && point.x < rect.x + kGrip)
            mode = kCalendarDragResizeStart;
        else if ((placed->ends & kRightEnd) && point.x > rect.GetRight() - kGrip)
            mode = kCalendarDragResizeEnd;
    }
    return true;
}

void CTEVCalendarControl::OnMotion(wxMouseEvent& event) {
    event.Skip();
    const wxPoint point = event.GetPosition();
    if (m_drag.event && event.LeftIsDown()) {
        TrackDrag(point);
        return;
    }
    if (m_selectingSpan && event.LeftIsDown()) {
        const HitTestInfo hit = HitTestCell(point);
        if (hit.kind != HitTestInfo::kNothing && hit.kind != HitTestInfo::kDayHeader) {
            SelectAt(point, true);
            m_selectingSpan = true;
        }
        return;
    }
    UpdateCursor(point);
    UpdateToolTip(point);
}

void CTEVCalendarControl::TrackDrag(const wxPoint& point) {
    constexpr int kThreshold = 4;
    const wxPoint moved = point - m_drag.pressed;
    if (!m_drag.active && std::abs(moved.x) < kThreshold && std::abs(moved.y) < kThreshold)
        return;
    if (!m_drag.active && !HasCapture())
        CaptureMouse();
    m_drag.active = true;
    UnsetToolTip();
    CCalendarDragCell drop;
    if (!CellAt(point, drop))
        return;
    m_drag.drop =
        CCalendarDrag::Compute(*m_drag.event, m_drag.mode, m_drag.grab, drop, m_model.GetScale());
    m_drag.hasDrop = true;
    Refresh(false);
}

bool CTEVCalendarControl::DragEvent(const wxPoint& from, const wxPoint& to) {
    const HitTestInfo hit = HitTest(from);
    CalendarDragMode mode = kCalendarDragMove;
    CCalendarDragCell grab;
    CCalendarDragCell drop;
    if (hit.kind != HitTestInfo::kEvent || !DragModeAt(from, mode) || !CellAt(from, grab) ||
        !CellAt(to, drop))
        return false;
    m_selection.SelectEvent(hit.event);
    ApplyDrag(hit.event, CCalendarDrag::Compute(*hit.event, mode, grab, drop, m_model.GetScale()));
    return true;
}

void CTEVCalendarControl::ApplyDrag(const CCalendarEventPtr& event,
                                    const CCalendarDragResult& result) {
    if (!m_pData || !event)
        return;
    if (result.start == event->GetStartTime() && result.end == event->GetEndTime() &&
        result.allDay == event->IsAllDayEvent())
        return;
    // A copy keeps the shown occurrence as it was until the store has the change.
    const CCalendarEventPtr changed = event->CloneEvent();
    changed->SetStartTime(result.start);
    changed->SetEndTime(result.end);
    changed->SetAllDayEvent(result.allDay);
    RunChange([&] { m_pData->ChangeEvent(changed); });
    m_selection.SelectEvent(changed);
    Populate();
}

void CTEVCalendarControl::RunChange(const std::function<void()>& change) {
    UpdateContext update(this);
    if (m_changeRunner)
        m_changeRunner(change);
    else
        change();
}

wxStockCursor CTEVCalendarControl::CursorAt(const wxPoint& point) const {
    CalendarDragMode mode = kCalendarDragMove;
    if (!DragModeAt(point, mode))
        return wxCURSOR_ARROW;
    if (mode == kCalendarDragMove)
        return wxCURSOR_SIZING;
    return PlacedAt(point)->ends == kTopAndBottom ? wxCURSOR_SIZENS : wxCURSOR_SIZEWE;
}

void CTEVCalendarControl::UpdateCursor(const wxPoint& point) {
    const wxStockCursor cursor = CursorAt(point);
    if (cursor != m_cursor) {
        m_cursor = cursor;
        SetCursor(wxCursor(cursor));
    }
}

void CTEVCalendarControl::UpdateToolTip(const wxPoint& point) {
    if (m_nToolTipMode == 2) {
        UnsetToolTip();
        return;
    }
    const HitTestInfo hit = HitTest(point);
    const wxString tip = hit.event ? Wx(ToolTipText(*hit.event)) : wxString();
    if (GetToolTipText() != tip) {
        if (tip.empty())
            UnsetToolTip();
        else
            SetToolTip(tip);
    }
}

bool CTEVCalendarControl::Navigate(int keyCode, bool shift) {
    CalendarNavigationKey key;
    switch (keyCode) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
        key = kCalendarKeyUp;
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        key = kCalendarKeyDown;
        break;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        key = kCalendarKeyLeft;
        break;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        key = kCalendarKeyRight;
        break;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        key = kCalendarKeyPageUp;
        break;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        key = kCalendarKeyPageDown;
        break;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        key = kCalendarKeyHome;
        break;
    default:
        return false;
    }
    CCalendarNavigation::Navigate(m_model, m_selection, key, shift, GetToday());
    m_focusDay = m_model.GetSelectedDay();
    if (m_selection.HasSpan() && !m_selection.GetSpan().allDay)
        ScrollIntoView(m_selection.GetSpan());
    Populate();
    return true;
}

void CTEVCalendarControl::ScrollIntoView(const CCalendarSelection::Span& span) {
    const int scale = m_model.GetScale();
    const int first = span.begin.GetMinuteOfDay() / scale;
    const int visible = VisibleRows();
    if (first < m_topRow)
        ScrollToMinute(first * scale);
    else if (first >= m_topRow + visible)
        ScrollToMinute((first - visible + 1) * scale);
}

// ---------------------------------------------------------------------------------------
// In-place subject editing

void CTEVCalendarControl::OnChar(wxKeyEvent& event) {
    const wxChar typed = event.GetUnicodeKey();
    const bool printable = typed != WXK_NONE && typed >= 32 && typed != 127 &&
                           !event.ControlDown() && !event.AltDown();
    if (!printable || m_editing || !BeginInPlaceEdit(wxString(typed).utf8_string()))
        event.Skip();
}

bool CTEVCalendarControl::BeginInPlaceEdit(const std::string& text) {
    if (m_editing || !m_pData)
        return false;
    EditState edit;
    edit.event = m_selection.GetFirstEvent();
    if (!edit.event && !m_selection.HasSpan())
        return false;
    if (!edit.event)
        edit.span = m_selection.GetSpan();
    m_edit = edit;
    if (!m_pEditor) {
        m_pEditor = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxTE_PROCESS_ENTER | wxBORDER_SIMPLE);
        m_pEditor->Bind(wxEVT_KEY_DOWN, &CTEVCalendarControl::OnEditorKey, this);
        m_pEditor->Bind(wxEVT_KILL_FOCUS, &CTEVCalendarControl::OnEditorKillFocus, this);
        m_pEditor->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { EndInPlaceEdit(true); });
    }
    m_editing = true;
    m_pEditor->SetSize(EditorRect());
    m_pEditor->ChangeValue(wxString::FromUTF8(text));
    m_pEditor->Show();
    m_pEditor->SetFocus();
    m_pEditor->SetInsertionPointEnd();
    return true;
}

bool CTEVCalendarControl::IsInPlaceEditing() const {
    return m_editing;
}

void CTEVCalendarControl::EndInPlaceEdit(bool commit) {
    if (!m_editing)
        return;
    m_editing = false;
    const std::string subject = m_pEditor->GetValue().utf8_string();
    // Hidden before the store changes, so the focus it loses commits nothing twice.
    m_pEditor->Hide();
    SetFocus();
    const EditState edit = m_edit;
    m_edit = EditState();
    if (commit)
        CommitEdit(edit, subject);
    Refresh(false);
}

void CTEVCalendarControl::CommitEdit(const EditState& edit, const std::string& subject) {
    if (edit.event) {
        if (subject == edit.event->GetSubject())
            return;
        const CCalendarEventPtr changed = edit.event->CloneEvent();
        changed->SetSubject(subject);
        RunChange([&] { m_pData->ChangeEvent(changed); });
        m_selection.SelectEvent(changed);
        Populate();
        return;
    }
    // A new event needs a subject; an empty one is no event.
    if (subject.empty())
        return;
    const CCalendarEventPtr added = m_pData->CreateNewEvent();
    added->SetSubject(subject);
    added->SetStartTime(edit.span.begin);
    added->SetEndTime(edit.span.end);
    added->SetAllDayEvent(edit.span.allDay);
    RunChange([&] { m_pData->AddEvent(added); });
    m_selection.SelectEvent(added);
    Populate();
}

void CTEVCalendarControl::OnEditorKey(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
        EndInPlaceEdit(false);
        return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        EndInPlaceEdit(true);
        return;
    default:
        event.Skip();
    }
}

void CTEVCalendarControl::OnEditorKillFocus(wxFocusEvent& event) {
    event.Skip();
    if (m_editing)
        CallAfter([this] { EndInPlaceEdit(true); });
}

wxRect CTEVCalendarControl::EditorRect() const {
    const int height = std::max(kBarHeight, GetCharHeight() + 10);
    if (m_edit.event) {
        for (const PlacedEvent& placed : m_placed) {
            if (CCalendarSelection::SameEvent(*placed.event, *m_edit.event))
                return wxRect(placed.rect.x, placed.rect.y, placed.rect.width,
                              std::max(height, std::min(placed.rect.height, 2 * height)));
        }
    }
    const CCalendarDateTime at = m_edit.event ? m_edit.event->GetStartTime() : m_edit.span.begin;
    const auto found = std::find(m_days.begin(), m_days.end(), at.GetDayNumber());
    const int index = found == m_days.end() ? 0 : static_cast<int>(found - m_days.begin());
    if (m_model.GetViewType() == kCalendarWeekView || m_model.GetViewType() == kCalendarMonthView) {
        const std::vector<wxRect> cells =
            m_model.GetViewType() == kCalendarWeekView ? WeekCellRects() : MonthCellRects();
        const wxRect cell = index < static_cast<int>(cells.size()) ? cells[index] : wxRect();
        return wxRect(cell.x + 2, cell.y + kLineHeight + 4, std::max(40, cell.width - 4), height);
    }
    const DayGeometry geometry = DayViewGeometry();
    const int left = ColumnLeft(geometry, index) + 2;
    const int width = std::max(40, ColumnLeft(geometry, index + 1) - left - 4);
    if (m_edit.span.allDay && !m_edit.event)
        return wxRect(left, geometry.allDay.y + 3, width, height);
    const int row = at.GetMinuteOfDay() / m_model.GetScale() - m_topRow;
    return wxRect(left, geometry.time.y + row * geometry.rowHeight, width, height);
}

std::string CTEVCalendarControl::ToolTipText(const CCalendarEvent& event) const {
    const CCalendarDateTime& start = event.GetStartTime();
    const CCalendarDateTime& end = event.GetEndTime();
    auto stamp = [](const CCalendarDateTime& time) {
        return tev::Format("%s %d %s", ShortMonthName(time.GetMonth()).c_str(), time.GetDay(),
                           TimeText(time.GetMinuteOfDay()).c_str());
    };
    if (m_nToolTipMode == 1)
        return tev::Format("[ID = 0x%08X] (%s - %s) %s", event.GetEventId(), stamp(start).c_str(),
                           stamp(end).c_str(), event.GetSubject().c_str());
    std::string text = event.IsAllDayEvent()
                           ? event.GetSubject()
                           : TimeText(start.GetMinuteOfDay()) + "-" +
                                 TimeText(end.GetMinuteOfDay()) + " " + event.GetSubject();
    if (!event.GetLocation().empty())
        text += " (" + event.GetLocation() + ")";
    return text;
}

// ---------------------------------------------------------------------------------------
// Geometry

CTEVCalendarControl::DayGeometry CTEVCalendarControl::DayViewGeometry() const {
    DayGeometry geometry;
    const wxSize client = ClientSize();
    const int scrollWidth = ScrollWidth();
    const int lanes = std::max(1, CCalendarLayout::LaneCount(m_spans));
    geometry.gutter = kGutterWidth;
    geometry.rowHeight = kRowHeight;
    geometry.header = wxRect(0, 0, client.x, kHeaderHeight);
    geometry.allDay = wxRect(0, kHeaderHeight, client.x, lanes * (kBarHeight + 2) + 6);
    const int timeTop = geometry.allDay.GetBottom() + 1;
    geometry.time = wxRect(0, timeTop, client.x, std::max(0, client.y - timeTop));
    const int columns = std::max<int>(1, static_cast<int>(m_days.size()));
    geometry.columnWidth = std::max(0, client.x - geometry.gutter - scrollWidth) / columns;
    return geometry;
}

int CTEVCalendarControl::ColumnLeft(const DayGeometry& geometry, int column) const {
    const int scrollWidth = ScrollWidth();
    const int width = std::max(0, ClientSize().x - geometry.gutter - scrollWidth);
    const int columns = std::max<int>(1, static_cast<int>(m_days.size()));
    return geometry.gutter + column * width / columns;
}

std::vector<wxRect> CTEVCalendarControl::WeekCellRects() const {
    const wxSize client = ClientSize();
    const int half = client.x / 2;
    const int rowHeight = client.y / 3;
    const int lastHeight = client.y - 2 * rowHeight;
    std::vector<wxRect> cells;
    for (int i = 0; i < 3; ++i)
        cells.emplace_back(0, i * rowHeight, half, i == 2 ? lastHeight : rowHeight);
    cells.emplace_back(half, 0, client.x - half, rowHeight);
    cells.emplace_back(half, rowHeight, client.x - half, rowHeight);
    // The last two days of the week share the last cell.
    cells.emplace_back(half, 2 * rowHeight, client.x - half, lastHeight / 2);
    cells.emplace_back(half, 2 * rowHeight + lastHeight / 2, client.x - half,
                       lastHeight - lastHeight / 2);
    return cells;
}

CCalendarMonthGrid CTEVCalendarControl::MonthGrid() const {
    const wxSize client = ClientSize();
    return CCalendarMonthGrid(m_days, m_model.IsWeekendCompressed(), client.x, client.y,
                              kWeekdayRowHeight);
}

std::vector<wxRect> CTEVCalendarControl::MonthCellRects() const {
    return CellRects(MonthGrid());
}

const std::vector<CCalendarEventPtr>& CTEVCalendarControl::DayListOf(int64_t day) const {
    static const std::vector<CCalendarEventPtr> none;
    const size_t index = std::find(m_days.begin(), m_days.end(), day) - m_days.begin();
    return index < m_dayLists.size() ? m_dayLists[index] : none;
}

CTEVCalendarControl::HitTestInfo CTEVCalendarControl::HitTest(const wxPoint& point) const {
    HitTestInfo hit = HitTestCell(point);
    const PlacedEvent* placed = PlacedAt(point);
    if (!placed)
        return hit;
    const bool inDays = hit.kind != HitTestInfo::kNothing;
    hit.kind = HitTestInfo::kEvent;
    hit.event = placed->event;
    hit.minute = -1;
    // The day of the column or cell under the point, else the day the event starts.
    if (!inDays)
        hit.day = placed->event->GetStartTime().GetDayNumber();
    return hit;
}

const CTEVCalendarControl::PlacedEvent* CTEVCalendarControl::PlacedAt(const wxPoint& point) const {
    for (auto it = m_placed.rbegin(); it != m_placed.rend(); ++it) {
        if (it->rect.Contains(point))
            return &*it;
    }
    return nullptr;
}

CTEVCalendarControl::HitTestInfo CTEVCalendarControl::HitTestCell(const wxPoint& point) const {
    HitTestInfo hit;
    if (!wxRect(ClientSize()).Contains(point) || m_days.empty())
        return hit;
    if (m_model.GetViewType() == kCalendarWeekView || m_model.GetViewType() == kCalendarMonthView) {
        const std::vector<wxRect> cells =
            m_model.GetViewType() == kCalendarWeekView ? WeekCellRects() : MonthCellRects();
        for (size_t i = 0; i < cells.size() && i < m_days.size(); ++i) {
            if (cells[i].Contains(point)) {
                hit.kind = HitTestInfo::kDayCell;
                hit.day = m_days[i];
                return hit;
            }
        }
        return hit;
    }
    const DayGeometry geometry = DayViewGeometry();
    const int columns = static_cast<int>(m_days.size());
    if (point.x < geometry.gutter || point.x >= ColumnLeft(geometry, columns))
        return hit;
    int column = columns - 1;
    while (column > 0 && point.x < ColumnLeft(geometry, column))
        --column;
    hit.day = m_days[column];
    if (geometry.header.Contains(point)) {
        hit.kind = HitTestInfo::kDayHeader;
    } else if (geometry.allDay.Contains(point)) {
        hit.kind = HitTestInfo::kAllDayArea;
    } else {
        const int row = m_topRow + (point.y - geometry.time.y) / geometry.rowHeight;
        if (row >= RowCount())
            return HitTestInfo();
        hit.kind = HitTestInfo::kTimeCell;
        hit.minute = CCalendarLayout::RowStart(row, m_model.GetScale());
    }
    return hit;
}

bool CTEVCalendarControl::CellAt(const wxPoint& point, CCalendarDragCell& cell) const {
    const HitTestInfo hit = HitTestCell(point);
    switch (hit.kind) {
    case HitTestInfo::kTimeCell:
        cell = {hit.day, hit.minute};
        return true;
    case HitTestInfo::kAllDayArea:
    case HitTestInfo::kDayCell:
        cell = {hit.day, -1};
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// Painting

void CTEVCalendarControl::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC paintDc(this);
    wxGCDC dc(paintDc);
    Draw(dc);
    PaintDragGhost(dc);
}

void CTEVCalendarControl::Draw(wxDC& dc) {
    // On paper only the calendar's own part of the page is filled.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kBackground));
    dc.DrawRectangle(wxRect(ClientSize()));
    m_placed.clear();
    m_text.BeginPaint(GetFont());
    switch (m_model.GetViewType()) {
    case kCalendarDayView:
    case kCalendarWorkWeekView:
        PaintDayView(dc);
        break;
    case kCalendarWeekView:
        PaintWeekView(dc);
        break;
    case kCalendarMonthView:
        PaintMonthView(dc);
        break;
    }
}

bool CTEVCalendarControl::Stamping() const {
    return m_printSize.x <= 0;
}

wxSize CTEVCalendarControl::ClientSize() const {
    return m_printSize.x > 0 ? m_printSize : GetClientSize();
}

int CTEVCalendarControl::ScrollWidth() const {
    return m_printSize.x > 0 ? 0 : wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
}

int CTEVCalendarControl::FullDayHeight() const {
    return DayViewGeometry().time.y + RowCount() * kRowHeight + 1;
}

void CTEVCalendarControl::PaintForPrint(wxDC& dc, const wxSize& size) {
    const CCalendarSelection selection = m_selection;
    const int topRow = m_topRow;
    const int64_t focusDay = m_focusDay;
    const int64_t today = m_today;
    m_selection.Clear();
    m_focusDay = INT64_MIN;
    // A day no view shows: no day is marked as today, and no line tells the time.
    m_today = INT64_MIN + 1;
    m_topRow = 0;
    m_printSize = size;
    // The page measures its texts on its own device, not with the screen's measures.
    CCalendarTextCache screenText = std::move(m_text);
    m_text = CCalendarTextCache();
    Draw(dc);
    m_text = std::move(screenText);
    m_printSize = wxSize();
    m_topRow = topRow;
    m_today = today;
    m_focusDay = focusDay;
    m_selection = selection;
    // The events were placed on the page; the screen places them again.
    Refresh(false);
}

wxRect CTEVCalendarControl::DayRect(int64_t day, bool allDayRow) const {
    const auto found = std::find(m_days.begin(), m_days.end(), day);
    if (found == m_days.end())
        return wxRect();
    const int index = static_cast<int>(found - m_days.begin());
    if (m_model.GetViewType() == kCalendarWeekView || m_model.GetViewType() == kCalendarMonthView) {
        const std::vector<wxRect> cells =
            m_model.GetViewType() == kCalendarWeekView ? WeekCellRects() : MonthCellRects();
        return index < static_cast<int>(cells.size()) ? cells[index] : wxRect();
    }
    const DayGeometry geometry = DayViewGeometry();
    const int left = ColumnLeft(geometry, index);
    const wxRect& band = allDayRow ? geometry.allDay : geometry.time;
    return wxRect(left, band.y, ColumnLeft(geometry, index + 1) - left, band.height);
}

void CTEVCalendarControl::PaintDragGhost(wxDC& dc) {
    if (!m_drag.active || !m_drag.hasDrop)
        return;
    const CCalendarDragResult& drop = m_drag.drop;
    dc.SetPen(wxPen(kAccent, 2, wxPENSTYLE_SHORT_DASH));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    const bool dayView =
        m_model.GetViewType() == kCalendarDayView || m_model.GetViewType() == kCalendarWorkWeekView;
    CCalendarEvent shape;
    shape.SetStartTime(drop.start);
    shape.SetEndTime(drop.end);
    shape.SetAllDayEvent(drop.allDay);
    const bool bar = !dayView || CCalendarLayout::IsSpanEvent(shape);
    for (int64_t day : m_days) {
        if (!CCalendarLayout::CoversDay(shape, day))
            continue;
        wxRect rect = DayRect(day, bar);
        if (!bar) {
            // The rows of the day the dropped event covers.
            const DayGeometry geometry = DayViewGeometry();
            const CCalendarDateTime midnight = DayStart(day);
            const int64_t first =
                std::max<int64_t>(0, CCalendarDateTime::MinutesBetween(midnight, drop.start));
            const int64_t last =
                std::min<int64_t>(CCalendarLayout::kMinutesPerDay,
                                  CCalendarDateTime::MinutesBetween(midnight, drop.end));
            const double scale = m_model.GetScale();
            const int top =
                geometry.time.y + static_cast<int>((first / scale - m_topRow) * geometry.rowHeight);
            const int bottom =
                geometry.time.y + static_cast<int>((last / scale - m_topRow) * geometry.rowHeight);
            rect = wxRect(rect.x + 2, top + 1, rect.width - 6, std::max(4, bottom - top - 2));
        }
        dc.DrawRoundedRectangle(rect.Deflate(1), 4);
    }
}

void CTEVCalendarControl::PaintEventIcons(wxDC& dc, wxRect& text, const CCalendarEvent& event,
                                          CCalendarTextCache::Face face) {
    // A bell for a reminder and two heads for a meeting, at the right of the first line.
    const int size = std::min(12, std::max(6, m_text.CharHeight(dc, face) - 4));
    int right = text.GetRight();
    const int top = text.y + 2;
    if (event.IsMeeting() && text.width > 3 * size) {
        const int left = right - size;
        m_stamps.Draw(dc, StampKey(kMeetingStamp, size), wxPoint(left, top), wxSize(size, size),
                      Stamping(),
                      [size](wxDC& on, const wxPoint& at) { PaintMeetingMark(on, at, size); });
        right = left - 3;
    }
    if (event.IsReminder() && text.width > 4 * size) {
        const int left = right - size;
        m_stamps.Draw(dc, StampKey(kReminderStamp, size), wxPoint(left, top),
                      wxSize(size, size + 3), Stamping(),
                      [size](wxDC& on, const wxPoint& at) { PaintReminderMark(on, at, size); });
        right = left - 3;
    }
    text.SetRight(right);
}

void CTEVCalendarControl::PaintTimedEvent(wxDC& dc, const wxRect& rect,
                                          const CCalendarEvent& event) {
    const CCalendarLabel* label = m_pData ? m_pData->GetLabels().Find(event.GetLabelId()) : nullptr;
    const uint32_t rgb = label && event.GetLabelId() != 0 ? label->m_colour : kNoLabelColour;
    const wxColour base = ColourOf(rgb);
    const wxColour fill = Blend(base, *wxWHITE, 0.45);
    const wxColour edge = Blend(base, *wxBLACK, 0.35);
    dc.SetPen(wxPen(Blend(edge, *wxWHITE, 0.4)));
    dc.SetBrush(wxBrush(fill));
    dc.DrawRoundedRectangle(rect, 4);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(edge));
    dc.DrawRoundedRectangle(wxRect(rect.x, rect.y, 4, rect.height), 2);
    PaintSelectedFrame(dc, rect, event);

    wxDCClipper clip(dc, wxRect(rect).Deflate(1));
    const int textLeft = rect.x + 8;
    wxRect textRect(textLeft, rect.y + 1, std::max(0, rect.GetRight() - textLeft - 1), rect.height);
    PaintEventIcons(dc, textRect, event, kBoldFace);
    m_text.Select(dc, kBoldFace, kText);
    const int textWidth = std::max(0, textRect.width - 1);
    const int lineHeight = m_text.CharHeight(dc, kBoldFace);
    std::string first = event.GetSubject();
    std::string second;
    if (!event.IsAllDayEvent() && !CCalendarLayout::IsSpanEvent(event))
        second = TimeText(event.GetStartTime().GetMinuteOfDay()) + " - " +
                 TimeText(event.GetEndTime().GetMinuteOfDay());
    if (!event.GetLocation().empty())
        second += (second.empty() ? "" : "  ") + event.GetLocation();
    const int top =
        rect.height < 2 * lineHeight + 4 ? rect.y + (rect.height - lineHeight) / 2 : rect.y + 3;
    if (rect.height < 2 * lineHeight + 4 && !second.empty() &&
        !CCalendarLayout::IsSpanEvent(event)) {
        // One line: the subject, then the time when it fits.
        first += "  ";
        DrawText(dc, m_text.Ellipsized(dc, kBoldFace, first, textWidth), textLeft, top);
        const int used = m_text.Measure(dc, kBoldFace, first).extent.x;
        m_text.Select(dc, kNormalFace, kMutedText);
        if (used < textWidth)
            DrawText(dc, m_text.Ellipsized(dc, kNormalFace, second, textWidth - used),
                     textLeft + used, top);
    } else {
        DrawText(dc, m_text.Ellipsized(dc, kBoldFace, first, textWidth), textLeft, top);
        if (!second.empty()) {
            m_text.Select(dc, kNormalFace, kMutedText);
            DrawText(dc, m_text.Ellipsized(dc, kNormalFace, second, textWidth), textLeft,
                     top + lineHeight + 1);
        }
    }
}

void CTEVCalendarControl::PaintSpanBar(wxDC& dc, const wxRect& rect,
                                       const CCalendarSpanItem& item) {
    PaintTimedEvent(dc, rect, *item.event);
    // An end cut off by the edge of the view cannot be pulled.
    const int ends = (item.continuesBefore ? 0 : kLeftEnd) | (item.continuesAfter ? 0 : kRightEnd);
    m_placed.push_back({rect, item.event, ends});
}

void CTEVCalendarControl::PaintDayView(wxDC& dc) {
    const DayGeometry geometry = DayViewGeometry();
    PaintDayCaptions(dc, geometry);
    PaintAllDayBars(dc, geometry);
    {
        wxDCClipper clip(dc, geometry.time);
        PaintTimeRows(dc, geometry);
        PaintTimedEvents(dc, geometry);
        PaintNowLine(dc, geometry);
    }
    PaintDayFrame(dc, geometry);
}

void CTEVCalendarControl::PaintDayCaptions(wxDC& dc, const DayGeometry& geometry) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kHeaderBackground));
    dc.DrawRectangle(geometry.header.x, geometry.header.y, geometry.header.width,
                     geometry.header.height + geometry.allDay.height);
    const int64_t today = GetToday();
    for (int column = 0; column < static_cast<int>(m_days.size()); ++column) {
        const int left = ColumnLeft(geometry, column);
        const wxRect cell(left, geometry.header.y, ColumnLeft(geometry, column + 1) - left,
                          geometry.header.height);
        PaintDayCaption(dc, cell, DayStart(m_days[column]), m_days[column] == today);
    }
}

void CTEVCalendarControl::PaintDayCaption(wxDC& dc, const wxRect& cell,
                                          const CCalendarDateTime& date, bool isToday) {
    // As much of the date as the column has room for.
    const int dayOfWeek = date.GetDayOfWeek();
    std::string caption = std::to_string(date.GetDay());
    if (cell.width > 190)
        caption = DayName(dayOfWeek) + ", " + MonthName(date.GetMonth()) + " " + caption;
    else if (cell.width > 70)
        caption = ShortDayName(dayOfWeek) + " " + caption;
    const CCalendarTextCache::Face face = isToday ? kBoldFace : kNormalFace;
    const Measured& measured = m_text.Measure(dc, face, caption);
    const wxSize& extent = measured.extent;
    const int x = cell.x + (cell.width - extent.x) / 2;
    const int y = cell.y + (cell.height - extent.y) / 2;
    if (isToday) {
        dc.SetBrush(wxBrush(kAccent));
        dc.DrawRoundedRectangle(x - 8, y - 3, extent.x + 16, extent.y + 6, (extent.y + 6) / 2);
    }
    m_text.Select(dc, face, isToday ? *wxWHITE : kText);
    DrawText(dc, measured.text, x, y);
}

void CTEVCalendarControl::PaintAllDayBars(wxDC& dc, const DayGeometry& geometry) {
    for (const CCalendarSpanItem& item : m_spans) {
        const int left = ColumnLeft(geometry, item.firstColumn) + 3;
        const int barRight = ColumnLeft(geometry, item.lastColumn + 1) - 3;
        PaintSpanBar(dc,
                     wxRect(left, geometry.allDay.y + 3 + item.lane * (kBarHeight + 2),
                            barRight - left, kBarHeight),
                     item);
    }
}

void CTEVCalendarControl::PaintTimeRows(wxDC& dc, const DayGeometry& geometry) {
    // Work time white, the rest shaded, a line every row, stronger every hour.
    const int columns = static_cast<int>(m_days.size());
    const int right = ColumnLeft(geometry, columns);
    const int scale = m_model.GetScale();
    const int rows = RowCount();
    for (int row = m_topRow; row < rows; ++row) {
        const int y = geometry.time.y + (row - m_topRow) * geometry.rowHeight;
        if (y > geometry.time.GetBottom())
            break;
        const int minute = CCalendarLayout::RowStart(row, scale);
        dc.SetPen(*wxTRANSPARENT_PEN);
        for (int column = 0; column < columns; ++column) {
            const int left = ColumnLeft(geometry, column);
            dc.SetBrush(
                wxBrush(m_model.IsWorkTime(m_days[column], minute) ? kBackground : kOffHours));
            dc.DrawRectangle(left, y, ColumnLeft(geometry, column + 1) - left, geometry.rowHeight);
        }
        const bool hour = minute % 60 == 0;
        dc.SetPen(wxPen(hour ? kGrid : kGridLight));
        dc.DrawLine(geometry.gutter, y, right, y);
        if (hour)
            PaintHourCaption(dc, geometry, y, minute / 60);
    }
    PaintSelectedRows(dc, geometry);
    dc.SetPen(wxPen(kGrid));
    for (int column = 0; column <= columns; ++column) {
        const int x = ColumnLeft(geometry, column);
        dc.DrawLine(x, geometry.time.y, x, geometry.time.GetBottom() + 1);
    }
}

void CTEVCalendarControl::PaintHourCaption(wxDC& dc, const DayGeometry& geometry, int y, int hour) {
    // The hour large, its minutes small beside it, right against a tick at the grid.
    dc.SetPen(wxPen(kGrid));
    dc.DrawLine(geometry.gutter - 8, y, geometry.gutter, y);
    const Measured& minutes = m_text.Measure(dc, CCalendarTextCache::kSmall, "00");
    const Measured& hourText =
        m_text.Measure(dc, CCalendarTextCache::kLarge, tev::Format("%02d", hour));
    const int minutesLeft = geometry.gutter - 8 - minutes.extent.x;
    m_text.Select(dc, CCalendarTextCache::kSmall, kMutedText);
    DrawText(dc, minutes.text, minutesLeft, y + 3);
    m_text.Select(dc, CCalendarTextCache::kLarge, kMutedText);
    DrawText(dc, hourText.text, minutesLeft - hourText.extent.x - 1, y + 2);
}

void CTEVCalendarControl::PaintTimedEvents(wxDC& dc, const DayGeometry& geometry) {
    // Side by side where they overlap.
    const int scale = m_model.GetScale();
    for (const CCalendarTimedItem& item : m_timed) {
        const int left = ColumnLeft(geometry, item.column) + 2;
        const int width = ColumnLeft(geometry, item.column + 1) - left - 6;
        const int slotWidth = width / std::max(1, item.slotCount);
        const double top = static_cast<double>(item.startMinute) / scale - m_topRow;
        const double bottom =
            std::max(static_cast<double>(item.endMinute) / scale - m_topRow, top + 1);
        const wxRect rect(left + item.slot * slotWidth,
                          geometry.time.y + static_cast<int>(top * geometry.rowHeight) + 1,
                          slotWidth - 2, static_cast<int>((bottom - top) * geometry.rowHeight) - 2);
        PaintTimedEvent(dc, rect, *item.event);
        m_placed.push_back({rect, item.event, kTopAndBottom});
    }
}

void CTEVCalendarControl::PaintNowLine(wxDC& dc, const DayGeometry& geometry) {
    // Only while the calendar follows the real today.
    if (m_today != INT64_MIN)
        return;
    const auto found = std::find(m_days.begin(), m_days.end(), GetToday());
    if (found == m_days.end())
        return;
    const int column = static_cast<int>(found - m_days.begin());
    const double rowsDown =
        static_cast<double>(CCalendarDateTime::Now().GetMinuteOfDay()) / m_model.GetScale() -
        m_topRow;
    const int y = geometry.time.y + static_cast<int>(rowsDown * geometry.rowHeight);
    const int left = ColumnLeft(geometry, column);
    dc.SetPen(wxPen(kNowLine, 2));
    dc.DrawLine(left, y, ColumnLeft(geometry, column + 1), y);
    dc.SetBrush(wxBrush(kNowLine));
    dc.DrawCircle(left, y, 4);
}

void CTEVCalendarControl::PaintDayFrame(wxDC& dc, const DayGeometry& geometry) {
    // Lines between the captions, the bars and the time rows, and between the days above.
    const int columns = static_cast<int>(m_days.size());
    const int right = ColumnLeft(geometry, columns);
    dc.SetPen(wxPen(kGrid));
    dc.DrawLine(0, geometry.allDay.y, right, geometry.allDay.y);
    dc.DrawLine(0, geometry.time.y - 1, right, geometry.time.y - 1);
    for (int column = 0; column <= columns; ++column) {
        const int x = ColumnLeft(geometry, column);
        dc.DrawLine(x, 0, x, geometry.time.y);
    }
}

void CTEVCalendarControl::PaintListCell(wxDC& dc, const wxRect& body, int column, int64_t day,
                                        const std::vector<CCalendarSpanItem>& spans, int usable,
                                        bool monthCell) {
    if (!monthCell) {
        for (const CCalendarSpanItem& item : spans) {
            if (item.lane >= usable || item.firstColumn > column || item.lastColumn < column)
                continue;
            PaintSpanBar(dc,
                         wxRect(body.x + 3, body.y + item.lane * kLineHeight + 1, body.width - 6,
                                kLineHeight - 2),
                         item);
        }
    }
    const std::vector<CCalendarEventPtr>& list = DayListOf(day);
    const int hidden =
        CCalendarLayout::HiddenCount(spans, column, static_cast<int>(list.size()), usable);
    int line = CCalendarLayout::LaneCount(spans, column);
    wxDCClipper clip(dc, body);
    for (const CCalendarEventPtr& event : list) {
        if (line >= usable)
            break;
        const wxRect rect(body.x + 3, body.y + line * kLineHeight + 1, body.width - 6,
                          kLineHeight - 2);
        PaintListItem(dc, rect, *event, day, monthCell);
        m_placed.push_back({rect, event});
        ++line;
    }
    if (hidden > 0) {
        m_text.Select(dc, kNormalFace, kAccent);
        const Measured& more = m_text.Measure(dc, kNormalFace, tev::Format("+%d more", hidden));
        DrawText(dc, more.text, body.GetRight() - more.extent.x - 4,
                 body.y + usable * kLineHeight + (kLineHeight - more.extent.y) / 2);
    }
}

void CTEVCalendarControl::PaintListItem(wxDC& dc, const wxRect& rect, const CCalendarEvent& event,
                                        int64_t day, bool monthCell) {
    // A dot of the label's colour, the times (as text or clocks), the marks and the subject.
    PaintSelectedFrame(dc, rect, event);
    const CCalendarLabel* label = m_pData ? m_pData->GetLabels().Find(event.GetLabelId()) : nullptr;
    const wxColour base =
        ColourOf(label && event.GetLabelId() != 0 ? label->m_colour : kNoLabelColour);
    const wxColour dot = Blend(base, *wxBLACK, 0.2);
    constexpr int kDotRadius = 4;
    const wxPoint dotCorner(rect.x + 5 - kDotRadius, rect.y + rect.height / 2 - kDotRadius);
    m_stamps.Draw(dc, StampKey(kLabelDotStamp, dot.GetRGB()), dotCorner,
                  wxSize(2 * kDotRadius, 2 * kDotRadius), Stamping(),
                  [&dot](wxDC& on, const wxPoint& at) {
                      on.SetPen(*wxTRANSPARENT_PEN);
                      on.SetBrush(wxBrush(dot));
                      on.DrawCircle(at.x + kDotRadius, at.y + kDotRadius, kDotRadius);
                  });
    const int startMinute =
        event.GetStartTime().GetDayNumber() == day ? event.GetStartTime().GetMinuteOfDay() : 0;
    const bool showEnd = monthCell ? m_model.GetMonthShowEndTime() : m_model.GetWeekShowEndTime();
    const bool clocks =
        monthCell ? m_model.GetMonthShowTimeAsClocks() : m_model.GetWeekShowTimeAsClocks();
    const int textTop = rect.y + (rect.height - m_text.CharHeight(dc, kNormalFace)) / 2;
    int subjectLeft = rect.x + 13;
    if (clocks) {
        const int radius = std::max(3, rect.height / 2 - 2);
        const wxPoint centre(subjectLeft + radius, rect.y + rect.height / 2);
        PaintClock(dc, centre, radius, startMinute);
        subjectLeft += 2 * radius + 3;
        if (showEnd) {
            PaintClock(dc, wxPoint(subjectLeft + radius, centre.y), radius,
                       event.GetEndTime().GetMinuteOfDay());
            subjectLeft += 2 * radius + 3;
        }
        subjectLeft += 2;
    } else {
        std::string time = TimeText(startMinute);
        if (showEnd)
            time += "-" + TimeText(event.GetEndTime().GetMinuteOfDay());
        m_text.Select(dc, kNormalFace, kMutedText);
        DrawText(dc, m_text.Measure(dc, kNormalFace, time).text, subjectLeft, textTop);
        subjectLeft += m_text.Measure(dc, kNormalFace, time + " ").extent.x;
    }
    wxRect textRect(subjectLeft, textTop, std::max(0, rect.GetRight() - subjectLeft), rect.height);
    PaintEventIcons(dc, textRect, event, kNormalFace);
    m_text.Select(dc, kNormalFace, kText);
    DrawText(dc,
             m_text.Ellipsized(dc, kNormalFace, event.GetSubject(), std::max(0, textRect.width)),
             subjectLeft, textTop);
}

void CTEVCalendarControl::PaintClock(wxDC& dc, const wxPoint& centre, int radius, int minuteOfDay) {
    dc.SetPen(wxPen(kMutedText));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawCircle(centre, radius);
    const double pi = 3.14159265358979;
    const double minuteAngle = (minuteOfDay % 60) / 60.0 * 2 * pi;
    const double hourAngle = ((minuteOfDay / 60) % 12 + (minuteOfDay % 60) / 60.0) / 12.0 * 2 * pi;
    auto hand = [&](double angle, double length) {
        dc.DrawLine(centre, wxPoint(centre.x + static_cast<int>(std::sin(angle) * length),
                                    centre.y - static_cast<int>(std::cos(angle) * length)));
    };
    hand(hourAngle, radius * 0.55);
    hand(minuteAngle, radius * 0.85);
}

void CTEVCalendarControl::PaintSelectedRows(wxDC& dc, const DayGeometry& geometry) {
    if (!m_selection.HasSpan() || m_selection.GetSpan().allDay)
        return;
    const CCalendarSelection::Span& span = m_selection.GetSpan();
    const int scale = m_model.GetScale();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(Blend(kAccentLight, kAccent, 0.25)));
    for (size_t column = 0; column < m_days.size(); ++column) {
        const CCalendarDateTime day = DayStart(m_days[column]);
        const int64_t first =
            std::max<int64_t>(0, CCalendarDateTime::MinutesBetween(day, span.begin));
        const int64_t last = std::min<int64_t>(CCalendarLayout::kMinutesPerDay,
                                               CCalendarDateTime::MinutesBetween(day, span.end));
        if (last <= first)
            continue;
        const int left = ColumnLeft(geometry, static_cast<int>(column));
        const int width = ColumnLeft(geometry, static_cast<int>(column) + 1) - left;
        const int top =
            geometry.time.y + static_cast<int>((first / scale - m_topRow) * geometry.rowHeight);
        const int rows = static_cast<int>((last + scale - 1) / scale - first / scale);
        dc.DrawRectangle(left + 1, top + 1, width - 1, rows * geometry.rowHeight - 1);
    }
}

void CTEVCalendarControl::PaintSelectedFrame(wxDC& dc, const wxRect& rect,
                                             const CCalendarEvent& event) {
    if (!m_selection.IsSelected(event))
        return;
    dc.SetPen(wxPen(kAccent, 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRoundedRectangle(wxRect(rect).Inflate(1), 4);
}

void CTEVCalendarControl::PaintWeekView(wxDC& dc) {
    const std::vector<wxRect> cells = WeekCellRects();
    const int64_t today = GetToday();
    for (size_t i = 0; i < cells.size() && i < m_days.size(); ++i) {
        const wxRect& cell = cells[i];
        const int64_t day = m_days[i];
        const CCalendarDateTime date = DayStart(day);
        const bool isToday = day == today;
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(day == m_focusDay        ? kAccentLight
                            : m_model.IsWorkDay(day) ? kBackground
                                                     : kOtherMonth));
        dc.DrawRectangle(cell);
        const wxRect header(cell.x, cell.y, cell.width, kHeaderHeight - 6);
        dc.SetBrush(wxBrush(isToday ? kAccent : kHeaderBackground));
        dc.DrawRectangle(header);
        const CCalendarTextCache::Face face = isToday ? kBoldFace : kNormalFace;
        m_text.Select(dc, face, isToday ? *wxWHITE : kText);
        const std::string caption = DayName(date.GetDayOfWeek()) + ", " +
                                    MonthName(date.GetMonth()) + " " +
                                    std::to_string(date.GetDay());
        const Measured& measured = m_text.Measure(dc, face, caption);
        DrawText(dc, measured.text, header.x + 8,
                 header.y + (header.height - measured.extent.y) / 2);
        const wxRect body(cell.x, header.GetBottom() + 3, cell.width,
                          std::max(0, cell.GetBottom() - header.GetBottom() - 3));
        const std::vector<int64_t> oneDay{day};
        const std::vector<CCalendarSpanItem> spans = CCalendarLayout::LayoutSpans(m_events, oneDay);
        const int timed = static_cast<int>(DayListOf(day).size());
        const int usable = CCalendarLayout::UsableLines(spans, {timed}, body.height / kLineHeight);
        PaintListCell(dc, body, 0, day, spans, usable, false);
        dc.SetPen(wxPen(kGrid));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(cell.x, cell.y, cell.width + 1, cell.height + 1);
    }
}

void CTEVCalendarControl::PaintMonthView(wxDC& dc) {
    const CCalendarMonthGrid grid = MonthGrid();
    const wxRect headerRow = WxRect(grid.CaptionRow());
    const std::vector<wxRect> cells = CellRects(grid);
    const int64_t today = GetToday();
    const int month = DayStart(m_model.GetSelectedDay()).GetMonth();

    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kHeaderBackground));
    dc.DrawRectangle(headerRow);
    m_text.Select(dc, kNormalFace, kMutedText);
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        // A shared column names both its days: "Saturday/Sunday", or "Sat/Sun" when narrow.
        std::string name;
        std::string shortName;
        for (int dayOfWeek : grid.CaptionDays(column)) {
            const char* separator = name.empty() ? "" : "/";
            name += separator + DayName(dayOfWeek);
            shortName += separator + DayName(dayOfWeek).substr(0, 3);
        }
        const wxRect caption = WxRect(grid.CaptionCell(column));
        const Measured& text = caption.width > m_text.Measure(dc, kNormalFace, name).extent.x + 12
                                   ? m_text.Measure(dc, kNormalFace, name)
                                   : m_text.Measure(dc, kNormalFace, shortName);
        DrawText(dc, text.text, caption.x + (caption.width - text.extent.x) / 2,
                 headerRow.y + (headerRow.height - text.extent.y) / 2);
    }

    const size_t weeks = cells.size() / 7;
    for (size_t week = 0; week < weeks; ++week) {
        const std::vector<int64_t> weekDays(m_days.begin() + week * 7,
                                            m_days.begin() + week * 7 + 7);
        for (int column = 0; column < 7; ++column) {
            const wxRect& cell = cells[week * 7 + column];
            const int64_t day = weekDays[column];
            const CCalendarDateTime date = DayStart(day);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(date.GetMonth() == month ? kBackground : kOtherMonth));
            dc.DrawRectangle(cell);
            if (day == m_focusDay) {
                dc.SetBrush(wxBrush(kAccentLight));
                dc.DrawRectangle(cell);
            }
            std::string number = std::to_string(date.GetDay());
            if (date.GetDay() == 1)
                number = ShortMonthName(date.GetMonth()) + " " + number;
            const CCalendarTextCache::Face face = day == today ? kBoldFace : kNormalFace;
            const Measured& measured = m_text.Measure(dc, face, number);
            const wxSize& extent = measured.extent;
            const int x = cell.x + 8;
            const int y = cell.y + 4;
            if (day == today) {
                dc.SetBrush(wxBrush(kAccent));
                dc.DrawRoundedRectangle(x - 5, y - 2, extent.x + 10, extent.y + 4,
                                        (extent.y + 4) / 2);
                m_text.Select(dc, face, *wxWHITE);
            } else {
                m_text.Select(dc, face, date.GetMonth() == month ? kText : kMutedText);
            }
            DrawText(dc, measured.text, x, y);
        }
    }
    dc.SetPen(wxPen(kGrid));
    for (const wxRect& cell : cells) {
        dc.DrawLine(cell.x, cell.y, cell.GetRight() + 1, cell.y);
        dc.DrawLine(cell.x, cell.y, cell.x, cell.GetBottom() + 1);
    }
    dc.DrawLine(0, headerRow.GetBottom(), ClientSize().x, headerRow.GetBottom());
    // Bars and events over the grid, so that no line crosses a bar.
    for (int week = 0; week < grid.WeekCount(); ++week) {
        for (const CCalendarGridStrip& strip : grid.Strips())
            PaintMonthStrip(dc, grid, week, strip);
    }
}

void CTEVCalendarControl::PaintMonthStrip(wxDC& dc, const CCalendarMonthGrid& grid, int week,
                                          const CCalendarGridStrip& strip) {
    // Bars run across the days of the strip, under the day numbers; a bar over a stacked
    // weekend goes on in each half it covers.
    const std::vector<int64_t> days = grid.StripDays(week, strip);
    const size_t first = static_cast<size_t>(week) * CCalendarMonthGrid::kDaysPerWeek + strip.first;
    auto cell = [&grid, first](size_t column) { return WxRect(grid.Cells()[first + column]); };
    const std::vector<CCalendarSpanItem> spans = CCalendarLayout::LayoutSpans(m_events, days);
    const int bodyTop = cell(0).y + kLineHeight + 4;
    const int bodyHeight = std::max(0, cell(0).GetBottom() - bodyTop);
    std::vector<int> timedCounts;
    for (int64_t day : days)
        timedCounts.push_back(static_cast<int>(DayListOf(day).size()));
    const int usable = CCalendarLayout::UsableLines(spans, timedCounts, bodyHeight / kLineHeight);
    for (const CCalendarSpanItem& item : spans) {
        if (item.lane >= usable)
            continue;
        const int left = cell(item.firstColumn).x + 3;
        const int right = cell(item.lastColumn).GetRight() - 3;
        PaintSpanBar(
            dc, wxRect(left, bodyTop + item.lane * kLineHeight + 1, right - left, kLineHeight - 2),
            item);
    }
    for (size_t column = 0; column < days.size(); ++column) {
        PaintListCell(dc, wxRect(cell(column).x, bodyTop, cell(column).width, bodyHeight),
                      static_cast<int>(column), days[column], spans, usable, true);
    }
}
