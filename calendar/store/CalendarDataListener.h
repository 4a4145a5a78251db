#pragma once
// What the store reports to those who follow it (the event ID list, the views). Reports
// arrive after the change is made, on the thread that made it.
//
// "Event" reports concern the store's own events: plain events and series masters.
// Occurrences and exceptions belong to their series; a change to them is reported as a
// change of the series' pattern.
class CCalendarEvent;
class CCalendarRecurrencePattern;

class ICalendarDataListener {
public:
    virtual ~ICalendarDataListener() = default;
    virtual void OnEventAdded(const CCalendarEvent& event) {}
    virtual void OnEventDeleted(const CCalendarEvent& event) {}
    virtual void OnEventChanged(const CCalendarEvent& event) {}
    virtual void OnPatternAdded(const CCalendarRecurrencePattern& pattern) {}
    virtual void OnPatternDeleted(const CCalendarRecurrencePattern& pattern) {}
    virtual void OnPatternChanged(const CCalendarRecurrencePattern& pattern) {}
    // Every event was removed at once (CCalendarData::RemoveAllEvents); no per-event
    // reports are sent for it.
    virtual void OnAllEventsRemoved() {}
    // The store is going away; it reports nothing more and needs no RemoveListener.
    virtual void OnStoreDestroyed() {}
};
