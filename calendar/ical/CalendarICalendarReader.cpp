#include "calendar/ical/CalendarICalendar.h"

#include "calendar/ical/CalendarICalendarTimes.h"
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarOccurrenceExpander.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

using namespace calendar_ical;

namespace {

constexpr int kHorizonYears = 5;
const char kBusyProperty[] = "X-MICROSOFT-CDO-BUSYSTATUS";
const char* const kBusyValues[] = {"FREE", "TENTATIVE", "BUSY", "OOF"};

using DateSet = std::set<CCalendarDateTime>;

// One UID's components: the series (or single event) and its changed occurrences.
struct Group {
    icalcomponent* master = nullptr;
    std::vector<icalcomponent*> overrides;
};

// The dates a rule gives, followed as far as needed.
struct RuleDates {
    DateSet dates;
    bool cut = false;            // the rule goes on after the last date here
    bool stoppedByCount = false; // cut after kMaxExpandedOccurrences
};

std::string TextOf(icalcomponent* component, icalproperty_kind kind) {
    icalproperty* property = icalcomponent_get_first_property(component, kind);
    const char* text = property ? icalvalue_get_text(icalproperty_get_value(property)) : nullptr;
    return text && icalproperty_get_value(property) &&
                   icalvalue_isa(icalproperty_get_value(property)) == ICAL_TEXT_VALUE
               ? text
               : "";
}

int BusyStatusOf(icalcomponent* component) {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(p);
        const char* value = icalproperty_get_x(p);
        if (!name || !value || strcasecmp(name, kBusyProperty) != 0)
            continue;
        for (int status = 0; status < 4; ++status) {
            if (strcasecmp(value, kBusyValues[status]) == 0)
                return status;
        }
    }
    if (icalproperty* transp = icalcomponent_get_first_property(component, ICAL_TRANSP_PROPERTY))
        return icalproperty_get_transp(transp) == ICAL_TRANSP_TRANSPARENT ? kCalendarBusyFree
                                                                          : kCalendarBusyBusy;
    if (icalproperty* status = icalcomponent_get_first_property(component, ICAL_STATUS_PROPERTY)) {
        if (icalproperty_get_status(status) == ICAL_STATUS_TENTATIVE)
            return kCalendarBusyTentative;
    }
    return kCalendarBusyUnknown;
}

bool IsPrivate(icalcomponent* component) {
    icalproperty* property = icalcomponent_get_first_property(component, ICAL_CLASS_PROPERTY);
    if (!property)
        return false;
    const icalproperty_class value = icalproperty_get_class(property);
    return value == ICAL_CLASS_PRIVATE || value == ICAL_CLASS_CONFIDENTIAL;
}

int LabelOf(icalcomponent* component, const CCalendarLabels& labels) {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_CATEGORIES_PROPERTY)) {
        const char* value = icalproperty_get_categories(p);
        std::string list = value ? value : "";
        size_t begin = 0;
        while (begin <= list.size()) {
            const size_t end = std::min(list.find(',', begin), list.size());
            const std::string name = list.substr(begin, end - begin);
            for (const CCalendarLabel& label : labels.GetLabels()) {
                if (label.m_labelId != 0 && label.m_name == name)
                    return label.m_labelId;
            }
            begin = end + 1;
        }
    }
    return 0;
}

// Seconds a trigger lies before the start (negative after it); false without a trigger.
bool TriggerSecondsBefore(icalcomponent* alarm, icalcomponent* event, int64_t& seconds) {
    icalproperty* property = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (!property)
        return false;
    const icaltriggertype trigger = icalproperty_get_trigger(property);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (!icaltime_is_null_time(trigger.time)) {
        seconds =
            static_cast<int64_t>(icaltime_as_timet_with_zone(start, start.zone)) -
            static_cast<int64_t>(icaltime_as_timet_with_zone(trigger.time, trigger.time.zone));
        return true;
    }
    seconds = -static_cast<int64_t>(icaldurationtype_as_int(trigger.duration));
    icalparameter* related = icalproperty_get_first_parameter(property, ICAL_RELATED_PARAMETER);
    if (related && icalparameter_get_related(related) == ICAL_RELATED_END) {
        const icaltimetype end = icalcomponent_get_dtend(event);
        if (!icaltime_is_null_time(end))
            seconds -= static_cast<int64_t>(icaltime_as_timet_with_zone(end, end.zone)) -
                       static_cast<int64_t>(icaltime_as_timet_with_zone(start, start.zone));
    }
    return true;
}

