// The calendar's own XML scanner in Node: the trees it finds in data files as the designer
// writes them and in every other well-formed form, the documents it never reads (damaged) or
// leaves to the browser's parser, and the project files and recurrence vectors read through
// it. data_reader_browsers.test.js holds it against DOMParser in the browsers.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const cal = require("../../component/Calendar/WebCalendar.js");
const docs = require("./xml_documents.js");

const ROOT = path.join(__dirname, "..", "..");
const { element } = docs;

const scan = (text) => cal.scanXml(text);

test("data files as the designer writes them read as the tree they hold", () => {
    const values = [["Title", "Tom & Jerry's <Show> \"live\""], ["Language", "de"], ["Empty", ""],
        ["Lines", "one\ntwo\r\nthree\tfour"], ["Wide", "\u00e9\u4e2d\ud83d\ude00\u00a0"]];
    const events = [
        element("Event", ["EventID", "1", "StartTime", "03:05:2024 09:00", "Subject", "A < B && C > D", "Body", "x\r\ny"]),
        element("Event", ["EventID", "2", "Subject", "Weekly"], [element("Pattern", ["RecurrenceType", "2"],
            [element("Exception", ["EventID", "3", "Subject", "]]> moved"])]), element("Schedule", ["Name", "Room"])]),
    ];
    assert.deepEqual(scan(docs.designerDataFile(values, events)), docs.designerDataTree(values, events));
    assert.deepEqual(scan(docs.designerDataFile([], [])), docs.designerDataTree([], []));
});

test("every form well-formed XML allows reads as the same tree", () => {
    const random = docs.randomSource(20240305);
    for (let i = 0; i < 400; i++) {
        const tree = docs.randomTree(random);
        const text = docs.dressedDocument(tree, random);
        assert.deepEqual(scan(text), tree, JSON.stringify(text));
    }
});

test("attribute values: references, whitespace and quotes as XML defines them", () => {
    const table = [
        ['"&amp;&lt;&gt;&quot;&apos;"', "&<>\"'"],
        ['"&#65;&#x42;&#X43;"', null],
        ['"&#65;&#x42;&#x0043;&#0000068;"', "ABCD"],
        ['"&#x1F600;&#128512;"', "\ud83d\ude00\ud83d\ude00"],
        ['"a\tb\nc\r\nd\re"', "a b c d e"],
        ['"&#9;&#10;&#13;&#x20;"', "\t\n\r "],
        ['"\r\n\r\n"', "  "],
        ["'say \"hi\"'", 'say "hi"'],
        ["\"it's\"", "it's"],
        ['"a > b ]]> c"', "a > b ]]> c"],
        ['"\u00a0\u2028"', "\u00a0\u2028"],
        ['""', ""],
        ['"&#0;"', null], ['"&#xD800;"', null], ['"&#xFFFE;"', null], ['"&#x110000;"', null],
        ['"&#99999999999999999999;"', null], ['"&nbsp;"', null], ['"&amp"', null], ['"& amp;"', null],
        ['"&#;"', null], ['"&#x;"', null], ['"a<b"', null], ['"a"b"', null], ["'a'b'", null],
    ];
    for (const [quoted, expected] of table) {
        const tree = scan(`<a v=${quoted}/>`);
        assert.deepEqual(tree, expected === null ? null : element("a", ["v", expected]), quoted);
    }
});

