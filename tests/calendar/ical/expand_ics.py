"""Expands an iCalendar file with python-icalendar and dateutil, independently of libical.

    expand_ics.py FILE ZONE FROM TO

Prints one line "SUMMARY|YYYY-MM-DDTHH:MM" per occurrence that starts from FROM (included)
to TO (excluded), as wall-clock times of ZONE, sorted. Recurrence is worked out on the
wall clock of the event's zone (RFC 5545): UNTIL in UTC is turned into that wall clock
first, EXDATEs remove occurrences, RECURRENCE-ID components replace them.
"""
import datetime
import sys

import pytz
from dateutil.rrule import rrulestr
from icalendar import Calendar


def wall_clock(value, zone):
    """A DTSTART-like value as a naive local date-time of `zone`."""
    if not isinstance(value, datetime.datetime):
        return datetime.datetime(value.year, value.month, value.day)
    if value.tzinfo is None:
        return value
    if value.utcoffset() == datetime.timedelta(0) and str(value.tzinfo) in ("UTC", "utc"):
        value = value.astimezone(zone)
    return value.replace(tzinfo=None)


def rule_text(event, zone):
    rule = event["RRULE"]
    parts = []
    for key, values in rule.items():
        if key == "UNTIL":
            values = [wall_clock(values[0], zone).strftime("%Y%m%dT%H%M%S")]
        parts.append(key + "=" + ",".join(str(v) if not hasattr(v, "to_ical") else
                                          v.to_ical().decode() for v in values))
    return ";".join(parts)


def times_of(event, name, zone):
    found = event.get(name)
    if found is None:
        return []
    lists = found if isinstance(found, list) else [found]
    return [wall_clock(item.dt, zone) for entry in lists for item in entry.dts]


def main():
    path, zone_name, first, last = sys.argv[1:5]
    zone = pytz.timezone(zone_name)
    begin = datetime.datetime.fromisoformat(first)
    end = datetime.datetime.fromisoformat(last)
    with open(path, "rb") as stream:
        calendar = Calendar.from_ical(stream.read())
    overrides = {}
    for event in calendar.walk("VEVENT"):
        if "RECURRENCE-ID" in event:
            key = (str(event["UID"]), wall_clock(event["RECURRENCE-ID"].dt, zone))
            overrides[key] = event
    lines = []
    for event in calendar.walk("VEVENT"):
        if "RECURRENCE-ID" in event:
            continue
        uid = str(event["UID"])
        start = wall_clock(event["DTSTART"].dt, zone)
        starts = [start]
        if "RRULE" in event:
            starts = list(rrulestr(rule_text(event, zone), dtstart=start).between(
                begin - datetime.timedelta(days=1), end, inc=True))
        excluded = set(times_of(event, "EXDATE", zone))
        for occurrence in starts:
            if occurrence in excluded:
                continue
            shown = overrides.get((uid, occurrence))
            summary = str((shown or event).get("SUMMARY", ""))
            if shown is not None:
                occurrence = wall_clock(shown["DTSTART"].dt, zone)
            if begin <= occurrence < end:
                lines.append(summary + "|" + occurrence.strftime("%Y-%m-%dT%H:%M"))
    for line in sorted(lines):
        print(line)


if __name__ == "__main__":
    main()
