// Busy days of the month in headless Chromium and Firefox. A day with more events than it has
// room for shows the first of them in the day's order (all-day events first, then by start,
// end and subject), each chip whole, and "+N more" counts the rest; that line and the
// keyboard open the day's whole list in the same order, and focus comes back to the day. The
// month comes out alike whether its data file arrives whole or in parts (drawn ahead, then
// filled).
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const browsers = require("./browser_session.js");
const docs = require("./xml_documents.js");

const ROOT = path.join(__dirname, "..", "..");

const now = new Date();
const YEAR = now.getFullYear(), MONTH = now.getMonth();
const DAYS = new Date(YEAR, MONTH + 1, 0).getDate();
const TODAY = now.getDate();
const two = (n) => String(n).padStart(2, "0");
const stamp = (day, minutes) => `${two(MONTH + 1)}:${two(day)}:${YEAR} ${two(Math.floor(minutes / 60))}:${two(minutes % 60)}`;
const iso = (day) => `${YEAR}-${two(MONTH + 1)}-${two(day)}`;

// The month's events as { subject, first, last (days of the month), allDay, start, end
// (minutes of their days) }, written in an order the page has to sort out.
function monthEvents() {
    const events = [];
    for (let day = 1; day <= DAYS; day++) {
        const count = (day * 5) % 9;
        for (let k = count - 1; k >= 0; k--) {
            const start = (8 + ((k * 7) % 10)) * 60 + (k % 2) * 30;
            events.push({ subject: `Day ${day} item ${k}`, first: day, last: day, allDay: false, start, end: start + 45 });
        }
        if (day % 4 === 0) events.push({ subject: `Holiday ${day}`, first: day, last: day, allDay: true, start: 0, end: 1439 });
    }
    // Same times: the subject decides.
    events.push({ subject: "Tie b", first: 2, last: 2, allDay: false, start: 720, end: 780 });
    events.push({ subject: "Tie a", first: 2, last: 2, allDay: false, start: 720, end: 780 });
    events.push({ subject: "Conference", first: 9, last: 11, allDay: true, start: 0, end: 1439 });
    return events;
}

// A series every third day at 7:15 from the 1st, for half an hour.
const SERIES = { subject: "Standup", start: 435, end: 465 };

function eventElement(e, id) {
    return docs.element("Event", ["EventID", String(id), "StartTime", stamp(e.first, e.start), "EndTime", stamp(e.last, e.end),
        "Subject", e.subject, "AllDayEvent", e.allDay ? "1" : "0", "BusyStatus", "Busy"]);
}

function seriesElement(id) {
    const pattern = docs.element("Pattern", ["StartTime", "07:15", "EndTime", "07:45", "DurationMinutes", "30",
        "RecurrenceType", "1", "RecurrenceOpt_Data1", "0", "RecurrenceOpt_Data2", "3", "RecurrenceOpt_Data3", "0",
        "PatternStartDate", stamp(1, 0), "PatternEndDate", stamp(1, 0), "UseEndMethod", "2"]);
    return docs.element("Event", ["EventID", String(id), "StartTime", stamp(1, SERIES.start), "EndTime", stamp(1, SERIES.end),
        "Subject", SERIES.subject, "AllDayEvent", "0", "BusyStatus", "Busy"], [pattern]);
}

// Per day of the month, the subjects of its events in the order the day lists them.
function expectedDays(events) {
    const days = {};
    for (let day = 1; day <= DAYS; day++) {
        const mine = events.filter((e) => e.first <= day && day <= e.last)
            .map((e) => ({ subject: e.subject, allDay: e.allDay, start: e.first * 1440 + e.start, end: e.last * 1440 + e.end }));
        if ((day - 1) % 3 === 0) mine.push({ subject: SERIES.subject, allDay: false, start: day * 1440 + SERIES.start, end: day * 1440 + SERIES.end });
        mine.sort((a, b) => (b.allDay - a.allDay) || a.start - b.start || a.end - b.end || (a.subject < b.subject ? -1 : 1));
        days[iso(day)] = mine.map((e) => e.subject);
    }
    return days;
}

const PAGE = (width, height) => `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Busy days</title>
<script src="swfobject.js"></script></head><body><div id="box"></div><script>
var so = new SWFObject("WebCalendar.js", "cal", "${width}", "${height}", "8", "#ffffff");
so.addVariable("tev_xmlConnectorURL", new URLSearchParams(location.search).get("data"));
so.write("box");
</script></body></html>`;

function siteFiles(events) {
    const program = path.join(ROOT, "component", "Calendar");
    const elements = events.map((e, i) => eventElement(e, i + 1)).concat([seriesElement(events.length + 1)]);
    const text = docs.designerDataFile([["Title", "Busy"], ["WeekStartDay", "true"], ["EventsPerDay", "10"]], elements);
    const data = Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]);
    return {
        "small.html": Buffer.from(PAGE(500, 400)),
        "large.html": Buffer.from(PAGE(900, 760)),
        "swfobject.js": fs.readFileSync(path.join(ROOT, "resources", "web", "swfobject.js")),
        "WebCalendar.js": fs.readFileSync(path.join(program, "WebCalendar.js")),
        "WebCalendar.css": fs.readFileSync(path.join(program, "WebCalendar.css")),
        "Whole.xml": data,
        "Parts.xml": data,
    };
}

