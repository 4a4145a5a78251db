// The calendar movie's value, date and event logic, run in Node.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const cal = require("../../component/Calendar/WebCalendar.js");

const D = (y, m, d) => cal.dayNumber(y, m, d);
const T = (y, m, d, h = 0, min = 0) => D(y, m, d) * 1440 + h * 60 + min;

test("atoi reads like the C library", () => {
    const table = [["42", 42], ["  -7x", -7], ["+3", 3], ["", 0], [null, 0], ["x1", 0], ["07", 7],
        ["/2", 0], ["99999999999", 2147483647], ["-99999999999", -2147483648]];
    for (const [text, expected] of table) assert.equal(cal.atoi(text), expected, String(text));
});

test("colours read as the property grid reads them", () => {
    const table = [
        ["0xFFFFFF", "#ffffff"], ["0x00FF80", "#00ff80"], ["0x0000FF", "#0000ff"],
        ["0x000000", "#000000"], ["0x3A7BD5", "#3a7bd5"], ["0xab12cd", "#ab12cd"],
        // short forms repeat the pair before
        ["0xAB", "#ababab"], ["0xABCD", "#abcdcd"], ["0xABCDE", "#abcdcd"],
        ["0x", "#000000"], ["", "#000000"], ["0xA", "#000000"],
        // leading zeros go before the x is dropped, so a value without 0x loses them
        ["00FF80", "#ff8080"], ["123456", "#123456"],
        // a pair stops at its first non-hexadecimal character
        ["0xG1FFFF", "#00ffff"], ["0x1GFFFF", "#01ffff"],
    ];
    for (const [text, css] of table) assert.equal(cal.colorToCss(cal.parseColor(text)), css, text);
});

test("every colour the grid writes reads back unchanged", () => {
    const hex = (v) => v.toString(16).toUpperCase().padStart(2, "0");
    for (const r of [0, 1, 15, 16, 128, 255]) {
        for (const g of [0, 9, 160, 255]) {
            for (const b of [0, 10, 200, 255]) {
                const text = "0x" + hex(r) + hex(g) + hex(b);
                assert.deepEqual(cal.parseColor(text), { r, g, b }, text);
            }
        }
    }
});

test("contrast text is dark on light colours and light on dark ones", () => {
    assert.deepEqual(cal.contrastColor({ r: 255, g: 230, b: 120 }), { r: 17, g: 17, b: 17 });
    assert.deepEqual(cal.contrastColor({ r: 20, g: 40, b: 90 }), { r: 255, g: 255, b: 255 });
});

test("numbers and booleans read like the designer's variant conversion", () => {
    const numbers = [["12", 12], [" 12 ", 12], ["-3", -3], ["2.5", 3], ["-2.5", -3], ["true", -1],
        ["FALSE", 0], ["12px", null], ["", null], ["abc", null], ["1e3", 1000], ["3000000000", null]];
    for (const [text, expected] of numbers) assert.equal(cal.parseNumber(text, null), expected, text);
    const booleans = [["true", true], ["True", true], [" false ", false], ["1", true], ["0", false],
        ["-1", true], ["0.2", false], ["yes", null], ["", null]];
    for (const [text, expected] of booleans) assert.equal(cal.parseBoolean(text, null), expected, text);
});

test("documents decode from UTF-16 and UTF-8 bytes", () => {
    const text = "<flash a=\"\u00e9\u20ac\u4e2d\"/>";
    const le = Buffer.from(text, "utf16le");
    const be = Buffer.from(le).swap16();
    const cases = [
        ["UTF-16LE with byte-order mark", Buffer.concat([Buffer.from([0xff, 0xfe]), le])],
        ["UTF-16LE without byte-order mark", le],
        ["UTF-16BE with byte-order mark", Buffer.concat([Buffer.from([0xfe, 0xff]), be])],
        ["UTF-8 with byte-order mark", Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(text)])],
        ["UTF-8", Buffer.from(text)],
    ];
    for (const [name, bytes] of cases) {
        assert.equal(cal.decodeText(new Uint8Array(bytes)), text, name);
    }
    // an odd trailing byte is dropped; long texts survive the chunked conversion
    assert.equal(cal.decodeText(new Uint8Array([0xff, 0xfe, 0x41, 0x00, 0x42])), "A");
    const long = "<x>" + "\u00e4bc".repeat(10000) + "</x>";
    assert.equal(cal.decodeText(new Uint8Array(Buffer.concat([Buffer.from([0xff, 0xfe]),
        Buffer.from(long, "utf16le")]))), long);
    assert.equal(cal.decodeText(new Uint8Array(0)), "");
});