class Importer {
public:
    Importer(CCalendarData& store, const LocalZone& zone, CCalendarImportResult& result)
        : m_store(store), m_zone(zone), m_result(result), m_now(store.GetCurrentTime()) {}

    void ImportGroup(const Group& group);

private:
    struct Times {
        CCalendarDateTime start;
        CCalendarDateTime end;
        bool allDay = false;
        int durationMinutes = 0;
    };

    bool TimesOf(icalcomponent* component, Times& times) const;
    CCalendarEventPtr NewEvent(icalcomponent* component, const Times& times,
                               const std::string& subject);
    void Note(const std::string& subject, CalendarImportNote note) {
        m_result.m_notes.push_back({subject, note});
    }
    void Add(const CCalendarEventPtr& event) { m_result.m_events.push_back(event); }
    DateSet DatesOf(icalcomponent* component, icalproperty_kind kind) const;
    RuleDates FollowRule(icalcomponent* component, const icalrecurrencetype& rule,
                         const CCalendarDateTime& horizon) const;
    void ImportSeries(const Group& group, const Times& times, const std::string& subject);
    CCalendarRecurrencePatternPtr MakeSeries(const CCalendarEventPtr& master,
                                             const CCalendarRecurrenceOptions& options,
                                             const icalrecurrencetype& rule, const Times& times);
    void AddExtraDates(icalcomponent* component, const DateSet& dates, const Times& times,
                       const std::string& subject,
                       std::map<CCalendarDateTime, CCalendarEventPtr>& made);
    void ApplyOverrides(const Group& group, const CCalendarEventPtr& master,
                        std::map<CCalendarDateTime, CCalendarEventPtr>& extras);

    CCalendarData& m_store;
    const LocalZone& m_zone;
    CCalendarImportResult& m_result;
    CCalendarDateTime m_now;
};

bool Importer::TimesOf(icalcomponent* component, Times& times) const {
    const icaltimetype start = icalcomponent_get_dtstart(component);
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start))
        return false;
    times.allDay = start.is_date != 0;
    times.start = m_zone.FromIcal(start);
    if (!times.start.IsValid())
        return false;
    const icaltimetype end = icalcomponent_get_dtend(component);
    times.end = icaltime_is_null_time(end) ? CCalendarDateTime() : m_zone.FromIcal(end);
    if (!times.end.IsValid() || times.end < times.start)
        times.end = times.allDay ? times.start.AddDays(1) : times.start;
    if (times.allDay && times.end == times.start)
        times.end = times.start.AddDays(1);
    times.durationMinutes = static_cast<int>(
        std::min<int64_t>(CCalendarDateTime::MinutesBetween(times.start, times.end), INT32_MAX));
    return true;
}

CCalendarEventPtr Importer::NewEvent(icalcomponent* component, const Times& times,
                                     const std::string& subject) {
    const CCalendarEventPtr event = m_store.CreateNewEvent(0, m_now);
    event->SetStartTime(times.start);
    event->SetEndTime(times.end);
    event->SetAllDayEvent(times.allDay);
    event->SetSubject(subject);
    event->SetLocation(TextOf(component, ICAL_LOCATION_PROPERTY));
    event->SetBody(TextOf(component, ICAL_DESCRIPTION_PROPERTY));
    event->SetBusyStatus(BusyStatusOf(component));
    event->SetPrivate(IsPrivate(component));
    event->SetLabelId(LabelOf(component, m_store.GetLabels()));
    if (const char* uid = icalcomponent_get_uid(component))
        event->SetUid(uid);
    icalcomponent* alarm = icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT);
    int64_t seconds = 0;
    if (alarm && TriggerSecondsBefore(alarm, component, seconds)) {
        if (seconds < 0)
            Note(subject, CalendarImportNote::ReminderMoved);
        event->SetReminder(true);
        event->SetReminderMinutesBeforeStart(
            static_cast<int>(std::clamp<int64_t>(seconds / 60, 0, INT32_MAX)));
    }
    return event;
}

