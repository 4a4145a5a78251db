#pragma once
// The calendar control: draws the store's events in day, work-week, week or month view and
// answers where a point falls. Where events go is worked out by CCalendarLayout, where the
// month view's days lie by CCalendarMonthGrid and which days show by CCalendarViewModel;
// this class only turns that into pixels and handles the mouse, the wheel and the scroll bar.
#include "calendar/CalendarDrag.h"
#include "calendar/CalendarLayout.h"
#include "calendar/CalendarMarkStamps.h"
#include "calendar/CalendarMonthGrid.h"
#include "calendar/CalendarNavigation.h"
#include "calendar/CalendarSelection.h"
#include "calendar/CalendarTextCache.h"
#include "calendar/CalendarViewModel.h"

#include <wx/cursor.h>
#include <wx/window.h>

#include <functional>
#include <vector>

class CCalendarData;
class wxDC;
class wxScrollBar;
class wxScrollEvent;
class wxTextCtrl;

class CTEVCalendarControl : public wxWindow {
public:
    // What lies under a point of the control.
    struct HitTestInfo {
        enum Kind { kNothing, kDayHeader, kAllDayArea, kTimeCell, kDayCell, kEvent };
        Kind kind = kNothing;
        int64_t day = 0;
        int minute = -1; // time cells: the start of the row
        CCalendarEventPtr event;
    };

    CTEVCalendarControl() = default;
    // Lets go of the mouse when it goes in the middle of a drag.
    ~CTEVCalendarControl() override;
    bool Create(wxWindow* parent, wxWindowID id);

    // The store whose events are shown; not owned.
    void SetDataProvider(CCalendarData* data);
    CCalendarData* GetDataProvider() const { return m_pData; }

    CCalendarViewModel& GetModel() { return m_model; }
    const CCalendarViewModel& GetModel() const { return m_model; }

    CalendarViewType GetActiveViewType() const { return m_model.GetViewType(); }
    void SwitchActiveView(CalendarViewType type);
    // The scale of the day views in minutes per row; the top row shown keeps its time.
    void SetScaleInterval(int minutes);
    int GetScaleInterval() const { return m_model.GetScale(); }
    // Moves the calendar to the day (keeping the kind of view).
    void SelectDay(int64_t day);
    // Reads the visible events from the store again and redraws; inside an update context
    // this waits until the outermost context ends.
    void Populate();

    // Store changes made while one is alive are shown once, when the outermost one ends.
    class UpdateContext {
    public:
        explicit UpdateContext(CTEVCalendarControl* control);
        ~UpdateContext();
        UpdateContext(const UpdateContext&) = delete;
        UpdateContext& operator=(const UpdateContext&) = delete;

    private:
        CTEVCalendarControl* m_pControl;
    };

    // What the user has picked: the clicked event or the clicked time or day.
    CCalendarSelection& GetSelection() { return m_selection; }
    const CCalendarSelection& GetSelection() const { return m_selection; }
    // Picks what lies under `point` as a click does: an event, the row of a time cell (its
    // scale's minutes), or a whole day for the all-day area and the day cells. With
    // `extend` a time or day grows the span picked before; with `add` an event joins the
    // events picked before (Ctrl+click). True when something was picked.
    bool SelectAt(const wxPoint& point, bool extend, bool add = false);
    // The cell under a point, events looked through: a time row or a whole day. False
    // where there is no cell.
    bool CellAt(const wxPoint& point, CCalendarDragCell& cell) const;
    // The pointer over `point`: what a press there would drag (move or resize), else an arrow.
    wxStockCursor CursorAt(const wxPoint& point) const;
    // What a press of the left button at `point` would drag: a move, or a resize when the
    // point is on an end of the event; false when no event is there.
    bool DragModeAt(const wxPoint& point, CalendarDragMode& mode) const;

    // Every change of the store the control makes itself (drags, in-place edits) runs
    // through this runner, so that its owner can make it one undo step.
    using ChangeRunner = std::function<void(const std::function<void()>&)>;
    void SetChangeRunner(ChangeRunner runner) { m_changeRunner = std::move(runner); }
    void RunChange(const std::function<void()>& change);

    // Drags an event from `from` to `to` (client points) as the mouse does; true when the
    // event was changed.
    bool DragEvent(const wxPoint& from, const wxPoint& to);
    // Gives the event the times of a drag: plain events and series are changed, an
    // occurrence becomes an exception.
    void ApplyDrag(const CCalendarEventPtr& event, const CCalendarDragResult& result);