test("day numbers and civil dates agree across leap years", () => {
    assert.equal(D(1970, 1, 1), 0);
    assert.equal(D(2000, 3, 1) - D(2000, 2, 28), 2, "2000 is a leap year");
    assert.equal(D(1900, 3, 1) - D(1900, 2, 28), 1, "1900 is not");
    assert.equal(D(2024, 1, 1) - D(2023, 1, 1), 365);
    assert.equal(D(2025, 1, 1) - D(2024, 1, 1), 366);
    for (let day = D(1899, 12, 25); day < D(1900, 3, 5); day++) {
        const c = cal.civil(day);
        assert.equal(D(c.year, c.month, c.day), day);
    }
    for (let day = D(2099, 12, 1); day < D(2101, 1, 1); day += 13) {
        const c = cal.civil(day);
        assert.equal(D(c.year, c.month, c.day), day);
    }
    assert.deepEqual(cal.civil(D(150, 7, 4)), { year: 150, month: 7, day: 4 });
    assert.equal(cal.daysInMonth(2024, 2), 29);
    assert.equal(cal.daysInMonth(2023, 2), 28);
    assert.equal(cal.daysInMonth(2023, 13), 0);
});

test("day numbers and civil dates agree with Date's calendar, carrying months and days over", () => {
    const viaDate = (y, m, d) => {
        const date = new Date(0);
        date.setUTCFullYear(y, m - 1, d);
        return Math.round(date.getTime() / 86400000);
    };
    for (let y = -800; y <= 10400; y += 37) {
        for (const [m, d] of [[1, 1], [2, 28], [2, 29], [3, 1], [12, 31], [0, 15], [13, 1], [-1, 10], [25, 3], [3, 0],
            [1, 32], [6, -40], [2, 400]]) {
            const day = D(y, m, d);
            assert.equal(day, viaDate(y, m, d), `${y}-${m}-${d}`);
            const date = new Date(day * 86400000);
            assert.deepEqual(cal.civil(day), { year: date.getUTCFullYear(), month: date.getUTCMonth() + 1,
                day: date.getUTCDate() }, `civil ${y}-${m}-${d}`);
        }
    }
});

test("weekdays and week starts", () => {
    const table = [[D(2024, 1, 3), 3], [D(1970, 1, 1), 4], [D(1969, 12, 28), 0], [D(2000, 1, 1), 6]];
    for (const [day, wd] of table) assert.equal(cal.weekday(day), wd);
    const wed = D(2024, 1, 3);
    assert.equal(cal.weekStart(wed, 1), D(2023, 12, 31), "Sunday weeks");
    assert.equal(cal.weekStart(wed, 2), D(2024, 1, 1), "Monday weeks");
    assert.equal(cal.weekStart(D(2024, 1, 7), 2), D(2024, 1, 1), "a Sunday ends a Monday week");
    assert.equal(cal.weekStart(D(2024, 1, 7), 1), D(2024, 1, 7), "and starts a Sunday week");
    assert.equal(cal.weekStart(D(2024, 1, 5), 7), D(2023, 12, 30), "Saturday weeks");
});

test("date-times read by character position", () => {
    const table = [
        ["07:04:2008 14:30", T(2008, 7, 4, 14, 30)],
        ["02:29:2024 23:59", T(2024, 2, 29, 23, 59)],
        ["03:05:2024", T(2024, 3, 5)],
        ["12:31:9999 00:00", T(9999, 12, 31)],
        ["01:01:0100 00:00", T(100, 1, 1)],
        ["7/4/2008 2:30", null],
        ["02:29:2023 10:00", null],
        ["13:01:2024 10:00", null],
        ["00:10:2024 10:00", null],
        ["04:31:2024 10:00", null],
        ["01:01:0099 00:00", null],
        ["01:01:2024 24:00", null],
        ["01:01:2024 10:60", null],
        ["Invalid DateTime", null],
        ["", null],
        [null, null],
    ];
    for (const [text, expected] of table) assert.equal(cal.parseDateTime(text), expected, String(text));
    const times = [["09:30", 570], ["00:00", 0], ["23:59", 1439], ["24:00", null], ["9:30", 540], ["", null]];
    for (const [text, expected] of times) assert.equal(cal.parseTimeOfDay(text), expected, text);
});

test("week numbers", () => {
    const weeks = [[D(2024, 12, 30), 1], [D(2021, 1, 3), 53], [D(2024, 1, 1), 1], [D(2024, 6, 13), 24]];
    for (const [day, week] of weeks) assert.equal(cal.isoWeekNumber(day), week);
});