test("malformed documents are never read", () => {
    const table = [
        ["", "no root"],
        ["   ", "only whitespace"],
        ['<?xml version="1.0"?>', "a declaration alone"],
        ["<a>", "unclosed"],
        ["<a></b>", "mismatched end tag"],
        ["<a><b></a></b>", "crossed elements"],
        ["</a>", "end tag first"],
        ["<a/><b/>", "two roots"],
        ["<a/>text", "text after the root"],
        ["text<a/>", "text before the root"],
        ['<a x="1" x="2"/>', "repeated attribute"],
        ['<a x="1"y="2"/>', "no space between attributes"],
        ["<a x=1/>", "unquoted value"],
        ['<a x="1/>', "unterminated value"],
        ["<a x/>", "attribute without value"],
        ['<a / >', "space inside the empty-element end"],
        ["< a/>", "space before the name"],
        ["<1a/>", "name starting with a digit"],
        ["<a>]]></a>", "CDATA end in text"],
        ["<a>&bogus;</a>", "undefined entity in text"],
        ["<a>a & b</a>", "bare ampersand in text"],
        ["<a>&#1;</a>", "reference to a control character"],
        ["<a>\u0001</a>", "control character"],
        ["<a>\ufffe</a>", "non-character"],
        ["<a>\ud800</a>", "lone surrogate"],
        ["<a><!-- a -- b --></a>", "double hyphen in a comment"],
        ["<a><!-- a ---></a>", "comment ending in a hyphen"],
        ["<a><!-- open</a>", "unterminated comment"],
        ["<a><![CDATA[ open</a>", "unterminated CDATA"],
        ["<![CDATA[x]]><a/>", "CDATA before the root"],
        ["<a><?xml version='1.0'?></a>", "declaration inside"],
        [' <?xml version="1.0"?><a/>', "declaration after whitespace"],
        ["<a><?XmL x?></a>", "reserved instruction name"],
        ["<a><?pi</a>", "unterminated instruction"],
        ["<a><?pi-x?></a><?", "unterminated instruction after the root"],
        ['<?xml version="1.0" encoding="UTF-16"', "unterminated declaration"],
        ["<a></a", "unterminated end tag"],
        ["<a", "unterminated start tag"],
        ["<a><", "lone angle bracket"],
        ["<a><!ELEMENT a ANY></a>", "declaration in content"],
    ];
    for (const [text, name] of table) assert.equal(scan(text), null, name);
});

test("documents beyond the scanner are left to the browser's parser", () => {
    const table = [
        ['<!DOCTYPE a [<!ENTITY e "x">]><a v="&e;"/>', "document type with an entity"],
        ["<!DOCTYPE a><a/>", "document type"],
        ['<a xmlns="urn:x"/>', "default namespace"],
        ['<p:a xmlns:p="urn:x"/>', "prefixed element"],
        ['<a p:v="1" xmlns:p="urn:x"/>', "prefixed attribute"],
        ["<\u00e9v\u00e9nement/>", "element name beyond ASCII"],
        ['<a n\u00e9="1"/>', "attribute name beyond ASCII"],
        ['<?xml version="1.1"?><a/>', "XML 1.1"],
        ['<?xml version="1.0" encoding="ISO-8859-1"?><a/>', "another encoding"],
        ["\ufeff<a/>", "byte-order mark left in the text"],
    ];
    for (const [text, name] of table) assert.equal(scan(text), null, name);
    const many = Array.from({ length: 65 }, (_, i) => `a${i}="${i}"`).join(" ");
    assert.equal(scan(`<a ${many}/>`), null, "more than 64 attributes");
});

test("hostile documents end quickly", () => {
    const started = Date.now();
    const deep = 200000;
    const nested = scan("<a>".repeat(deep) + "</a>".repeat(deep));
    let depth = 0;
    for (let e = nested; e; e = e.children[0]) depth++;
    assert.equal(depth, deep);
    assert.equal(scan("<a>".repeat(deep)), null);
    const wide = Array.from({ length: 10000 }, (_, i) => `a${i}="${i}"`).join(" ");
    assert.equal(scan(`<a ${wide}/>`), null);
    assert.equal(scan(`<a v="${"x".repeat(5000000)}"/>`).attributes[1].length, 5000000);
    assert.equal(scan(`<a>${"<!---->".repeat(100000)}${"&amp;".repeat(100000)}</a>`).name, "a");
    assert.equal(scan("<a>" + "<b/>".repeat(100000) + "</a>").children.length, 100000);
    assert.equal(scan("<a" + " ".repeat(1000000)), null);
    assert.ok(Date.now() - started < 20000, "took " + (Date.now() - started) + " ms");
});

