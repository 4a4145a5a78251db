#include "calendar/CalendarEventEditorModel.h"

#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDurations.h"
#include "resources/calendar/CalendarStrings.h"

#include <algorithm>
#include <climits>

using namespace tev::calendar;

CCalendarEventEditorModel::CCalendarEventEditorModel(CCalendarData& data,
                                                     const CCalendarSelection& selection,
                                                     const CCalendarDateTime& now)
    : m_data(data), m_event(data.CreateNewEvent()), m_addNew(true) {
    CCalendarDateTime begin = now.AddSeconds(-now.GetSecond());
    CCalendarDateTime end = begin.AddMinutes(60);
    bool allDay = false;
    if (selection.HasSpan()) {
        begin = selection.GetSpan().begin;
        end = selection.GetSpan().end;
        allDay = selection.GetSpan().allDay;
    }
    m_event->SetStartTime(std::min(begin, end));
    m_event->SetEndTime(std::max(begin, end));
    m_event->SetScheduleId(0);
    m_selectionAllDay = allDay ? 1 : 0;
    if (!allDay)
        m_event->SetBusyStatus(kCalendarBusyBusy);
}

CCalendarEventEditorModel::CCalendarEventEditorModel(CCalendarData& data, CCalendarEventPtr event)
    : m_data(data), m_event(std::move(event)) {}

bool CCalendarEventEditorModel::AsksOccurrenceOrSeries() const {
    const CalendarRecurrenceState state = m_event->GetRecurrenceState();
    return state == kCalendarRecurrenceOccurrence || state == kCalendarRecurrenceException;
}

void CCalendarEventEditorModel::OpenSeries() {
    const CCalendarEventPtr master = m_data.GetMasterEvent(m_event->GetRecurrencePatternId());
    if (!master)
        return;
    m_event = master->CloneEvent();
    m_single = false;
}

std::vector<std::string> CCalendarEventEditorModel::LabelNames() const {
    std::vector<std::string> names;
    for (const CCalendarLabel& label : m_data.GetLabels().GetLabels())
        names.push_back(label.m_name);
    return names;
}

std::vector<CCalendarEventEditorModel::ScheduleEntry>
CCalendarEventEditorModel::ScheduleEntries() const {
    std::vector<ScheduleEntry> entries{{"", 0}};
    for (size_t i = 0; i < m_data.GetScheduleCount(); ++i) {
        const CCalendarSchedule& schedule = m_data.GetScheduleAt(i);
        entries.push_back({schedule.GetName(), schedule.GetId()});
    }
    return entries;
}

bool CCalendarEventEditorModel::HasSchedules() const {
    return m_data.GetScheduleCount() > 0;
}

CEventEditorFields CCalendarEventEditorModel::LoadFields() const {
    const CCalendarEvent& event = *m_event;
    CEventEditorFields fields;
    fields.subject = event.GetSubject();
    fields.location = event.GetLocation();
    fields.body = event.GetBody();
    fields.allDay = m_selectionAllDay < 0 ? event.IsAllDayEvent() : m_selectionAllDay == 1;
    LoadTimes(fields);
    const int busy = event.GetBusyStatus();
    fields.busyStatus = busy >= kCalendarBusyFree && busy <= kCalendarBusyOutOfOffice ? busy : -1;
    const int label = event.GetLabelId();
    fields.labelIndex =
        label >= 0 && static_cast<size_t>(label) < m_data.GetLabels().GetCount() ? label : -1;
    fields.isPrivate = event.IsPrivate();
    fields.meeting = event.IsMeeting();
    fields.reminder = event.IsReminder();
    fields.reminderTime = CalendarDurations::FormatDuration(event.GetReminderMinutesBeforeStart());
    const std::vector<ScheduleEntry> schedules = ScheduleEntries();
    if (m_addNew)
        fields.scheduleIndex = 0;
    for (size_t i = 0; i < schedules.size(); ++i) {
        if (schedules[i].scheduleId == event.GetScheduleId())
            fields.scheduleIndex = static_cast<int>(i);
    }
    return fields;
}

void CCalendarEventEditorModel::LoadTimes(CEventEditorFields& fields) const {
    const CCalendarDateTime& start = m_event->GetStartTime();
    const CCalendarDateTime& end = m_event->GetEndTime();
    fields.startDate = start.GetDate();
    fields.startTime = CalendarDurations::FormatTime(start.GetMinuteOfDay());
    fields.endDate = end.GetDate();
    fields.endTime = CalendarDurations::FormatTime(end.GetMinuteOfDay());
    if (fields.allDay && end.IsValid() && end.GetMinuteOfDay() == 0)
        ShiftEndDate(fields, -1);
}

CCalendarEventEditorModel::Visibility
CCalendarEventEditorModel::GetVisibility(const CEventEditorFields& fields) const {
    return {m_single, m_single && !fields.allDay, fields.reminder};
}

void CCalendarEventEditorModel::ShiftEndDate(CEventEditorFields& fields, int days) {
    const CCalendarDateTime shifted = fields.endDate.GetDate().AddDays(days);
    if (days < 0 && !(shifted >= fields.startDate.GetDate()))
        return;
    fields.endDate = shifted;
}

void CCalendarEventEditorModel::OnAllDayChanged(CEventEditorFields& fields) {
    if (CalendarDurations::ParseTime(fields.endTime) == 0)
        ShiftEndDate(fields, fields.allDay ? -1 : 1);
}