// Intl may put a narrow no-break space before "PM"; compare with plain blanks.
const plain = (text) => text.replace(/[\u202f\u00a0]/g, " ");

test("names and formats come from Intl in the chosen language", () => {
    const mar5 = D(2024, 3, 5); // a Tuesday
    const table = [
        ["en-US", true, "March 2024", "Tuesday", "Tue", "6 PM", "6:30 PM", "12 AM"],
        ["en-US", false, "March 2024", "Tuesday", "Tue", "18:00", "18:30", "00:00"],
        ["de-DE", false, "M\u00e4rz 2024", "Dienstag", "Di", "18:00", "18:30", "00:00"],
        ["fr", false, "mars 2024", "mardi", "mar", "18:00", "18:30", "00:00"],
    ];
    for (const [locale, twelve, month, long, short, six, halfPast, midnight] of table) {
        const t = new cal.LocaleTexts(locale, twelve);
        assert.equal(t.monthYear(mar5), month, locale);
        assert.equal(t.weekdayName(mar5, "long"), long, locale);
        assert.ok(t.weekdayName(mar5, "short").startsWith(short), locale); // abbreviations vary by ICU
        assert.equal(plain(t.time(18 * 60, true)), six, locale);
        assert.equal(plain(t.time(18 * 60 + 30, true)), halfPast, locale);
        assert.equal(plain(t.time(0, true)), midnight, locale);
    }
    const ar = new cal.LocaleTexts("ar", false);
    assert.match(ar.monthYear(mar5), /^\u0645\u0627\u0631\u0633/, "Arabic month name");
    assert.equal(new cal.LocaleTexts("en-US", false).dayRange(D(2024, 3, 3), D(2024, 3, 9)).replace(/\s/g, " "),
        "Mar 3 \u2013 9, 2024");
    assert.equal(new cal.LocaleTexts("en-US", false).dayRange(D(2024, 3, 3), D(2024, 3, 3)), "Mar 3, 2024");
});

test("the language is the property's, else the browser's first usable one", () => {
    const table = [
        ["", ["de-DE", "en"], "de-DE"],
        ["fr", ["de-DE"], "fr"],
        ["  ar  ", [], "ar"],
        ["not a tag!", ["he"], "he"],
        ["", ["###", "pt-br"], "pt-BR"],
        ["", [], "en-US"],
        [null, undefined, "en-US"],
    ];
    for (const [setting, browser, expected] of table) {
        assert.equal(cal.chooseLocale(setting, browser), expected, JSON.stringify([setting, browser]));
    }
    const rtl = [["ar", true], ["ar-EG", true], ["he-IL", true], ["fa", true], ["ur-PK", true],
        ["en-US", false], ["de", false], ["arn", false]];
    for (const [locale, expected] of rtl) assert.equal(cal.isRightToLeft(locale), expected, locale);
});

test("the Nth weekday of a month", () => {
    const table = [
        [2024, 2, 5, 32, D(2024, 2, 23), "last Friday"],
        [2024, 2, 1, 2, D(2024, 2, 5), "first Monday"],
        [2024, 6, 2, 62, D(2024, 6, 4), "second work day"],
        [2024, 6, 1, 65, D(2024, 6, 1), "first weekend day"],
        [2024, 3, 5, 127, D(2024, 3, 31), "last day"],
        [2024, 2, 4, 16, D(2024, 2, 22), "fourth Thursday"],
        [2024, 2, 1, 0, null, "empty mask"],
    ];
    for (const [y, m, which, mask, expected, name] of table) {
        assert.equal(cal.nthWeekdayOfMonth(y, m, which, mask), expected, name);
    }
});

function pattern(extra) {
    return Object.assign({ startTime: 600, duration: 60, type: 2, data1: 1, data2: 2, data3: 0,
        rangeStart: D(2024, 1, 1), endMethod: 2, rangeEnd: null, occurrences: 0, exceptions: [] }, extra);
}

test("hostile patterns end without occurrences", () => {
    const hostile = [
        { type: 0 }, { type: 7 }, { type: 2, data1: -1 }, { type: 2, data2: 128 },
        { type: 3, data1: 1, data2: 0 }, { type: 3, data1: 1, data2: 32 }, { type: 3, data1: 0, data2: 5 },
        { type: 4, data1: 1, data2: 6, data3: 2 }, { type: 4, data1: 1, data2: 0, data3: 2 },
        { type: 5, data1: 13, data2: 1 }, { type: 5, data1: 0, data2: 1 }, { type: 5, data1: 2, data2: 0 },
        { type: 6, data1: 1, data2: 2, data3: 0 }, { type: 6, data1: 0, data2: 2, data3: 5 },
        { type: 6, data1: 1, data2: 0, data3: 5 }, { type: 1, data1: 0, data2: -5 },
        { endMethod: 1, occurrences: -3 }, { endMethod: 0, rangeEnd: D(2023, 12, 31) },
    ];
    for (const extra of hostile) {
        assert.deepEqual(cal.expandPattern(pattern(extra), 1, D(2024, 1, 1), D(2030, 12, 31)), [],
            JSON.stringify(extra));
    }
});