    // The keyboard: arrows, Page Up, Page Down and Home move the selection and the shown
    // range. False for other keys.
    bool Navigate(int keyCode, bool shift);

    // In-place subject editing: on the first picked event, else on the picked span (a new
    // event). `text` starts the editor. False when nothing is picked.
    bool BeginInPlaceEdit(const std::string& text);
    bool IsInPlaceEditing() const;
    // Enter and a click elsewhere commit, Escape cancels.
    void EndInPlaceEdit(bool commit);
    wxTextCtrl* GetInPlaceEditor() const { return m_pEditor; }

    // Paints the calendar as it would show at `size`, the whole day in the day views, onto
    // another device (a printed page); nothing is picked or marked as today.
    void PaintForPrint(wxDC& dc, const wxSize& size);
    // The height the day views need to show every row of the day at `width`.
    int FullDayHeight() const;

    // Tool tips: 0 the calendar's own, 1 with the event's identifier, 2 none.
    int GetToolTipMode() const { return m_nToolTipMode; }
    void SetToolTipMode(int mode) { m_nToolTipMode = mode; }

    // The day that counts as today (the machine's date unless set, for pictures and tests).
    int64_t GetToday() const;
    void SetToday(int64_t day) { m_today = day; }

    // The first row shown in the time area of the day views.
    int GetTopRow() const { return m_topRow; }
    void ScrollToMinute(int minuteOfDay);

    HitTestInfo HitTest(const wxPoint& point) const;
    // Paints the view as it stands onto `dc` (the window's, or a bitmap's) at the control's
    // size; nothing is read from the store.
    void Draw(wxDC& dc);

    // Told whenever the visible days change.
    void SetVisibleDaysChangedHandler(std::function<void()> handler) {
        m_onVisibleDaysChanged = std::move(handler);
    }
    const std::vector<int64_t>& GetVisibleDays() const { return m_days; }
    const std::vector<CCalendarEventPtr>& GetVisibleEvents() const { return m_events; }

    // The text the calendar shows as tip for an event.
    std::string ToolTipText(const CCalendarEvent& event) const;

private:
    // The parts of the day views, in client coordinates.
    struct DayGeometry {
        wxRect header;  // day captions
        wxRect allDay;  // all-day bars
        wxRect time;    // time rows, gutter included
        int gutter = 0; // width of the time captions
        int columnWidth = 0;
        int rowHeight = 0;
    };
    // Which ends of a drawn event a drag can pull.
    enum Ends { kNoEnds, kTopAndBottom, kLeftEnd = 1 << 1, kRightEnd = 1 << 2 };
    struct PlacedEvent {
        wxRect rect;
        CCalendarEventPtr event;
        int ends = kNoEnds;
    };
    // A press on an event, and the drag it became once the mouse moved.
    struct DragState {
        CCalendarEventPtr event;
        CalendarDragMode mode = kCalendarDragMove;
        CCalendarDragCell grab;
        wxPoint pressed;
        bool active = false;
        bool hasDrop = false;
        CCalendarDragResult drop;
    };
    // What the in-place editor edits: an event's subject, or the subject of a new event.
    struct EditState {
        CCalendarEventPtr event;
        CCalendarSelection::Span span;
    };

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnEditorKey(wxKeyEvent& event);
    void OnEditorKillFocus(wxFocusEvent& event);
    void UpdateToolTip(const wxPoint& point);
    void UpdateCursor(const wxPoint& point);
    void TrackDrag(const wxPoint& point);
    void EndDrag();
    const PlacedEvent* PlacedAt(const wxPoint& point) const;
    HitTestInfo HitTestCell(const wxPoint& point) const;
    wxRect EditorRect() const;
    void CommitEdit(const EditState& edit, const std::string& subject);
    void PaintDragGhost(wxDC& dc);
    // Draws the event's reminder and meeting marks at the right of `text` and leaves
    // `text` the room that is left.
    void PaintEventIcons(wxDC& dc, wxRect& text, const CCalendarEvent& event,
                         CCalendarTextCache::Face face);
    // A day's column (its time rows or its all-day part) or cell; empty when not shown.
    wxRect DayRect(int64_t day, bool allDayRow) const;
    wxSize ClientSize() const;
    // Marks are stamped on the screen; a printed page draws them in place.
    bool Stamping() const;
    int ScrollWidth() const;
    void ScrollIntoView(const CCalendarSelection::Span& span);
    void OnScroll(wxScrollEvent& event);

