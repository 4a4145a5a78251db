#pragma once
// What the "Appointment and Event Details" dialog does, without a window: which event it
// edits (a new one, a store event, an occurrence, or a copy of a series' master), the values
// its controls show, which of them show, the all-day end-date shift, the event the
// recurrence dialog works on, and OK's checks and writes. CCalendarEventEditorDlg only
// moves values between its controls and this class.
//
// All-day events are stored from midnight to the midnight after their last day; the dialog
// shows that last day as the end date. Ticking "All day" on an event that ends at midnight
// moves the end date one day back, clearing it moves it one day forward; the end date never
// moves back before the start date. OK stores an all-day event from the start date's
// midnight to the midnight after the end date.
//
// Nothing reaches the event before every check of OK has passed, and a change of
// recurrence is worked out on a copy, so Cancel leaves the store as it was.
#include "calendar/CalendarSelection.h"
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"

#include <string>
#include <vector>

class CCalendarData;

// The values of the dialog's controls; times of day and the reminder time as their lists'
// texts.
struct CEventEditorFields {
    std::string subject;
    std::string location;
    std::string body;
    CCalendarDateTime startDate; // midnight
    std::string startTime;
    CCalendarDateTime endDate;
    std::string endTime;
    bool allDay = false;
    int busyStatus = -1; // index of "Sho&w time as:", -1 for none
    int labelIndex = -1; // index of "La&bel:" (the label number), -1 for none
    bool isPrivate = false;
    bool meeting = false;
    bool reminder = false;
    std::string reminderTime;
    int scheduleIndex = -1; // index into ScheduleEntries(), -1 for none
};

// A check of OK that failed: the message (a string table identifier) and the control that
// gets the focus.
struct CEditorRefusal {
    int messageId = 0;
    int controlId = 0;
    // Bounds for "Please enter a value between %s and %s."
    int low = 0;
    int high = 0;
    explicit operator bool() const { return messageId != 0; }
};

class CCalendarEventEditorModel {
public:
    struct ScheduleEntry {
        std::string name;
        int scheduleId;
    };
    // Which date and time controls show, and whether the reminder time can be chosen.
    struct Visibility {
        bool dates;
        bool times;
        bool reminderTime;
    };
    // The event the recurrence dialog works on.
    struct RecurrenceTarget {
        CCalendarEventPtr event;
        bool newPattern = false;   // made recurring just now: nothing to remove yet
        bool reloadFields = false; // the dialog edits another event afterwards
        CEditorRefusal refusal;    // set when the times do not allow a pattern
    };

    // A new event (not yet in the store) for the selection's span; without one, from `now`
    // for an hour. Busy unless the span is all-day.
    CCalendarEventEditorModel(CCalendarData& data, const CCalendarSelection& selection,
                              const CCalendarDateTime& now);
    // A store event, an occurrence or an exception.
    CCalendarEventEditorModel(CCalendarData& data, CCalendarEventPtr event);

    bool IsAddNew() const { return m_addNew; }
    // 1 while one event or occurrence is edited, 0 while a whole series is.
    bool IsSingle() const { return m_single; }
    const CCalendarEventPtr& GetEvent() const { return m_event; }

    // An occurrence or exception: the dialog first asks whether the series is meant.
    bool AsksOccurrenceOrSeries() const;
    // The series is meant: the dialog edits a copy of its master.
    void OpenSeries();

    // The store's label names (the list index is the label number) and its schedules,
    // after an empty first entry; the schedule list is enabled only when there are any.
    std::vector<std::string> LabelNames() const;
    std::vector<ScheduleEntry> ScheduleEntries() const;
    bool HasSchedules() const;

    CEventEditorFields LoadFields() const;
    // The start and end of the event into `fields`, the end date shifted for `fields.allDay`.
    void LoadTimes(CEventEditorFields& fields) const;
    Visibility GetVisibility(const CEventEditorFields& fields) const;
    // The all-day box changed to `fields.allDay`: the end date follows.
    static void OnAllDayChanged(CEventEditorFields& fields);
    // The start changed: the end moves as far as the start moved since `shown` (the times
    // shown last), so the event keeps its length, and `shown` takes the new times. False
    // (and nothing moves) while a time does not read.
    static bool KeepLength(CEventEditorFields& fields, CEventEditorFields& shown);
    // Moves the end date by `days` (+1 or -1); never back before the start date.
    static void ShiftEndDate(CEventEditorFields& fields, int days);

    // The event the recurrence dialog is to edit: a series' master as it is, the master of
    // an occurrence's series as a copy, or a copy of a plain event made recurring with the
    // dialog's times.
    RecurrenceTarget PrepareRecurrence(const CEventEditorFields& fields) const;
    // The recurrence dialog ended with OK or "Remove recurrence": the dialog edits its
    // event from now on.
    void TakeRecurrence(const RecurrenceTarget& target);

    // OK's checks, in order: the reminder time, the times, the end not before the start.
    CEditorRefusal Check(const CEventEditorFields& fields) const;
    // Writes the fields into the event (after Check passed); an occurrence becomes an
    // exception of its series.
    void Apply(const CEventEditorFields& fields);
    // Adds the event to the store, or commits its change.
    bool Commit();

private:
    // The start and end the fields stand for; false (with the refusal) when a time does
    // not read.
    static bool TimesOf(const CEventEditorFields& fields, CCalendarDateTime& start,
                        CCalendarDateTime& end, CEditorRefusal& refusal);

    CCalendarData& m_data;
    CCalendarEventPtr m_event;
    bool m_addNew = false;
    bool m_single = true;
    int m_selectionAllDay = -1; // -1 when an existing event is edited
};