function stamp(minutes, withTime = true) {
    const day = Math.floor(minutes / 1440);
    const c = cal.civil(day);
    const two = (n) => String(n).padStart(2, "0");
    const rest = minutes - day * 1440;
    return `${two(c.month)}:${two(c.day)}:${String(c.year).padStart(4, "0")}` +
        (withTime ? ` ${two(Math.floor(rest / 60))}:${two(rest % 60)}` : "");
}

const isoDay = (text) => cal.dayNumber(+text.slice(0, 4), +text.slice(5, 7), +text.slice(8, 10));
const isoMinutes = (text) => isoDay(text) * 1440 + +text.slice(11, 13) * 60 + +text.slice(14, 16);

// An event with the vector's pattern, written with every attribute the designer writes.
function vectorEvent(c, id) {
    const p = c.pattern;
    const start = isoDay(p.rangeStart) * 1440 + +p.startTime.slice(0, 2) * 60 + +p.startTime.slice(3, 5);
    const times = (from, to, subject) => ["StartTime", stamp(from), "EndTime", stamp(to), "Subject", subject,
        "CreationTime", "", "LastModificationTime", "", "Location", "", "IsMeeting", "0", "AllDayEvent", "0", "Type", "",
        "Body", "", "BusyStatus", "Busy"];
    const exceptions = (p.exceptions || []).map((e, i) => {
        const from = e.start ? isoMinutes(e.start) : isoMinutes(e.originalStart);
        return element("Exception", ["EventID", String(id * 100 + i), "RecurrencePatternID", String(id)]
            .concat(times(from, e.end ? isoMinutes(e.end) : from, c.name), ["RException_StartTimeOrig",
                stamp(isoMinutes(e.originalStart)), "RException_EndTimeOrig", "", "RException_Deleted", e.deleted ? "1" : "0"]));
    });
    const pattern = ["StartTime", p.startTime, "EndTime", "", "DurationMinutes", String(p.durationMinutes),
        "RecurrenceType", String(p.type), "RecurrenceOpt_Data1", String(p.data1), "RecurrenceOpt_Data2", String(p.data2),
        "RecurrenceOpt_Data3", String(p.data3), "PatternStartDate", stamp(isoDay(p.rangeStart) * 1440, false),
        "PatternEndDate", p.rangeEnd ? stamp(isoDay(p.rangeEnd) * 1440, false) : "", "UseEndMethod", String(p.endMethod)]
        .concat(p.endMethod === 1 ? ["EndAfterOccurrences", String(p.occurrences)] : []);
    return element("Event", ["EventID", String(id)].concat(times(start, start + p.durationMinutes, c.name)),
        [element("Pattern", pattern, exceptions)]);
}

for (const file of [path.join(ROOT, "tests", "vectors", "recurrence.json"), path.join(__dirname, "recurrence-cases.json")]) {
    test("the recurrence vectors read back from a data file: " + path.basename(file), { skip: !fs.existsSync(file) }, () => {
        // An end after no occurrences is no end in a data file; the vectors keep it for the expander.
        const cases = JSON.parse(fs.readFileSync(file, "utf8")).cases
            .filter((c) => !c.overlapping && !(c.pattern.endMethod === 1 && !(c.pattern.occurrences > 0)));
        const data = cal.readDataText(docs.designerDataFile([], cases.map((c, i) => vectorEvent(c, i + 1))));
        assert.equal(data.events.length, cases.length);
        cases.forEach((c, i) => {
            const got = cal.expandPattern(data.events[i].pattern, c.firstDayOfWeek, isoDay(c.window.from), isoDay(c.window.to));
            assert.deepEqual(got.map((o) => [o.start, o.end]),
                c.expected.map((o) => [isoMinutes(o.start), isoMinutes(o.end)]), c.name);
        });
    });
}

