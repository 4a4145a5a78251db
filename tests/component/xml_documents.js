// XML documents for the data reader's tests: data files written as the designer writes them,
// the same trees dressed in every form well-formed XML allows (with the tree a parser must
// find in them), and damaged copies. Trees have the shape the calendar reads:
// { name, attributes: [name, value, ...], children: [tree] }. A seeded generator makes every
// run see the same documents.
"use strict";

function randomSource(seed) {
    let state = seed >>> 0 || 1;
    const next = () => {
        state ^= state << 13;
        state ^= state >>> 17;
        state ^= state << 5;
        state >>>= 0;
        return state / 4294967296;
    };
    return {
        below: (n) => Math.floor(next() * n),
        chance: (p) => next() < p,
        pick(list) {
            return list[Math.floor(next() * list.length)];
        },
    };
}

const element = (name, attributes = [], children = []) => ({ name, attributes, children });

// Attribute text as the designer's XML library writes it: the markup characters and every
// control character as references (two digits), the apostrophe as it is.
function designerEscape(value) {
    return value.replace(/[&<>"\u0000-\u001f]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c] ||
        "&#" + String(c.charCodeAt(0)).padStart(2, "0") + ";");
}

function designerElement(tree) {
    const attributes = [];
    for (let i = 0; i < tree.attributes.length; i += 2) attributes.push(` ${tree.attributes[i]}="${designerEscape(tree.attributes[i + 1])}"`);
    const open = `<${tree.name}${attributes.join("")}`;
    return tree.children.length ? `${open}>${tree.children.map(designerElement).join("")}</${tree.name}>` : `${open}/>`;
}

// The data file of a project: declaration, user values and events, with the designer's
// whitespace between them.
function designerDataFile(values, events) {
    const params = values.map(([name, value]) => designerElement(element("Param", ["name", name, "value", value]))).join("");
    return '<?xml version="1.0" encoding="UTF-16" standalone="no"?>\n\r<flash>\n<tev/>\n' +
        `<UserDefined>${params}</UserDefined>\n<Data>\n\t<Events>\n\t\t` +
        events.map((e) => designerElement(e) + "\n\t\t").join("") + "</Events></Data></flash>";
}

// The tree of such a file, as a parser must find it.
function designerDataTree(values, events) {
    return element("flash", [], [element("tev"),
        element("UserDefined", [], values.map(([name, value]) => element("Param", ["name", name, "value", value]))),
        element("Data", [], [element("Events", [], events)])]);
}

const SPACES = [" ", "\t", "\n", "\r\n", "\r", "  \t"];
const DECLARATIONS = ["", '<?xml version="1.0"?>', "<?xml version='1.0' encoding='UTF-16'?>",
    '<?xml version="1.0" encoding="UTF-16" standalone="no"?>\n\r', '<?xml  version = "1.0"\tencoding="utf-8" standalone=\'yes\' ?>\r\n'];
const MISC = ["", "\n", "<!-- a comment with <tags> & such -->", "<?note some data?>", "<?tev?>", "<!---->", " \r\n\t"];
// Characters as a value may hold them; some need escaping, some are beyond the BMP.
const VALUE_CHARACTERS = ["a", "Z", " ", "&", "<", ">", '"', "'", "\t", "\n", "\r", "\u00e9", "\u4e2d", "\u05d0",
    "\ud83d\ude00", "]", "]]>", "=", "/", ";", "#", "\u00a0", "\ufffd"];

function spaces(random, min) {
    let out = "";
    for (let i = random.below(3) + min; i > 0; i--) out += random.pick(SPACES);
    return out;
}

function optionalSpace(random) {
    return random.chance(0.3) ? random.pick(SPACES) : "";
}

// One character of an attribute value, written to read back as `c` inside `quote`.
function dressedCharacter(c, quote, random) {
    const code = c.codePointAt(0);
    const reference = random.chance(0.5) ? `&#${code};` : `&#x${code.toString(16)};`;
    const named = { "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;", "'": "&apos;" }[c];
    if (c === "&" || c === "<" || c === quote) return random.chance(0.5) && named ? named : reference;
    // A literal whitespace character would read as a blank.
    if (c === "\t" || c === "\n" || c === "\r") return reference;
    // A blank may be written as any whitespace character; all read as a blank.
    if (c === " " && random.chance(0.3)) return random.pick(["\t", "\n", "\r", "\r\n"]);
    if (random.chance(0.1)) return named || reference;
    return c;
}

function dressedValue(value, random) {
    const quote = random.chance(0.5) ? '"' : "'";
    let out = "";
    for (const c of value) out += dressedCharacter(c, quote, random);
    return quote + out + quote;
}

// Character data between elements: whitespace, references, CDATA, comments, instructions.
function dressedContent(random) {
    return random.pick(["", "\n\t\t", " text &amp; &#60;more&#x3e; ", "<![CDATA[ <not a tag> & ]] ]>]]>",
        "<!-- inside -->", "<?pi <inside>?>", "\r\n", "&lt;&gt;&quot;&apos;", "<![CDATA[]]>", "\u00e9\ud83d\ude00"]);
}

function dressedElement(tree, random) {
    let out = "<" + tree.name;
    for (let i = 0; i < tree.attributes.length; i += 2) {
        out += spaces(random, 1) + tree.attributes[i] + optionalSpace(random) + "=" + optionalSpace(random) +
            dressedValue(tree.attributes[i + 1], random);
    }
    out += random.chance(0.3) ? spaces(random, 1) : "";
    if (!tree.children.length && random.chance(0.6)) return out + "/>";
    out += ">";
    for (const child of tree.children) out += dressedContent(random) + dressedElement(child, random);
    return out + dressedContent(random) + "</" + tree.name + (random.chance(0.3) ? spaces(random, 1) : "") + ">";
}

// The tree written in one of the many forms well-formed XML allows it.
function dressedDocument(tree, random) {
    return random.pick(DECLARATIONS) + random.pick(MISC) + dressedElement(tree, random) + random.pick(MISC) +
        (random.chance(0.5) ? "\n" : "");
}

function randomValue(random) {
    let value = "";
    for (let i = random.below(8); i > 0; i--) value += random.pick(VALUE_CHARACTERS);
    return value;
}

const NAMES = ["Event", "Pattern", "Exception", "Schedule", "Param", "Data", "Events", "x", "_u", "a.b-c", "A1"];
const ATTRIBUTE_NAMES = ["EventID", "StartTime", "Subject", "Body", "name", "value", "Type", "z", "_", "a-b.c"];

// A random tree of a few levels, with distinct attribute names on every element.
function randomTree(random, depth = 0) {
    const names = ATTRIBUTE_NAMES.filter(() => random.chance(0.4));
    const attributes = [];
    for (const name of names) attributes.push(name, randomValue(random));
    const children = [];
    for (let i = depth < 3 ? random.below(4) : 0; i > 0; i--) children.push(randomTree(random, depth + 1));
    return element(random.pick(NAMES), attributes, children);
}

// The attributes of an Event as the designer writes them, in its order; the ones it writes
// only when set are marked.
const DESIGNER_EVENT_ATTRIBUTES = [["EventID"], ["StartTime"], ["EndTime"], ["Subject"], ["CreationTime", true],
    ["LastModificationTime", true], ["Location"], ["IsMeeting"], ["AllDayEvent"], ["Type"], ["Body"], ["BusyStatus"],
    ["UID", true], ["Private", true], ["ReminderMinutes", true]];
const STAMPS = ["03:05:2024 09:00", "12:31:2026 23:59", "02:29:2024 00:00", "", "13:01:2024 09:00", "3:5:2024 9:00"];
const EVENT_VALUES = ["", "Busy", "Out Of Office", "Free", "Business", "1", "0", "-1", "+2", " 7", "x"];

// An Event of a data file as the designer writes it, its values at random (some needing
// references), or now and then off that form: attributes swapped, one it always writes left
// out, one unknown, or a Pattern inside. `plain` tells whether it is in the designer's form
// with values that need no references.
function designerEvent(random, id) {
    const attributes = [];
    for (const [name, optional] of DESIGNER_EVENT_ATTRIBUTES) {
        if (optional && random.chance(0.4)) continue;
        const value = name === "EventID" ? String(id) : /Time$/.test(name) ? random.pick(STAMPS) :
            random.chance(0.2) ? randomValue(random) : random.pick(EVENT_VALUES);
        attributes.push(name, value);
    }
    let plain = attributes.every((value, i) => i % 2 === 0 || !/[&<>"\u0000-\u001f]/.test(value));
    const change = random.below(8);
    if (change === 0) {
        const at = 2 * (1 + random.below(attributes.length / 2 - 1));
        attributes.splice(at - 2, 4, attributes[at], attributes[at + 1], attributes[at - 2], attributes[at - 1]);
        plain = false;
    } else if (change === 1) {
        const required = DESIGNER_EVENT_ATTRIBUTES.filter(([, optional]) => !optional).map(([name]) => name);
        attributes.splice(attributes.indexOf(random.pick(required)), 2);
        plain = false;
    } else if (change === 2) {
        attributes.push("Extra", "1");
        plain = false;
    }
    const children = change === 3 ? [element("Pattern", ["RecurrenceType", "0", "PatternStartDate", "03:04:2024 00:00"],
        [element("Exception", ["StartTime", random.pick(STAMPS), "Subject", randomValue(random)])])] : [];
    return { tree: element("Event", attributes, children), plain };
}

// Damaged copies of a text: one edit each, at a random place.
const EDITS = [
    (t, at) => t.slice(0, at) + t.slice(at + 1),
    (t, at, random) => t.slice(0, at) + random.pick(["<", ">", "&", '"', "'", "=", "/", "!", "?", "-", "[", "]", ":", "\u0001",
        "\ufffe", "&nbsp;", "]]>", "--", "<a>", "</a>", "<!DOCTYPE x>", "&#0;", "&#xD800;", "\u00e9"]) + t.slice(at),
    (t, at) => t.slice(0, at),
    (t, at) => t.slice(0, at) + t.slice(at).replace(/<\/?[A-Za-z_]/, (m) => m + "x"),
    (t, at) => t.slice(0, at) + t.slice(at).replace(/ ([A-Za-z_]+)=("[^"]*"|'[^']*')/, (m) => m + m),
    (t, at) => t.slice(0, at) + t.slice(at).replace(/[ \t\r\n]+(?=[A-Za-z_]+=)/, ""),
    (t) => t + "<second/>",
    (t) => t + "text",
];

function damagedCopy(text, random) {
    return random.pick(EDITS)(text, random.below(text.length + 1), random);
}

module.exports = { randomSource, element, designerEscape, designerDataFile, designerDataTree, designerEvent,
    dressedDocument, randomTree, damagedCopy };
