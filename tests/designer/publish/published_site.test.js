// The program's publish folders in headless Chromium and Firefox, as visitors meet them: the
// embed code pasted into a plain page, the index page from the file system and from a web
// server, every view, the keyboard alone, a phone's width, German and Arabic browsers, and
// axe-core on every bundled style. Screenshots go to <output>/browsers.
//
// The folders come from designer_publish_site_writer (<output>/sites); the browser tools from
// tests/component/node_modules (scripts/install-deps.sh installs them).
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const browsers = require("../../component/browser_session.js");

const OUTPUT = path.resolve(process.env.TEV_PUBLISH_OUTPUT_DIR || "build/tests/designer/publish/output");
const SITES = path.join(OUTPUT, "sites");
const SHOTS = path.join(OUTPUT, "browsers");
const STYLES = path.join(__dirname, "..", "..", "..", "component", "Calendar", "Templates");
const PAGE = "MyCalendar.html";

const today = new Date();
const YEAR = today.getFullYear(), MONTH = today.getMonth();
const iso = (d) => [d.getFullYear(), String(d.getMonth() + 1).padStart(2, "0"), String(d.getDate()).padStart(2, "0")].join("-");
const GARDEN_DAY = iso(new Date(YEAR, MONTH, 15));
const WEDNESDAYS = [];
for (let d = 1; d <= new Date(YEAR, MONTH + 1, 0).getDate(); d++) {
    if (new Date(YEAR, MONTH, d).getDay() === 3) WEDNESDAYS.push(iso(new Date(YEAR, MONTH, d)));
}

fs.mkdirSync(SHOTS, { recursive: true });
const server = browsers.serve(OUTPUT);
const http = (file) => server.url("sites/" + file);

test.after(() => server.close());

// The subjects shown per day: data-date -> [title].
function byDate(page, selector) {
    return page.evaluate((selector) => {
        const out = {};
        document.querySelectorAll(selector).forEach((e) => (out[e.dataset.date] = out[e.dataset.date] || []).push(e.title));
        return out;
    }, selector);
}

async function openCalendar(page, url) {
    await page.goto(url);
    await page.waitForSelector(".wcal:not([data-state=loading]) .wcal-frame > *", { timeout: 20000 });
}

async function switchTo(page, view) {
    await page.click(`.wcal-view[data-view=${view}]`);
    await page.waitForSelector(`.wcal[data-view=${view}]`);
}