    void Recalc();
    void UpdateScrollBar();
    void NotifyVisibleDays();
    int RowCount() const;
    int VisibleRows() const;

    DayGeometry DayViewGeometry() const;
    int ColumnLeft(const DayGeometry& geometry, int column) const;
    void PaintDayView(wxDC& dc);
    // The parts of the day views, in the order they are painted.
    void PaintDayCaptions(wxDC& dc, const DayGeometry& geometry);
    void PaintDayCaption(wxDC& dc, const wxRect& cell, const CCalendarDateTime& date, bool isToday);
    void PaintAllDayBars(wxDC& dc, const DayGeometry& geometry);
    void PaintTimeRows(wxDC& dc, const DayGeometry& geometry);
    void PaintHourCaption(wxDC& dc, const DayGeometry& geometry, int y, int hour);
    void PaintTimedEvents(wxDC& dc, const DayGeometry& geometry);
    void PaintNowLine(wxDC& dc, const DayGeometry& geometry);
    void PaintDayFrame(wxDC& dc, const DayGeometry& geometry);
    void PaintWeekView(wxDC& dc);
    void PaintMonthView(wxDC& dc);
    // The timed events of a cell under its bars, and what does not fit; week cells draw
    // their own bars. `usable` lines hold items, the next one the hidden count.
    void PaintListCell(wxDC& dc, const wxRect& body, int column, int64_t day,
                       const std::vector<CCalendarSpanItem>& spans, int usable, bool monthCell);
    // One line of a month or week cell: the event's dot, times, marks and subject.
    void PaintListItem(wxDC& dc, const wxRect& rect, const CCalendarEvent& event, int64_t day,
                       bool monthCell);
    void PaintSpanBar(wxDC& dc, const wxRect& rect, const CCalendarSpanItem& item);
    void PaintTimedEvent(wxDC& dc, const wxRect& rect, const CCalendarEvent& event);
    void PaintClock(wxDC& dc, const wxPoint& centre, int radius, int minuteOfDay);
    // The picked rows of a day view's columns, and the frame of a picked event.
    void PaintSelectedRows(wxDC& dc, const DayGeometry& geometry);
    void PaintSelectedFrame(wxDC& dc, const wxRect& rect, const CCalendarEvent& event);
    // The rectangle of each day of the week and month views (index into the visible days).
    std::vector<wxRect> WeekCellRects() const;
    std::vector<wxRect> MonthCellRects() const;
    CCalendarMonthGrid MonthGrid() const;
    // The bars and events of the days of one strip of a week row of the month view.
    void PaintMonthStrip(wxDC& dc, const CCalendarMonthGrid& grid, int week,
                         const CCalendarGridStrip& strip);
    // The day's timed events as its cell lists them, read when the events were.
    const std::vector<CCalendarEventPtr>& DayListOf(int64_t day) const;

    CCalendarData* m_pData = nullptr;
    CCalendarViewModel m_model;
    std::vector<int64_t> m_days;
    std::vector<CCalendarEventPtr> m_events;
    std::vector<CCalendarSpanItem> m_spans;
    std::vector<CCalendarTimedItem> m_timed;
    // The timed events of each visible day in list order (week and month views).
    std::vector<std::vector<CCalendarEventPtr>> m_dayLists;
    // Where events were drawn last, for hit tests.
    std::vector<PlacedEvent> m_placed;

    wxScrollBar* m_pScrollBar = nullptr;
    int m_topRow = 0;
    // The time of day at the top of the day views; the row follows it at every scale.
    int m_topMinute = 0;
    int m_nToolTipMode = 0;
    int64_t m_today = INT64_MIN;
    int64_t m_focusDay = INT64_MIN;
    CCalendarSelection m_selection;
    DragState m_drag;
    bool m_selectingSpan = false;
    wxStockCursor m_cursor = wxCURSOR_ARROW;
    wxTextCtrl* m_pEditor = nullptr;
    EditState m_edit;
    bool m_editing = false;
    ChangeRunner m_changeRunner;
    CCalendarTextCache m_text;
    CCalendarMarkStamps m_stamps;
    // Set while painting for print: the size painted and no marks of the screen.
    wxSize m_printSize;
    int m_updateDepth = 0;
    bool m_populatePending = false;
    std::function<void()> m_onVisibleDaysChanged;
};