test("large windows and huge counts stay bounded", () => {
    const daily = pattern({ type: 1, data1: 0, data2: 1, rangeStart: D(100, 1, 1), endMethod: 1,
        occurrences: 2000000000 });
    const started = Date.now();
    const got = cal.expandPattern(daily, 1, D(2024, 3, 1), D(2024, 3, 31));
    assert.equal(got.length, 31);
    assert.equal(got[0].start, T(2024, 3, 1, 10));
    const monthly = pattern({ type: 4, data1: 1, data2: 5, data3: 127, rangeStart: D(100, 1, 1), endMethod: 1,
        occurrences: 23087 });
    // 23087 months from January 100 end with November 2023
    assert.deepEqual(cal.expandPattern(monthly, 1, D(2023, 10, 1), D(2024, 12, 31)).map((o) => o.start),
        [T(2023, 10, 31, 10), T(2023, 11, 30, 10)]);
    assert.ok(Date.now() - started < 5000, "expansion took " + (Date.now() - started) + " ms");
});

test("exceptions only replace occurrences of their pattern", () => {
    const p = pattern({ type: 1, data1: 0, data2: 2, rangeStart: D(2024, 1, 1), exceptions: [
        // 2 January is not an occurrence (every other day from the 1st)
        { originalStart: T(2024, 1, 2, 10), deleted: false, start: T(2024, 1, 2, 12), end: T(2024, 1, 2, 13) },
        // the right day at another time of day is not one either
        { originalStart: T(2024, 1, 3, 11), deleted: true },
        // the first exception for an occurrence wins
        { originalStart: T(2024, 1, 5, 10), deleted: false, start: T(2024, 1, 5, 15), end: T(2024, 1, 5, 14) },
        { originalStart: T(2024, 1, 5, 10), deleted: true },
    ] });
    const got = cal.expandPattern(p, 1, D(2024, 1, 1), D(2024, 1, 6));
    assert.deepEqual(got.map((o) => [o.start, o.end]), [
        [T(2024, 1, 1, 10), T(2024, 1, 1, 11)],
        [T(2024, 1, 3, 10), T(2024, 1, 3, 11)],
        // an end before the start keeps the pattern's duration
        [T(2024, 1, 5, 15), T(2024, 1, 5, 16)],
    ]);
});

test("occurrences cover every day they touch", () => {
    const events = [
        { subject: "Fair", start: T(2024, 3, 8), end: T(2024, 3, 11), allDay: true },
        { subject: "Late show", start: T(2024, 3, 9, 22), end: T(2024, 3, 10, 1), allDay: false },
        { subject: "Ends at midnight", start: T(2024, 3, 12, 20), end: T(2024, 3, 13), allDay: false },
        { subject: "Reminder", start: T(2024, 3, 14, 9), end: T(2024, 3, 14, 9), allDay: false },
        { subject: "Before", start: T(2024, 2, 1, 9), end: T(2024, 2, 1, 10), allDay: false },
    ];
    const days = (subject) => {
        const out = [];
        const all = cal.occurrencesBetween(events, 1, D(2024, 3, 1), D(2024, 3, 31));
        for (let day = D(2024, 3, 1); day <= D(2024, 3, 31); day++) {
            for (const o of all) {
                const last = o.end > o.start ? Math.floor((o.end - 1) / 1440) : Math.floor(o.start / 1440);
                if (o.subject === subject && day >= Math.floor(o.start / 1440) && day <= last) out.push(cal.civil(day).day);
            }
        }
        return out;
    };
    assert.deepEqual(days("Fair"), [8, 9, 10]);
    assert.deepEqual(days("Late show"), [9, 10]);
    assert.deepEqual(days("Ends at midnight"), [12]);
    assert.deepEqual(days("Reminder"), [14]);
    assert.deepEqual(days("Before"), []);
    // At the edges of the window: an end at its first midnight is outside, a moment there inside.
    const edges = [
        { subject: "Ends as it begins", start: T(2024, 2, 29, 22), end: T(2024, 3, 1) },
        { subject: "Into it", start: T(2024, 2, 29, 23), end: T(2024, 3, 1, 0, 1) },
        { subject: "First midnight", start: T(2024, 3, 1), end: T(2024, 3, 1) },
        { subject: "Midnight after", start: T(2024, 4, 1), end: T(2024, 4, 1) },
        { subject: "Last minute", start: T(2024, 3, 31, 23, 59), end: T(2024, 4, 1, 1) },
        { subject: "Ends before it starts", start: T(2024, 3, 5, 10), end: T(2024, 3, 4) },
    ];
    assert.deepEqual(cal.occurrencesBetween(edges, 1, D(2024, 3, 1), D(2024, 3, 31)).map((o) => [o.subject, o.end]),
        [["Into it", T(2024, 3, 1, 0, 1)], ["First midnight", T(2024, 3, 1)], ["Ends before it starts", T(2024, 3, 5, 10)],
            ["Last minute", T(2024, 4, 1, 1)]]);
});

