#include "calendar/CalendarClipboard.h"

#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDataFormat.h"
#include "calendar/store/EventIdList.h"
#include "platform/text/StringUtil.h"

#include <pugixml.hpp>

#include <algorithm>

const char* const CCalendarClipboard::kFormatName = "application/x-quorvane-calendar-events";

namespace {

// A plain event with every property of `event` but its links to a series.
CCalendarEventPtr PlainCopy(CCalendarData& store, const CCalendarEvent& event) {
    CCalendarEventPtr copy = store.CreateNewEvent();
    copy->SetStartTime(event.GetStartTime());
    copy->SetEndTime(event.GetEndTime());
    copy->SetSubject(event.GetSubject());
    copy->SetLocation(event.GetLocation());
    copy->SetBody(event.GetBody());
    copy->SetMeeting(event.IsMeeting());
    copy->SetPrivate(event.IsPrivate());
    copy->SetAllDayEvent(event.IsAllDayEvent());
    copy->SetLabelId(event.GetLabelId());
    copy->SetBusyStatus(event.GetBusyStatus());
    copy->SetReminder(event.IsReminder());
    copy->SetReminderMinutesBeforeStart(event.GetReminderMinutesBeforeStart());
    return copy;
}

} // namespace

std::string CCalendarClipboard::ToXml(const std::vector<CCalendarEventPtr>& events) {
    CCalendarData copies;
    CEventIdList ids(copies);
    for (const CCalendarEventPtr& event : events) {
        if (event && event->GetStartTime().IsValid() && event->GetEndTime().IsValid())
            copies.AddEvent(PlainCopy(copies, *event));
    }
    return CCalendarDataFormat::Write(copies, ids);
}

std::string CCalendarClipboard::ToText(const std::vector<CCalendarEventPtr>& events) {
    std::string text;
    for (const CCalendarEventPtr& event : events) {
        const CCalendarDateTime& start = event->GetStartTime();
        const CCalendarDateTime& end = event->GetEndTime();
        if (!start.IsValid() || !end.IsValid())
            continue;
        const std::string time =
            event->IsAllDayEvent() ? std::string("all day")
                                   : tev::Format("%02d:%02d-%02d:%02d", start.GetHour(),
                                                 start.GetMinute(), end.GetHour(), end.GetMinute());
        text += tev::Format("%s\t%04d-%02d-%02d\t%s\n", event->GetSubject().c_str(),
                            start.GetYear(), start.GetMonth(), start.GetDay(), time.c_str());
    }
    return text;
}

std::vector<CCalendarEventPtr> CCalendarClipboard::FromXml(const std::string& xml,
                                                           CCalendarData& store,
                                                           const CCalendarDateTime& slot,
                                                           bool wholeDay) {
    pugi::xml_document document;
    if (!slot.IsValid() || !document.load_string(xml.c_str()))
        return {};
    CCalendarData copies;
    CEventIdList ids(copies);
    CCalendarDataFormat::Read(document, copies, ids);
    std::vector<CCalendarEventPtr> read;
    for (uint32_t id : ids.GetIds()) {
        const CCalendarEventPtr event = copies.GetEvent(id);
        if (event && event->GetStartTime().IsValid() && event->GetEndTime().IsValid())
            read.push_back(event);
    }
    if (read.empty())
        return {};
    const CCalendarDateTime earliest =
        (*std::min_element(read.begin(), read.end(), [](const auto& a, const auto& b) {
            return a->GetStartTime() < b->GetStartTime();
        }))->GetStartTime();
    const int64_t shift = wholeDay ? (slot.GetDayNumber() - earliest.GetDayNumber()) * 24 * 60
                                   : CCalendarDateTime::MinutesBetween(earliest, slot);
    std::vector<CCalendarEventPtr> pasted;
    for (const CCalendarEventPtr& event : read) {
        CCalendarEventPtr copy = PlainCopy(store, *event);
        copy->SetStartTime(event->GetStartTime().AddMinutes(shift));
        copy->SetEndTime(event->GetEndTime().AddMinutes(shift));
        pasted.push_back(copy);
    }
    return pasted;
}
