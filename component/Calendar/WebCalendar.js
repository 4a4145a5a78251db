/*
 * Quorvane Web Calendar: the calendar movie.
 *
 * The page-side player (swfobject.js) loads this file with a script element; the file then
 * registers itself with TEVPlayer.registerMovie and the player calls play(stage) once for
 * every element that shows the calendar. The value, date and recurrence functions in the first
 * half need no browser, so Node loads the same file for tests (see the exports at the end).
 */
var TEVWebCalendar = (function () {
    "use strict";

    var MINUTES_PER_DAY = 1440;
    var STYLESHEET_FILE = "WebCalendar.css";

    var DAY_NAMES = ["Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"];

    // Names come from documents and pages, so lookups never trust an object's own methods.
    function has(object, key) {
        return Object.prototype.hasOwnProperty.call(object, key);
    }

    // ---------------------------------------------------------------------------------------
    // Values as the designer writes them

    // C atoi: leading blanks, optional sign, digits up to the first other character.
    function atoi(text) {
        var s = text == null ? "" : String(text);
        return atoiAt(s, 0, s.length);
    }

    // atoi of the `length` characters of s from `from`, read where they are.
    function atoiAt(s, from, length) {
        var end = Math.min(s.length, from + length);
        var i = from;
        while (i < end && " \t\n\r\f\v".indexOf(s.charAt(i)) >= 0) i++;
        var sign = 1;
        if (i < end && (s.charAt(i) === "+" || s.charAt(i) === "-")) {
            if (s.charAt(i) === "-") sign = -1;
            i++;
        }
        var n = 0;
        for (; i < end; i++) {
            var c = s.charCodeAt(i) - 48;
            if (c < 0 || c > 9) break;
            n = Math.min(n * 10 + c, 2147483648);
        }
        return Math.max(-2147483648, Math.min(2147483647, sign * n));
    }

    function hexPrefix(digits) {
        var value = 0;
        for (var i = 0; i < digits.length; i++) {
            var d = parseInt(digits.charAt(i), 16);
            if (isNaN(d)) break;
            value = value * 16 + d;
        }
        return value;
    }

    // Colour text such as "0x3A7BD5": leading '0's, then leading 'x's are dropped; the rest is
    // read pair by pair, a missing pair repeating the one before, exactly as the property grid
    // reads it, so the calendar shows the colour the grid shows.
    function parseColor(text) {
        var s = text == null ? "" : String(text);
        var i = 0;
        while (s.charAt(i) === "0") i++;
        while (s.charAt(i) === "x") i++;
        s = s.substring(i);
        var redDigits = s.length >= 2 ? s.substr(0, 2) : "";
        var greenDigits = s.length > 3 ? s.substr(2, 2) : redDigits;
        var blueDigits = s.length >= 6 ? s.substr(4, 2) : greenDigits;
        return { r: hexPrefix(redDigits), g: hexPrefix(greenDigits), b: hexPrefix(blueDigits) };
    }

    function colorToCss(color) {
        function two(v) {
            return (v < 16 ? "0" : "") + v.toString(16);
        }
        return "#" + two(color.r) + two(color.g) + two(color.b);
    }

    // Black or white, whichever reads better on the given background.
    function contrastColor(color) {
        function lin(v) {
            v /= 255;
            return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
        }
        var luminance = 0.2126 * lin(color.r) + 0.7152 * lin(color.g) + 0.0722 * lin(color.b);
        return luminance > 0.4 ? { r: 17, g: 17, b: 17 } : { r: 255, g: 255, b: 255 };
    }

    // Decimal text as the designer's variant conversion reads it: "true" is -1, "false" 0,
    // fractions round half away from zero; null when the text is no number.
    function numberFromText(text) {
        var s = String(text == null ? "" : text).trim();
        if (/^true$/i.test(s)) return -1;
        if (/^false$/i.test(s)) return 0;
        if (!/^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(s)) return null;
        var value = Number(s);
        if (!isFinite(value)) return null;
        return value < 0 ? -Math.round(-value) : Math.round(value);
    }

    function parseNumber(text, fallback) {
        var value = numberFromText(text);
        return value === null || value < -2147483648 || value > 2147483647 ? fallback : value;
    }

    function parseBoolean(text, fallback) {
        var value = numberFromText(text);
        return value === null ? fallback : value !== 0;
    }

    // The encoding of an XML document's bytes from its first ones: UTF-16 (little- or
    // big-endian, with or without byte-order mark, as the designer writes its project and data
    // files) or UTF-8. { name, skip }: skip is the length of the byte-order mark.
    function encodingOf(b) {
        if (b.length >= 2 && b[0] === 0xff && b[1] === 0xfe) return { name: "utf-16le", skip: 2 };
        if (b.length >= 2 && b[0] === 0xfe && b[1] === 0xff) return { name: "utf-16be", skip: 2 };
        if (b.length >= 2 && b[0] !== 0 && b[1] === 0) return { name: "utf-16le", skip: 0 };
        if (b.length >= 2 && b[0] === 0 && b[1] !== 0) return { name: "utf-16be", skip: 0 };
        return { name: "utf-8", skip: b.length >= 3 && b[0] === 0xef && b[1] === 0xbb && b[2] === 0xbf ? 3 : 0 };
    }

    function joinBytes(a, b) {
        if (!a.length) return b;
        var joined = new Uint8Array(a.length + b.length);
        joined.set(a);
        joined.set(b, a.length);
        return joined;
    }

    // The UTF-16 this machine stores its code units in.
    var NATIVE_UTF16 = new Uint8Array(new Uint16Array([1]).buffer)[0] === 1 ? "utf-16le" : "utf-16be";

    // Decodes UTF-16 in this machine's byte order exactly as TextDecoder does (lone surrogates
    // become U+FFFD, a byte-order mark opening the text is dropped), but in a third of its
    // time: the code units go to String.fromCharCode as they are. Takes whole code units.
    function CodeUnitDecoder() {
        this.lead = "";
        this.atStart = true;
    }

    CodeUnitDecoder.prototype.decode = function (bytes, options) {
        if (bytes.byteOffset & 1) bytes = bytes.slice();
        var units = new Uint16Array(bytes.buffer, bytes.byteOffset, bytes.length >> 1);
        var parts = [this.lead];
        for (var i = 0; i < units.length; i += 8192) {
            parts.push(String.fromCharCode.apply(null, units.subarray(i, i + 8192)));
        }
        var text = parts.join("");
        // A lead surrogate at the end of a piece may find its trail in the next.
        this.lead = options && options.stream && /[\ud800-\udbff]$/.test(text) ? text.slice(-1) : "";
        if (this.lead) text = text.slice(0, -1);
        if (this.atStart && text) {
            this.atStart = false;
            if (text.charCodeAt(0) === 0xfeff) text = text.substring(1);
        }
        return /[\ud800-\udfff]/.test(text) ? withoutLoneSurrogates(text) : text;
    };

    function withoutLoneSurrogates(text) {
        var out = "", from = 0;
        for (var i = 0; i < text.length; i++) {
            var c = text.charCodeAt(i);
            if (c < 0xd800 || c > 0xdfff) continue;
            if (c <= 0xdbff && (text.charCodeAt(i + 1) & 0xfc00) === 0xdc00) {
                i++;
                continue;
            }
            out += text.substring(from, i) + "\ufffd";
            from = i + 1;
        }
        return out + text.substring(from);
    }

    // Decodes a document's bytes piece by piece, as they arrive; the pieces of text together
    // are the text of all the bytes at once.
    function TextStream() {
        this.decoder = null;
        this.unitBytes = 1;
        this.held = new Uint8Array(0);
    }

    // The text of the next bytes; `last` with the last ones.
    TextStream.prototype.push = function (bytes, last) {
        var b = joinBytes(this.held, bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes));
        if (!this.decoder) {
            // Three bytes tell the encoding.
            if (b.length < 3 && !last) {
                this.held = b;
                return "";
            }
            var encoding = encodingOf(b);
            this.decoder = encoding.name === NATIVE_UTF16 ? new CodeUnitDecoder() : new TextDecoder(encoding.name);
            this.unitBytes = encoding.name === "utf-8" ? 1 : 2;
            b = b.subarray(encoding.skip);
        }
        // An odd last byte of UTF-16 waits for its partner; at the end it is no character and
        // is left out.
        var whole = this.unitBytes === 2 ? b.length & ~1 : b.length;
        this.held = last ? new Uint8Array(0) : b.slice(whole);
        return this.decoder.decode(b.subarray(0, whole), { stream: !last });
    };

    // The text of a whole document's bytes.
    function decodeText(bytes) {
        return new TextStream().push(bytes, true);
    }

    // ---------------------------------------------------------------------------------------
    // XML documents as trees of elements: { name, attributes: [name, value, name, value, ...],
    // children: [element] }. Text, comments and processing instructions are left out: the
    // calendar reads only elements and attributes.
    //
    // The data file is read by a scanner of its own, since DOMParser building a whole DOM for
    // it cost more than drawing the month. The scanner takes the XML the designer writes and
    // whatever well-formed XML may have around it (references, comments, processing
    // instructions, CDATA, any whitespace and attribute order), as strictly as an XML parser
    // checks it. What it does not take on (a document type, namespaces, names beyond ASCII)
    // and every error it leaves to DOMParser, whose verdict then counts: a damaged file
    // reads as damaged, exactly as it did before.

    // Characters XML 1.0 allows nowhere, lone surrogates included.
    var NOT_XML_CHARACTER = /[^\t\n\r\u0020-\ud7ff\ue000-\ufffd\u{10000}-\u{10ffff}]/u;
    var XML_DECLARATION = new RegExp("<\\?xml[ \\t\\r\\n]+version[ \\t\\r\\n]*=[ \\t\\r\\n]*(\"1\\.0\"|'1\\.0')" +
        "([ \\t\\r\\n]+encoding[ \\t\\r\\n]*=[ \\t\\r\\n]*(\"[Uu][Tt][Ff]-(8|16)\"|'[Uu][Tt][Ff]-(8|16)'))?" +
        "([ \\t\\r\\n]+standalone[ \\t\\r\\n]*=[ \\t\\r\\n]*(\"yes\"|\"no\"|'yes'|'no'))?[ \\t\\r\\n]*\\?>", "y");
    var NAME = /[A-Za-z_][A-Za-z0-9._-]*/y;
    // Character data without references, "]]>" or markup.
    var PLAIN_TEXT = /[^&\]<]*/y;
    var PROCESSING_INSTRUCTION = /<\?([A-Za-z_][A-Za-z0-9._-]*)(?=\?>|[ \t\r\n])/y;
    var REFERENCE = /&(?:(amp|lt|gt|quot|apos)|#([0-9]+)|#x([0-9A-Fa-f]+));/y;
    var NAMED_REFERENCES = { amp: "&", lt: "<", gt: ">", quot: "\"", apos: "'" };
    // More attributes than this on one element go to DOMParser, which finds duplicates
    // without comparing every pair.
    var MOST_ATTRIBUTES = 64;

    function isXmlCharacter(code) {
        return code === 9 || code === 10 || code === 13 || (code >= 0x20 && code <= 0xd7ff) ||
            (code >= 0xe000 && code <= 0xfffd) || (code >= 0x10000 && code <= 0x10ffff);
    }

    // The text with its references replaced, or null when an '&' starts no valid reference.
    function replaceReferences(text) {
        var out = "", from = 0, at;
        while ((at = text.indexOf("&", from)) >= 0) {
            REFERENCE.lastIndex = at;
            var m = REFERENCE.exec(text);
            if (!m) return null;
            var code = m[1] ? 0 : m[2] ? parseInt(m[2], 10) : parseInt(m[3], 16);
            if (!m[1] && !isXmlCharacter(code)) return null;
            out += text.substring(from, at) + (m[1] ? NAMED_REFERENCES[m[1]] : String.fromCodePoint(code));
            from = REFERENCE.lastIndex;
        }
        return out + text.substring(from);
    }

    // An attribute's value as XML defines it: line ends and other whitespace characters
    // become blanks (a CR LF pair one blank), then references are replaced. Null for a value
    // XML does not allow.
    function attributeValue(raw) {
        if (!/[\t\n\r&<]/.test(raw)) return raw;
        if (raw.indexOf("<") >= 0) return null;
        return replaceReferences(raw.replace(/\r\n|[\t\n\r]/g, " "));
    }

    // Where the name at `at` ends; `at` when none starts there.
    function nameEnd(text, at) {
        NAME.lastIndex = at;
        return NAME.test(text) ? NAME.lastIndex : at;
    }

    // Where the whitespace at `at` ends.
    function spaceEnd(text, at) {
        var c = text.charCodeAt(at);
        while (c === 32 || c === 10 || c === 9 || c === 13) c = text.charCodeAt(++at);
        return at;
    }

    // Scans a text given piece by piece, as it arrives; the pieces together give what the
    // whole text at once gives. With `readsEvents`, an Event element of an Events list is
    // read into its event as it is scanned (its `event`; its attributes are then left out),
    // which spares a data file's thousands of attribute strings.
    function XmlScanner(readsEvents) {
        this.readsEvents = !!readsEvents;
        this.text = "";
        this.pos = 0;
        this.open = [];
        this.root = null;
        this.started = false;
        this.failed = false;
        this.carry = "";
    }

    // Takes the next piece of the text; with `last`, returns the document's root element, or
    // null when the scanner cannot vouch for the text. A construct cut off at the end of what
    // has come waits for the rest.
    XmlScanner.prototype.push = function (piece, last) {
        if (!this.failed && !this.scanOn(piece, last)) this.failed = true;
        if (!last) return null;
        return this.failed || this.open.length ? null : this.root;
    };

    // False once the text is known to be beyond the scanner.
    XmlScanner.prototype.scanOn = function (piece, last) {
        piece = this.carry + piece;
        // A piece may end between the two halves of a character.
        this.carry = !last && /[\ud800-\udbff]$/.test(piece) ? piece.slice(-1) : "";
        if (this.carry) piece = piece.slice(0, -1);
        if (NOT_XML_CHARACTER.test(piece)) return false;
        var text = this.text = this.text.substring(this.pos) + piece;
        this.pos = 0;
        if (!this.started) {
            // Six characters tell whether the text starts with a declaration.
            if (text.length < 6 && !last) return true;
            if (!this.declaration()) return !last;
            this.started = true;
        }
        while (this.pos < text.length) {
            var next = text.indexOf("<", this.pos);
            // Text at the end may go on in the next piece.
            if (next < 0 && !last) return true;
            var end = next < 0 ? text.length : next;
            if (end > this.pos && !this.characters(end)) return false;
            if (next < 0) return true;
            if (!this.markup()) {
                this.pos = next;
                return !last;
            }
        }
        return true;
    };

    // The XML declaration, when the text starts with one; only versions and encodings whose
    // meaning is certain are taken.
    XmlScanner.prototype.declaration = function () {
        if (!/^<\?xml[ \t\r\n?]/.test(this.text)) return true;
        XML_DECLARATION.lastIndex = 0;
        if (!XML_DECLARATION.test(this.text)) return false;
        this.pos = XML_DECLARATION.lastIndex;
        return true;
    };

    // Text up to `end`: only whitespace outside the root element; inside it, no "]]>" and
    // only valid references.
    XmlScanner.prototype.characters = function (end) {
        var text = this.text, from = this.pos;
        this.pos = end;
        if (!this.open.length) return spaceEnd(text, from) === end;
        PLAIN_TEXT.lastIndex = from;
        if (PLAIN_TEXT.test(text) && PLAIN_TEXT.lastIndex === end) return true;
        var chunk = text.substring(from, end);
        return chunk.indexOf("]]>") < 0 && (chunk.indexOf("&") < 0 || replaceReferences(chunk) !== null);
    };

    XmlScanner.prototype.markup = function () {
        var text = this.text;
        switch (text.charAt(this.pos + 1)) {
            case "/": return this.endTag();
            case "?": return this.processingInstruction();
            case "!":
                if (text.startsWith("<!--", this.pos)) return this.comment();
                if (text.startsWith("<![CDATA[", this.pos) && this.open.length) return this.skipTo("]]>", 9);
                return false;
            default: return this.startTag();
        }
    };

    // Moves past the first `terminator` after `offset` characters of markup.
    XmlScanner.prototype.skipTo = function (terminator, offset) {
        var at = this.text.indexOf(terminator, this.pos + offset);
        if (at < 0) return false;
        this.pos = at + terminator.length;
        return true;
    };

    // A comment: its first "--" must be its end.
    XmlScanner.prototype.comment = function () {
        var at = this.text.indexOf("--", this.pos + 4);
        if (at < 0 || this.text.charAt(at + 2) !== ">") return false;
        this.pos = at + 3;
        return true;
    };

    XmlScanner.prototype.processingInstruction = function () {
        PROCESSING_INSTRUCTION.lastIndex = this.pos;
        var m = PROCESSING_INSTRUCTION.exec(this.text);
        if (!m || /^xml$/i.test(m[1])) return false;
        this.pos = PROCESSING_INSTRUCTION.lastIndex;
        return this.skipTo("?>", 0);
    };

    // A start tag whose attribute values need no normalizing: no references, no line ends or
    // tabs. Most tags are like this, and one match reads them whole; the rest, and every tag
    // this does not match, are read attribute by attribute below.
    var PLAIN_START_TAG = /<([A-Za-z_][A-Za-z0-9._-]*)((?:[ \t\r\n]+[A-Za-z_][A-Za-z0-9._-]*[ \t\r\n]*=[ \t\r\n]*(?:"[^"\t\n\r&<]*"|'[^'\t\n\r&<]*'))*)[ \t\r\n]*(\/?)>/y;
    var PLAIN_ATTRIBUTE = /([A-Za-z_][A-Za-z0-9._-]*)[ \t\r\n]*=[ \t\r\n]*(?:"([^"]*)"|'([^']*)')/g;

    XmlScanner.prototype.startTag = function () {
        if (this.root && !this.open.length) return false;
        if (this.readsEvents && this.eventTag()) return true;
        PLAIN_START_TAG.lastIndex = this.pos;
        var m = PLAIN_START_TAG.exec(this.text);
        var attributes = m ? plainAttributes(m[2]) : null;
        if (!attributes) return this.startTagInParts();
        this.pos = PLAIN_START_TAG.lastIndex;
        this.opened({ name: m[1], attributes: attributes, children: [] }, m[3] === "/");
        return true;
    };

    // The attributes of a plain start tag; null when one is repeated or a namespace, or
    // there are too many, which the slower reading turns down.
    function plainAttributes(source) {
        var list = [];
        if (!source) return list;
        PLAIN_ATTRIBUTE.lastIndex = 0;
        for (var m; (m = PLAIN_ATTRIBUTE.exec(source));) {
            if (!addAttribute(list, m[1], m[2] !== undefined ? m[2] : m[3])) return null;
        }
        return list;
    }

    // An Event start tag in the form the designer writes, attributes in its order and values
    // that need no normalizing: read straight into its event, which spares a data file's
    // thousands of attribute strings. Captures the values EVENT_ATTRIBUTES name, in the order
    // they come here, and the slash of an empty element.
    var DESIGNER_EVENT_TAG = (function () {
        function attribute(name, captured, optional) {
            var text = " " + name + "=\"(" + (captured ? "" : "?:") + "[^\"\\t\\n\\r&<]*)\"";
            return optional ? "(?:" + text + ")?" : text;
        }
        return new RegExp("<Event" + attribute("EventID") + attribute("StartTime", true) +
            attribute("EndTime", true) + attribute("Subject", true) + attribute("CreationTime", false, true) +
            attribute("LastModificationTime", false, true) + attribute("Location", true) +
            attribute("IsMeeting") + attribute("AllDayEvent", true) + attribute("Type", true) +
            attribute("Body", true) + attribute("BusyStatus", true) + attribute("UID", false, true) +
            attribute("Private", false, true) + attribute("ReminderMinutes", false, true) + "(/?)>", "y");
    })();

    // An Event of an Events list in the designer's form, read into its event; false for any
    // other tag, which the general reading then takes as it is.
    XmlScanner.prototype.eventTag = function () {
        var parent = this.open[this.open.length - 1];
        if (!parent || parent.name !== "Events") return false;
        DESIGNER_EVENT_TAG.lastIndex = this.pos;
        var m = DESIGNER_EVENT_TAG.exec(this.text);
        if (!m) return false;
        this.pos = DESIGNER_EVENT_TAG.lastIndex;
        var element = { name: "Event", attributes: [], children: [] };
        element.event = eventOf([m[1], m[2], m[3], m[4], m[7], m[5], m[6], m[8]]);
        this.opened(element, m[9] === "/");
        return true;
    };

    XmlScanner.prototype.opened = function (element, empty) {
        if (this.open.length) this.open[this.open.length - 1].children.push(element);
        else this.root = element;
        if (!empty) this.open.push(element);
    };

    XmlScanner.prototype.startTagInParts = function () {
        var text = this.text;
        var from = this.pos + 1;
        var end = nameEnd(text, from);
        if (end === from || (this.root && !this.open.length)) return false;
        var element = { name: text.substring(from, end), attributes: [], children: [] };
        var at = this.attributes(end, element.attributes);
        if (at < 0) return false;
        at = spaceEnd(text, at);
        var empty = text.charAt(at) === "/";
        if (text.charAt(empty ? at + 1 : at) !== ">") return false;
        this.pos = at + (empty ? 2 : 1);
        this.opened(element, empty);
        return true;
    };

    // Reads the attributes of a start tag from `at` into `list`; returns where they end, or
    // -1 for attributes XML does not allow.
    XmlScanner.prototype.attributes = function (at, list) {
        var text = this.text;
        for (;;) {
            var name = spaceEnd(text, at);
            var nameStop = name > at ? nameEnd(text, name) : name;
            if (nameStop === name) return at;
            var equals = spaceEnd(text, nameStop);
            var open = text.charAt(equals) === "=" ? spaceEnd(text, equals + 1) : -1;
            var quote = text.charAt(open);
            var close = quote === "\"" || quote === "'" ? text.indexOf(quote, open + 1) : -1;
            if (close < 0) return -1;
            if (!addAttribute(list, text.substring(name, nameStop), text.substring(open + 1, close))) return -1;
            at = close + 1;
        }
    };

    // Namespace declarations go to DOMParser, like prefixed names.
    function addAttribute(list, name, raw) {
        if (name === "xmlns" || list.length >= 2 * MOST_ATTRIBUTES) return false;
        for (var i = 0; i < list.length; i += 2) if (list[i] === name) return false;
        var value = attributeValue(raw);
        if (value === null) return false;
        list.push(name, value);
        return true;
    }

    XmlScanner.prototype.endTag = function () {
        var text = this.text, open = this.open;
        var from = this.pos + 2;
        var end = nameEnd(text, from);
        var close = spaceEnd(text, end);
        var name = open.length ? open[open.length - 1].name : "";
        if (end - from !== name.length || !text.startsWith(name, from) || text.charAt(close) !== ">") return false;
        open.pop();
        this.pos = close + 1;
        return true;
    };

    function scanXml(text, readsEvents) {
        return new XmlScanner(readsEvents).push(String(text), true);
    }

    function parseXml(text) {
        try {
            var doc = new DOMParser().parseFromString(text, "application/xml");
            if (!doc.documentElement || doc.getElementsByTagName("parsererror").length > 0) return null;
            return doc;
        } catch (e) {
            return null;
        }
    }

    function treeElement(node) {
        var attributes = [];
        for (var i = 0; i < node.attributes.length; i++) {
            attributes.push(node.attributes[i].name, node.attributes[i].value);
        }
        return { name: node.nodeName, attributes: attributes, children: [] };
    }

    // The tree of a document DOMParser parsed; null for none.
    function elementTreeOf(doc) {
        var top = doc && doc.documentElement;
        if (!top) return null;
        var root = treeElement(top);
        var pending = [[top, root]];
        while (pending.length) {
            var pair = pending.pop();
            for (var node = pair[0].firstElementChild; node; node = node.nextElementSibling) {
                var element = treeElement(node);
                pair[1].children.push(element);
                pending.push([node, element]);
            }
        }
        return root;
    }

    // An attribute's value, null when the element has none of that name.
    function attributeOf(element, name) {
        var list = element.attributes;
        for (var i = 0; i < list.length; i += 2) if (list[i] === name) return list[i + 1];
        return null;
    }

    function childElements(element, name) {
        return element ? element.children.filter(function (child) { return child.name === name; }) : [];
    }

    // The first element of that name below `element`, in document order.
    function firstDescendant(element, name) {
        var pending = element.children.slice().reverse();
        while (pending.length) {
            var next = pending.pop();
            if (next.name === name) return next;
            for (var i = next.children.length - 1; i >= 0; i--) pending.push(next.children[i]);
        }
        return null;
    }

    // ---------------------------------------------------------------------------------------
    // Dates. A day is a whole number of days after 1 January 1970; a time is minutes after
    // that midnight. There are no time zones: everything is the wall clock of the data.

    var MIN_YEAR = 100;
    var MAX_YEAR = 9999;

    function isLeapYear(y) {
        return (y % 4 === 0 && y % 100 !== 0) || y % 400 === 0;
    }

    var MONTH_LENGTHS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31];

    function daysInMonth(y, m) {
        return m === 2 && isLeapYear(y) ? 29 : MONTH_LENGTHS[m - 1] || 0;
    }

    // Days are counted in 400-year eras of 146097 days, each year starting on 1 March so that
    // the leap day ends it; 1 January 1970 is day 719468 after 1 March of year 0. Months and
    // days beyond their range carry over, as Date does.
    function dayNumber(y, m, d) {
        y += Math.floor((m - 1) / 12);
        m = ((m - 1) % 12 + 12) % 12 + 1;
        var year = m <= 2 ? y - 1 : y;
        var era = Math.floor(year / 400);
        var yearOfEra = year - era * 400;
        var dayOfYear = Math.floor((153 * (m > 2 ? m - 3 : m + 9) + 2) / 5) + d - 1;
        return era * 146097 + yearOfEra * 365 + Math.floor(yearOfEra / 4) - Math.floor(yearOfEra / 100) + dayOfYear - 719468;
    }

    function civil(day) {
        var days = day + 719468;
        var era = Math.floor(days / 146097);
        var dayOfEra = days - era * 146097;
        var yearOfEra = Math.floor((dayOfEra - Math.floor(dayOfEra / 1460) + Math.floor(dayOfEra / 36524) -
            Math.floor(dayOfEra / 146096)) / 365);
        var dayOfYear = dayOfEra - (365 * yearOfEra + Math.floor(yearOfEra / 4) - Math.floor(yearOfEra / 100));
        var shifted = Math.floor((5 * dayOfYear + 2) / 153);
        var month = shifted < 10 ? shifted + 3 : shifted - 9;
        return { year: yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month: month,
            day: dayOfYear - Math.floor((153 * shifted + 2) / 5) + 1 };
    }

    // 0 = Sunday ... 6 = Saturday.
    function weekday(day) {
        return (((day + 4) % 7) + 7) % 7;
    }

    // The first day of the week holding `day`; firstDayOfWeek 1 = Sunday ... 7 = Saturday.
    function weekStart(day, firstDayOfWeek) {
        return day - ((weekday(day) - (firstDayOfWeek - 1) + 7) % 7);
    }

    function isValidDate(y, m, d) {
        return y >= MIN_YEAR && y <= MAX_YEAR && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
    }

    // "%m:%d:%Y %H:%M", read by character position; null when absent or not a date.
    function parseDateTime(text) {
        var s = text == null ? "" : String(text);
        if (s === "") return null;
        var month = atoiAt(s, 0, 2);
        var dayOfMonth = atoiAt(s, 3, 2);
        var year = atoiAt(s, 6, 4);
        var hour = atoiAt(s, 11, 2);
        var minute = atoiAt(s, 14, 2);
        if (!isValidDate(year, month, dayOfMonth) || hour < 0 || hour > 23 || minute < 0 || minute > 59)
            return null;
        return dayNumber(year, month, dayOfMonth) * MINUTES_PER_DAY + hour * 60 + minute;
    }

    // "%H:%M" as minutes after midnight; null when absent or not a time.
    function parseTimeOfDay(text) {
        var s = text == null ? "" : String(text);
        if (s === "") return null;
        var hour = atoiAt(s, 0, 2);
        var minute = atoiAt(s, 3, 2);
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return null;
        return hour * 60 + minute;
    }

    function dayOf(minutes) {
        return Math.floor(minutes / MINUTES_PER_DAY);
    }

    function isoWeekNumber(day) {
        var thursday = day - ((weekday(day) + 6) % 7) + 3;
        var firstOfYear = dayNumber(civil(thursday).year, 1, 1);
        return Math.floor((thursday - firstOfYear) / 7) + 1;
    }

    // ---------------------------------------------------------------------------------------
    // Recurrence. A pattern is
    //   { startTime (minute of day), duration (minutes), type, data1, data2, data3,
    //     rangeStart (day), endMethod (0 by date, 1 after a count, 2 none), rangeEnd (day),
    //     occurrences, exceptions: [{ originalStart, deleted, start, end, ... }] }.
    // Occurrences fall in periods (days, weeks, months or years counted from the one holding
    // the range start); every active period but the first yields the same number of dates, so
    // the ordinal of an occurrence is known without walking from the range start.

    var WORK_DAYS_MASK = 62;

    function bitCount(mask) {
        var n = 0;
        for (var i = 0; i < 7; i++) if (mask & (1 << i)) n++;
        return n;
    }

    // The which-th (1-4; 5 = last) day of the month whose weekday is in the mask, or null.
    function nthWeekdayOfMonth(year, month, which, mask) {
        var first = dayNumber(year, month, 1);
        var length = daysInMonth(year, month);
        if (which === 5) {
            for (var d = length - 1; d >= 0; d--) if (mask & (1 << weekday(first + d))) return first + d;
            return null;
        }
        var seen = 0;
        for (var e = 0; e < length; e++) {
            if (mask & (1 << weekday(first + e)) && ++seen === which) return first + e;
        }
        return null;
    }

    function weeklyPlan(start, interval, mask, firstDayOfWeek) {
        mask &= 127;
        if (!(interval >= 1) || mask === 0) return null;
        var week0 = weekStart(start, firstDayOfWeek);
        return {
            interval: interval,
            perPeriod: bitCount(mask),
            periodOf: function (day) { return Math.floor((day - week0) / 7); },
            startOf: function (i) { return week0 + 7 * i; },
            datesOf: function (i) {
                var dates = [];
                for (var j = 0; j < 7; j++) {
                    var day = week0 + 7 * i + j;
                    if (mask & (1 << weekday(day))) dates.push(day);
                }
                return dates;
            }
        };
    }

    function monthlyPlan(start, interval, dateInMonth) {
        if (!(interval >= 1)) return null;
        var first = civil(start);
        var month0 = first.year * 12 + first.month - 1;
        function yearMonth(i) {
            var index = month0 + i;
            return { year: Math.floor(index / 12), month: (index % 12) + 1 };
        }
        return {
            interval: interval,
            perPeriod: 1,
            periodOf: function (day) {
                var c = civil(day);
                return c.year * 12 + c.month - 1 - month0;
            },
            startOf: function (i) {
                var ym = yearMonth(i);
                return dayNumber(ym.year, ym.month, 1);
            },
            datesOf: function (i) {
                var ym = yearMonth(i);
                var day = dateInMonth(ym.year, ym.month);
                return day === null ? [] : [day];
            }
        };
    }

    function yearlyPlan(start, dateInYear) {
        var year0 = civil(start).year;
        return {
            interval: 1,
            perPeriod: 1,
            periodOf: function (day) { return civil(day).year - year0; },
            startOf: function (i) { return dayNumber(year0 + i, 1, 1); },
            datesOf: function (i) {
                var day = dateInYear(year0 + i);
                return day === null ? [] : [day];
            }
        };
    }

    function clampedDate(year, month, dayOfMonth) {
        return dayNumber(year, month, Math.min(dayOfMonth, daysInMonth(year, month)));
    }

    // How the pattern's dates are laid out, or null when its options can give no date.
    function periodPlan(p, firstDayOfWeek) {
        var start = p.rangeStart;
        var d1 = p.data1, d2 = p.data2, d3 = p.data3;
        switch (p.type) {
            case 1:
                // Any Data1 but 0 means every work day, as the calendar store reads it.
                if (d1 !== 0) return weeklyPlan(start, 1, WORK_DAYS_MASK, firstDayOfWeek);
                if (!(d2 >= 1)) return null;
                return {
                    interval: 1,
                    perPeriod: 1,
                    periodOf: function (day) { return Math.floor((day - start) / d2); },
                    startOf: function (i) { return start + i * d2; },
                    datesOf: function (i) { return [start + i * d2]; }
                };
            case 2:
                return weeklyPlan(start, d1, d2, firstDayOfWeek);
            case 3:
                if (!(d2 >= 1 && d2 <= 31)) return null;
                return monthlyPlan(start, d1, function (y, m) { return clampedDate(y, m, d2); });
            case 4:
                if (!(d2 >= 1 && d2 <= 5) || (d3 & 127) === 0) return null;
                return monthlyPlan(start, d1, function (y, m) {
                    return nthWeekdayOfMonth(y, m, d2, d3 & 127);
                });
            case 5:
                if (!(d1 >= 1 && d1 <= 12 && d2 >= 1 && d2 <= 31)) return null;
                return yearlyPlan(start, function (y) { return clampedDate(y, d1, d2); });
            case 6:
                if (!(d1 >= 1 && d1 <= 5) || (d2 & 127) === 0 || !(d3 >= 1 && d3 <= 12)) return null;
                return yearlyPlan(start, function (y) { return nthWeekdayOfMonth(y, d3, d1, d2 & 127); });
            default:
                return null;
        }
    }

    // Days of the pattern's own occurrences (exceptions not applied) between two days, with
    // each one's ordinal counted from the range start: [{ day, index }].
    function patternDays(p, firstDayOfWeek, fromDay, toDay) {
        var plan = periodPlan(p, firstDayOfWeek);
        if (!plan || plan.perPeriod === 0) return [];
        var counted = p.endMethod === 1;
        if (counted && !(p.occurrences > 0)) return [];
        var start = p.rangeStart;
        var last = p.endMethod === 0 ? Math.min(toDay, p.rangeEnd) : toDay;
        if (!(fromDay <= last)) return [];

        var firstPeriodCount = plan.datesOf(0).filter(function (d) { return d >= start; }).length;
        var interval = plan.interval;
        var first = Math.max(0, plan.periodOf(Math.max(fromDay, start)));
        first = Math.ceil(first / interval) * interval;

        var out = [];
        for (var i = first; plan.startOf(i) <= last; i += interval) {
            var index = i === 0 ? 0 : firstPeriodCount + (i / interval - 1) * plan.perPeriod;
            var dates = plan.datesOf(i);
            for (var k = 0; k < dates.length; k++) {
                var day = dates[k];
                if (day < start) continue;
                if ((counted && index >= p.occurrences) || day > last) return out;
                if (day >= fromDay) out.push({ day: day, index: index });
                index++;
            }
        }
        return out;
    }

    // The pattern's occurrences whose start lies on a day between fromDay and toDay (both
    // included), exceptions applied, sorted by start: [{ start, end, exception }].
    function expandPattern(p, firstDayOfWeek, fromDay, toDay) {
        var duration = Math.max(0, p.duration | 0);
        var byOriginal = Object.create(null);
        (p.exceptions || []).forEach(function (e) {
            if (e.originalStart != null && !(e.originalStart in byOriginal)) byOriginal[e.originalStart] = e;
        });

        var result = [];
        patternDays(p, firstDayOfWeek, fromDay, toDay).forEach(function (o) {
            var start = o.day * MINUTES_PER_DAY + p.startTime;
            if (!(start in byOriginal)) result.push({ start: start, end: start + duration, exception: null });
        });

        Object.keys(byOriginal).forEach(function (key) {
            var e = byOriginal[key];
            var original = e.originalStart;
            var originalDay = dayOf(original);
            if (e.deleted || original - originalDay * MINUTES_PER_DAY !== p.startTime) return;
            if (patternDays(p, firstDayOfWeek, originalDay, originalDay).length === 0) return;
            var start = e.start != null ? e.start : original;
            var end = e.end != null && e.end >= start ? e.end : start + duration;
            var day = dayOf(start);
            if (day >= fromDay && day <= toDay) result.push({ start: start, end: end, exception: e });
        });

        result.sort(function (a, b) { return a.start - b.start || a.end - b.end; });
        return result;
    }

    // ---------------------------------------------------------------------------------------
    // Events

    var BUSY_STATUS = { "Free": 0, "Tentative": 1, "Busy": 2, "Out Of Office": 3 };

    var LABEL_COLORS = {
        "Important": "#e5484d",
        "Business": "#3e7bfa",
        "Personal": "#30a46c",
        "Vacation": "#8e8c99",
        "Must Attend": "#f76808",
        "Travel Required": "#12a594",
        "Needs Preparation": "#ad7f58",
        "Birthday": "#8e4ec6",
        "Anniversary": "#d6409f",
        "Phone Call": "#e2b203"
    };

    // How far back occurrences that began before a window are looked for: ten years, as the
    // calendar store does, so one series of very long occurrences stays cheap.
    var LONGEST_LOOK_BACK_MINUTES = 3653 * MINUTES_PER_DAY;

    // Every occurrence of the events that touches a day between fromDay and toDay:
    // [{ event, start, end, allDay, subject, location, body, label, busyStatus, recurring }].
    function occurrencesBetween(events, firstDayOfWeek, fromDay, toDay) {
        var out = [];
        var fromMinute = fromDay * MINUTES_PER_DAY, toMinute = (toDay + 1) * MINUTES_PER_DAY;
        for (var i = 0; i < events.length; i++) {
            var event = events[i];
            if (event.pattern) {
                var lookBack = Math.min(Math.max(0, event.pattern.duration), LONGEST_LOOK_BACK_MINUTES);
                var spanDays = Math.ceil(lookBack / MINUTES_PER_DAY);
                var found = expandPattern(event.pattern, firstDayOfWeek, fromDay - spanDays, toDay);
                for (var j = 0; j < found.length; j++) {
                    var o = found[j];
                    if (touches(o.start, o.end, fromMinute, toMinute)) out.push(occurrence(event, o.start, o.end, o.exception));
                }
            } else if (event.start != null) {
                var end = event.end != null && event.end >= event.start ? event.end : event.start;
                if (touches(event.start, end, fromMinute, toMinute)) out.push(occurrence(event, event.start, end, null));
            }
        }
        out.sort(function (a, b) {
            return (b.allDay - a.allDay) || a.start - b.start || a.end - b.end ||
                (a.subject < b.subject ? -1 : a.subject > b.subject ? 1 : 0);
        });
        return out;
    }

    // Whether a time span touches the minutes from `from` to before `to`; one of no length
    // touches the day it is on.
    function touches(start, end, from, to) {
        return start < to && (end > start ? end > from : start >= from);
    }

    // An occurrence of an event, with what an exception changes of it.
    function occurrence(event, start, end, override) {
        var own = override || event;
        return {
            event: event,
            start: start,
            end: end,
            allDay: !!(own.allDay != null ? own.allDay : event.allDay),
            subject: (own.subject != null ? own.subject : event.subject) || "",
            location: (own.location != null ? own.location : event.location) || "",
            body: (own.body != null ? own.body : event.body) || "",
            label: (own.label != null ? own.label : event.label) || "",
            busyStatus: own.busyStatus != null ? own.busyStatus : -1,
            recurring: !!event.pattern,
            pattern: event.pattern || null
        };
    }

    function coversDay(occurrence, day) {
        var first = dayOf(occurrence.start);
        var last = occurrence.end > occurrence.start ? dayOf(occurrence.end - 1) : first;
        return day >= first && day <= last;
    }

    // The properties an Event and an Exception element share; null for an absent attribute
    // so that an exception can fall back on its event.
    function readEventAttributes(el) {
        return el.event || eventOf(EVENT_ATTRIBUTES.map(function (name) { return attributeOf(el, name); }));
    }

    // The attributes an event is read from, in the order eventOf takes their values.
    var EVENT_ATTRIBUTES = ["StartTime", "EndTime", "Subject", "Location", "Body", "AllDayEvent", "Type", "BusyStatus"];

    // The event of the values of EVENT_ATTRIBUTES, in that order, null for absent ones.
    function eventOf(values) {
        var allDay = values[5], busy = values[7];
        return {
            start: parseDateTime(values[0]),
            end: parseDateTime(values[1]),
            subject: values[2],
            location: values[3],
            body: values[4],
            allDay: allDay !== null ? atoi(allDay) !== 0 : null,
            label: values[6],
            busyStatus: busy !== null && has(BUSY_STATUS, busy) ? BUSY_STATUS[busy] : -1
        };
    }

    function readPattern(el, event) {
        var startTime = parseTimeOfDay(attributeOf(el, "StartTime"));
        var rangeStart = parseDateTime(attributeOf(el, "PatternStartDate"));
        var endMethod = atoi(attributeOf(el, "UseEndMethod"));
        var rangeEnd = parseDateTime(attributeOf(el, "PatternEndDate"));
        var count = atoi(attributeOf(el, "EndAfterOccurrences"));
        if (rangeStart === null) rangeStart = event.start;
        if (startTime === null) startTime = event.start !== null ? event.start - dayOf(event.start) * MINUTES_PER_DAY : 0;
        if (rangeStart === null) return null;
        // An end the document does not give leaves the pattern without one.
        if ((endMethod === 0 && rangeEnd === null) || (endMethod === 1 && count <= 0) ||
            (endMethod !== 0 && endMethod !== 1)) endMethod = 2;
        return {
            startTime: startTime,
            duration: Math.max(0, atoi(attributeOf(el, "DurationMinutes"))),
            type: atoi(attributeOf(el, "RecurrenceType")),
            data1: atoi(attributeOf(el, "RecurrenceOpt_Data1")),
            data2: atoi(attributeOf(el, "RecurrenceOpt_Data2")),
            data3: atoi(attributeOf(el, "RecurrenceOpt_Data3")),
            rangeStart: dayOf(rangeStart),
            endMethod: endMethod,
            rangeEnd: rangeEnd === null ? null : dayOf(rangeEnd),
            occurrences: count,
            exceptions: childElements(el, "Exception").map(function (x) {
                var e = readEventAttributes(x);
                e.originalStart = parseDateTime(attributeOf(x, "RException_StartTimeOrig"));
                e.deleted = atoi(attributeOf(x, "RException_Deleted")) !== 0;
                return e;
            })
        };
    }

    // The events of a document's tree: its root is Data, or Data is a child of the root.
    // Returns null when the document has no Data element.
    function readEvents(root) {
        if (!root) return null;
        var data = root.name === "Data" ? root : childElements(root, "Data")[0];
        if (!data) return null;
        var events = [];
        childElements(data, "Events").forEach(function (list) {
            childElements(list, "Event").forEach(function (el) {
                var event = readEventAttributes(el);
                var patternEl = childElements(el, "Pattern")[0];
                event.pattern = patternEl ? readPattern(patternEl, event) : null;
                if (event.start === null && !event.pattern) return;
                if (event.end === null) event.end = event.start;
                events.push(event);
            });
        });
        return events;
    }

    // name -> value of the UserDefined/Param entries (the first entry of a name counts).
    function readUserValues(root) {
        var values = Object.create(null);
        if (!root) return values;
        var section = childElements(root, "UserDefined")[0] || firstDescendant(root, "UserDefined");
        childElements(section, "Param").forEach(function (p) {
            var name = attributeOf(p, "name");
            if (name && !has(values, name)) values[name] = attributeOf(p, "value") || "";
        });
        return values;
    }

    function readData(root) {
        return root ? { values: readUserValues(root), events: readEvents(root) } : null;
    }

    // The values and events of a data document's text: the scanner's reading, else
    // DOMParser's; null when the text is no well-formed XML.
    function readDataText(text) {
        return readData(scanXml(text, true) || elementTreeOf(parseXml(text)));
    }

    // Reads a data document piece by piece as its bytes arrive, so that decoding and scanning
    // keep pace with the download.
    function DataReader() {
        this.stream = new TextStream();
        this.scanner = new XmlScanner(true);
        this.pieces = [];
    }

    // Takes the next bytes; with `last`, returns what readDataText returns for the whole text.
    DataReader.prototype.push = function (bytes, last) {
        var piece = this.stream.push(bytes, last);
        this.pieces.push(piece);
        var root = this.scanner.push(piece, last);
        if (!last) return null;
        return readData(root || elementTreeOf(parseXml(this.pieces.join(""))));
    };

    // The user values as they will be read, once the text so far settles them (its root has
    // a whole UserDefined section); else null.
    DataReader.prototype.settledValues = function () {
        var scanner = this.scanner;
        var section = scanner.failed ? null : childElements(scanner.root, "UserDefined")[0];
        return section && scanner.open.indexOf(section) < 0 ? readUserValues(scanner.root) : null;
    };

    // ---------------------------------------------------------------------------------------
    // Properties: the parameters of componentInfo.xml with their defaults. Group options carry
    // their own parameters, which the document may lack; their defaults then apply.

    var FONT_STACKS = {
        "Verdana": "Verdana, 'DejaVu Sans', Geneva, sans-serif",
        "Arial": "Arial, 'Liberation Sans', Helvetica, sans-serif",
        "Tahoma": "Tahoma, 'DejaVu Sans', Geneva, sans-serif",
        "Trebuchet MS": "'Trebuchet MS', 'DejaVu Sans', sans-serif",
        "Georgia": "Georgia, 'DejaVu Serif', serif",
        "Times New Roman": "'Times New Roman', 'Liberation Serif', Times, serif",
        "Courier New": "'Courier New', 'Liberation Mono', monospace"
    };

    // The FirstDayOfWeek choice that leaves the first day to WeekStartDay (Sunday or Monday).
    var FIRST_DAY_DEFAULT = "Default";

    var PARAMETERS = [
        { name: "Title", kind: "text", value: "Events" },
        { name: "View", kind: "group", value: "Month", options: {
            "Month": [
                { name: "ShowWeekNumbers", kind: "boolean", value: "false" },
                { name: "ShowEventTimes", kind: "boolean", value: "true" },
                { name: "EventsPerDay", kind: "number", value: "3", lower: "1", upper: "10" }
            ],
            "Week": [
                { name: "WeekFirstHour", kind: "number", value: "8", lower: "0", upper: "23" }
            ],
            "Day": [
                { name: "DayFirstHour", kind: "number", value: "8", lower: "0", upper: "23" }
            ],
            "Agenda": [
                { name: "DaysToShow", kind: "number", value: "30", lower: "1", upper: "366" },
                { name: "ShowEmptyDays", kind: "boolean", value: "false" }
            ]
        } },
        { name: "ShowViewButtons", kind: "boolean", value: "true" },
        { name: "WeekStartDay", kind: "boolean", value: "true" },
        { name: "FirstDayOfWeek", kind: "list", value: FIRST_DAY_DEFAULT,
            options: [FIRST_DAY_DEFAULT].concat(DAY_NAMES) },
        { name: "TimeFormat", kind: "list", value: "12-hour", options: ["12-hour", "24-hour"] },
        { name: "Language", kind: "text", value: "" },
        { name: "ShowNavigation", kind: "boolean", value: "true" },
        { name: "ShowSubscribeLink", kind: "boolean", value: "true" },
        { name: "FontFace", kind: "list", value: "Verdana", options: Object.keys(FONT_STACKS) },
        { name: "FontSize", kind: "number", value: "11", lower: "8", upper: "20" },
        { name: "HeaderHeight", kind: "number", value: "44", lower: "20", upper: "Height" },
        { name: "CornerRadius", kind: "number", value: "6", lower: "0", upper: "20" },
        { name: "BackgroundColor", kind: "color", value: "0xFFFFFF" },
        { name: "BorderColor", kind: "color", value: "0xD5DCE6" },
        { name: "HeaderColor", kind: "color", value: "0x2F5D8C" },
        { name: "HeaderTextColor", kind: "color", value: "0xFFFFFF" },
        { name: "TextColor", kind: "color", value: "0x2B3340" },
        { name: "DayColor", kind: "color", value: "0xFFFFFF" },
        { name: "WeekendColor", kind: "color", value: "0xF3F6FA" },
        { name: "TodayColor", kind: "color", value: "0xF5A623" },
        { name: "EventColor", kind: "color", value: "0x3A7BD5" },
        { name: "EventTextColor", kind: "color", value: "0xFFFFFF" }
    ];

    // Typed settings from the document's values; `context` supplies values a limit may name
    // that the document lacks (the component's Width and Height).
    function resolveSettings(values, context) {
        values = values || {};
        context = context || {};
        var settings = {};

        function limitValue(limit) {
            if (limit == null || limit === "") return null;
            var number = numberFromText(limit);
            if (number !== null) return number;
            if (has(values, limit)) return parseNumber(values[limit], null);
            return has(context, limit) ? context[limit] : null;
        }

        function resolve(param) {
            var text = has(values, param.name) ? values[param.name] : param.value;
            switch (param.kind) {
                case "number":
                    var n = parseNumber(text, parseNumber(param.value, 0));
                    var lower = limitValue(param.lower);
                    var upper = limitValue(param.upper);
                    if (upper !== null && n > upper) n = upper;
                    if (lower !== null && n < lower) n = lower;
                    return n;
                case "boolean":
                    return parseBoolean(text, parseBoolean(param.value, false));
                case "color":
                    return parseColor(text);
                case "list":
                    return param.options.indexOf(text) >= 0 ? text : param.value;
                case "group":
                    return has(param.options, text) ? text : param.value;
                default:
                    return text == null ? "" : String(text);
            }
        }

        PARAMETERS.forEach(function (param) {
            settings[param.name] = resolve(param);
            if (param.kind === "group") {
                Object.keys(param.options).forEach(function (option) {
                    param.options[option].forEach(function (sub) { settings[sub.name] = resolve(sub); });
                });
            }
        });
        return settings;
    }

    // 1 = Sunday ... 7 = Saturday: the day FirstDayOfWeek names, else Sunday or Monday as
    // WeekStartDay says.
    function firstDayOfWeekOf(settings) {
        var named = DAY_NAMES.indexOf(settings.FirstDayOfWeek);
        if (named >= 0) return named + 1;
        return settings.WeekStartDay ? 1 : 2;
    }

    // ---------------------------------------------------------------------------------------
    // The visitor's language: names and formats come from the browser's Intl.

    // Languages written from right to left (their primary language subtags).
    var RIGHT_TO_LEFT = ["ar", "arc", "ckb", "dv", "fa", "he", "iw", "ks", "ps", "sd", "syr", "ug", "ur", "yi"];

    // The first usable language of the Language property and the browser's list; "en-US"
    // when none is usable.
    function chooseLocale(setting, browserLanguages) {
        var wanted = [String(setting || "").trim()].concat(browserLanguages || []);
        for (var i = 0; i < wanted.length; i++) {
            try {
                if (wanted[i] && Intl.DateTimeFormat.supportedLocalesOf([wanted[i]]).length)
                    return Intl.getCanonicalLocales(wanted[i])[0];
            } catch (e) {
                // not a language tag: try the next one
            }
        }
        return "en-US";
    }

    function isRightToLeft(locale) {
        return RIGHT_TO_LEFT.indexOf(String(locale).split("-")[0].toLowerCase()) >= 0;
    }

    // ---------------------------------------------------------------------------------------
    // The calendar's own words, in the languages it knows; English for any other. Templates
    // name their values in braces; a table by plural category ({ one, two, few, many, other })
    // is chosen by the number it counts. `ordinals` are "first" to "fourth" and "last" with
    // whatever article the language puts before them, and `feminine` lists the weekdays
    // (0 = Sunday) that take the feminine ones (`ordinalsFeminine`). Letters beyond ASCII are
    // escaped, as everywhere in this file: pages load it in their own encoding.

    var WORDS = {
        en: {
            today: "Today", views: { month: "Month", week: "Week", day: "Day", agenda: "Agenda" },
            viewGroup: "Calendar view", calendar: "Calendar",
            steps: { month: ["Previous month", "Next month"], week: ["Previous week", "Next week"],
                day: ["Previous day", "Next day"], agenda: ["Earlier", "Later"] },
            weekColumn: "Week", timeColumn: "Time", allDay: "All day", allDayNote: "(all day)", continued: "cont.",
            noEvents: "No events", noEventsInPeriod: "No events in this period", more: "+{n} more",
            subscribe: "Subscribe", download: "Download",
            noSubject: "(no subject)", close: "Close", where: "Where", label: "Label", showsAs: "Shows as",
            repeats: "Repeats", busy: ["Free", "Tentative", "Busy", "Out of office"],
            damaged: "The calendar could not read its events: the data file {file} is damaged. Publish the calendar again to replace it.",
            fileSystem: "The calendar could not read its events: this page was opened from the file system, where the browser does not let it read {file}. Open this page from a web server to see the events.",
            missing: "The calendar could not read its events: the data file {file} is missing. Put it on the web server beside this page.",
            unreachable: "The calendar could not read its events from {file}. Check the connection and reload this page.",
            list: [", ", " and "],
            dailyWorkDays: "every weekday",
            everyDays: { one: "every day", other: "every {n} days" },
            everyWeeks: { one: "every week", other: "every {n} weeks" },
            weekly: "{every} on {days}", weekDays: { all: "every day", work: "weekdays", named: "{days}" },
            monthlyOnDate: { one: "day {date} of every month", other: "day {date} of every {n} months" },
            monthlyOnNth: { one: "{nth} of every month", other: "{nth} of every {n} months" },
            yearlyOnDate: "every year on {date}", yearlyOnNth: "{nth} of {month} every year",
            nth: "{which} {day}", ordinals: ["the first", "the second", "the third", "the fourth", "the last"],
            dayKinds: { all: "day", work: "weekday", weekend: "weekend day", named: "{days}" }
        },
        de: {
            today: "Heute", views: { month: "Monat", week: "Woche", day: "Tag", agenda: "Terminliste" },
            viewGroup: "Kalenderansicht", calendar: "Kalender",
            steps: { month: ["Vorheriger Monat", "N\u00e4chster Monat"], week: ["Vorherige Woche", "N\u00e4chste Woche"],
                day: ["Vorheriger Tag", "N\u00e4chster Tag"], agenda: ["Fr\u00fcher", "Sp\u00e4ter"] },
            weekColumn: "Kalenderwoche", timeColumn: "Uhrzeit", allDay: "Ganzt\u00e4gig", allDayNote: "(ganzt\u00e4gig)",
            continued: "Forts.", noEvents: "Keine Termine", noEventsInPeriod: "Keine Termine in diesem Zeitraum",
            more: "+{n} weitere", subscribe: "Abonnieren", download: "Herunterladen",
            noSubject: "(kein Betreff)", close: "Schlie\u00dfen", where: "Ort", label: "Beschriftung",
            showsAs: "Anzeigen als", repeats: "Wiederholung", busy: ["Frei", "Mit Vorbehalt", "Besch\u00e4ftigt", "Abwesend"],
            damaged: "Der Kalender konnte seine Termine nicht lesen: Die Datendatei {file} ist besch\u00e4digt. Ver\u00f6ffentlichen Sie den Kalender erneut, um sie zu ersetzen.",
            fileSystem: "Der Kalender konnte seine Termine nicht lesen: Diese Seite wurde aus dem Dateisystem ge\u00f6ffnet, wo der Browser ihn {file} nicht lesen l\u00e4sst. \u00d6ffnen Sie diese Seite \u00fcber einen Webserver, um die Termine zu sehen.",
            missing: "Der Kalender konnte seine Termine nicht lesen: Die Datendatei {file} fehlt. Legen Sie sie auf dem Webserver neben diese Seite.",
            unreachable: "Der Kalender konnte seine Termine nicht aus {file} lesen. Pr\u00fcfen Sie die Verbindung und laden Sie diese Seite neu.",
            list: [", ", " und "],
            dailyWorkDays: "jeden Werktag",
            everyDays: { one: "jeden Tag", other: "alle {n} Tage" },
            everyWeeks: { one: "jede Woche", other: "alle {n} Wochen" },
            weekly: "{every} {days}", weekDays: { all: "an allen Tagen", work: "an Werktagen", named: "am {days}" },
            monthlyOnDate: { one: "am {date}. jedes Monats", other: "am {date}. alle {n} Monate" },
            monthlyOnNth: { one: "am {nth} jedes Monats", other: "am {nth} alle {n} Monate" },
            yearlyOnDate: "jedes Jahr am {date}", yearlyOnNth: "am {nth} im {month} jedes Jahres",
            nth: "{which} {day}", ordinals: ["ersten", "zweiten", "dritten", "vierten", "letzten"],
            dayKinds: { all: "Tag", work: "Werktag", weekend: "Wochenendtag", named: "{days}" }
        },
        fr: {
            today: "Aujourd\u2019hui", views: { month: "Mois", week: "Semaine", day: "Jour", agenda: "Agenda" },
            viewGroup: "Affichage du calendrier", calendar: "Calendrier",
            steps: { month: ["Mois pr\u00e9c\u00e9dent", "Mois suivant"], week: ["Semaine pr\u00e9c\u00e9dente", "Semaine suivante"],
                day: ["Jour pr\u00e9c\u00e9dent", "Jour suivant"], agenda: ["Plus t\u00f4t", "Plus tard"] },
            weekColumn: "Semaine", timeColumn: "Heure", allDay: "Toute la journ\u00e9e", allDayNote: "(toute la journ\u00e9e)",
            continued: "suite", noEvents: "Aucun \u00e9v\u00e9nement", noEventsInPeriod: "Aucun \u00e9v\u00e9nement pendant cette p\u00e9riode",
            more: "+{n} autres", subscribe: "S\u2019abonner", download: "T\u00e9l\u00e9charger",
            noSubject: "(sans objet)", close: "Fermer", where: "Lieu", label: "\u00c9tiquette",
            showsAs: "Disponibilit\u00e9", repeats: "P\u00e9riodicit\u00e9", busy: ["Libre", "Provisoire", "Occup\u00e9", "Absent du bureau"],
            damaged: "Le calendrier n\u2019a pas pu lire ses \u00e9v\u00e9nements : le fichier de donn\u00e9es {file} est endommag\u00e9. Publiez \u00e0 nouveau le calendrier pour le remplacer.",
            fileSystem: "Le calendrier n\u2019a pas pu lire ses \u00e9v\u00e9nements : cette page a \u00e9t\u00e9 ouverte depuis le syst\u00e8me de fichiers, o\u00f9 le navigateur ne le laisse pas lire {file}. Ouvrez cette page depuis un serveur web pour voir les \u00e9v\u00e9nements.",
            missing: "Le calendrier n\u2019a pas pu lire ses \u00e9v\u00e9nements : le fichier de donn\u00e9es {file} est introuvable. Placez-le sur le serveur web \u00e0 c\u00f4t\u00e9 de cette page.",
            unreachable: "Le calendrier n\u2019a pas pu lire ses \u00e9v\u00e9nements depuis {file}. V\u00e9rifiez la connexion et rechargez cette page.",
            list: [", ", " et "],
            dailyWorkDays: "chaque jour ouvrable",
            everyDays: { one: "tous les jours", other: "tous les {n} jours" },
            everyWeeks: { one: "chaque semaine", other: "toutes les {n} semaines" },
            weekly: "{every}, {days}", weekDays: { all: "tous les jours", work: "les jours ouvrables", named: "le {days}" },
            monthlyOnDate: { one: "le {date} de chaque mois", other: "le {date}, tous les {n} mois" },
            monthlyOnNth: { one: "{nth} de chaque mois", other: "{nth}, tous les {n} mois" },
            yearlyOnDate: "chaque ann\u00e9e le {date}", yearlyOnNth: "{nth} en {month}, chaque ann\u00e9e",
            nth: "{which} {day}", ordinals: ["le premier", "le deuxi\u00e8me", "le troisi\u00e8me", "le quatri\u00e8me", "le dernier"],
            dayKinds: { all: "jour", work: "jour ouvrable", weekend: "jour de week-end", named: "{days}" }
        },
        es: {
            today: "Hoy", views: { month: "Mes", week: "Semana", day: "D\u00eda", agenda: "Agenda" },
            viewGroup: "Vista del calendario", calendar: "Calendario",
            steps: { month: ["Mes anterior", "Mes siguiente"], week: ["Semana anterior", "Semana siguiente"],
                day: ["D\u00eda anterior", "D\u00eda siguiente"], agenda: ["Antes", "Despu\u00e9s"] },
            weekColumn: "Semana", timeColumn: "Hora", allDay: "Todo el d\u00eda", allDayNote: "(todo el d\u00eda)",
            continued: "cont.", noEvents: "Sin eventos", noEventsInPeriod: "No hay eventos en este per\u00edodo",
            more: "+{n} m\u00e1s", subscribe: "Suscribirse", download: "Descargar",
            noSubject: "(sin asunto)", close: "Cerrar", where: "Lugar", label: "Etiqueta",
            showsAs: "Mostrar como", repeats: "Se repite", busy: ["Libre", "Provisional", "Ocupado", "Fuera de la oficina"],
            damaged: "El calendario no pudo leer sus eventos: el archivo de datos {file} est\u00e1 da\u00f1ado. Vuelva a publicar el calendario para reemplazarlo.",
            fileSystem: "El calendario no pudo leer sus eventos: esta p\u00e1gina se abri\u00f3 desde el sistema de archivos, donde el navegador no le permite leer {file}. Abra esta p\u00e1gina desde un servidor web para ver los eventos.",
            missing: "El calendario no pudo leer sus eventos: falta el archivo de datos {file}. Col\u00f3quelo en el servidor web junto a esta p\u00e1gina.",
            unreachable: "El calendario no pudo leer sus eventos de {file}. Compruebe la conexi\u00f3n y vuelva a cargar esta p\u00e1gina.",
            list: [", ", " y "],
            dailyWorkDays: "cada d\u00eda laborable",
            everyDays: { one: "todos los d\u00edas", other: "cada {n} d\u00edas" },
            everyWeeks: { one: "cada semana", other: "cada {n} semanas" },
            weekly: "{every}, {days}", weekDays: { all: "todos los d\u00edas", work: "los d\u00edas laborables", named: "el {days}" },
            monthlyOnDate: { one: "el d\u00eda {date} de cada mes", other: "el d\u00eda {date}, cada {n} meses" },
            monthlyOnNth: { one: "{nth} de cada mes", other: "{nth}, cada {n} meses" },
            yearlyOnDate: "cada a\u00f1o el {date}", yearlyOnNth: "{nth} de {month} de cada a\u00f1o",
            nth: "{which} {day}", ordinals: ["el primer", "el segundo", "el tercer", "el cuarto", "el \u00faltimo"],
            dayKinds: { all: "d\u00eda", work: "d\u00eda laborable", weekend: "d\u00eda del fin de semana", named: "{days}" }
        },
        it: {
            today: "Oggi", views: { month: "Mese", week: "Settimana", day: "Giorno", agenda: "Agenda" },
            viewGroup: "Vista del calendario", calendar: "Calendario",
            steps: { month: ["Mese precedente", "Mese successivo"], week: ["Settimana precedente", "Settimana successiva"],
                day: ["Giorno precedente", "Giorno successivo"], agenda: ["Prima", "Dopo"] },
            weekColumn: "Settimana", timeColumn: "Ora", allDay: "Tutto il giorno", allDayNote: "(tutto il giorno)",
            continued: "segue", noEvents: "Nessun evento", noEventsInPeriod: "Nessun evento in questo periodo",
            more: "+{n} altri", subscribe: "Iscriviti", download: "Scarica",
            noSubject: "(nessun oggetto)", close: "Chiudi", where: "Luogo", label: "Etichetta",
            showsAs: "Mostra come", repeats: "Ricorrenza", busy: ["Disponibile", "Provvisorio", "Occupato", "Fuori sede"],
            damaged: "Il calendario non ha potuto leggere i suoi eventi: il file di dati {file} \u00e8 danneggiato. Pubblica di nuovo il calendario per sostituirlo.",
            fileSystem: "Il calendario non ha potuto leggere i suoi eventi: questa pagina \u00e8 stata aperta dal file system, dove il browser non gli consente di leggere {file}. Apri questa pagina da un server web per vedere gli eventi.",
            missing: "Il calendario non ha potuto leggere i suoi eventi: manca il file di dati {file}. Mettilo sul server web accanto a questa pagina.",
            unreachable: "Il calendario non ha potuto leggere i suoi eventi da {file}. Controlla la connessione e ricarica questa pagina.",
            list: [", ", " e "],
            dailyWorkDays: "ogni giorno feriale",
            everyDays: { one: "ogni giorno", other: "ogni {n} giorni" },
            everyWeeks: { one: "ogni settimana", other: "ogni {n} settimane" },
            weekly: "{every}: {days}", weekDays: { all: "tutti i giorni", work: "nei giorni feriali", named: "{days}" },
            monthlyOnDate: { one: "il giorno {date} di ogni mese", other: "il giorno {date}, ogni {n} mesi" },
            monthlyOnNth: { one: "{nth} di ogni mese", other: "{nth}, ogni {n} mesi" },
            yearlyOnDate: "ogni anno il {date}", yearlyOnNth: "{nth} di {month} di ogni anno",
            nth: "{which} {day}", ordinals: ["il primo", "il secondo", "il terzo", "il quarto", "l\u2019ultimo"],
            ordinalsFeminine: ["la prima", "la seconda", "la terza", "la quarta", "l\u2019ultima"], feminine: [0],
            dayKinds: { all: "giorno", work: "giorno feriale", weekend: "giorno del fine settimana", named: "{days}" }
        },
        nl: {
            today: "Vandaag", views: { month: "Maand", week: "Week", day: "Dag", agenda: "Agenda" },
            viewGroup: "Kalenderweergave", calendar: "Kalender",
            steps: { month: ["Vorige maand", "Volgende maand"], week: ["Vorige week", "Volgende week"],
                day: ["Vorige dag", "Volgende dag"], agenda: ["Eerder", "Later"] },
            weekColumn: "Week", timeColumn: "Tijd", allDay: "Hele dag", allDayNote: "(hele dag)", continued: "vervolg",
            noEvents: "Geen afspraken", noEventsInPeriod: "Geen afspraken in deze periode", more: "+{n} meer",
            subscribe: "Abonneren", download: "Downloaden",
            noSubject: "(geen onderwerp)", close: "Sluiten", where: "Waar", label: "Label", showsAs: "Weergeven als",
            repeats: "Herhaling", busy: ["Beschikbaar", "Voorlopig", "Bezet", "Afwezig"],
            damaged: "De kalender kon de afspraken niet lezen: het gegevensbestand {file} is beschadigd. Publiceer de kalender opnieuw om het te vervangen.",
            fileSystem: "De kalender kon de afspraken niet lezen: deze pagina is geopend vanuit het bestandssysteem, waar de browser {file} niet laat lezen. Open deze pagina via een webserver om de afspraken te zien.",
            missing: "De kalender kon de afspraken niet lezen: het gegevensbestand {file} ontbreekt. Zet het op de webserver naast deze pagina.",
            unreachable: "De kalender kon de afspraken niet lezen uit {file}. Controleer de verbinding en laad deze pagina opnieuw.",
            list: [", ", " en "],
            dailyWorkDays: "elke werkdag",
            everyDays: { one: "elke dag", other: "om de {n} dagen" },
            everyWeeks: { one: "elke week", other: "om de {n} weken" },
            weekly: "{every} {days}", weekDays: { all: "op alle dagen", work: "op werkdagen", named: "op {days}" },
            monthlyOnDate: { one: "dag {date} van elke maand", other: "dag {date}, om de {n} maanden" },
            monthlyOnNth: { one: "{nth} van elke maand", other: "{nth}, om de {n} maanden" },
            yearlyOnDate: "elk jaar op {date}", yearlyOnNth: "{nth} van {month}, elk jaar",
            nth: "{which} {day}", ordinals: ["de eerste", "de tweede", "de derde", "de vierde", "de laatste"],
            dayKinds: { all: "dag", work: "werkdag", weekend: "weekenddag", named: "{days}" }
        },
        pt: {
            today: "Hoje", views: { month: "M\u00eas", week: "Semana", day: "Dia", agenda: "Agenda" },
            viewGroup: "Vista do calend\u00e1rio", calendar: "Calend\u00e1rio",
            steps: { month: ["M\u00eas anterior", "Pr\u00f3ximo m\u00eas"], week: ["Semana anterior", "Pr\u00f3xima semana"],
                day: ["Dia anterior", "Pr\u00f3ximo dia"], agenda: ["Antes", "Depois"] },
            weekColumn: "Semana", timeColumn: "Hora", allDay: "Dia inteiro", allDayNote: "(dia inteiro)",
            continued: "cont.", noEvents: "Sem eventos", noEventsInPeriod: "Nenhum evento neste per\u00edodo",
            more: "+{n} mais", subscribe: "Assinar", download: "Baixar",
            noSubject: "(sem assunto)", close: "Fechar", where: "Local", label: "Etiqueta",
            showsAs: "Mostrar como", repeats: "Repete", busy: ["Livre", "Provis\u00f3rio", "Ocupado", "Fora do escrit\u00f3rio"],
            damaged: "O calend\u00e1rio n\u00e3o conseguiu ler os seus eventos: o arquivo de dados {file} est\u00e1 danificado. Publique o calend\u00e1rio novamente para substitu\u00ed-lo.",
            fileSystem: "O calend\u00e1rio n\u00e3o conseguiu ler os seus eventos: esta p\u00e1gina foi aberta a partir do sistema de arquivos, onde o navegador n\u00e3o o deixa ler {file}. Abra esta p\u00e1gina a partir de um servidor web para ver os eventos.",
            missing: "O calend\u00e1rio n\u00e3o conseguiu ler os seus eventos: falta o arquivo de dados {file}. Coloque-o no servidor web ao lado desta p\u00e1gina.",
            unreachable: "O calend\u00e1rio n\u00e3o conseguiu ler os seus eventos de {file}. Verifique a conex\u00e3o e recarregue esta p\u00e1gina.",
            list: [", ", " e "],
            dailyWorkDays: "todos os dias \u00fateis",
            everyDays: { one: "todos os dias", other: "a cada {n} dias" },
            everyWeeks: { one: "toda semana", other: "a cada {n} semanas" },
            weekly: "{every}: {days}", weekDays: { all: "todos os dias", work: "nos dias \u00fateis", named: "{days}" },
            monthlyOnDate: { one: "o dia {date} de cada m\u00eas", other: "o dia {date}, a cada {n} meses" },
            monthlyOnNth: { one: "{nth} de cada m\u00eas", other: "{nth}, a cada {n} meses" },
            yearlyOnDate: "todos os anos em {date}", yearlyOnNth: "{nth} de {month} de cada ano",
            nth: "{which} {day}", ordinals: ["o primeiro", "o segundo", "o terceiro", "o quarto", "o \u00faltimo"],
            ordinalsFeminine: ["a primeira", "a segunda", "a terceira", "a quarta", "a \u00faltima"], feminine: [1, 2, 3, 4, 5],
            dayKinds: { all: "dia", work: "dia \u00fatil", weekend: "dia de fim de semana", named: "{days}" }
        },
        ar: {
            today: "\u0627\u0644\u064a\u0648\u0645", views: { month: "\u0634\u0647\u0631", week: "\u0623\u0633\u0628\u0648\u0639", day: "\u064a\u0648\u0645", agenda: "\u062c\u062f\u0648\u0644 \u0627\u0644\u0623\u0639\u0645\u0627\u0644" },
            viewGroup: "\u0637\u0631\u064a\u0642\u0629 \u0639\u0631\u0636 \u0627\u0644\u062a\u0642\u0648\u064a\u0645", calendar: "\u0627\u0644\u062a\u0642\u0648\u064a\u0645",
            steps: { month: ["\u0627\u0644\u0634\u0647\u0631 \u0627\u0644\u0633\u0627\u0628\u0642", "\u0627\u0644\u0634\u0647\u0631 \u0627\u0644\u062a\u0627\u0644\u064a"], week: ["\u0627\u0644\u0623\u0633\u0628\u0648\u0639 \u0627\u0644\u0633\u0627\u0628\u0642", "\u0627\u0644\u0623\u0633\u0628\u0648\u0639 \u0627\u0644\u062a\u0627\u0644\u064a"],
                day: ["\u0627\u0644\u064a\u0648\u0645 \u0627\u0644\u0633\u0627\u0628\u0642", "\u0627\u0644\u064a\u0648\u0645 \u0627\u0644\u062a\u0627\u0644\u064a"], agenda: ["\u0627\u0644\u0623\u064a\u0627\u0645 \u0627\u0644\u0633\u0627\u0628\u0642\u0629", "\u0627\u0644\u0623\u064a\u0627\u0645 \u0627\u0644\u062a\u0627\u0644\u064a\u0629"] },
            weekColumn: "\u0627\u0644\u0623\u0633\u0628\u0648\u0639", timeColumn: "\u0627\u0644\u0648\u0642\u062a", allDay: "\u0637\u0648\u0627\u0644 \u0627\u0644\u064a\u0648\u0645", allDayNote: "(\u0637\u0648\u0627\u0644 \u0627\u0644\u064a\u0648\u0645)", continued: "\u062a\u0627\u0628\u0639",
            noEvents: "\u0644\u0627 \u062a\u0648\u062c\u062f \u0623\u062d\u062f\u0627\u062b", noEventsInPeriod: "\u0644\u0627 \u062a\u0648\u062c\u062f \u0623\u062d\u062f\u0627\u062b \u0641\u064a \u0647\u0630\u0647 \u0627\u0644\u0641\u062a\u0631\u0629", more: "+{n} \u0623\u062e\u0631\u0649",
            subscribe: "\u0627\u0634\u062a\u0631\u0627\u0643", download: "\u062a\u0646\u0632\u064a\u0644",
            noSubject: "(\u0628\u0644\u0627 \u0639\u0646\u0648\u0627\u0646)", close: "\u0625\u063a\u0644\u0627\u0642", where: "\u0627\u0644\u0645\u0643\u0627\u0646", label: "\u0627\u0644\u062a\u0635\u0646\u064a\u0641", showsAs: "\u0627\u0644\u062d\u0627\u0644\u0629",
            repeats: "\u0627\u0644\u062a\u0643\u0631\u0627\u0631", busy: ["\u0645\u062a\u0627\u062d", "\u0645\u0628\u062f\u0626\u064a", "\u0645\u0634\u063a\u0648\u0644", "\u062e\u0627\u0631\u062c \u0627\u0644\u0645\u0643\u062a\u0628"],
            damaged: "\u062a\u0639\u0630\u0651\u0631 \u0639\u0644\u0649 \u0627\u0644\u062a\u0642\u0648\u064a\u0645 \u0642\u0631\u0627\u0621\u0629 \u0623\u062d\u062f\u0627\u062b\u0647: \u0645\u0644\u0641 \u0627\u0644\u0628\u064a\u0627\u0646\u0627\u062a \u2068{file}\u2069 \u062a\u0627\u0644\u0641. \u0627\u0646\u0634\u0631 \u0627\u0644\u062a\u0642\u0648\u064a\u0645 \u0645\u0631\u0629 \u0623\u062e\u0631\u0649 \u0644\u0627\u0633\u062a\u0628\u062f\u0627\u0644\u0647.",
            fileSystem: "\u062a\u0639\u0630\u0651\u0631 \u0639\u0644\u0649 \u0627\u0644\u062a\u0642\u0648\u064a\u0645 \u0642\u0631\u0627\u0621\u0629 \u0623\u062d\u062f\u0627\u062b\u0647: \u0641\u064f\u062a\u062d\u062a \u0647\u0630\u0647 \u0627\u0644\u0635\u0641\u062d\u0629 \u0645\u0646 \u0646\u0638\u0627\u0645 \u0627\u0644\u0645\u0644\u0641\u0627\u062a\u060c \u062d\u064a\u062b \u0644\u0627 \u064a\u0633\u0645\u062d \u0644\u0647 \u0627\u0644\u0645\u062a\u0635\u0641\u062d \u0628\u0642\u0631\u0627\u0621\u0629 \u2068{file}\u2069. \u0627\u0641\u062a\u062d \u0647\u0630\u0647 \u0627\u0644\u0635\u0641\u062d\u0629 \u0645\u0646 \u062e\u0627\u062f\u0645 \u0648\u064a\u0628 \u0644\u0631\u0624\u064a\u0629 \u0627\u0644\u0623\u062d\u062f\u0627\u062b.",
            missing: "\u062a\u0639\u0630\u0651\u0631 \u0639\u0644\u0649 \u0627\u0644\u062a\u0642\u0648\u064a\u0645 \u0642\u0631\u0627\u0621\u0629 \u0623\u062d\u062f\u0627\u062b\u0647: \u0645\u0644\u0641 \u0627\u0644\u0628\u064a\u0627\u0646\u0627\u062a \u2068{file}\u2069 \u063a\u064a\u0631 \u0645\u0648\u062c\u0648\u062f. \u0636\u0639\u0647 \u0639\u0644\u0649 \u062e\u0627\u062f\u0645 \u0627\u0644\u0648\u064a\u0628 \u0628\u062c\u0627\u0646\u0628 \u0647\u0630\u0647 \u0627\u0644\u0635\u0641\u062d\u0629.",
            unreachable: "\u062a\u0639\u0630\u0651\u0631 \u0639\u0644\u0649 \u0627\u0644\u062a\u0642\u0648\u064a\u0645 \u0642\u0631\u0627\u0621\u0629 \u0623\u062d\u062f\u0627\u062b\u0647 \u0645\u0646 \u2068{file}\u2069. \u062a\u062d\u0642\u0642 \u0645\u0646 \u0627\u0644\u0627\u062a\u0635\u0627\u0644 \u0648\u0623\u0639\u062f \u062a\u062d\u0645\u064a\u0644 \u0647\u0630\u0647 \u0627\u0644\u0635\u0641\u062d\u0629.",
            list: ["\u060c ", " \u0648"],
            dailyWorkDays: "\u0643\u0644 \u064a\u0648\u0645 \u0639\u0645\u0644",
            everyDays: { one: "\u0643\u0644 \u064a\u0648\u0645", two: "\u0643\u0644 \u064a\u0648\u0645\u064a\u0646", few: "\u0643\u0644 {n} \u0623\u064a\u0627\u0645", many: "\u0643\u0644 {n} \u064a\u0648\u0645\u064b\u0627", other: "\u0643\u0644 {n} \u064a\u0648\u0645" },
            everyWeeks: { one: "\u0643\u0644 \u0623\u0633\u0628\u0648\u0639", two: "\u0643\u0644 \u0623\u0633\u0628\u0648\u0639\u064a\u0646", few: "\u0643\u0644 {n} \u0623\u0633\u0627\u0628\u064a\u0639", many: "\u0643\u0644 {n} \u0623\u0633\u0628\u0648\u0639\u064b\u0627", other: "\u0643\u0644 {n} \u0623\u0633\u0628\u0648\u0639" },
            weekly: "{every} {days}", weekDays: { all: "\u0641\u064a \u0643\u0644 \u0627\u0644\u0623\u064a\u0627\u0645", work: "\u0641\u064a \u0623\u064a\u0627\u0645 \u0627\u0644\u0639\u0645\u0644", named: "\u064a\u0648\u0645 {days}" },
            monthlyOnDate: { one: "\u0627\u0644\u064a\u0648\u0645 {date} \u0645\u0646 \u0643\u0644 \u0634\u0647\u0631", two: "\u0627\u0644\u064a\u0648\u0645 {date} \u0645\u0646 \u0643\u0644 \u0634\u0647\u0631\u064a\u0646", few: "\u0627\u0644\u064a\u0648\u0645 {date} \u0645\u0646 \u0643\u0644 {n} \u0623\u0634\u0647\u0631",
                many: "\u0627\u0644\u064a\u0648\u0645 {date} \u0645\u0646 \u0643\u0644 {n} \u0634\u0647\u0631\u064b\u0627", other: "\u0627\u0644\u064a\u0648\u0645 {date} \u0645\u0646 \u0643\u0644 {n} \u0634\u0647\u0631" },
            monthlyOnNth: { one: "{nth} \u0645\u0646 \u0643\u0644 \u0634\u0647\u0631", two: "{nth} \u0645\u0646 \u0643\u0644 \u0634\u0647\u0631\u064a\u0646", few: "{nth} \u0645\u0646 \u0643\u0644 {n} \u0623\u0634\u0647\u0631",
                many: "{nth} \u0645\u0646 \u0643\u0644 {n} \u0634\u0647\u0631\u064b\u0627", other: "{nth} \u0645\u0646 \u0643\u0644 {n} \u0634\u0647\u0631" },
            yearlyOnDate: "\u0643\u0644 \u0633\u0646\u0629 \u0641\u064a {date}", yearlyOnNth: "{nth} \u0645\u0646 {month} \u0643\u0644 \u0633\u0646\u0629",
            nth: "{day} {which}", ordinals: ["\u0627\u0644\u0623\u0648\u0644", "\u0627\u0644\u062b\u0627\u0646\u064a", "\u0627\u0644\u062b\u0627\u0644\u062b", "\u0627\u0644\u0631\u0627\u0628\u0639", "\u0627\u0644\u0623\u062e\u064a\u0631"],
            dayKinds: { all: "\u0627\u0644\u064a\u0648\u0645", work: "\u064a\u0648\u0645 \u0627\u0644\u0639\u0645\u0644", weekend: "\u064a\u0648\u0645 \u0627\u0644\u0639\u0637\u0644\u0629", named: "\u064a\u0648\u0645 {days}" }
        }
    };

    function wordsFor(locale) {
        var language = String(locale).split("-")[0].toLowerCase();
        return has(WORDS, language) ? WORDS[language] : WORDS.en;
    }

    // The template with its {names} replaced by the values.
    function fill(template, values) {
        return template.replace(/\{(\w+)\}/g, function (whole, name) {
            return values && has(values, name) ? values[name] : whole;
        });
    }

    // Date and time texts and the calendar's own words in one language; days and minutes as
    // this file counts them.
    function LocaleTexts(locale, twelveHour) {
        this.locale = locale;
        this.formats = Object.create(null);
        this.numbers = Object.create(null);
        this.twelveHour = twelveHour;
        this.words = wordsFor(locale);
        this.plurals = null;
    }

    // One of the calendar's own texts, its values filled in.
    LocaleTexts.prototype.say = function (key, values) {
        return fill(this.words[key], values);
    };

    // A number in the language's digits; a month of busy days asks for the same few often.
    LocaleTexts.prototype.number = function (n) {
        var known = this.numbers[n];
        if (known !== undefined) return known;
        var f = this.formats.number || (this.formats.number = new Intl.NumberFormat(this.locale));
        return (this.numbers[n] = f.format(n));
    };

    // The template of a plural table that fits the count n, filled with n and the values.
    LocaleTexts.prototype.counted = function (table, n, values) {
        var rules = this.plurals || (this.plurals = new Intl.PluralRules(this.locale));
        var all = { n: this.number(n) };
        for (var name in values) if (has(values, name)) all[name] = values[name];
        return fill(table[rules.select(n)] || table.other, all);
    };

    LocaleTexts.prototype.format = function (key, options, millis) {
        var f = this.formats[key];
        if (!f) {
            options.timeZone = "UTC";
            f = this.formats[key] = new Intl.DateTimeFormat(this.locale, options);
        }
        return f.format(new Date(millis));
    };

    LocaleTexts.prototype.ofDay = function (key, options, day) {
        return this.format(key, options, day * 86400000);
    };

    LocaleTexts.prototype.monthYear = function (day) {
        return this.ofDay("monthYear", { month: "long", year: "numeric" }, day);
    };

    // width: "long", "short" or "narrow".
    LocaleTexts.prototype.weekdayName = function (day, width) {
        return this.ofDay("weekday-" + width, { weekday: width }, day);
    };

    LocaleTexts.prototype.dayOfMonth = function (day) {
        return this.ofDay("dayOfMonth", { day: "numeric" }, day);
    };

    LocaleTexts.prototype.longDate = function (day) {
        return this.ofDay("longDate", { weekday: "long", year: "numeric", month: "long", day: "numeric" }, day);
    };

    LocaleTexts.prototype.shortDate = function (day) {
        return this.ofDay("shortDate", { weekday: "short", month: "short", day: "numeric" }, day);
    };

    LocaleTexts.prototype.monthShort = function (day) {
        return this.ofDay("monthShort", { month: "short" }, day);
    };

    // Two days as one range text ("Mar 3 – 9, 2024"), a single day when they are equal.
    LocaleTexts.prototype.dayRange = function (fromDay, toDay) {
        var options = { year: "numeric", month: "short", day: "numeric", timeZone: "UTC" };
        var f = this.formats.range || (this.formats.range = new Intl.DateTimeFormat(this.locale, options));
        var a = new Date(fromDay * 86400000), b = new Date(toDay * 86400000);
        if (fromDay === toDay || typeof f.formatRange !== "function") {
            return fromDay === toDay ? f.format(a) : f.format(a) + " \u2013 " + f.format(b);
        }
        return f.formatRange(a, b);
    };

    // A time of day; short leaves out zero minutes on the 12-hour clock ("6 PM"). The hour
    // cycle is named, since hour12: false gives "24:00" for midnight in some languages.
    LocaleTexts.prototype.time = function (minuteOfDay, short) {
        var twelve = this.twelveHour;
        var bare = short && twelve && minuteOfDay % 60 === 0;
        var cycle = twelve ? "h12" : "h23";
        var options = bare ? { hour: "numeric", hourCycle: cycle } :
            { hour: twelve ? "numeric" : "2-digit", minute: "2-digit", hourCycle: cycle };
        return this.format(bare ? "hour" : "time", options, minuteOfDay * 60000);
    };

    // Makes the formats the events' chips are written in: made while the events are still on
    // their way, they cost nothing when the events come.
    LocaleTexts.prototype.prepareEventFormats = function () {
        this.number(0);
        this.time(0, true);
        this.time(30, true);
    };

    // 4 January 1970 was a Sunday.
    var A_SUNDAY = 3;

    // The names of the days of a mask (bit 0 Sunday), as a list.
    LocaleTexts.prototype.dayNames = function (mask) {
        var names = [];
        for (var i = 0; i < 7; i++) if (mask & (1 << i)) names.push(this.weekdayName(A_SUNDAY + i, "long"));
        var list = this.words.list;
        return names.length > 1 ? names.slice(0, -1).join(list[0]) + list[1] + names[names.length - 1] : names[0] || "";
    };

    // The days of a mask as a weekly series names them ("on Monday and Friday", "on weekdays").
    LocaleTexts.prototype.weekDays = function (mask) {
        var w = this.words.weekDays;
        if ((mask & 127) === 127) return w.all;
        if ((mask & 127) === WORK_DAYS_MASK) return w.work;
        return fill(w.named, { days: this.dayNames(mask) });
    };

    // "the first Monday", "the last weekday": which (1-4, 5 = last) of the days of a mask.
    LocaleTexts.prototype.nthDay = function (which, mask) {
        var w = this.words;
        var kinds = { 127: w.dayKinds.all, 62: w.dayKinds.work, 65: w.dayKinds.weekend };
        var day = has(kinds, mask & 127) ? kinds[mask & 127] : fill(w.dayKinds.named, { days: this.dayNames(mask) });
        var firstDay = 0;
        while (firstDay < 6 && !(mask & (1 << firstDay))) firstDay++;
        var feminine = !has(kinds, mask & 127) && w.feminine && w.feminine.indexOf(firstDay) >= 0;
        return fill(w.nth, { which: (feminine ? w.ordinalsFeminine : w.ordinals)[which - 1], day: day });
    };

    LocaleTexts.prototype.monthName = function (month) {
        return this.ofDay("monthName", { month: "long" }, dayNumber(2000, month, 1));
    };

    // A day of a month, in a leap year, so that 29 February is one.
    LocaleTexts.prototype.dayOfYear = function (month, dayOfMonth) {
        return this.ofDay("dayOfYear", { month: "long", day: "numeric" }, clampedDate(2000, month, dayOfMonth));
    };

    var englishTexts = null;

    // "Every 2 weeks on Monday and Wednesday" and the like, in the language of `texts` (English
    // without); "" for options that give no dates.
    function describePattern(p, texts) {
        var t = texts || englishTexts || (englishTexts = new LocaleTexts("en-US", true));
        var w = t.words;
        var d1 = p.data1, d2 = p.data2, d3 = p.data3;
        if (!periodPlan(p, 1)) return "";
        var text;
        switch (p.type) {
            case 1:
                text = d1 !== 0 ? w.dailyWorkDays : t.counted(w.everyDays, d2);
                break;
            case 2:
                text = fill(w.weekly, { every: t.counted(w.everyWeeks, d1), days: t.weekDays(d2) });
                break;
            case 3:
                text = t.counted(w.monthlyOnDate, d1, { date: t.number(d2) });
                break;
            case 4:
                text = t.counted(w.monthlyOnNth, d1, { nth: t.nthDay(d2, d3) });
                break;
            case 5:
                text = fill(w.yearlyOnDate, { date: t.dayOfYear(d1, d2) });
                break;
            default:
                text = fill(w.yearlyOnNth, { nth: t.nthDay(d1, d2), month: t.monthName(d3) });
        }
        return text.charAt(0).toUpperCase() + text.substring(1);
    }

    // ---------------------------------------------------------------------------------------
    // Colours that stay readable: text on its background reaches the contrast ratio asked for.

    function relativeLuminance(color) {
        function lin(v) {
            v /= 255;
            return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
        }
        return 0.2126 * lin(color.r) + 0.7152 * lin(color.g) + 0.0722 * lin(color.b);
    }

    function contrastRatio(a, b) {
        var la = relativeLuminance(a), lb = relativeLuminance(b);
        return (Math.max(la, lb) + 0.05) / (Math.min(la, lb) + 0.05);
    }

    function mix(a, b, share) {
        function part(x, y) { return Math.round(x + (y - x) * share); }
        return { r: part(a.r, b.r), g: part(a.g, b.g), b: part(a.b, b.b) };
    }

    function worstContrast(color, backgrounds) {
        return Math.min.apply(null, backgrounds.map(function (bg) { return contrastRatio(color, bg); }));
    }

    // The least share of `toward` mixed into `color` that reaches `ratio` on every background,
    // or null when not even all of it does.
    function shareNeeded(color, toward, backgrounds, ratio) {
        if (worstContrast(toward, backgrounds) < ratio) return null;
        var low = 0, high = 1;
        for (var i = 0; i < 12; i++) {
            var middle = (low + high) / 2;
            if (worstContrast(mix(color, toward, middle), backgrounds) >= ratio) high = middle;
            else low = middle;
        }
        return high;
    }

    // `color` when it reads on every background at `ratio`, else the nearest colour toward
    // black or white that does (black or white itself when nothing else will).
    function readableColor(color, backgrounds, ratio) {
        if (worstContrast(color, backgrounds) >= ratio) return color;
        var black = { r: 0, g: 0, b: 0 }, white = { r: 255, g: 255, b: 255 };
        var toBlack = shareNeeded(color, black, backgrounds, ratio);
        var toWhite = shareNeeded(color, white, backgrounds, ratio);
        if (toBlack === null && toWhite === null)
            return worstContrast(black, backgrounds) >= worstContrast(white, backgrounds) ? black : white;
        if (toWhite === null || (toBlack !== null && toBlack <= toWhite)) return mix(color, black, toBlack);
        return mix(color, white, toWhite);
    }

    // A quieter shade of `color` for secondary text: as far toward the first background as
    // it can go while still reading at `ratio` on every background.
    function mutedColor(color, backgrounds, ratio) {
        var low = 0, high = 0.6;
        if (worstContrast(color, backgrounds) < ratio) return color;
        for (var i = 0; i < 12; i++) {
            var middle = (low + high) / 2;
            if (worstContrast(mix(color, backgrounds[0], middle), backgrounds) >= ratio) low = middle;
            else high = middle;
        }
        return mix(color, backgrounds[0], low);
    }

    // ---------------------------------------------------------------------------------------
    // Sample events for the style gallery, around the given day.

    function sampleEvents(today) {
        var c = civil(today);
        var first = dayNumber(c.year, c.month, 1);
        var length = daysInMonth(c.year, c.month);
        function at(dayOfMonth, hour, minute) {
            return (first + Math.min(dayOfMonth, length) - 1) * MINUTES_PER_DAY + hour * 60 + minute;
        }
        function event(subject, start, minutes, extra) {
            var e = { subject: subject, start: start, end: start + minutes, allDay: false, location: "",
                body: "", label: "", busyStatus: 2, pattern: null };
            for (var key in extra) e[key] = extra[key];
            return e;
        }
        function weekly(subject, mask, hour, minutes, extra) {
            var e = event(subject, at(1, hour, 0), minutes, extra);
            e.pattern = { startTime: hour * 60, duration: minutes, type: 2, data1: 1, data2: mask, data3: 0,
                rangeStart: first - 7, endMethod: 2, rangeEnd: null, occurrences: 0, exceptions: [] };
            return e;
        }
        return [
            weekly("Team meeting", 2, 9, 60, { location: "Room 2", label: "Business" }),
            weekly("Yoga", 16, 18, 75, { location: "Studio", label: "Personal" }),
            event("Project review", at(13, 14, 0), 90, { label: "Important", location: "Main office" }),
            event("Book club", at(6, 19, 30), 120, { label: "Personal" }),
            event("Summer fair", at(20, 0, 0), 3 * MINUTES_PER_DAY, { allDay: true, label: "Vacation",
                body: "Stalls, music and food all weekend." }),
            event("Birthday", at(27, 0, 0), MINUTES_PER_DAY, { allDay: true, label: "Birthday" }),
            event("Dinner with Sam", today * MINUTES_PER_DAY + 19 * 60, 120, { label: "Personal" })
        ];
    }

    // ---------------------------------------------------------------------------------------
    // The calendar on the page

    var stylesheets = Object.create(null);

    // One link per stylesheet and document; callback once it loaded or failed.
    function ensureStylesheet(href, callback) {
        var entry = stylesheets[href];
        if (!entry) {
            entry = stylesheets[href] = { done: false, waiting: [] };
            var link = document.createElement("link");
            link.rel = "stylesheet";
            link.href = href;
            var finish = function () {
                if (entry.done) return;
                entry.done = true;
                entry.waiting.splice(0).forEach(function (f) { f(); });
            };
            link.onload = link.onerror = finish;
            setTimeout(finish, 4000);
            (document.head || document.documentElement).appendChild(link);
        }
        if (entry.done) callback();
        else entry.waiting.push(callback);
    }

    // How long a document may take to arrive, in milliseconds.
    var LOAD_TIMEOUT = 15000;

    // The bytes of a document: callback(bytes) or callback(null, problem), where problem is
    // "missing" (the server has no such file) or "unreachable" (the browser refused or the
    // connection failed).
    function loadBytes(url, callback) {
        var done = false;
        function finish(bytes, problem) {
            if (!done) {
                done = true;
                callback(bytes, problem);
            }
        }
        try {
            var xhr = new XMLHttpRequest();
            xhr.open("GET", url, true);
            xhr.responseType = "arraybuffer";
            xhr.timeout = LOAD_TIMEOUT;
            xhr.onload = function () {
                var ok = (xhr.status >= 200 && xhr.status < 300) ||
                    (xhr.status === 0 && xhr.response && xhr.response.byteLength > 0);
                if (ok) finish(new Uint8Array(xhr.response));
                else finish(null, xhr.status >= 400 ? "missing" : "unreachable");
            };
            xhr.onerror = xhr.ontimeout = xhr.onabort = function () { finish(null, "unreachable"); };
            xhr.send();
        } catch (e) {
            finish(null, "unreachable");
        }
    }

    // The data of a document: callback(data) with what readDataText gives (null for a text
    // that is no XML), or callback(null, problem) as loadBytes says. Over HTTP the data is
    // read while it arrives; when the user values are read and more of the document is yet
    // to come, early(values) tells them.
    function loadData(url, callback, early) {
        var streams = typeof fetch === "function" && typeof ReadableStream === "function" &&
            typeof AbortController === "function" && /^https?:/i.test(url);
        if (streams) {
            streamData(url, callback, early);
            return;
        }
        loadBytes(url, function (bytes, problem) {
            callback(bytes ? new DataReader().push(bytes, true) : null, problem);
        });
    }

    function streamData(url, callback, early) {
        var reader = new DataReader();
        var expected = 0, received = 0, whole = -1, told = false;
        var abort = new AbortController();
        var timer = setTimeout(function () { abort.abort(); }, LOAD_TIMEOUT);
        function finish(data, problem) {
            clearTimeout(timer);
            callback(data, problem);
        }
        function unreachable() {
            finish(null, "unreachable");
        }
        function tellValues() {
            var values = told ? null : reader.settledValues();
            if (values) {
                told = true;
                early(values);
            }
        }
        function readFrom(body) {
            body.read().then(function (part) {
                if (!part.done) {
                    reader.push(part.value, false);
                    received += part.value.length;
                    if (received !== whole) {
                        if (early && received < expected) tellValues();
                        readFrom(body);
                        return;
                    }
                    body.cancel().catch(function () {});
                }
                finish(reader.push(new Uint8Array(0), true));
            }, unreachable);
        }
        fetch(url, { signal: abort.signal }).then(function (response) {
            expected = Number(response.headers.get("Content-Length")) || 0;
            // Bytes as they were sent, all of them once their count is the length the server
            // gave: the end of the stream, which may come a good while later, is not waited for.
            // Only this site's own answers show whether they came compressed.
            if (response.type === "basic" && !response.headers.get("Content-Encoding") && expected > 0) whole = expected;
            if (response.ok) readFrom(response.body.getReader());
            else finish(null, response.status >= 400 ? "missing" : "unreachable");
        }, unreachable);
    }

    function resolveDocumentUrl(url, base) {
        if (/^\/[^\/]/.test(url) && /^file:/i.test(base)) {
            return "file://" + url.split("/").map(encodeURIComponent).join("/");
        }
        try {
            return new URL(url, base).href;
        } catch (e) {
            return url;
        }
    }

    // What the visitor reads when the calendar's data cannot be read, with what to do about it,
    // in the calendar's words of a language (English without).
    function problemText(problem, fileName, fromFileSystem, words) {
        var key = problem === "damaged" ? "damaged" : fromFileSystem ? "fileSystem" :
            problem === "missing" ? "missing" : "unreachable";
        return fill((words || WORDS.en)[key], { file: fileName });
    }

    function todayDay() {
        var now = new Date();
        return dayNumber(now.getFullYear(), now.getMonth() + 1, now.getDate());
    }

    function isoDate(day) {
        var c = civil(day);
        return c.year + "-" + (c.month < 10 ? "0" : "") + c.month + "-" + (c.day < 10 ? "0" : "") + c.day;
    }

    function el(tag, className, text) {
        var node = document.createElement(tag);
        if (className) node.className = className;
        if (text != null) node.textContent = text;
        return node;
    }

    function button(className, text, label) {
        var b = el("button", className, text);
        b.type = "button";
        if (label) b.setAttribute("aria-label", label);
        return b;
    }

    // Occurrences by the days they touch, for the days first...last: day -> [occurrence].
    function occurrencesByDay(occurrences, first, last) {
        var byDay = Object.create(null);
        occurrences.forEach(function (o) {
            var from = Math.max(first, dayOf(o.start));
            var to = Math.min(last, o.end > o.start ? dayOf(o.end - 1) : dayOf(o.start));
            for (var day = from; day <= to; day++) (byDay[day] || (byDay[day] = [])).push(o);
        });
        return byDay;
    }

    // Timed pieces of the day's occurrences side by side where they overlap: each piece gets
    // { o, from, to (minutes of the day), column, columns }.
    function dayColumns(occurrences, day) {
        var dayStart = day * MINUTES_PER_DAY;
        var pieces = occurrences.map(function (o) {
            return { o: o, from: Math.max(0, o.start - dayStart), to: Math.min(MINUTES_PER_DAY, o.end - dayStart) };
        });
        pieces.sort(function (a, b) { return a.from - b.from || b.to - a.to; });
        var group = [], columnEnds = [], groupEnd = -1;
        function closeGroup() {
            group.forEach(function (p) { p.columns = columnEnds.length; });
            group = [];
            columnEnds = [];
        }
        pieces.forEach(function (p) {
            var end = Math.max(p.to, p.from + 15);
            if (p.from >= groupEnd) closeGroup();
            var column = 0;
            while (column < columnEnds.length && columnEnds[column] > p.from) column++;
            columnEnds[column] = end;
            p.column = column;
            group.push(p);
            groupEnd = Math.max(groupEnd, end);
        });
        closeGroup();
        return pieces;
    }

    // The style gallery's thumbnails, and calendars made smaller than a readable size, are laid
    // out at this size and scaled down, so that they are true miniatures of the calendar.
    var DESIGN_WIDTH = 500;
    var DESIGN_HEIGHT = 400;
    var MINIATURE_WIDTH = 300;
    var MINIATURE_HEIGHT = 240;
    // A calendar squeezed below this width by a narrow window opens with the agenda, and its
    // month days show marks rather than texts.
    var NARROW_WIDTH = 480;
    var VIEWS = ["month", "week", "day", "agenda"];
    // WCAG 2.1 AA for normal text.
    var TEXT_CONTRAST = 4.5;

    var nextId = 0;

    // Events that come within this long after the document's values are drawn with the month in
    // one go; later ones are drawn into a month shown ahead of them. Drawing ahead costs a paint
    // of the empty month, which is worth it only while the visitor would wait for the events.
    var DRAW_AHEAD_AFTER_MS = 100;

    function Calendar(stage) {
        this.stage = stage;
        this.variables = stage.variables || {};
        this.id = "wcal" + ++nextId;
        this.root = el("div", "wcal");
        this.root.setAttribute("data-state", "loading");
        this.root.setAttribute("role", "region");
        this.frame = el("div", "wcal-frame");
        this.root.appendChild(this.frame);
        stage.element.appendChild(this.root);
        this.today = todayDay();
        this.values = Object.create(null);
        this.events = [];
        this.problem = null;
        this.popup = null;
        this.view = null;
        this.layoutWidth = 0;
        this.layoutHeight = 0;
        this.cache = null;
        this.vertical = this.variables.tev_orientation === "vertical";
        this.anchor = this.today;
        this.styled = false;
        this.started = false;
        this.earlyValues = null;
        this.aheadTimer = null;
        this.aheadDue = false;
        this.drawnAhead = null;

        var self = this;
        var pending = 2;
        function ready() {
            if (--pending === 0) self.start();
        }
        var movieUrl = stage.movieUrl || document.baseURI;
        ensureStylesheet(resolveDocumentUrl(STYLESHEET_FILE, movieUrl), function () {
            self.styled = true;
            // A month due to be drawn ahead before the look came is drawn now, while the events
            // are still coming.
            if (self.aheadDue && pending === 2) self.drawAhead();
            ready();
        });

        var source = this.variables.tev_xmlConnectorURL;
        if (source) {
            var url = resolveDocumentUrl(source, document.baseURI);
            this.source = url;
            this.root.setAttribute("data-source", url);
            loadData(url, function (data, problem) {
                self.takeDocument(data, data ? null : problem || "damaged");
                ready();
            }, function (values) {
                self.earlyValues = values;
                self.aheadTimer = setTimeout(function () {
                    self.aheadDue = true;
                    self.drawAhead();
                }, DRAW_AHEAD_AFTER_MS);
            });
        } else {
            this.takeDocument(null, null);
            ready();
        }
    }

    // data: what readDataText gave, null when there was nothing to read.
    Calendar.prototype.takeDocument = function (data, problem) {
        this.loaded = !!data;
        this.problem = problem;
        this.values = this.valuesOf(data ? data.values : Object.create(null));
        var events = data ? data.events : null;
        if (events === null && this.variables.tev_template) events = sampleEvents(this.today);
        this.events = events || [];
    };

    Calendar.prototype.valuesOf = function (values) {
        if (!has(values, "Title") && this.variables.tev_labelText) values.Title = this.variables.tev_labelText;
        return values;
    };

    // The document's own values came a while ago and its events are still on their way: the
    // calendar is drawn and laid out with the values, so that the visitor sees the month while
    // the rest of the data comes in, and only the events remain to be put in when they are read.
    Calendar.prototype.drawAhead = function () {
        if (!this.styled || this.started) return;
        this.values = this.valuesOf(this.earlyValues);
        this.drawnAhead = JSON.stringify(this.values);
        this.layout();
        void this.frame.offsetHeight;
        this.texts.prepareEventFormats();
    };

    Calendar.prototype.start = function () {
        var self = this;
        this.started = true;
        clearTimeout(this.aheadTimer);
        this.root.setAttribute("data-state", this.loaded ? "ready" : "defaults");
        if (this.problem) this.root.setAttribute("data-problem", this.problem);
        this.root.setAttribute("data-event-count", String(this.events.length));
        if (this.drawnAhead === JSON.stringify(this.values) && this.view === "month") {
            this.putEvents();
        } else {
            // Not drawn ahead, or with values the whole document did not confirm.
            this.rendered = false;
            this.view = null;
            this.cache = null;
            this.layout();
        }
        if (typeof ResizeObserver === "function") {
            this.observer = new ResizeObserver(function () { self.layout(); });
            this.observer.observe(this.stage.element);
        } else {
            window.addEventListener("resize", function () { self.layout(); });
        }
        this.root.addEventListener("keydown", function (e) { self.onKeyDown(e); });
        this.root.dispatchEvent(new CustomEvent("wcal-drawn", { bubbles: true }));
    };

    // Puts the events into the month drawn ahead of them.
    Calendar.prototype.putEvents = function () {
        var span = this.span();
        this.cache = null;
        this.occurrences(span.from, span.to);
        this.fillMonth();
    };

    Calendar.prototype.size = function () {
        var e = this.stage.element;
        return {
            width: e.clientWidth || this.stage.width || DESIGN_WIDTH,
            height: e.clientHeight || this.stage.height || DESIGN_HEIGHT
        };
    };

    Calendar.prototype.layout = function () {
        var size = this.size();
        this.miniature = this.isMiniature(size);
        var zoom = this.miniature ? Math.max(1, Math.min(DESIGN_WIDTH / size.width, DESIGN_HEIGHT / size.height)) : 1;
        var width = Math.round(size.width * zoom);
        var height = Math.round(size.height * zoom);
        if (width === this.layoutWidth && height === this.layoutHeight && this.rendered) return;
        this.layoutWidth = width;
        this.layoutHeight = height;
        this.settings = resolveSettings(this.values, { Width: width, Height: height });
        this.prepareLanguage();
        if (!this.view) this.view = this.initialView();
        var f = this.frame.style;
        f.width = width + "px";
        f.height = height + "px";
        f.transform = zoom === 1 ? "" : "scale(" + size.width / width + "," + size.height / height + ")";
        // A miniature cannot be scrolled; it shows no scroll bars either.
        this.root.className = "wcal" + (zoom > 1 ? " wcal-mini" : "") + (this.isNarrow() ? " wcal-narrow" : "");
        this.applyStyle();
        this.render();
    };

    Calendar.prototype.isMiniature = function (size) {
        if (this.variables.tev_template) return true;
        var width = this.stage.width || size.width, height = this.stage.height || size.height;
        return width < MINIATURE_WIDTH || height < MINIATURE_HEIGHT;
    };

    // Narrower than the calendar was made, and too narrow for a month's texts.
    Calendar.prototype.isNarrow = function () {
        var made = this.stage.width || DESIGN_WIDTH;
        return !this.miniature && this.layoutWidth < NARROW_WIDTH && this.layoutWidth < made;
    };

    Calendar.prototype.initialView = function () {
        var view = this.settings.View.toLowerCase();
        // A month or a week is too wide for a small screen; the agenda reads well there.
        if (this.isNarrow() && (view === "month" || view === "week")) return "agenda";
        return view;
    };

    Calendar.prototype.prepareLanguage = function () {
        var browser = typeof navigator !== "undefined" ? navigator.languages || [navigator.language] : [];
        var locale = chooseLocale(this.settings.Language, browser);
        this.texts = new LocaleTexts(locale, this.settings.TimeFormat === "12-hour");
        this.root.setAttribute("lang", locale);
        this.rtl = isRightToLeft(locale);
        this.root.setAttribute("dir", this.rtl ? "rtl" : "ltr");
        this.root.setAttribute("aria-label", this.settings.Title || this.texts.say("calendar"));
    };

    Calendar.prototype.applyStyle = function () {
        var s = this.settings;
        var style = this.root.style;
        function set(name, color) { style.setProperty(name, colorToCss(color)); }
        var days = [s.DayColor, s.WeekendColor];
        var text = readableColor(s.TextColor, days, TEXT_CONTRAST);
        var backgroundText = readableColor(s.TextColor, [s.BackgroundColor], TEXT_CONTRAST);
        var headerText = readableColor(s.HeaderTextColor, [s.HeaderColor], TEXT_CONTRAST);
        set("--wcal-bg", s.BackgroundColor);
        set("--wcal-border", s.BorderColor);
        set("--wcal-header", s.HeaderColor);
        set("--wcal-header-text", headerText);
        set("--wcal-text", text);
        set("--wcal-muted", mutedColor(text, days, TEXT_CONTRAST));
        set("--wcal-bg-text", backgroundText);
        set("--wcal-bg-muted", mutedColor(backgroundText, [s.BackgroundColor], TEXT_CONTRAST));
        set("--wcal-day", s.DayColor);
        set("--wcal-weekend", s.WeekendColor);
        set("--wcal-today", s.TodayColor);
        set("--wcal-today-text", readableColor(contrastColor(s.TodayColor), [s.TodayColor], TEXT_CONTRAST));
        set("--wcal-event", s.EventColor);
        set("--wcal-event-text", readableColor(s.EventTextColor, [s.EventColor], TEXT_CONTRAST));
        style.setProperty("--wcal-font", FONT_STACKS[s.FontFace]);
        style.setProperty("--wcal-font-size", s.FontSize + "px");
        style.setProperty("--wcal-header-h", s.HeaderHeight + "px");
        style.setProperty("--wcal-radius", s.CornerRadius + "px");
        style.setProperty("--wcal-chip-h", this.chipHeight() + "px");
        this.frame.className = "wcal-frame" + (this.vertical ? " wcal-vertical" : "");
    };

    Calendar.prototype.chipHeight = function () {
        return Math.round(this.settings.FontSize * 1.55);
    };

    Calendar.prototype.firstDayOfWeek = function () {
        return firstDayOfWeekOf(this.settings);
    };

    // The occurrences of a span of days, worked out once for as long as the span is shown.
    Calendar.prototype.occurrences = function (fromDay, toDay) {
        var key = fromDay + ":" + toDay + ":" + this.firstDayOfWeek();
        if (!this.cache || this.cache.key !== key) {
            var list = occurrencesBetween(this.events, this.firstDayOfWeek(), fromDay, toDay);
            this.cache = { key: key, list: list, byDay: occurrencesByDay(list, fromDay, toDay) };
        }
        return this.cache;
    };

    // First and last day the current view shows.
    Calendar.prototype.span = function () {
        var anchor = this.anchor;
        switch (this.view) {
            case "month":
                var c = civil(anchor);
                var first = dayNumber(c.year, c.month, 1);
                var last = first + daysInMonth(c.year, c.month) - 1;
                var gridStart = weekStart(first, this.firstDayOfWeek());
                return { from: gridStart, to: gridStart + Math.ceil((last - gridStart + 1) / 7) * 7 - 1,
                    first: first, last: last };
            case "week":
                var start = weekStart(anchor, this.firstDayOfWeek());
                return { from: start, to: start + 6, first: start, last: start + 6 };
            case "day":
                return { from: anchor, to: anchor, first: anchor, last: anchor };
            default:
                return { from: anchor, to: anchor + this.settings.DaysToShow - 1, first: anchor,
                    last: anchor + this.settings.DaysToShow - 1 };
        }
    };

    Calendar.prototype.render = function () {
        var hadFocus = this.root.contains(document.activeElement) && !this.popup;
        this.rendered = true;
        this.closePopup(false);
        this.root.setAttribute("data-view", this.view);
        var main = el("div", "wcal-main");
        if (this.settings.ShowViewButtons) main.appendChild(this.renderViewBar());
        if (this.problem) main.appendChild(this.renderNotice());
        main.appendChild(this.view === "agenda" ? this.renderAgenda() : this.view === "month" ? this.renderMonth() :
            this.renderTimeGrid());
        if (this.settings.ShowSubscribeLink && feedUrl(this.source)) main.appendChild(this.renderFeedLinks());
        // Built aside and put in at once, so that the browser lays it out once.
        this.frame.replaceChildren(this.renderHeader(), main);
        if (this.view === "month") this.fillMonth();
        if (this.view === "week" || this.view === "day") this.scrollToFirstHour();
        if (hadFocus) this.focusAnchor();
    };

    Calendar.prototype.periodLabel = function () {
        var span = this.span();
        var t = this.texts;
        switch (this.view) {
            case "month": return t.monthYear(span.first);
            case "day": return t.longDate(span.first);
            default: return t.dayRange(span.first, span.last);
        }
    };

    Calendar.prototype.renderHeader = function () {
        var self = this;
        var s = this.settings;
        var header = el("div", "wcal-header");
        var titleBox = el("div", "wcal-heading");
        if (s.Title) titleBox.appendChild(el("div", "wcal-title", s.Title));
        var period = el("div", "wcal-period", this.periodLabel());
        period.id = this.id + "-period";
        period.setAttribute("aria-live", "polite");
        titleBox.appendChild(period);
        // A low header keeps the title and the period on one line.
        if (s.HeaderHeight < s.FontSize * 3.4 && !this.vertical) titleBox.className += " wcal-inline";
        function nav(text, step, name) {
            var b = button("wcal-nav", text, name);
            b.addEventListener("click", function () { self.step(step); });
            return b;
        }
        var names = this.texts.words.steps[this.view];
        if (s.ShowNavigation) header.appendChild(nav("\u2039", -1, names[0]));
        header.appendChild(titleBox);
        if (s.ShowNavigation) header.appendChild(nav("\u203a", 1, names[1]));
        return header;
    };

    Calendar.prototype.renderViewBar = function () {
        var self = this;
        var bar = el("div", "wcal-views");
        bar.setAttribute("role", "group");
        bar.setAttribute("aria-label", this.texts.say("viewGroup"));
        var today = button("wcal-view wcal-today-button", this.texts.say("today"));
        today.addEventListener("click", function () { self.goToday(); });
        bar.appendChild(today);
        VIEWS.forEach(function (view) {
            var b = button("wcal-view", self.texts.words.views[view]);
            b.setAttribute("data-view", view);
            b.setAttribute("aria-pressed", String(view === self.view));
            b.addEventListener("click", function () { self.showView(view); });
            bar.appendChild(b);
        });
        return bar;
    };

    // The events as an iCalendar file beside the data file: "name.xml" gives "name.ics".
    function feedUrl(source) {
        var match = /^([^?#]*)\.xml([?#].*)?$/i.exec(String(source || ""));
        return match ? match[1] + ".ics" : null;
    }

    // Visitors take the events into their own calendar: webcal: subscribes where the page
    // comes from a web server, the plain link downloads the file.
    Calendar.prototype.renderFeedLinks = function () {
        var url = feedUrl(this.source);
        var bar = el("div", "wcal-feed");
        if (/^https?:/i.test(url)) {
            var subscribe = el("a", "wcal-subscribe", this.texts.say("subscribe"));
            subscribe.href = url.replace(/^https?:/i, "webcal:");
            bar.appendChild(subscribe);
        }
        var download = el("a", "wcal-download", this.texts.say("download"));
        download.href = url;
        download.setAttribute("download", decodeURIComponent(url.split("/").pop()));
        download.type = "text/calendar";
        bar.appendChild(download);
        return bar;
    };

    Calendar.prototype.renderNotice = function () {
        var name = decodeURIComponent(String(this.source || "").split(/[\/\\]/).pop() || "");
        var fromFile = /^file:/i.test(document.location ? document.location.protocol : "");
        var notice = el("div", "wcal-notice", problemText(this.problem, name, fromFile, this.texts.words));
        notice.setAttribute("role", "status");
        return notice;
    };

    Calendar.prototype.showView = function (view) {
        if (VIEWS.indexOf(view) < 0) return;
        this.view = view;
        this.render();
    };

    Calendar.prototype.step = function (direction) {
        if (this.view === "month") {
            var c = civil(this.anchor);
            var index = c.year * 12 + c.month - 1 + direction;
            var year = Math.floor(index / 12), month = (index % 12) + 1;
            this.anchor = dayNumber(year, month, Math.min(c.day, daysInMonth(year, month)));
        } else {
            var days = { week: 7, day: 1, agenda: this.settings.DaysToShow }[this.view];
            this.anchor += direction * days;
        }
        this.render();
    };

    Calendar.prototype.goToday = function () {
        this.anchor = this.today;
        this.render();
    };

    Calendar.prototype.subjectOf = function (o) {
        return o.subject || this.texts.say("noSubject");
    };

    Calendar.prototype.timeText = function (o, day) {
        if (o.allDay) return "";
        var startDay = dayOf(o.start);
        return day === startDay ? this.texts.time(o.start - startDay * MINUTES_PER_DAY, true) : "";
    };

    // A button for one occurrence on one day; it opens the occurrence's details.
    Calendar.prototype.eventButton = function (className, o, day) {
        var self = this;
        var b = button(className);
        b.tabIndex = -1;
        if (has(LABEL_COLORS, o.label)) b.style.borderInlineStartColor = LABEL_COLORS[o.label];
        b.title = o.subject;
        b.setAttribute("data-date", isoDate(day));
        b.addEventListener("click", function (e) {
            e.stopPropagation();
            self.select(day);
            self.showDetails([o], day, b);
        });
        return b;
    };

    Calendar.prototype.chip = function (o, day, withTime) {
        var chip = this.eventButton("wcal-chip" + (o.allDay ? " wcal-allday" : ""), o, day);
        var time = withTime ? this.timeText(o, day) : "";
        if (time) chip.appendChild(el("span", "wcal-time", time));
        chip.appendChild(document.createTextNode(this.subjectOf(o)));
        return chip;
    };

    // A focusable day of a grid: arrows move between days, Enter and Space open it.
    Calendar.prototype.dayCell = function (className, day) {
        var cell = el("div", className);
        cell.setAttribute("role", "gridcell");
        cell.setAttribute("data-date", isoDate(day));
        cell.setAttribute("data-day", String(day));
        cell.tabIndex = day === this.anchor ? 0 : -1;
        if (day === this.today) cell.setAttribute("aria-current", "date");
        var self = this;
        cell.addEventListener("click", function () {
            self.select(day);
            var list = self.cache.byDay[day] || [];
            if (list.length) self.showDetails(list, day, cell);
        });
        return cell;
    };

    Calendar.prototype.dayClasses = function (base, day) {
        var wd = weekday(day);
        var classes = base;
        if (wd === 0 || wd === 6) classes += " wcal-weekend";
        if (day === this.today) classes += " wcal-today";
        return classes;
    };

    // The weekday names above the days, as a row of column headers.
    Calendar.prototype.weekdayRow = function (days, withCorner, cornerText) {
        var row = el("div", "wcal-weekdays");
        row.setAttribute("role", "row");
        if (withCorner) {
            var corner = el("div", "wcal-weekno wcal-corner");
            corner.setAttribute("role", "columnheader");
            corner.appendChild(el("span", "wcal-hidden", cornerText));
            row.appendChild(corner);
        }
        var width = this.layoutWidth / days.length < 60 ? "narrow" : "short";
        var self = this;
        days.forEach(function (day) {
            var cell = el("div", "wcal-weekday");
            cell.setAttribute("role", "columnheader");
            cell.setAttribute("data-name", self.texts.weekdayName(day, "long"));
            cell.appendChild(shownOnly(el("span", null, self.texts.weekdayName(day, width))));
            cell.appendChild(spokenText(self.texts.weekdayName(day, "long")));
            row.appendChild(cell);
        });
        return row;
    };

    Calendar.prototype.gridBox = function (className) {
        var grid = el("div", className);
        grid.setAttribute("role", "grid");
        grid.setAttribute("aria-readonly", "true");
        grid.setAttribute("aria-labelledby", this.id + "-period");
        return grid;
    };

    Calendar.prototype.renderMonth = function () {
        var s = this.settings;
        var span = this.span();
        this.occurrences(span.from, span.to);
        var weeks = (span.to - span.from + 1) / 7;
        var month = this.gridBox("wcal-month" + (s.ShowWeekNumbers ? " wcal-with-weeks" : ""));
        var first = [];
        for (var i = 0; i < 7; i++) first.push(span.from + i);
        month.appendChild(this.weekdayRow(first, s.ShowWeekNumbers, this.texts.say("weekColumn")));
        this.grid = el("div", "wcal-grid");
        this.cells = [];
        for (var w = 0; w < weeks; w++) this.grid.appendChild(this.monthRow(span, span.from + w * 7));
        month.appendChild(this.grid);
        return month;
    };

    Calendar.prototype.monthRow = function (span, start) {
        var row = el("div", "wcal-row");
        row.setAttribute("role", "row");
        if (this.settings.ShowWeekNumbers) {
            var number = el("div", "wcal-weekno", String(isoWeekNumber(start + 1)));
            number.setAttribute("role", "rowheader");
            row.appendChild(number);
        }
        for (var d = 0; d < 7; d++) {
            var day = start + d;
            var classes = this.dayClasses("wcal-day", day);
            if (day < span.first || day > span.last) classes += " wcal-out";
            var cell = this.dayCell(classes, day);
            var number = el("div", "wcal-daynum");
            number.appendChild(shownOnly(el("span", null, this.texts.dayOfMonth(day))));
            number.appendChild(spokenText(this.texts.longDate(day)));
            cell.appendChild(number);
            var list = el("div", "wcal-event-list");
            cell.appendChild(el("div", "wcal-events")).appendChild(list);
            row.appendChild(cell);
            this.cells.push({ cell: cell, list: list, day: day });
        }
        return row;
    };

    // Puts into every day as many chips as it holds, at most EventsPerDay; the rest are
    // summed up in a "+n more" line, or in marks beside the day number when not even that
    // fits. Only the chips that show are made, and the month's one measurement tells how many
    // fit in every day; the chips lay out in boxes of their own, leaving the rest of the month
    // as it was laid out.
    Calendar.prototype.fillMonth = function () {
        var cells = this.cells;
        var byDay = this.cache.byDay;
        var marksOnly = this.isNarrow();
        var fit = this.cache.list.length && !marksOnly ? this.chipFit(cells.length / 7) : null;
        for (var i = 0; i < cells.length; i++) {
            var list = byDay[cells[i].day];
            if (!list) continue;
            cells[i].cell.className += " wcal-busy";
            if (marksOnly) this.markDay(cells[i], list.length);
            else this.fillDay(cells[i], list, fit);
        }
    };

    // How many chips fit in a day: the weeks share the grid's height equally.
    Calendar.prototype.chipFit = function (weeks) {
        var gap = parseFloat(getComputedStyle(this.grid).rowGap) || 0;
        var dayHeight = Math.floor((this.grid.clientHeight - gap * (weeks - 1)) / weeks);
        var available = dayHeight - this.cells[0].cell.firstChild.offsetHeight - 2;
        var chipStep = this.chipHeight() + 2;
        var moreHeight = Math.ceil(this.settings.FontSize * 1.1);
        var lines = Math.floor(available / chipStep);
        var limit = this.settings.EventsPerDay;
        return {
            all: Math.min(limit, lines),
            withMore: Math.max(0, Math.min(limit, Math.floor((available - moreHeight) / chipStep))),
            more: available >= moreHeight,
            lines: lines
        };
    };

    // Text for screen readers only; what shows beside it is then hidden from them.
    function spokenText(text) {
        return el("span", "wcal-hidden", text);
    }

    function shownOnly(node) {
        node.setAttribute("aria-hidden", "true");
        return node;
    }

    Calendar.prototype.fillDay = function (c, list, fit) {
        var withTime = this.settings.ShowEventTimes;
        var shown = list.length <= fit.all ? list.length : fit.withMore;
        var needed = 0;
        for (var i = 0; i < shown; i++) {
            c.list.appendChild(this.chip(list[i], c.day, withTime));
            needed += withTime && this.timeText(list[i], c.day) ? 2 : 1;
        }
        if (shown === list.length) {
            // With room to spare, timed events show their time on a line of its own.
            if (needed > shown && needed <= fit.lines) c.cell.className += " wcal-tall";
            return;
        }
        if (fit.more) c.list.appendChild(el("div", "wcal-more", this.texts.say("more", { n: this.texts.number(list.length - shown) })));
        else this.markDay(c, list.length - shown);
    };

    Calendar.prototype.markDay = function (c, count) {
        var dots = el("span", "wcal-dots");
        dots.setAttribute("aria-hidden", "true");
        for (var i = 0; i < Math.min(3, count); i++) dots.appendChild(el("i"));
        c.cell.firstChild.insertBefore(dots, c.cell.firstChild.firstChild);
    };

    // Week and day views: day headers, a row of all-day events, and the hours of the days
    // with the timed events placed on them.
    Calendar.prototype.renderTimeGrid = function () {
        var span = this.span();
        var cache = this.occurrences(span.from, span.to);
        var days = [];
        for (var day = span.from; day <= span.to; day++) days.push(day);
        var grid = this.gridBox("wcal-timegrid wcal-columns-" + days.length);
        var head = el("div", "wcal-timehead");
        head.appendChild(this.dayHeaderRow(days));
        head.appendChild(this.allDayRow(days, cache.byDay));
        grid.appendChild(head);
        grid.appendChild(this.hoursRow(days, cache.byDay));
        this.scroller = grid;
        return grid;
    };

    function isAllDayPiece(o) {
        return o.allDay || o.end - o.start >= MINUTES_PER_DAY;
    }

    Calendar.prototype.dayHeaderRow = function (days) {
        var row = this.weekdayRow(days, true, this.texts.say("timeColumn"));
        var self = this;
        Array.prototype.forEach.call(row.querySelectorAll(".wcal-weekday"), function (cell, i) {
            cell.insertBefore(shownOnly(el("span", "wcal-weekday-date", self.texts.dayOfMonth(days[i]))), cell.lastChild);
            cell.lastChild.textContent = self.texts.longDate(days[i]);
            if (days[i] === self.today) cell.className += " wcal-today";
        });
        return row;
    };

    Calendar.prototype.allDayRow = function (days, byDay) {
        var row = el("div", "wcal-alldays");
        row.setAttribute("role", "row");
        var label = el("div", "wcal-axis-label", this.texts.say("allDay"));
        label.setAttribute("role", "rowheader");
        row.appendChild(label);
        var self = this;
        days.forEach(function (day) {
            var cell = el("div", self.dayClasses("wcal-allday-cell", day));
            cell.setAttribute("role", "gridcell");
            (byDay[day] || []).filter(isAllDayPiece).forEach(function (o) {
                cell.appendChild(self.chip(o, day, false));
            });
            row.appendChild(cell);
        });
        return row;
    };

    Calendar.prototype.hourHeight = function () {
        return Math.max(30, Math.round(this.settings.FontSize * 3.4));
    };

    Calendar.prototype.hoursRow = function (days, byDay) {
        var row = el("div", "wcal-hours");
        row.setAttribute("role", "row");
        row.style.setProperty("--wcal-hour-h", this.hourHeight() + "px");
        var axis = el("div", "wcal-axis");
        axis.setAttribute("role", "rowheader");
        for (var h = 0; h < 24; h++) axis.appendChild(el("div", "wcal-axis-hour", h ? this.texts.time(h * 60, true) : ""));
        row.appendChild(axis);
        var self = this;
        days.forEach(function (day) {
            var cell = self.dayCell(self.dayClasses("wcal-daycol", day), day);
            var timed = (byDay[day] || []).filter(function (o) { return !isAllDayPiece(o); });
            cell.appendChild(spokenText(self.texts.longDate(day)));
            dayColumns(timed, day).forEach(function (piece) { cell.appendChild(self.block(piece, day)); });
            row.appendChild(cell);
        });
        return row;
    };

    // One timed event in a day column, placed by its time and its side-by-side column.
    Calendar.prototype.block = function (piece, day) {
        var o = piece.o;
        var b = this.eventButton("wcal-block", o, day);
        var perMinute = this.hourHeight() / 60;
        b.style.top = Math.round(piece.from * perMinute) + "px";
        b.style.height = Math.max(Math.round((piece.to - piece.from) * perMinute) - 1, Math.round(this.settings.FontSize * 1.5)) + "px";
        b.style.insetInlineStart = (piece.column * 100 / piece.columns) + "%";
        b.style.width = "calc(" + (100 / piece.columns) + "% - 2px)";
        var time = this.timeText(o, day);
        if (time) b.appendChild(el("span", "wcal-time", time));
        b.appendChild(document.createTextNode(this.subjectOf(o)));
        return b;
    };

    Calendar.prototype.scrollToFirstHour = function () {
        var hour = this.view === "day" ? this.settings.DayFirstHour : this.settings.WeekFirstHour;
        // A little above the hour, so that its label shows whole.
        this.scroller.scrollTop = Math.max(0, hour * this.hourHeight() - this.settings.FontSize);
    };

    Calendar.prototype.renderAgenda = function () {
        var s = this.settings;
        var span = this.span();
        var byDay = this.occurrences(span.from, span.to).byDay;
        var list = el("div", "wcal-agenda");
        var shown = 0;
        for (var day = span.from; day <= span.to; day++) {
            var mine = byDay[day] || [];
            if (!mine.length && !s.ShowEmptyDays) continue;
            shown++;
            list.appendChild(this.agendaDay(day, mine));
        }
        if (!shown) list.appendChild(el("div", "wcal-empty", this.texts.say("noEventsInPeriod")));
        return list;
    };

    Calendar.prototype.agendaDay = function (day, mine) {
        var self = this;
        var row = el("div", this.dayClasses("wcal-agenda-day", day));
        row.setAttribute("role", "group");
        row.setAttribute("aria-label", this.texts.longDate(day));
        row.setAttribute("data-date", isoDate(day));
        var stamp = el("div", "wcal-stamp");
        stamp.setAttribute("aria-hidden", "true");
        stamp.appendChild(el("div", "wcal-stamp-day", this.texts.dayOfMonth(day)));
        stamp.appendChild(el("div", "wcal-stamp-name", this.texts.weekdayName(day, "short") + " " + this.texts.monthShort(day)));
        row.appendChild(stamp);
        var items = el("div", "wcal-agenda-items");
        if (!mine.length) items.appendChild(el("div", "wcal-agenda-none", this.texts.say("noEvents")));
        mine.forEach(function (o) { items.appendChild(self.agendaItem(o, day)); });
        row.appendChild(items);
        return row;
    };

    Calendar.prototype.agendaItem = function (o, day) {
        var item = this.eventButton("wcal-agenda-item", o, day);
        item.tabIndex = 0;
        var dot = el("span", "wcal-dot");
        if (has(LABEL_COLORS, o.label)) dot.style.background = LABEL_COLORS[o.label];
        item.appendChild(dot);
        var time = o.allDay ? this.texts.say("allDay") : this.timeText(o, day) || this.texts.say("continued");
        item.appendChild(el("span", "wcal-agenda-time", time));
        item.appendChild(el("span", "wcal-agenda-subject", this.subjectOf(o)));
        if (o.location) item.appendChild(el("span", "wcal-agenda-location", o.location));
        return item;
    };

    Calendar.prototype.rangeText = function (o) {
        var t = this.texts;
        var startDay = dayOf(o.start);
        var lastDay = o.end > o.start ? dayOf(o.end - 1) : startDay;
        if (o.allDay) {
            return lastDay > startDay ? t.longDate(startDay) + " \u2013 " + t.longDate(lastDay) : t.longDate(startDay);
        }
        var from = t.time(o.start - startDay * MINUTES_PER_DAY);
        var endDay = dayOf(o.end);
        var until = t.time(o.end - endDay * MINUTES_PER_DAY);
        if (endDay === startDay || o.end === o.start)
            return t.longDate(startDay) + ", " + from + (o.end > o.start ? " \u2013 " + until : "");
        return t.longDate(startDay) + ", " + from + " \u2013 " + t.longDate(endDay) + ", " + until;
    };

    Calendar.prototype.detail = function (o) {
        var t = this.texts;
        var item = el("div", "wcal-detail");
        var heading = el("div", "wcal-detail-subject", this.subjectOf(o));
        if (has(LABEL_COLORS, o.label)) heading.style.borderInlineStartColor = LABEL_COLORS[o.label];
        item.appendChild(heading);
        item.appendChild(el("div", "wcal-detail-when", this.rangeText(o) + (o.allDay ? " " + t.say("allDayNote") : "")));
        var facts = [];
        var repeats = o.pattern ? describePattern(o.pattern, t) : "";
        if (o.location) facts.push([t.say("where"), o.location]);
        if (o.label && o.label !== "None") facts.push([t.say("label"), o.label]);
        if (o.busyStatus >= 0 && o.busyStatus < t.words.busy.length) facts.push([t.say("showsAs"), t.words.busy[o.busyStatus]]);
        if (repeats) facts.push([t.say("repeats"), repeats]);
        facts.forEach(function (f) {
            var line = el("div", "wcal-detail-fact");
            line.appendChild(el("span", "wcal-detail-key", f[0]));
            line.appendChild(document.createTextNode(f[1]));
            item.appendChild(line);
        });
        if (o.body) item.appendChild(el("div", "wcal-detail-body", o.body));
        return item;
    };

    // The details of a day's events (or of one event) in a dialog: focus moves into it, Tab
    // stays in it, Escape or the close button closes it and focus goes back where it was.
    Calendar.prototype.showDetails = function (occurrences, day, opener) {
        var self = this;
        this.closePopup(false);
        var veil = el("div", "wcal-veil");
        var popup = el("div", "wcal-popup");
        popup.setAttribute("role", "dialog");
        popup.setAttribute("aria-modal", "true");
        var title = el("div", "wcal-popup-day", this.texts.longDate(day));
        title.id = this.id + "-dialog-title";
        popup.setAttribute("aria-labelledby", title.id);
        var close = button("wcal-close", "\u00d7", this.texts.say("close"));
        close.addEventListener("click", function () { self.closePopup(true); });
        popup.appendChild(close);
        popup.appendChild(title);
        if (!occurrences.length) popup.appendChild(el("div", "wcal-agenda-none", this.texts.say("noEvents")));
        occurrences.forEach(function (o) { popup.appendChild(self.detail(o)); });
        veil.addEventListener("click", function () { self.closePopup(true); });
        this.frame.appendChild(veil);
        this.frame.appendChild(popup);
        this.popup = { nodes: [veil, popup], dialog: popup, opener: opener || document.activeElement };
        close.focus({ preventScroll: true });
    };

    Calendar.prototype.closePopup = function (restoreFocus) {
        if (!this.popup) return;
        var popup = this.popup;
        this.popup = null;
        popup.nodes.forEach(function (node) {
            if (node.parentNode) node.parentNode.removeChild(node);
        });
        if (!restoreFocus) return;
        if (popup.opener && this.root.contains(popup.opener) && popup.opener.focus) popup.opener.focus();
        else this.focusAnchor();
    };

    // Keeps Tab and Shift+Tab among the dialog's own controls.
    Calendar.prototype.trapFocus = function (e) {
        var focusable = this.popup.dialog.querySelectorAll("button, [href], [tabindex]:not([tabindex='-1'])");
        if (!focusable.length) return;
        var first = focusable[0], last = focusable[focusable.length - 1];
        var inside = this.popup.dialog.contains(document.activeElement);
        if (e.shiftKey && (document.activeElement === first || !inside)) {
            last.focus();
            e.preventDefault();
        } else if (!e.shiftKey && (document.activeElement === last || !inside)) {
            first.focus();
            e.preventDefault();
        }
    };

    Calendar.prototype.onKeyDown = function (e) {
        if (this.popup) {
            if (e.key === "Escape") {
                this.closePopup(true);
                e.preventDefault();
            } else if (e.key === "Tab") {
                this.trapFocus(e);
            }
            return;
        }
        var cell = e.target;
        if (!cell || !cell.hasAttribute || !cell.hasAttribute("data-day")) return;
        var day = Number(cell.getAttribute("data-day"));
        if (e.key === "Enter" || e.key === " ") {
            e.preventDefault();
            this.showDetails(this.cache.byDay[day] || [], day, cell);
            return;
        }
        var target = this.keyTarget(e.key, day);
        if (target === null) return;
        e.preventDefault();
        this.moveFocus(target);
    };

    // The day a navigation key leads to from `day`, or null for other keys. Left and right
    // follow the reading direction.
    Calendar.prototype.keyTarget = function (key, day) {
        var forward = this.rtl ? -1 : 1;
        var start = weekStart(day, this.firstDayOfWeek());
        switch (key) {
            case "ArrowRight": return day + forward;
            case "ArrowLeft": return day - forward;
            case "ArrowDown": return day + 7;
            case "ArrowUp": return day - 7;
            case "Home": return start;
            case "End": return start + 6;
            case "PageDown": return this.view === "month" ? this.monthStep(day, 1) : day + 7;
            case "PageUp": return this.view === "month" ? this.monthStep(day, -1) : day - 7;
            default: return null;
        }
    };

    Calendar.prototype.monthStep = function (day, direction) {
        var c = civil(day);
        var index = c.year * 12 + c.month - 1 + direction;
        var year = Math.floor(index / 12), month = (index % 12) + 1;
        return dayNumber(year, month, Math.min(c.day, daysInMonth(year, month)));
    };

    // Moves the grid's focus to a day, showing its period first when it is not in view.
    Calendar.prototype.moveFocus = function (day) {
        var span = this.span();
        var visible = this.view === "month" ? day >= span.first && day <= span.last : day >= span.from && day <= span.to;
        this.anchor = day;
        if (!visible) this.render();
        this.focusAnchor();
    };

    // Makes a shown day the one the grid's focus and the other views start from; returns its cell.
    Calendar.prototype.select = function (day) {
        var cells = this.frame.querySelectorAll("[data-day]");
        var target = null;
        this.anchor = day;
        for (var i = 0; i < cells.length; i++) {
            var mine = Number(cells[i].getAttribute("data-day")) === day;
            cells[i].tabIndex = mine ? 0 : -1;
            if (mine) target = cells[i];
        }
        return target;
    };

    Calendar.prototype.focusAnchor = function () {
        var target = this.select(this.anchor);
        if (target) target.focus({ preventScroll: this.view !== "month" });
    };

    var movie = {
        name: "WebCalendar",
        // stage: { element, width, height, variables, movieUrl }
        play: function (stage) {
            var calendar = new Calendar(stage);
            return {
                resize: function () { if (calendar.rendered) calendar.layout(); },
                stop: function () {
                    if (calendar.observer) calendar.observer.disconnect();
                    if (calendar.root.parentNode) calendar.root.parentNode.removeChild(calendar.root);
                }
            };
        }
    };

    if (typeof window !== "undefined" && window.TEVPlayer && typeof window.TEVPlayer.registerMovie === "function") {
        window.TEVPlayer.registerMovie(movie);
    }

    return {
        movie: movie,
        STYLESHEET_FILE: STYLESHEET_FILE,
        PARAMETERS: PARAMETERS,
        FONT_STACKS: FONT_STACKS,
        atoi: atoi,
        parseColor: parseColor,
        colorToCss: colorToCss,
        contrastColor: contrastColor,
        contrastRatio: contrastRatio,
        readableColor: readableColor,
        mutedColor: mutedColor,
        parseNumber: parseNumber,
        parseBoolean: parseBoolean,
        decodeText: decodeText,
        isLeapYear: isLeapYear,
        daysInMonth: daysInMonth,
        dayNumber: dayNumber,
        civil: civil,
        weekday: weekday,
        weekStart: weekStart,
        parseDateTime: parseDateTime,
        parseTimeOfDay: parseTimeOfDay,
        isoWeekNumber: isoWeekNumber,
        nthWeekdayOfMonth: nthWeekdayOfMonth,
        describePattern: describePattern,
        expandPattern: expandPattern,
        occurrencesBetween: occurrencesBetween,
        occurrencesByDay: occurrencesByDay,
        dayColumns: dayColumns,
        scanXml: scanXml,
        parseXml: parseXml,
        elementTreeOf: elementTreeOf,
        readEvents: readEvents,
        readUserValues: readUserValues,
        readDataText: readDataText,
        TextStream: TextStream,
        XmlScanner: XmlScanner,
        resolveSettings: resolveSettings,
        firstDayOfWeekOf: firstDayOfWeekOf,
        chooseLocale: chooseLocale,
        isRightToLeft: isRightToLeft,
        LocaleTexts: LocaleTexts,
        WORDS: WORDS,
        problemText: problemText,
        sampleEvents: sampleEvents,
        resolveDocumentUrl: resolveDocumentUrl
    };
})();
if (typeof module !== "undefined") module.exports = TEVWebCalendar;