test("recurring events take their exceptions' own texts", () => {
    const event = { subject: "Standup", location: "Room 1", body: "", label: "Business", allDay: false,
        busyStatus: 2, start: T(2024, 1, 1, 9), end: T(2024, 1, 1, 9, 15),
        pattern: pattern({ startTime: 540, duration: 15, type: 1, data1: 1, data2: 1, exceptions: [
            { originalStart: T(2024, 1, 2, 9), deleted: false, start: T(2024, 1, 2, 10), end: T(2024, 1, 2, 10, 30),
                subject: "Standup (moved)", location: null, body: null, allDay: null, label: null, busyStatus: 1 },
            { originalStart: T(2024, 1, 3, 9), deleted: true },
        ] }) };
    const got = cal.occurrencesBetween([event], 1, D(2024, 1, 1), D(2024, 1, 7));
    assert.deepEqual(got.map((o) => [cal.civil(Math.floor(o.start / 1440)).day, o.subject, o.location, o.busyStatus]), [
        [1, "Standup", "Room 1", 2],
        [2, "Standup (moved)", "Room 1", 1],
        [4, "Standup", "Room 1", 2],
        [5, "Standup", "Room 1", 2],
    ]);
    assert.ok(got.every((o) => o.recurring));
});

test("a day lists all-day events first, then by start time", () => {
    const events = [
        { subject: "B", start: T(2024, 5, 5, 9), end: T(2024, 5, 5, 10) },
        { subject: "A", start: T(2024, 5, 5, 9), end: T(2024, 5, 5, 10) },
        { subject: "Early", start: T(2024, 5, 5, 7), end: T(2024, 5, 5, 8) },
        { subject: "Holiday", start: T(2024, 5, 5), end: T(2024, 5, 6), allDay: true },
    ];
    assert.deepEqual(cal.occurrencesBetween(events, 1, D(2024, 5, 5), D(2024, 5, 5)).map((o) => o.subject),
        ["Holiday", "Early", "A", "B"]);
});

test("settings take the document's values and fall back on the defaults", () => {
    const defaults = cal.resolveSettings({}, { Width: 500, Height: 400 });
    assert.equal(defaults.View, "Month");
    assert.equal(defaults.WeekStartDay, true);
    assert.equal(defaults.FontSize, 11);
    assert.equal(defaults.EventsPerDay, 3);
    assert.equal(defaults.DaysToShow, 30);
    assert.equal(cal.colorToCss(defaults.HeaderColor), "#2f5d8c");

    const s = cal.resolveSettings({
        View: "Agenda", DaysToShow: "14", WeekStartDay: "false", FontFace: "Georgia",
        HeaderColor: "0x102030", FontSize: "500", CornerRadius: "-4", TimeFormat: "24-hour", Title: "",
    }, { Width: 500, Height: 400 });
    assert.equal(s.View, "Agenda");
    assert.equal(s.DaysToShow, 14);
    assert.equal(s.ShowEmptyDays, false, "sub-parameter absent from the document");
    assert.equal(s.WeekStartDay, false);
    assert.equal(s.FontFace, "Georgia");
    assert.equal(cal.colorToCss(s.HeaderColor), "#102030");
    assert.equal(s.FontSize, 20, "upper limit");
    assert.equal(s.CornerRadius, 0, "lower limit");
    assert.equal(s.TimeFormat, "24-hour");
    assert.equal(s.Title, "");
});