test("the project files in the tree are read by the scanner", () => {
    const files = [path.join(ROOT, "tests", "calendar", "data", "WeekOfMeetings.kcd"),
        path.join(ROOT, "component", "Calendar", "props.xml"), path.join(ROOT, "component", "Calendar", "componentInfo.xml")]
        .concat(fs.readdirSync(path.join(ROOT, "component", "Calendar", "Templates"))
            .map((name) => path.join(ROOT, "component", "Calendar", "Templates", name, "props.xml")));
    for (const file of files) {
        const text = cal.decodeText(new Uint8Array(fs.readFileSync(file)));
        assert.ok(cal.scanXml(text), file);
        const data = cal.readDataText(text);
        const written = (text.match(/<Event /g) || []).length;
        assert.equal(data.events === null ? 0 : data.events.length, written, file);
    }
    const meetings = cal.readDataText(cal.decodeText(new Uint8Array(fs.readFileSync(files[0]))));
    assert.equal(meetings.events[0].subject, "Team stand-up");
    assert.ok(meetings.events.some((e) => e.pattern && e.pattern.exceptions.length > 0));
});

// The text cut into 1 to 6 pieces at random places (surrogate pairs and references included).
function pieces(text, random) {
    const cuts = Array.from({ length: random.below(6) }, () => random.below(text.length + 1)).sort((a, b) => a - b);
    return [0].concat(cuts).map((at, i, all) => text.slice(at, i + 1 < all.length ? all[i + 1] : text.length));
}

test("the scanner reads a text given in pieces as it reads the whole", () => {
    const random = docs.randomSource(99);
    for (let i = 0; i < 300; i++) {
        const whole = docs.dressedDocument(docs.randomTree(random), random);
        for (const text of [whole, docs.damagedCopy(whole, random)]) {
            const scanner = new cal.XmlScanner();
            const parts = pieces(text, random);
            parts.forEach((part, k) => assert.equal(scanner.push(part, false), null));
            assert.deepEqual(scanner.push("", true), scan(text), JSON.stringify(parts));
        }
    }
    const last = new cal.XmlScanner();
    assert.equal(last.push('<?xml version="1.0"?><a', false), null);
    assert.deepEqual(last.push("/>", true), element("a"));
});

// The Event elements below a tree's Events lists that were read straight into their events.
function eventsReadStraight(root) {
    const data = root.children.find((c) => c.name === "Data");
    return data.children.filter((c) => c.name === "Events").flatMap((list) => list.children).filter((e) => e.event).length;
}

test("events in the designer's form read straight into events, as every other form reads", () => {
    const random = docs.randomSource(2026);
    for (let i = 0; i < 200; i++) {
        const made = Array.from({ length: 1 + random.below(6) }, (_, k) => docs.designerEvent(random, k + 1));
        const text = docs.designerDataFile([["Title", "Events"]], made.map((e) => e.tree));
        const tree = scan(text);
        const expected = { values: cal.readUserValues(tree), events: cal.readEvents(tree) };
        assert.deepEqual(cal.readDataText(text), expected, text);
        const scanner = new cal.XmlScanner(true);
        for (const part of pieces(text, random)) assert.equal(scanner.push(part, false), null);
        const root = scanner.push("", true);
        assert.deepEqual(cal.readEvents(root), expected.events, text);
        assert.equal(eventsReadStraight(root), made.filter((e) => e.plain).length, text);
    }
});

// What the browser's TextDecoder makes of a document's bytes at once: the reference for the
// calendar's own decoding.
function referenceDecode(b) {
    const utf16 = (start, name) => new TextDecoder(name).decode(b.subarray(start, start + ((b.length - start) & ~1)));
    if (b.length >= 2 && b[0] === 0xff && b[1] === 0xfe) return utf16(2, "utf-16le");
    if (b.length >= 2 && b[0] === 0xfe && b[1] === 0xff) return utf16(2, "utf-16be");
    if (b.length >= 2 && b[0] !== 0 && b[1] === 0) return utf16(0, "utf-16le");
    if (b.length >= 2 && b[0] === 0 && b[1] !== 0) return utf16(0, "utf-16be");
    return new TextDecoder("utf-8").decode(b.subarray(b.length >= 3 && b[0] === 0xef && b[1] === 0xbb && b[2] === 0xbf ? 3 : 0));
}