DateSet Importer::DatesOf(icalcomponent* component, icalproperty_kind kind) const {
    DateSet dates;
    for (icalproperty* p = icalcomponent_get_first_property(component, kind); p;
         p = icalcomponent_get_next_property(component, kind)) {
        const icaltimetype time = icalproperty_get_datetime_with_component(p, component);
        if (!icaltime_is_null_time(time) && icaltime_is_valid_time(time)) {
            const CCalendarDateTime local = m_zone.FromIcal(time);
            if (local.IsValid())
                dates.insert(local);
        }
    }
    return dates;
}

RuleDates Importer::FollowRule(icalcomponent* component, const icalrecurrencetype& rule,
                               const CCalendarDateTime& horizon) const {
    RuleDates found;
    const icaltimetype start = icalcomponent_get_dtstart(component);
    icalrecurrencetype bounded = rule;
    if (bounded.count == 0) {
        // The iterator stops itself at the horizon, so a rule that matches nothing ends too.
        icaltimetype until = m_zone.ToUtc(horizon);
        if (start.is_date)
            until = m_zone.ToIcal(horizon, true);
        if (icaltime_is_null_time(bounded.until) || icaltime_compare(bounded.until, until) > 0)
            bounded.until = until;
    }
    icalrecur_iterator* iterator = icalrecur_iterator_new(bounded, start);
    if (!iterator)
        return found;
    for (icaltimetype next = icalrecur_iterator_next(iterator); !icaltime_is_null_time(next);
         next = icalrecur_iterator_next(iterator)) {
        next.zone = start.zone;
        const CCalendarDateTime local = m_zone.FromIcal(next);
        if (!local.IsValid() || local > horizon) {
            found.cut = true;
            break;
        }
        found.dates.insert(local);
        if (found.dates.size() >=
            static_cast<size_t>(CCalendarICalendarReader::kMaxExpandedOccurrences)) {
            found.cut = found.stoppedByCount = true;
            break;
        }
    }
    icalrecur_iterator_free(iterator);
    if (rule.count == 0 &&
        (icaltime_is_null_time(rule.until) || icaltime_compare(rule.until, bounded.until) > 0))
        found.cut = true;
    return found;
}

CCalendarRecurrencePatternPtr Importer::MakeSeries(const CCalendarEventPtr& master,
                                                   const CCalendarRecurrenceOptions& options,
                                                   const icalrecurrencetype& rule,
                                                   const Times& times) {
    const CCalendarRecurrencePatternPtr pattern = master->MakeEventAsRecurrence();
    pattern->SetRecurrenceOptions(options);
    pattern->SetDurationMinutes(times.durationMinutes);
    if (rule.count > 0) {
        pattern->SetEndAfterOccurrences(rule.count);
    } else if (!icaltime_is_null_time(rule.until)) {
        icaltimetype until = rule.until;
        if (!until.is_date && !until.zone)
            until.zone = icaltimezone_get_utc_timezone();
        CCalendarDateTime last = m_zone.FromIcal(until);
        // The last day counts only when its occurrence starts before UNTIL.
        if (last.IsValid() && !until.is_date && last.GetMinuteOfDay() < pattern->GetStartTime())
            last = last.AddDays(-1);
        if (last.IsValid())
            pattern->SetPatternEndDate(last);
    } else {
        pattern->SetNoEndDate();
    }
    return pattern;
}