test("unknown choices and unreadable values keep the defaults", () => {
    const s = cal.resolveSettings({ View: "Year", FontFace: "Comic", TimeFormat: "24h", FontSize: "big",
        WeekStartDay: "maybe" }, {});
    assert.equal(s.View, "Month");
    assert.equal(s.FontFace, "Verdana");
    assert.equal(s.TimeFormat, "12-hour");
    assert.equal(s.FontSize, 11);
    assert.equal(s.WeekStartDay, true);
});

test("a limit that names a property uses that property's value", () => {
    const table = [
        [{ HeaderHeight: "1000" }, { Height: 400 }, 400],
        [{ HeaderHeight: "1000", Height: "120" }, { Height: 400 }, 120],
        [{ HeaderHeight: "1000" }, {}, 1000],
        [{ HeaderHeight: "5" }, { Height: 400 }, 20],
        [{ HeaderHeight: "60", Height: "junk" }, { Height: 50 }, 60],
    ];
    for (const [values, context, expected] of table) {
        assert.equal(cal.resolveSettings(values, context).HeaderHeight, expected, JSON.stringify([values, context]));
    }
});

test("gallery samples fill the month around today", () => {
    for (const today of [D(2024, 2, 29), D(2023, 2, 1), D(2024, 12, 31)]) {
        const c = cal.civil(today);
        const first = D(c.year, c.month, 1);
        const last = first + cal.daysInMonth(c.year, c.month) - 1;
        const got = cal.occurrencesBetween(cal.sampleEvents(today), 1, first, last);
        assert.ok(got.length >= 10, "samples in the month " + got.length);
        assert.ok(got.some((o) => o.recurring) && got.some((o) => o.allDay));
        assert.ok(got.some((o) => Math.floor(o.start / 1440) === today), "one sample today");
        assert.ok(got.every((o) => o.end <= (last + 3) * 1440 && o.start >= first * 1440 - 1440));
    }
});

test("recurrence descriptions for the event details", () => {
    const table = [
        [{ type: 1, data1: 1 }, "Every weekday"],
        [{ type: 1, data1: 0, data2: 1 }, "Every day"],
        [{ type: 1, data1: 0, data2: 3 }, "Every 3 days"],
        [{ type: 2, data1: 1, data2: 8 }, "Every week on Wednesday"],
        [{ type: 2, data1: 2, data2: 42 }, "Every 2 weeks on Monday, Wednesday and Friday"],
        [{ type: 2, data1: 1, data2: 65 }, "Every week on Sunday and Saturday"],
        [{ type: 2, data1: 1, data2: 62 }, "Every week on weekdays"],
        [{ type: 4, data1: 1, data2: 1, data3: 65 }, "The first weekend day of every month"],
        [{ type: 3, data1: 1, data2: 15 }, "Day 15 of every month"],
        [{ type: 4, data1: 3, data2: 5, data3: 32 }, "The last Friday of every 3 months"],
        [{ type: 4, data1: 1, data2: 2, data3: 62 }, "The second weekday of every month"],
        [{ type: 5, data1: 2, data2: 29 }, "Every year on February 29"],
        [{ type: 6, data1: 4, data2: 16, data3: 11 }, "The fourth Thursday of November every year"],
        [{ type: 2, data1: 0, data2: 8 }, ""],
        [{ type: 9 }, ""],
    ];
    for (const [options, text] of table) assert.equal(cal.describePattern(pattern(options)), text, JSON.stringify(options));
});

test("property names from a document cannot break the settings", () => {
    const values = Object.create(null);
    values.hasOwnProperty = "1";
    values.__proto__ = "x";
    values.constructor = "y";
    values.FontSize = "14";
    const s = cal.resolveSettings(values, { hasOwnProperty: 5, Height: 300 });
    assert.equal(s.FontSize, 14);
    assert.equal(s.HeaderHeight, 44);
    const plain = cal.resolveSettings({ hasOwnProperty: "oops", View: "constructor", FontFace: "__proto__" }, {});
    assert.equal(plain.View, "Month");
    assert.equal(plain.FontFace, "Verdana");
});

test("text colours are made readable on their backgrounds at 4.5:1", () => {
    const c = (hex) => cal.parseColor(hex);
    const table = [
        // text, backgrounds, kept unchanged
        ["0x2B3340", ["0xFFFFFF", "0xF3F6FA"], true],
        ["0xFFFFFF", ["0x2F5D8C"], true],
        ["0x000000", ["0x0F3554"], false],
        ["0x777777", ["0xFFFFFF"], false],
        ["0xFFFFFF", ["0xF5A623"], false],
        ["0x808080", ["0x808080"], false],
    ];
    for (const [text, backgrounds, kept] of table) {
        const bgs = backgrounds.map(c);
        const got = cal.readableColor(c(text), bgs, 4.5);
        for (const bg of bgs) assert.ok(cal.contrastRatio(got, bg) >= 4.5, `${text} on ${backgrounds}`);
        assert.equal(cal.colorToCss(got) === cal.colorToCss(c(text)), kept, text);
        const muted = cal.mutedColor(got, bgs, 4.5);
        for (const bg of bgs) assert.ok(cal.contrastRatio(muted, bg) >= 4.5, `muted ${text}`);
    }
});

