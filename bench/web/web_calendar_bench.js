// Prints how long the web calendar takes, in headless Chromium, from being written into a page
// to a drawn and laid out month: for an empty calendar and for one with 1000 events in the
// month, both read from a data file over loopback HTTP, alternating on one page in one browser
// run. The median of the runs counts; 1000 events should cost at most 1.25 times the empty
// calendar. Every run starts alike: the calendar before it is gone and laid out, and its
// garbage collected, so that neither kind pays for the other. Beside them, the time the page
// takes just to fetch and read each data file, without a calendar: the part of the figures
// that the network and the machine's load set, whatever the calendar does.
//
// Usage: web_calendar_bench.js <program folder> [runs]
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const browsers = require("../../tests/component/browser_session.js");

const PROGRAM = path.resolve(process.argv[2] || "build/bin");
// At least 20 runs of each kind, so that one slow run cannot move the median far.
const RUNS = Math.max(20, Number(process.argv[3]) || 21);
const EVENTS = 1000;

function stamp(date, hour, minute) {
    const two = (n) => String(n).padStart(2, "0");
    return `${two(date.getMonth() + 1)}:${two(date.getDate())}:${date.getFullYear()} ${two(hour)}:${two(minute)}`;
}

// A data file as the designer writes it, every attribute it writes included, with `count`
// events spread over this month.
function dataFile(count) {
    const now = new Date();
    const days = new Date(now.getFullYear(), now.getMonth() + 1, 0).getDate();
    const made = new Date(now.getFullYear(), now.getMonth() - 1, 20);
    const events = [];
    for (let i = 0; i < count; i++) {
        const day = new Date(now.getFullYear(), now.getMonth(), 1 + (i % days));
        const hour = 7 + (i % 12), allDay = i % 10 === 0 ? 1 : 0;
        const uid = (i + 1).toString(16).padStart(32, "0");
        events.push(`<Event EventID="${i + 1}" StartTime="${stamp(day, allDay ? 0 : hour, 0)}" ` +
            `EndTime="${stamp(day, allDay ? 23 : hour, allDay ? 59 : 45)}" Subject="Event ${i + 1}" ` +
            `CreationTime="${stamp(made, 9, 30)}" LastModificationTime="${stamp(made, 10, 15)}" ` +
            `Location="Room ${i % 7}" IsMeeting="0" AllDayEvent="${allDay}" Type="Business" Body="" BusyStatus="Busy" ` +
            `UID="${uid}@quorvane-web-calendar"/>`);
    }
    return '<?xml version="1.0" encoding="UTF-16" standalone="no"?>\n\r<flash>\n<tev></tev>\n' +
        '<UserDefined><Param name="Title" value="Bench"/></UserDefined>\n<Data>\n\t<Events>\n\t\t' +
        events.join("\n\t\t") + "\n\t\t</Events></Data></flash>";
}

// Writes the calendar into a fresh box and resolves with the milliseconds to its drawn month.
const PAGE = `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Bench</title>
<script src="swfobject.js"></script><script src="WebCalendar.js"></script></head><body>
<div id="host"></div><script>
window.drawOnce = function (file) {
  return new Promise(function (resolve) {
    var host = document.getElementById("host");
    host.innerHTML = "";
    void host.offsetHeight;
    gc();
    var box = document.createElement("div");
    host.appendChild(box);
    var started = performance.now();
    box.addEventListener("wcal-drawn", function () {
      void box.offsetHeight;
      resolve(performance.now() - started);
    });
    var so = new SWFObject("WebCalendar.js", "cal", "500", "400", "8", "#ffffff");
    so.addVariable("tev_xmlConnectorURL", file);
    so.write(box);
  });
};
window.fetchOnce = async function (file) {
  gc();
  var started = performance.now();
  var body = (await fetch(file)).body.getReader();
  while (!(await body.read()).done) {}
  return performance.now() - started;
};
</script></body></html>`;

function quantile(values, share) {
    const sorted = values.slice().sort((a, b) => a - b);
    return sorted[Math.floor((sorted.length - 1) * share)];
}

function line(name, times) {
    const q = (share) => quantile(times, share).toFixed(1);
    return `  ${name.padEnd(20)}${q(0.5).padStart(6)} ms   (middle half ${q(0.25)} to ${q(0.75)} ms)`;
}

async function main() {
    const site = fs.mkdtempSync(path.join(os.tmpdir(), "tev-web-bench-"));
    for (const name of ["swfobject.js", "component/Calendar/WebCalendar.js", "component/Calendar/WebCalendar.css"])
        fs.copyFileSync(path.join(PROGRAM, name), path.join(site, path.basename(name)));
    browsers.writeUtf16(path.join(site, "empty.xml"), dataFile(0));
    browsers.writeUtf16(path.join(site, "busy.xml"), dataFile(EVENTS));
    const busyBytes = fs.statSync(path.join(site, "busy.xml")).size;
    fs.writeFileSync(path.join(site, "bench.html"), PAGE);
    const server = browsers.serve(site);
    const session = await browsers.launch("chromium", "en-US", ["--js-flags=--expose-gc"]);
    try {
        const page = await session.page(800, 600);
        await page.goto(server.url("bench.html"));
        const times = { empty: [], busy: [], emptyRead: [], busyRead: [] };
        for (const file of ["empty.xml", "busy.xml"]) await page.evaluate((f) => window.drawOnce(f), file);
        for (let run = 0; run < RUNS; run++) {
            for (const kind of ["empty", "busy"]) {
                times[kind].push(await page.evaluate((f) => window.drawOnce(f), kind + ".xml"));
                times[kind + "Read"].push(await page.evaluate((f) => window.fetchOnce(f), kind + ".xml"));
            }
        }
        const ratio = (a, b) => (quantile(times[b], 0.5) / quantile(times[a], 0.5)).toFixed(2).padStart(6);
        console.log(`Time to a drawn month in headless Chromium (median of ${RUNS} runs of each, alternating):`);
        console.log(line("empty calendar", times.empty));
        console.log(line(`${EVENTS} events in month`, times.busy) + `, data file ${Math.round(busyBytes / 1024)} KB`);
        console.log(`  ratio               ${ratio("empty", "busy")}      (target: at most 1.25)`);
        console.log("Fetching and reading the data file alone, without a calendar:");
        console.log(line("empty calendar's", times.emptyRead));
        console.log(line(`${EVENTS} events'`, times.busyRead));
        console.log(`  ratio               ${ratio("emptyRead", "busyRead")}`);
        console.log(`Machine load (1, 5, 15 minutes): ${os.loadavg().map((n) => n.toFixed(2)).join(", ")} on ${os.cpus().length} cores`);
    } finally {
        await session.close();
        server.close();
        fs.rmSync(site, { recursive: true, force: true });
    }
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