void Importer::AddExtraDates(icalcomponent* component, const DateSet& dates, const Times& times,
                             const std::string& subject,
                             std::map<CCalendarDateTime, CCalendarEventPtr>& made) {
    for (const CCalendarDateTime& date : dates) {
        Times single = times;
        single.start = date;
        single.end = date.AddMinutes(times.durationMinutes);
        const CCalendarEventPtr event = NewEvent(component, single, subject);
        event->SetUid(std::string()); // separate events need UIDs of their own
        made[date] = event;
        Add(event);
    }
}

void AddDeleted(CCalendarData& store, const CCalendarRecurrencePatternPtr& pattern,
                const CCalendarDateTime& start, int durationMinutes, const CCalendarDateTime& now) {
    const CCalendarEventPtr deleted = store.CreateNewEvent(0, now);
    deleted->SetRExceptionStartTimeOrig(start);
    deleted->SetRExceptionEndTimeOrig(start.AddMinutes(durationMinutes));
    deleted->SetRExceptionDeleted(true);
    pattern->AddException(deleted);
}

void Importer::ImportSeries(const Group& group, const Times& times, const std::string& subject) {
    icalcomponent* component = group.master;
    const icalrecurrencetype rule =
        icalproperty_get_rrule(icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY));
    if (rule.freq == ICAL_SECONDLY_RECURRENCE || rule.freq == ICAL_MINUTELY_RECURRENCE) {
        Note(subject, CalendarImportNote::RepeatsTooOften);
        return;
    }
    const CCalendarDateTime horizon =
        std::max(times.start, m_now).GetDate().AddDays(366 * kHorizonYears);
    const RuleDates ruleDates = FollowRule(component, rule, horizon);
    const DateSet extra = DatesOf(component, ICAL_RDATE_PROPERTY);
    const DateSet excluded = DatesOf(component, ICAL_EXDATE_PROPERTY);

    const CCalendarEventPtr master = NewEvent(component, times, subject);
    const std::optional<CCalendarRecurrenceOptions> options = OptionsOf(rule, times.start);
    CCalendarRecurrencePatternPtr pattern;
    DateSet seriesDates;
    if (options) {
        pattern = MakeSeries(master, *options, rule, times);
        const CCalendarOccurrenceExpander expander(*pattern, m_store.GetFirstDayOfWeek());
        const CCalendarDateTime to = ruleDates.stoppedByCount ? *ruleDates.dates.rbegin() : horizon;
        for (const CCalendarDateTime& start : expander.GetOccurrenceStarts(times.start, to))
            seriesDates.insert(start);
    }
    const bool exact = pattern && seriesDates == ruleDates.dates;
    if (!exact && ruleDates.dates.empty()) {
        // The rule gives no date at all: no series, only what RDATE adds.
        pattern.reset();
        seriesDates.clear();
    }
    if (!exact && pattern && !ruleDates.dates.empty() &&
        (ruleDates.cut || pattern->GetUseEndMethod() != kCalendarPatternEndDate)) {
        // The nearest exact form ends where the rule's dates were followed to.
        pattern->SetPatternEndDate(*ruleDates.dates.rbegin());
        const CCalendarOccurrenceExpander expander(*pattern, m_store.GetFirstDayOfWeek());
        seriesDates.clear();
        for (const CCalendarDateTime& start :
             expander.GetOccurrenceStarts(times.start, *ruleDates.dates.rbegin()))
            seriesDates.insert(start);
    }
    DateSet wanted = exact ? seriesDates : ruleDates.dates;
    wanted.insert(extra.begin(), extra.end());
    for (const CCalendarDateTime& date : excluded)
        wanted.erase(date);

    std::map<CCalendarDateTime, CCalendarEventPtr> extras;
    DateSet separate;
    if (pattern && !seriesDates.empty()) {
        for (const CCalendarDateTime& date : seriesDates) {
            if (!wanted.count(date))
                AddDeleted(m_store, pattern, date, times.durationMinutes, m_now);
        }
        // Deleted occurrences beyond the horizon of a series that goes on.
        const CCalendarOccurrenceExpander expander(*pattern, m_store.GetFirstDayOfWeek());
        for (const CCalendarDateTime& date : excluded) {
            if (!seriesDates.count(date) && expander.IsOccurrenceStart(date))
                AddDeleted(m_store, pattern, date, times.durationMinutes, m_now);
        }
        std::set_difference(wanted.begin(), wanted.end(), seriesDates.begin(), seriesDates.end(),
                            std::inserter(separate, separate.end()));
        master->UpdateRecurrence(pattern);
        Add(master);
    } else {
        separate = wanted;
    }
    if (!exact || !extra.empty())
        Note(subject, ruleDates.cut && !exact ? CalendarImportNote::RepeatsCut
                                              : CalendarImportNote::Converted);
    AddExtraDates(component, separate, times, subject, extras);
    ApplyOverrides(group, pattern && !seriesDates.empty() ? master : nullptr, extras);
    ++m_result.m_imported;
}