test("the first day of the week: FirstDayOfWeek, else WeekStartDay", () => {
    const table = [[{}, 1], [{ WeekStartDay: "false" }, 2], [{ FirstDayOfWeek: "Wednesday" }, 4],
        [{ FirstDayOfWeek: "Saturday", WeekStartDay: "false" }, 7], [{ FirstDayOfWeek: "Default", WeekStartDay: "false" }, 2],
        [{ FirstDayOfWeek: "wednesday" }, 1]];
    for (const [values, day] of table) assert.equal(cal.firstDayOfWeekOf(cal.resolveSettings(values, {})), day, JSON.stringify(values));
});

test("occurrences go to every day they touch, and overlapping ones side by side", () => {
    const o = (subject, start, end) => ({ subject, start, end });
    const list = [o("night", T(2024, 3, 4, 22), T(2024, 3, 5, 2)), o("a", T(2024, 3, 5, 9), T(2024, 3, 5, 11)),
        o("b", T(2024, 3, 5, 10), T(2024, 3, 5, 12)), o("c", T(2024, 3, 5, 11), T(2024, 3, 5, 13)),
        o("d", T(2024, 3, 5, 14), T(2024, 3, 5, 15))];
    const byDay = cal.occurrencesByDay(list, D(2024, 3, 5), D(2024, 3, 6));
    assert.deepEqual(byDay[D(2024, 3, 5)].map((x) => x.subject), ["night", "a", "b", "c", "d"]);
    assert.equal(byDay[D(2024, 3, 6)], undefined);
    const pieces = cal.dayColumns(byDay[D(2024, 3, 5)], D(2024, 3, 5));
    const placed = Object.fromEntries(pieces.map((p) => [p.o.subject, [p.from, p.to, p.column, p.columns]]));
    assert.deepEqual(placed, { night: [0, 120, 0, 1], a: [540, 660, 0, 2], b: [600, 720, 1, 2],
        c: [660, 780, 0, 2], d: [840, 900, 0, 1] });
});

test("a missing or unreadable data file is explained with its fix", () => {
    const table = [
        ["unreachable", true, /opened from the file system.*Open this page from a web server/],
        ["missing", true, /opened from the file system.*Open this page from a web server/],
        ["missing", false, /Spring\.xml is missing\. Put it on the web server beside this page/],
        ["damaged", false, /Spring\.xml is damaged\. Publish the calendar again/],
        ["unreachable", false, /from Spring\.xml\. Check the connection/],
    ];
    for (const [problem, fromFile, text] of table) assert.match(cal.problemText(problem, "Spring.xml", fromFile), text);
});

// The {names} a text or every text of a plural table holds.
function placeholders(value) {
    const texts = typeof value === "string" ? [value] : Object.values(value);
    return [...new Set(texts.flatMap((text) => text.match(/\{\w+\}/g) || []))].sort();
}

test("every language has every word, with the values English has", () => {
    const english = cal.WORDS.en;
    assert.deepEqual(Object.keys(cal.WORDS).sort(), ["ar", "de", "en", "es", "fr", "it", "nl", "pt"]);
    for (const [language, words] of Object.entries(cal.WORDS)) {
        for (const [key, value] of Object.entries(english)) {
            assert.ok(key in words, `${language} lacks ${key}`);
            const theirs = words[key];
            assert.equal(typeof theirs, typeof value, `${language} ${key}`);
            if (Array.isArray(value)) assert.equal(theirs.length, value.length, `${language} ${key}`);
            else if (typeof value === "string") assert.deepEqual(placeholders(theirs), placeholders(value), `${language} ${key}`);
            else if (["everyDays", "everyWeeks", "monthlyOnDate", "monthlyOnNth"].includes(key)) {
                assert.ok(theirs.other, `${language} ${key} has the other plural`);
                for (const text of Object.values(theirs)) {
                    assert.deepEqual(placeholders(text).filter((p) => p !== "{n}"), placeholders(value).filter((p) => p !== "{n}"),
                        `${language} ${key}`);
                }
            } else assert.deepEqual(Object.keys(theirs).sort(), Object.keys(value).sort(), `${language} ${key}`);
        }
        if (words.feminine) assert.equal(words.ordinalsFeminine.length, 5, language);
    }
});

