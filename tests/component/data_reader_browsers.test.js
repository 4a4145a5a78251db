// The calendar's XML scanner against the browsers' own parser (DOMParser) in headless Chromium
// and Firefox: for the project files in the tree, data files with the recurrence vectors and
// hard texts, well-formed documents in every form, damaged copies of them, and documents the
// scanner leaves to DOMParser. Whatever the scanner reads, DOMParser reads as the same tree;
// whatever DOMParser refuses, the scanner refuses; and the page's reading equals a reading of
// DOMParser's document for every text.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const browsers = require("./browser_session.js");
const cal = require("../../component/Calendar/WebCalendar.js");
const docs = require("./xml_documents.js");

const ROOT = path.join(__dirname, "..", "..");
const MOVIE = path.join(ROOT, "component", "Calendar", "WebCalendar.js");
const { element } = docs;

function projectFiles() {
    const templates = path.join(ROOT, "component", "Calendar", "Templates");
    return [path.join(ROOT, "tests", "calendar", "data", "WeekOfMeetings.kcd"),
        path.join(ROOT, "component", "Calendar", "props.xml"), path.join(ROOT, "component", "Calendar", "componentInfo.xml")]
        .concat(fs.readdirSync(templates).map((name) => path.join(templates, name, "props.xml")))
        .map((file) => cal.decodeText(new Uint8Array(fs.readFileSync(file))));
}

function hardDataFiles() {
    const texts = ["Tom & Jerry's <Show> \"live\"", "one\ntwo\r\nthree\tfour", "\u00e9\u4e2d\ud83d\ude00\u00a0", "]]>", ""];
    return texts.map((text, i) => docs.designerDataFile([["Title", text], ["Language", "de"], [text, String(i)]],
        [element("Event", ["EventID", String(i), "StartTime", "03:05:2024 09:00", "Subject", text, "Body", text],
            [element("Pattern", ["RecurrenceType", "1", "RecurrenceOpt_Data1", "1", "PatternStartDate", "03:04:2024",
                "UseEndMethod", "2"], [element("Exception", ["Subject", text, "RException_StartTimeOrig", "03:05:2024 09:00"])])])]));
}

// Valid documents the scanner must take itself, and damaged copies of them.
function corpus() {
    const random = docs.randomSource(7);
    const valid = projectFiles().concat(hardDataFiles());
    for (let i = 0; i < 300; i++) valid.push(docs.dressedDocument(docs.randomTree(random), random));
    const damaged = [];
    for (let i = 0; i < 1500; i++) damaged.push(docs.damagedCopy(random.pick(valid), random));
    return { valid, damaged };
}

// Documents that are well-formed but that the scanner leaves to DOMParser.
const LEFT_TO_THE_BROWSER = [
    '<!DOCTYPE flash [<!ENTITY t "Spring">]><flash><UserDefined><Param name="Title" value="&t;"/></UserDefined></flash>',
    '<flash xmlns="urn:tev"><Data><Events><Event StartTime="03:05:2024 09:00" Subject="namespaced"/></Events></Data></flash>',
    '<flash xmlns:x="urn:x"><x:Data/><Data><Events><Event x:a="1" StartTime="03:05:2024 09:00"/></Events></Data></flash>',
    '<flash><\u00e9/><UserDefined><Param name="Title" value="accent"/></UserDefined></flash>',
    '<?xml version="1.0" encoding="ISO-8859-1"?><flash><UserDefined><Param name="Title" value="latin"/></UserDefined></flash>',
];

// In the page: DOMParser's tree (null when it refuses the text) and the page's reading.
async function browserView(page, texts) {
    return page.evaluate((texts) => texts.map((text) => {
        const W = TEVWebCalendar;
        return { tree: W.elementTreeOf(W.parseXml(text)), read: JSON.stringify(W.readDataText(text)) };
    }), texts);
}

async function browserViews(page, texts) {
    const out = [];
    for (let i = 0; i < texts.length; i += 200) out.push(...await browserView(page, texts.slice(i, i + 200)));
    return out;
}

for (const kind of browsers.KINDS) {
    test(`${kind}: the scanner reads what DOMParser reads, as DOMParser reads it`, { timeout: 300000 }, async (t) => {
        const session = await browsers.launch(kind, "en-US");
        t.after(() => session.close());
        const page = await session.page(400, 300);
        await page.goto("about:blank");
        await page.addScriptTag({ content: fs.readFileSync(MOVIE, "utf8") });
        const { valid, damaged } = corpus();
        const texts = valid.concat(damaged, LEFT_TO_THE_BROWSER);
        const views = await browserViews(page, texts);
        let refused = 0;
        texts.forEach((text, i) => {
            const mine = cal.scanXml(text);
            const theirs = views[i].tree;
            if (i < valid.length) assert.ok(mine, "the scanner takes a valid document: " + JSON.stringify(text));
            if (mine) assert.deepEqual(mine, theirs, JSON.stringify(text));
            if (!theirs) refused++;
            const reference = theirs ? { values: cal.readUserValues(theirs), events: cal.readEvents(theirs) } : null;
            assert.equal(views[i].read, JSON.stringify(reference), "the page's reading: " + JSON.stringify(text));
        });
        assert.ok(refused > damaged.length / 2, `${refused} of ${damaged.length} damaged texts refused`);
        for (let i = valid.length + damaged.length; i < texts.length; i++) {
            assert.equal(cal.scanXml(texts[i]), null);
            assert.notEqual(views[i].tree, null, "DOMParser reads " + texts[i]);
        }
    });
}
