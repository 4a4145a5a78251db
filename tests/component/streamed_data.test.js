// The calendar reading its data file over HTTP while it arrives, in headless Chromium and
// Firefox: a loopback server sends the file's first part, and the rest only when the test has
// looked at the page (or after a bound, so nothing hangs). While it waits
// the month is already drawn in the document's colours; when the rest has come every day shows
// its events. A file that turns out damaged after the wait ends with the defaults and the
// notice, not with the look drawn ahead; a compressed one is read to its end.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const browsers = require("./browser_session.js");
const docs = require("./xml_documents.js");

const ROOT = path.join(__dirname, "..", "..");
const EVENTS = 300;

const now = new Date();
const YEAR = now.getFullYear(), MONTH = now.getMonth();
const DAYS = new Date(YEAR, MONTH + 1, 0).getDate();
const two = (n) => String(n).padStart(2, "0");
const stamp = (day, hour) => `${two(MONTH + 1)}:${two(day)}:${YEAR} ${two(hour)}:00`;
const iso = (day) => `${YEAR}-${two(MONTH + 1)}-${two(day)}`;

// EVENTS events spread over this month, in a data file with a header colour of its own.
function dataText() {
    const events = [];
    for (let i = 0; i < EVENTS; i++) {
        const day = 1 + (i % DAYS);
        events.push(docs.element("Event", ["EventID", String(i + 1), "StartTime", stamp(day, 8 + (i % 10)),
            "EndTime", stamp(day, 9 + (i % 10)), "Subject", `Event ${i + 1}`, "AllDayEvent", "0", "BusyStatus", "Busy"]));
    }
    return docs.designerDataFile([["Title", "Streamed"], ["HeaderColor", "0x123456"], ["WeekStartDay", "true"]], events);
}

function utf16(text) {
    return Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]);
}

const PAGE = `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Streamed</title>
<script src="swfobject.js"></script></head><body><div id="box"></div><script>
var so = new SWFObject("WebCalendar.js", "cal", "700", "520", "8", "#ffffff");
so.addVariable("tev_xmlConnectorURL", new URLSearchParams(location.search).get("data"));
so.write("box");
</script></body></html>`;

function siteFiles() {
    const program = path.join(ROOT, "component", "Calendar");
    const text = dataText();
    return {
        "index.html": Buffer.from(PAGE),
        "swfobject.js": fs.readFileSync(path.join(ROOT, "resources", "web", "swfobject.js")),
        "WebCalendar.js": fs.readFileSync(path.join(program, "WebCalendar.js")),
        "WebCalendar.css": fs.readFileSync(path.join(program, "WebCalendar.css")),
        "Events.xml": utf16(text),
        // well-formed up to the pause, broken after it
        "Broken.xml": utf16(text.replace("</Events>", "<Event Subject='x' Subject='y'/></Events>")),
        "Compressed.xml": utf16(text),
    };
}

// What the calendar shows: its state, header colour, and per day the chips and the "+n" count.
function shown(page) {
    return page.evaluate(() => {
        const root = document.querySelector(".wcal");
        const days = {};
        root.querySelectorAll(".wcal-day").forEach((cell) => {
            const more = cell.querySelector(".wcal-more");
            days[cell.dataset.date] = cell.querySelectorAll(".wcal-chip").length + (more ? parseInt(more.textContent.replace(/\D+/g, ""), 10) : 0);
        });
        const header = root.querySelector(".wcal-header");
        return { state: root.dataset.state, header: header ? getComputedStyle(header).backgroundColor : null,
            notice: !!root.querySelector(".wcal-notice"), count: root.dataset.eventCount, days };
    });
}

for (const kind of browsers.KINDS) {
    test(`${kind}: a data file that arrives slowly is drawn ahead and then filled`, { timeout: 120000 }, async (t) => {
        const server = browsers.serveFiles(siteFiles(), { inParts: (name) => /^(Events|Broken)\.xml$/.test(name),
            compressed: (name) => name === "Compressed.xml" });
        const session = await browsers.launch(kind, "en-US");
        t.after(async () => {
            await session.close();
            server.close();
        });
        const page = await session.page(900, 700);

        await page.goto(server.url("index.html?data=Events.xml"));
        await page.waitForSelector(".wcal[data-state=loading] .wcal-day", { timeout: 10000 });
        const ahead = await shown(page);
        assert.equal(ahead.state, "loading", "drawn before the events came");
        assert.equal(ahead.header, "rgb(18, 52, 86)", "in the document's colours");
        server.release();
        await page.waitForSelector(".wcal[data-state=ready]", { timeout: 15000 });
        const filled = await shown(page);
        assert.equal(filled.count, String(EVENTS));
        for (let day = 1; day <= DAYS; day++) {
            const expected = Math.floor(EVENTS / DAYS) + (day <= EVENTS % DAYS ? 1 : 0);
            assert.equal(filled.days[iso(day)], expected, iso(day));
        }
        await page.screenshot({ path: path.join(os.tmpdir(), `tev-streamed-${kind}.png`) });

        await page.goto(server.url("index.html?data=Broken.xml"));
        await page.waitForSelector(".wcal[data-state=loading] .wcal-day", { timeout: 10000 });
        server.release();
        await page.waitForSelector(".wcal[data-state=defaults]", { timeout: 15000 });
        const broken = await shown(page);
        assert.ok(broken.notice, "the notice says the file is damaged");
        assert.equal(broken.header, "rgb(47, 93, 140)", "the default header colour again");
        assert.ok(Object.values(broken.days).every((n) => n === 0), "no events from a damaged file");

        // Its length on the wire is not the length of what it holds.
        await page.goto(server.url("index.html?data=Compressed.xml"));
        await page.waitForSelector(".wcal[data-state=ready]", { timeout: 15000 });
        assert.equal((await shown(page)).count, String(EVENTS), "a compressed file is read to its end");
    });
}