test("the words follow the language the dates speak, English for others", () => {
    const table = [["de-DE", "Heute"], ["de-CH", "Heute"], ["fr", "Aujourd’hui"], ["es-MX", "Hoy"], ["it", "Oggi"],
        ["nl-BE", "Vandaag"], ["pt-BR", "Hoje"], ["ar-EG", "اليوم"], ["sv-SE", "Today"], ["en-GB", "Today"]];
    for (const [locale, today] of table) assert.equal(new cal.LocaleTexts(locale, false).say("today"), today, locale);
    assert.equal(new cal.LocaleTexts("de", false).say("more", { n: 4 }), "+4 weitere");
    const ar = new cal.LocaleTexts("ar", false);
    assert.equal(ar.say("more", { n: ar.number(4) }), "+" + new Intl.NumberFormat("ar").format(4) + " أخرى");
});

test("recurrence descriptions in the visitor's language", () => {
    const table = [
        ["de", { type: 2, data1: 1, data2: 8 }, "Jede Woche am Mittwoch"],
        ["de", { type: 2, data1: 2, data2: 42 }, "Alle 2 Wochen am Montag, Mittwoch und Freitag"],
        ["de", { type: 4, data1: 1, data2: 5, data3: 32 }, "Am letzten Freitag jedes Monats"],
        ["de", { type: 6, data1: 4, data2: 16, data3: 11 }, "Am vierten Donnerstag im November jedes Jahres"],
        ["de", { type: 5, data1: 2, data2: 29 }, "Jedes Jahr am 29. Februar"],
        ["fr", { type: 1, data1: 0, data2: 3 }, "Tous les 3 jours"],
        ["fr", { type: 4, data1: 1, data2: 1, data3: 2 }, "Le premier lundi de chaque mois"],
        ["es", { type: 3, data1: 1, data2: 15 }, "El día 15 de cada mes"],
        ["es", { type: 4, data1: 1, data2: 1, data3: 62 }, "El primer día laborable de cada mes"],
        ["it", { type: 4, data1: 1, data2: 1, data3: 1 }, "La prima domenica di ogni mese"],
        ["it", { type: 4, data1: 1, data2: 5, data3: 2 }, "L’ultimo lunedì di ogni mese"],
        ["nl", { type: 2, data1: 3, data2: 62 }, "Om de 3 weken op werkdagen"],
        ["pt", { type: 4, data1: 1, data2: 2, data3: 4 }, "A segunda terça-feira de cada mês"],
        ["pt", { type: 4, data1: 1, data2: 2, data3: 64 }, "O segundo sábado de cada mês"],
        ["pt", { type: 1, data1: 1 }, "Todos os dias úteis"],
        ["ar", { type: 2, data1: 1, data2: 8 }, "كل أسبوع يوم الأربعاء"],
        ["ar", { type: 2, data1: 2, data2: 8 }, "كل أسبوعين يوم الأربعاء"],
        ["ar", { type: 4, data1: 1, data2: 1, data3: 2 }, "يوم الاثنين الأول من كل شهر"],
        ["en-GB", { type: 5, data1: 2, data2: 29 }, "Every year on 29 February"],
        ["de", { type: 9 }, ""],
    ];
    for (const [locale, options, text] of table) {
        assert.equal(cal.describePattern(pattern(options), new cal.LocaleTexts(locale, false)), text, locale + " " + JSON.stringify(options));
    }
    const ar = new cal.LocaleTexts("ar", false);
    const arabicDigits = (n) => new Intl.NumberFormat("ar").format(n);
    assert.equal(cal.describePattern(pattern({ type: 1, data1: 0, data2: 3 }), ar), `كل ${arabicDigits(3)} أيام`);
    assert.equal(cal.describePattern(pattern({ type: 1, data1: 0, data2: 11 }), ar), `كل ${arabicDigits(11)} يومًا`);
});

test("the data notice in the visitor's language names the file", () => {
    for (const [language, words] of Object.entries(cal.WORDS)) {
        for (const [problem, fromFile, key] of [["damaged", false, "damaged"], ["missing", true, "fileSystem"],
            ["missing", false, "missing"], ["unreachable", false, "unreachable"]]) {
            const text = cal.problemText(problem, "Frühling & Co.xml", fromFile, words);
            assert.ok(text.includes("Frühling & Co.xml"), `${language} ${key}`);
            assert.equal(text, words[key].replace("{file}", "Frühling & Co.xml"), `${language} ${key}`);
        }
    }
});