for (const kind of browsers.KINDS) {
    test(`${kind}: visitors' pages`, { timeout: 300000 }, async (t) => {
        const session = await browsers.launch(kind, "en-US");
        t.after(() => session.close());
        const shot = (page, name) => page.screenshot({ path: path.join(SHOTS, `${kind}-${name}.png`) });

        await t.test("the embed code pasted into a plain page shows the calendar", async () => {
            const page = await session.page(800, 700);
            await openCalendar(page, http("Spring/pasted.html"));
            await shot(page, "pasted");
            const state = await page.$eval(".wcal", (e) => e.dataset.state);
            assert.equal(state, "ready");
            assert.equal(await page.$$eval("object, embed", (list) => list.length), 0, "the player replaced them");
            assert.ok((await byDate(page, ".wcal-chip"))[GARDEN_DAY].includes("Garden tour"));
            const box = await page.$eval(".wcal", (e) => e.getBoundingClientRect().width);
            assert.equal(Math.round(box), 500, "the embed code's width");
        });

        await t.test("the index page from the file system says why the events are missing", async () => {
            const page = await session.page(700, 500);
            await openCalendar(page, "file://" + path.join(SITES, "Spring", PAGE));
            await shot(page, "file-system");
            const notice = await page.$eval(".wcal-notice", (e) => e.textContent);
            assert.match(notice, /open this page from a web server/i);
            assert.match(notice, /Spring\.xml/);
            assert.ok(await page.$$eval("[role=grid] [role=gridcell]", (l) => l.length) >= 28, "the month still shows");
            // No subscription from the file system, but the file can be taken along.
            assert.equal(await page.$$eval(".wcal-subscribe", (l) => l.length), 0);
            assert.match(await page.$eval(".wcal-download", (e) => e.href), /^file:.*\/Spring\/Spring\.ics$/);
        });

        await t.test("the Subscribe link offers the project's events to the visitor's calendar", async () => {
            const page = await session.page(760, 560);
            await openCalendar(page, http("Spring/" + PAGE));
            const links = await page.$$eval(".wcal-feed a", (list) => list.map((a) => [a.textContent, a.href]));
            const feed = http("Spring/Spring.ics");
            assert.deepEqual(links, [["Subscribe", feed.replace(/^http:/, "webcal:")], ["Download", feed]]);
            const text = await page.evaluate((url) => fetch(url).then((r) => r.text()), feed);
            assert.match(text, /^BEGIN:VCALENDAR\r\n/);
            assert.match(text, /SUMMARY:Choir practice\r\n/);
            assert.match(text, /RRULE:FREQ=WEEKLY;BYDAY=WE/);
        });

        await t.test("over HTTP every view shows the project's events and occurrences", async () => {
            const page = await session.page(760, 560);
            await openCalendar(page, http("Spring/" + PAGE));
            const month = await byDate(page, ".wcal-chip");
            assert.ok(month[GARDEN_DAY].includes("Garden tour"));
            for (const wednesday of WEDNESDAYS) assert.ok((month[wednesday] || []).includes("Choir practice"), wednesday);
            await page.click(`.wcal-day[data-date="${GARDEN_DAY}"]`);
            await page.waitForSelector(".wcal-popup");
            await page.keyboard.press("Escape");

            await switchTo(page, "week");
            await shot(page, "week");
            const week = await byDate(page, ".wcal-block");
            assert.deepEqual(week[GARDEN_DAY], ["Garden tour"]);
            const choir = Object.keys(week).filter((d) => week[d].includes("Choir practice"));
            assert.equal(choir.length, 1, "one Wednesday a week");
            assert.equal(new Date(choir[0] + "T12:00").getDay(), 3);

            await switchTo(page, "day");
            assert.deepEqual(await byDate(page, ".wcal-block"), { [GARDEN_DAY]: ["Garden tour"] });

            await switchTo(page, "agenda");
            await shot(page, "agenda");
            const agenda = await byDate(page, ".wcal-agenda-item");
            assert.deepEqual(agenda[GARDEN_DAY], ["Garden tour"]);
            assert.ok(Object.values(agenda).filter((s) => s.includes("Choir practice")).length >= 4, "a month of Wednesdays");

            await switchTo(page, "month");
            assert.equal(await page.$eval(".wcal-view[aria-pressed=true]", (e) => e.dataset.view), "month");
        });

        await t.test("the keyboard alone reaches an event and opens its details", async () => {
            const page = await session.page(760, 560);
            await openCalendar(page, http("Spring/" + PAGE));
            let onCell = false;
            for (let i = 0; i < 15 && !onCell; i++) {
                await page.keyboard.press("Tab");
                onCell = await page.evaluate(() => document.activeElement.getAttribute("role") === "gridcell");
            }
            assert.ok(onCell, "Tab reaches the month's days");
            const from = new Date((await page.evaluate(() => document.activeElement.dataset.date)) + "T12:00");
            const days = Math.round((new Date(GARDEN_DAY + "T12:00") - from) / 86400000);
            for (let i = 0; i < Math.abs(Math.trunc(days / 7)); i++) await page.keyboard.press(days > 0 ? "ArrowDown" : "ArrowUp");
            for (let i = 0; i < Math.abs(days % 7); i++) await page.keyboard.press(days > 0 ? "ArrowRight" : "ArrowLeft");
            assert.equal(await page.evaluate(() => document.activeElement.dataset.date), GARDEN_DAY);
            await page.keyboard.press("Enter");
            await page.waitForSelector(".wcal-popup[role=dialog]");
            await shot(page, "keyboard-details");
            const dialog = await page.$eval(".wcal-popup", (e) => ({
                subjects: [...e.querySelectorAll(".wcal-detail-subject")].map((s) => s.textContent),
                focusInside: e.contains(document.activeElement),
                modal: e.getAttribute("aria-modal"),
            }));
            assert.deepEqual(dialog, { subjects: ["Garden tour"], focusInside: true, modal: "true" });
            for (let i = 0; i < 3; i++) await page.keyboard.press("Tab");
            assert.ok(await page.$eval(".wcal-popup", (e) => e.contains(document.activeElement)), "Tab stays in the dialog");
            await page.keyboard.press("Escape");
            assert.equal(await page.$(".wcal-popup"), null);
            assert.equal(await page.evaluate(() => document.activeElement.dataset.date), GARDEN_DAY, "focus is back");
        });

        await t.test("at 375 pixels the calendar fits without scrolling sideways", async () => {
            const page = await session.page(375, 700);
            await openCalendar(page, http("Spring/" + PAGE));
            await shot(page, "375px");
            const fit = await page.evaluate(() => ({
                page: document.documentElement.scrollWidth,
                calendar: Math.round(document.querySelector(".wcal").getBoundingClientRect().right),
                view: document.querySelector(".wcal").dataset.view,
            }));
            assert.ok(fit.page <= 375 && fit.calendar <= 375, JSON.stringify(fit));
            assert.equal(fit.view, "agenda", "a phone opens with the agenda");
            await switchTo(page, "month");
            await shot(page, "375px-month");
            assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= 375);
        });
    });

    // The calendar's own words as a German and an Arabic visitor read them: the view buttons, the
    // arrows' names, and the details of the weekly choir practice with the dialog's close button.
    const WORDS = {
        "de-DE": { views: ["Heute", "Monat", "Woche", "Tag", "Terminliste"], arrows: ["Vorheriger Monat", "Nächster Monat"],
            feed: ["Abonnieren", "Herunterladen"],
            close: "Schließen", facts: [["Ort", "Hall"], ["Anzeigen als", "Beschäftigt"], ["Wiederholung", "Jede Woche am Mittwoch"]] },
        ar: { views: ["اليوم", "شهر", "أسبوع", "يوم", "جدول الأعمال"], arrows: ["الشهر السابق", "الشهر التالي"],
            feed: ["اشتراك", "تنزيل"],
            close: "إغلاق", facts: [["المكان", "Hall"], ["الحالة", "مشغول"], ["التكرار", "كل أسبوع يوم الأربعاء"]] },
    };

    for (const [language, monthName, rtl] of [["de-DE", "long", false], ["ar", "long", true]]) {
        test(`${kind}: a ${language} browser`, { timeout: 180000 }, async (t) => {
            const session = await browsers.launch(kind, language);
            t.after(() => session.close());
            const page = await session.page(760, 560);
            await openCalendar(page, http("Spring/" + PAGE));
            await page.screenshot({ path: path.join(SHOTS, `${kind}-${language}.png`) });
            const shown = await page.evaluate(() => {
                const root = document.querySelector(".wcal");
                const heads = [...root.querySelectorAll(".wcal-weekday")].map((e) => e.getBoundingClientRect().left);
                return { lang: root.lang, direction: getComputedStyle(root).direction, period: root.querySelector(".wcal-period").textContent,
                    firstLeft: heads[0], lastLeft: heads[heads.length - 1], day: root.querySelector(".wcal-weekday").dataset.name };
            });
            const month = new Intl.DateTimeFormat(language, { month: monthName }).format(today);
            assert.ok(shown.period.includes(month), `${shown.period} names ${month}`);
            assert.equal(shown.lang.split("-")[0], language.split("-")[0]);
            assert.equal(shown.direction, rtl ? "rtl" : "ltr");
            assert.equal(shown.firstLeft > shown.lastLeft, rtl, "the week runs in the reading direction");
            const firstDay = new Date(2023, 0, 1); // a Sunday, the project's first day of the week
            assert.equal(shown.day.split(/[,\s]/)[0], new Intl.DateTimeFormat(language, { weekday: "long" }).format(firstDay));

            const words = await page.evaluate(() => ({
                views: [...document.querySelectorAll(".wcal-view")].map((e) => e.textContent),
                arrows: [...document.querySelectorAll(".wcal-nav")].map((e) => e.getAttribute("aria-label")),
                feed: [...document.querySelectorAll(".wcal-feed a")].map((e) => e.textContent),
            }));
            await page.click(`.wcal-day[data-date="${WEDNESDAYS[0]}"]`);
            await page.waitForSelector(".wcal-popup");
            await page.screenshot({ path: path.join(SHOTS, `${kind}-${language}-details.png`) });
            const dialog = await page.$eval(".wcal-popup", (e) => ({
                close: e.querySelector(".wcal-close").getAttribute("aria-label"),
                facts: [...e.querySelectorAll(".wcal-detail-fact")].map((f) => [f.firstChild.textContent, f.lastChild.textContent]),
            }));
            assert.deepEqual({ ...words, ...dialog }, WORDS[language]);
        });
    }
}

test("axe-core finds no violation on any bundled style in any view", { timeout: 600000 }, async (t) => {
    const session = await browsers.launch("chromium", "en-US");
    t.after(() => session.close());
    const styles = [["Published", path.join(SITES, "Spring")]].concat(
        fs.readdirSync(STYLES).sort().map((name) => [name, browsers.styleSite(path.join(SITES, "Spring"),
            path.join(STYLES, name, "props.xml"), path.join(OUTPUT, "styles", name))]));
    for (const [name, folder] of styles) {
        const page = await session.page(760, 560);
        await openCalendar(page, server.url(path.relative(OUTPUT, folder) + "/" + PAGE));
        for (const view of ["month", "week", "day", "agenda"]) {
            await switchTo(page, view);
            assert.deepEqual(await browsers.axeViolations(page), [], `${name}, ${view} view`);
        }
        await page.click(".wcal-agenda-item");
        await page.waitForSelector(".wcal-popup");
        assert.deepEqual(await browsers.axeViolations(page), [], `${name}, event details`);
        await page.screenshot({ path: path.join(SHOTS, `style-${name}.png`) });
        await page.close();
    }
});