// Per day of the month: the chips' subjects, the "+N more" count, and whether every chip and
// that line show whole inside the day.
function shownDays(page) {
    return page.evaluate(() => {
        const days = {};
        document.querySelectorAll(".wcal-day:not(.wcal-out)").forEach((cell) => {
            const area = cell.querySelector(".wcal-events").getBoundingClientRect();
            const chips = Array.from(cell.querySelectorAll(".wcal-chip"));
            const more = cell.querySelector(".wcal-more");
            const parts = more ? chips.concat([more]) : chips;
            days[cell.dataset.date] = {
                chips: chips.map((c) => c.title),
                more: more ? Number(more.textContent.replace(/\D+/g, "")) : 0,
                whole: parts.every((p) => {
                    const r = p.getBoundingClientRect();
                    return r.height > 0 && r.top >= area.top - 0.5 && r.bottom <= area.bottom + 0.5;
                }),
            };
        });
        return days;
    });
}

const dialogSubjects = (page) => page.$$eval(".wcal-popup .wcal-detail-subject", (list) => list.map((e) => e.textContent));

function checkDays(shown, expected, where) {
    assert.deepEqual(Object.keys(shown).sort(), Object.keys(expected).sort(), where);
    for (const [date, subjects] of Object.entries(expected)) {
        const day = shown[date];
        assert.ok(day.whole, `${where} ${date}: every chip shows whole`);
        assert.equal(day.chips.length + day.more, subjects.length, `${where} ${date}: chips and "+N more" count every event`);
        assert.deepEqual(day.chips, subjects.slice(0, day.chips.length), `${where} ${date}: the first events show`);
    }
    assert.ok(Object.values(shown).some((d) => d.more > 0), `${where}: some days hold more than they show`);
}

// The busiest day whose events do not all show.
function busiestHidden(shown, expected) {
    const dates = Object.keys(expected).filter((d) => shown[d].more > 0);
    return dates.reduce((best, d) => (expected[d].length > expected[best].length ? d : best), dates[0]);
}

for (const kind of browsers.KINDS) {
    test(`${kind}: busy days show what fits and open their whole list`, { timeout: 240000 }, async (t) => {
        const events = monthEvents();
        const expected = expectedDays(events);
        const server = browsers.serveFiles(siteFiles(events), { inParts: (name) => name === "Parts.xml" });
        const session = await browsers.launch(kind, "en-US");
        t.after(async () => {
            await session.close();
            server.close();
        });

        for (const size of ["small", "large"]) {
            const page = await session.page(1000, 850);
            await page.goto(server.url(`${size}.html?data=Whole.xml`));
            await page.waitForSelector(".wcal[data-state=ready] .wcal-day");
            const whole = await shownDays(page);
            checkDays(whole, expected, `${size}, whole`);
            if (size === "large") assert.ok(Object.values(whole).some((d) => d.chips.length >= 3), "a large day shows several");

            await page.goto(server.url(`${size}.html?data=Parts.xml`));
            await page.waitForSelector(".wcal[data-state=loading] .wcal-day", { timeout: 15000 });
            server.release();
            await page.waitForSelector(".wcal[data-state=ready]", { timeout: 15000 });
            assert.deepEqual(await shownDays(page), whole, `${size}: drawn ahead and filled as when drawn at once`);

            const date = busiestHidden(whole, expected);
            await page.click(`.wcal-day[data-date="${date}"] .wcal-more`);
            await page.waitForSelector(".wcal-popup");
            assert.deepEqual(await dialogSubjects(page), expected[date], `${size} ${date}: "+N more" opens the whole day`);
            await page.keyboard.press("Escape");
            await page.close();
        }

        await t.test("the keyboard reaches the events beyond the chips", async () => {
            const page = await session.page(1000, 850);
            await page.goto(server.url("small.html?data=Whole.xml"));
            await page.waitForSelector(".wcal[data-state=ready] .wcal-day");
            const date = busiestHidden(await shownDays(page), expected);
            const target = Number(date.slice(-2));
            for (let i = 0; i < 20 && !(await page.evaluate(() => document.activeElement.matches("[role=gridcell]"))); i++)
                await page.keyboard.press("Tab");
            const steps = target - TODAY;
            for (let i = 0; i < Math.abs(Math.trunc(steps / 7)); i++) await page.keyboard.press(steps > 0 ? "ArrowDown" : "ArrowUp");
            for (let i = 0; i < Math.abs(steps % 7); i++) await page.keyboard.press(steps > 0 ? "ArrowRight" : "ArrowLeft");
            assert.equal(await page.evaluate(() => document.activeElement.dataset.date), date);
            await page.keyboard.press("Enter");
            await page.waitForSelector(".wcal-popup");
            assert.deepEqual(await dialogSubjects(page), expected[date]);
            await page.keyboard.press("Escape");
            await page.waitForFunction(() => !document.querySelector(".wcal-popup"));
            assert.equal(await page.evaluate(() => document.activeElement.dataset.date), date, "focus is back on the day");
        });
    });
}