void Importer::ApplyOverrides(const Group& group, const CCalendarEventPtr& master,
                              std::map<CCalendarDateTime, CCalendarEventPtr>& extras) {
    const CCalendarRecurrencePatternPtr pattern = master ? master->GetRecurrencePattern() : nullptr;
    std::unique_ptr<CCalendarOccurrenceExpander> expander;
    if (pattern)
        expander =
            std::make_unique<CCalendarOccurrenceExpander>(*pattern, m_store.GetFirstDayOfWeek());
    for (icalcomponent* component : group.overrides) {
        Times times;
        const std::string subject = TextOf(component, ICAL_SUMMARY_PROPERTY);
        const icaltimetype id = icalcomponent_get_recurrenceid(component);
        const CCalendarDateTime original = m_zone.FromIcal(id);
        if (!TimesOf(component, times)) {
            Note(subject, CalendarImportNote::NoStart);
            continue;
        }
        const CCalendarEventPtr changed = NewEvent(component, times, subject);
        const bool cancelled = icalcomponent_get_status(component) == ICAL_STATUS_CANCELLED;
        if (expander && original.IsValid() && expander->IsOccurrenceStart(original)) {
            changed->SetRExceptionStartTimeOrig(original);
            changed->SetRExceptionEndTimeOrig(original.AddMinutes(pattern->GetDurationMinutes()));
            changed->SetRExceptionDeleted(cancelled);
            pattern->AddException(changed);
            continue;
        }
        const auto extra = extras.find(original);
        if (extra != extras.end()) {
            changed->SetUid(std::string());
            extra->second->CopyFrom(*changed);
        } else if (!cancelled) {
            Add(changed);
        }
    }
    if (master)
        master->UpdateRecurrence(pattern);
}

void Importer::ImportGroup(const Group& group) {
    icalcomponent* component = group.master ? group.master : group.overrides.front();
    const std::string subject = TextOf(component, ICAL_SUMMARY_PROPERTY);
    Times times;
    if (!group.master) {
        // Changed occurrences whose series is not in the file stand alone.
        std::map<CCalendarDateTime, CCalendarEventPtr> none;
        ApplyOverrides(group, nullptr, none);
        ++m_result.m_imported;
        return;
    }
    if (!TimesOf(component, times)) {
        Note(subject, CalendarImportNote::NoStart);
        return;
    }
    if (icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY)) {
        ImportSeries(group, times, subject);
        return;
    }
    Add(NewEvent(component, times, subject));
    const DateSet extra = DatesOf(component, ICAL_RDATE_PROPERTY);
    if (!extra.empty()) {
        std::map<CCalendarDateTime, CCalendarEventPtr> made;
        AddExtraDates(component, extra, times, subject, made);
        Note(subject, CalendarImportNote::Converted);
    }
    ++m_result.m_imported;
}

struct TextSource {
    const char* pos;
    const char* end;
};

