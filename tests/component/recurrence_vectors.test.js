// Runs every case of a recurrence vector file against the calendar movie's expansion. The file
// is named by TEV_RECURRENCE_VECTORS; the same file format is checked by the calendar store's
// tests, so the web calendar and the designer agree on every occurrence.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const cal = require("../../component/Calendar/WebCalendar.js");

const file = process.env.TEV_RECURRENCE_VECTORS ||
    path.join(__dirname, "..", "vectors", "recurrence.json");

function day(text) {
    const m = /^(\d{4})-(\d{2})-(\d{2})$/.exec(text);
    assert.ok(m, "date " + text);
    return cal.dayNumber(+m[1], +m[2], +m[3]);
}

function minutes(text) {
    const m = /^(\d{4}-\d{2}-\d{2})T(\d{2}):(\d{2})$/.exec(text);
    assert.ok(m, "date-time " + text);
    return day(m[1]) * 1440 + +m[2] * 60 + +m[3];
}

function timeOfDay(text) {
    const m = /^(\d{2}):(\d{2})$/.exec(text);
    assert.ok(m, "time " + text);
    return +m[1] * 60 + +m[2];
}

function isoMinutes(value) {
    const d = Math.floor(value / 1440);
    const c = cal.civil(d);
    const rest = value - d * 1440;
    const two = (n) => String(n).padStart(2, "0");
    return `${c.year}-${two(c.month)}-${two(c.day)}T${two(Math.floor(rest / 60))}:${two(rest % 60)}`;
}

function patternOf(p) {
    return {
        startTime: timeOfDay(p.startTime),
        duration: p.durationMinutes,
        type: p.type,
        data1: p.data1,
        data2: p.data2,
        data3: p.data3,
        rangeStart: day(p.rangeStart),
        endMethod: p.endMethod,
        rangeEnd: p.rangeEnd ? day(p.rangeEnd) : null,
        occurrences: p.occurrences,
        exceptions: (p.exceptions || []).map((e) => ({
            originalStart: minutes(e.originalStart),
            deleted: !!e.deleted,
            start: e.start ? minutes(e.start) : null,
            end: e.end ? minutes(e.end) : null,
        })),
    };
}

if (!fs.existsSync(file)) {
    test("shared recurrence vectors absent: " + file, { skip: true }, () => {});
} else {
    const cases = JSON.parse(fs.readFileSync(file, "utf8")).cases;
    test("the vector file holds cases", () => {
        assert.ok(Array.isArray(cases) && cases.length > 0);
    });
    // "overlapping" cases list what the calendar shows in the window, the others the
    // occurrences that start in it.
    const occurrencesOf = (c) => c.overlapping
        ? cal.occurrencesBetween([{ pattern: patternOf(c.pattern) }], c.firstDayOfWeek,
            day(c.window.from), day(c.window.to))
        : cal.expandPattern(patternOf(c.pattern), c.firstDayOfWeek, day(c.window.from), day(c.window.to));
    for (const c of cases) {
        test(c.name, () => {
            const got = occurrencesOf(c);
            assert.deepEqual(
                got.map((o) => ({ start: isoMinutes(o.start), end: isoMinutes(o.end) })),
                c.expected);
        });
    }
}