bool CCalendarEventEditorModel::KeepLength(CEventEditorFields& fields, CEventEditorFields& shown) {
    CEditorRefusal ignored;
    CCalendarDateTime oldStart;
    CCalendarDateTime oldEnd;
    CCalendarDateTime newStart;
    CCalendarDateTime newEnd;
    if (!TimesOf(shown, oldStart, oldEnd, ignored) || !TimesOf(fields, newStart, newEnd, ignored))
        return false;
    const int64_t moved = CCalendarDateTime::MinutesBetween(oldStart, newStart);
    if (fields.allDay) {
        fields.endDate = shown.endDate.GetDate().AddDays(moved / 1440);
    } else {
        const CCalendarDateTime end = oldEnd.AddMinutes(moved);
        fields.endDate = end.GetDate();
        fields.endTime = CalendarDurations::FormatTime(end.GetMinuteOfDay());
    }
    shown = fields;
    return true;
}

bool CCalendarEventEditorModel::TimesOf(const CEventEditorFields& fields, CCalendarDateTime& start,
                                        CCalendarDateTime& end, CEditorRefusal& refusal) {
    if (fields.allDay) {
        start = fields.startDate.GetDate();
        end = fields.endDate.GetDate().AddDays(1);
        return true;
    }
    const int startMinute = CalendarDurations::ParseTime(fields.startTime);
    const int endMinute = CalendarDurations::ParseTime(fields.endTime);
    if (startMinute < 0 || endMinute < 0) {
        refusal = {IDS_WRONG_VALUE, startMinute < 0 ? IDC_EVENT_START_TIME : IDC_EVENT_END_TIME};
        return false;
    }
    start = fields.startDate.GetDate().AddMinutes(startMinute);
    end = fields.endDate.GetDate().AddMinutes(endMinute);
    return true;
}

CCalendarEventEditorModel::RecurrenceTarget
CCalendarEventEditorModel::PrepareRecurrence(const CEventEditorFields& fields) const {
    RecurrenceTarget target;
    switch (m_event->GetRecurrenceState()) {
    case kCalendarRecurrenceMaster:
        target.event = m_event;
        return target;
    case kCalendarRecurrenceOccurrence:
    case kCalendarRecurrenceException:
        if (const CCalendarEventPtr master =
                m_data.GetMasterEvent(m_event->GetRecurrencePatternId()))
            target.event = master->CloneEvent();
        target.reloadFields = true;
        return target;
    case kCalendarNotRecurring:
        break;
    }
    CCalendarDateTime start;
    CCalendarDateTime end;
    if (!TimesOf(fields, start, end, target.refusal))
        return target;
    target.event = m_event->CloneEvent();
    const CCalendarRecurrencePatternPtr pattern = target.event->MakeEventAsRecurrence();
    pattern->SetStartTime(start);
    const int64_t minutes = std::max<int64_t>(0, CCalendarDateTime::MinutesBetween(start, end));
    pattern->SetDurationMinutes(static_cast<int>(std::min<int64_t>(minutes, INT_MAX)));
    pattern->SetPatternStartDate(start);
    target.event->UpdateRecurrence(pattern);
    target.newPattern = true;
    return target;
}

void CCalendarEventEditorModel::TakeRecurrence(const RecurrenceTarget& target) {
    if (!target.event)
        return;
    m_event = target.event;
    m_single = !m_event->IsRecurring();
}

CEditorRefusal CCalendarEventEditorModel::Check(const CEventEditorFields& fields) const {
    if (CalendarDurations::ParseDuration(fields.reminderTime) < 0)
        return {IDS_WRONG_VALUE, IDC_EVENT_REMINDER_TIME};
    if (!m_single)
        return {};
    CEditorRefusal refusal;
    CCalendarDateTime start;
    CCalendarDateTime end;
    if (!TimesOf(fields, start, end, refusal))
        return refusal;
    if (fields.allDay && fields.endDate.GetDate() < fields.startDate.GetDate())
        return {IDS_END_BEFORE_START, IDC_EVENT_END_DATE};
    if (!fields.allDay && end < start)
        return {IDS_END_BEFORE_START, IDC_EVENT_END_TIME};
    return {};
}

void CCalendarEventEditorModel::Apply(const CEventEditorFields& fields) {
    CCalendarEvent& event = *m_event;
    event.MakeAsException();
    event.SetSubject(fields.subject);
    event.SetLocation(fields.location);
    event.SetBody(fields.body);
    CCalendarDateTime start;
    CCalendarDateTime end;
    CEditorRefusal refusal;
    if (m_single && TimesOf(fields, start, end, refusal)) {
        event.SetStartTime(start);
        event.SetEndTime(end);
    }
    event.SetAllDayEvent(fields.allDay);
    event.SetBusyStatus(fields.busyStatus);
    // A label number the list does not hold stays as it is.
    if (fields.labelIndex >= 0)
        event.SetLabelId(fields.labelIndex);
    event.SetPrivate(fields.isPrivate);
    event.SetMeeting(fields.meeting);
    event.SetReminder(fields.reminder);
    if (fields.reminder)
        event.SetReminderMinutesBeforeStart(CalendarDurations::ParseDuration(fields.reminderTime));
    const std::vector<ScheduleEntry> schedules = ScheduleEntries();
    if (fields.scheduleIndex >= 0 && static_cast<size_t>(fields.scheduleIndex) < schedules.size())
        event.SetScheduleId(schedules[fields.scheduleIndex].scheduleId);
}

bool CCalendarEventEditorModel::Commit() {
    return m_addNew ? m_data.AddEvent(m_event) : m_data.ChangeEvent(m_event);
}