// One line at a time for the parser, as fgets gives them.
char* NextLine(char* out, size_t size, void* data) {
    TextSource& source = *static_cast<TextSource*>(data);
    if (source.pos >= source.end || size < 2)
        return nullptr;
    size_t length = 0;
    while (source.pos < source.end && length + 1 < size) {
        const char c = *source.pos++;
        out[length++] = c;
        if (c == '\n')
            break;
    }
    out[length] = '\0';
    return out;
}

// The last event of a cut file lacks its end and may lack anything after the cut.
void DropUnfinishedEvent(icalcomponent* root, std::string_view text) {
    const size_t begin = text.rfind("BEGIN:VEVENT");
    const size_t end = text.rfind("END:VEVENT");
    if (begin == std::string_view::npos || (end != std::string_view::npos && end > begin))
        return;
    icalcomponent* calendar = root;
    if (icalcomponent_isa(root) == ICAL_XROOT_COMPONENT) {
        for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
             c; c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
            calendar = c;
    }
    icalcomponent* last = nullptr;
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        last = c;
    if (last) {
        icalcomponent_remove_component(calendar, last);
        icalcomponent_free(last);
    }
}

// The whole text; a cut file gives what stands before the cut, its unfinished event left out.
ComponentPtr ParseText(std::string_view text) {
    icalparser* parser = icalparser_new();
    TextSource source{text.data(), text.data() + text.size()};
    icalparser_set_gen_data(parser, &source);
    ComponentPtr root(icalparser_parse(parser, NextLine));
    // What the parser still held; it stays the parser's, which frees it with itself.
    icalcomponent* left = icalparser_clean(parser);
    ComponentPtr rest(left && left != root.get() ? icalcomponent_new_clone(left) : nullptr);
    icalparser_free(parser);
    if (!rest)
        return root;
    if (root) {
        if (icalcomponent_isa(root.get()) != ICAL_XROOT_COMPONENT) {
            ComponentPtr both(icalcomponent_new(ICAL_XROOT_COMPONENT));
            icalcomponent_add_component(both.get(), root.release());
            root = std::move(both);
        }
        icalcomponent_add_component(root.get(), rest.release());
    } else {
        root = std::move(rest);
    }
    DropUnfinishedEvent(root.get(), text);
    return root;
}

// The VEVENTs of every VCALENDAR, grouped by UID in file order.
std::vector<Group> GroupsOf(icalcomponent* root) {
    std::vector<icalcomponent*> calendars;
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        calendars.push_back(root);
    } else if (icalcomponent_isa(root) == ICAL_XROOT_COMPONENT) {
        for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
             c; c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
            calendars.push_back(c);
    }
    std::vector<Group> groups;
    std::map<std::string, size_t> byUid;
    for (icalcomponent* calendar : calendars) {
        for (icalcomponent* event =
                 icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            const char* uid = icalcomponent_get_uid(event);
            const std::string key = uid && *uid ? uid : std::string();
            auto found = key.empty() ? byUid.end() : byUid.find(key);
            if (found == byUid.end()) {
                if (!key.empty())
                    found = byUid.emplace(key, groups.size()).first;
                groups.emplace_back();
            }
            Group& group = groups[found == byUid.end() ? groups.size() - 1 : found->second];
            const bool isOverride =
                icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
            if (isOverride || group.master)
                group.overrides.push_back(event);
            else
                group.master = event;
        }
    }
    return groups;
}

} // namespace

CCalendarICalendarReader::CCalendarICalendarReader(std::string zoneName)
    : m_zoneName(std::move(zoneName)) {}

CCalendarImportResult CCalendarICalendarReader::Read(std::string_view text,
                                                     CCalendarData& store) const {
    CCalendarImportResult result;
    if (text.size() > kMaxTextBytes)
        return result;
    ComponentPtr root = ParseText(text);
    if (!root)
        return result;
    result.m_readable = icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT ||
                        icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT;
    const LocalZone zone(m_zoneName);
    Importer importer(store, zone, result);
    for (const Group& group : GroupsOf(root.get()))
        importer.ImportGroup(group);
    return result;
}