// UTF-16 code units as bytes, little- or big-endian, with a byte-order mark or without.
function utf16Bytes(units, bigEndian, mark) {
    const all = (mark ? [0xfeff] : []).concat(units);
    const bytes = Buffer.alloc(all.length * 2);
    all.forEach((u, i) => (bigEndian ? bytes.writeUInt16BE(u, i * 2) : bytes.writeUInt16LE(u, i * 2)));
    return bytes;
}

test("bytes decode, whole and in pieces, as TextDecoder decodes them", () => {
    const random = docs.randomSource(5);
    const text = "<a v=\"\u00e9\u4e2d\ud83d\ude00\">x</a>";
    const units = [...text].flatMap((c) => c.length === 2 ? [c.charCodeAt(0), c.charCodeAt(1)] : [c.charCodeAt(0)]);
    const samples = [utf16Bytes(units, false, true), utf16Bytes(units, false, false), utf16Bytes(units, true, true),
        utf16Bytes(units, true, false), Buffer.from(text), Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(text)]),
        Buffer.from([0xff, 0xfe, 0x41, 0x00, 0x42]), Buffer.from([0x41]), Buffer.alloc(0), Buffer.from([0xff, 0xfe]),
        // two byte-order marks, lone and reversed surrogates, a lead surrogate at the very end
        utf16Bytes([0xfeff, 0x3c, 0x61], false, true), utf16Bytes([0x3c, 0xd83d, 0x41, 0xde00, 0xde00, 0xd83d], false, false),
        utf16Bytes([0x3c, 0xd83d], false, true), utf16Bytes([0x3c, 0xdbff, 0xdfff, 0xd800], true, true)];
    for (let i = 0; i < 40; i++) {
        const random16 = Array.from({ length: random.below(12) }, () => random.pick([0x3c, 0x61, 0xe9, 0xfeff, 0xfffe,
            0xd800, 0xdbff, 0xdc00, 0xdfff, 0xd83d, 0xde00, 0x0]));
        samples.push(utf16Bytes(random16, random.chance(0.5), random.chance(0.5)));
    }
    for (const bytes of samples) {
        const expected = referenceDecode(new Uint8Array(bytes));
        assert.equal(cal.decodeText(new Uint8Array(bytes)), expected, bytes.toString("hex"));
        for (let i = 0; i < 30; i++) {
            const stream = new cal.TextStream();
            let got = "";
            let at = 0;
            while (at < bytes.length) {
                const next = Math.min(bytes.length, at + 1 + random.below(4));
                // an odd offset into a larger buffer, as a download's pieces may come
                const padded = Buffer.concat([Buffer.from([0]), bytes.subarray(at, next)]);
                const piece = new Uint8Array(padded.buffer, padded.byteOffset + 1, padded.length - 1);
                got += stream.push(piece, false);
                at = next;
            }
            assert.equal(got + stream.push(new Uint8Array(0), true), expected, bytes.toString("hex"));
        }
    }
    // Longer than the decoder takes in one go, with surrogate pairs across every 4096th unit.
    const long = Array.from({ length: 70000 }, (_, i) => i % 4096 === 4095 ? 0xd83d : i % 4096 === 0 && i ? 0xde00 : 0x41 + i % 26);
    const longBytes = new Uint8Array(utf16Bytes(long, false, true));
    const stream = new cal.TextStream();
    const halves = stream.push(longBytes.subarray(0, 60001), false) + stream.push(longBytes.subarray(60001), true);
    assert.equal(cal.decodeText(longBytes), referenceDecode(longBytes));
    assert.equal(halves, referenceDecode(longBytes));
});
