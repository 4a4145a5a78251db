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

    var MONTH_NAMES = ["January", "February", "March", "April", "May", "June", "July", "August",
        "September", "October", "November", "December"];
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
        var i = 0;
        while (i < s.length && " \t\n\r\f\v".indexOf(s.charAt(i)) >= 0) i++;
        var sign = 1;
        if (s.charAt(i) === "+" || s.charAt(i) === "-") {
            if (s.charAt(i) === "-") sign = -1;
            i++;
        }
        var n = 0;
        for (; i < s.length; i++) {
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

    // The bytes of an XML document: UTF-16 (little- or big-endian, with or without byte-order
    // mark, as the designer writes its project and data files) or UTF-8.
    function decodeText(bytes) {
        var b = bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes);
        function utf16(start, littleEndian) {
            var parts = [];
            var chunk = [];
            for (var i = start; i + 1 < b.length; i += 2) {
                chunk.push(littleEndian ? b[i] | (b[i + 1] << 8) : (b[i] << 8) | b[i + 1]);
                if (chunk.length === 8192) {
                    parts.push(String.fromCharCode.apply(null, chunk));
                    chunk = [];
                }
            }
            parts.push(String.fromCharCode.apply(null, chunk));
            return parts.join("");
        }
        if (b.length >= 2 && b[0] === 0xff && b[1] === 0xfe) return utf16(2, true);
        if (b.length >= 2 && b[0] === 0xfe && b[1] === 0xff) return utf16(2, false);
        if (b.length >= 2 && b[0] !== 0 && b[1] === 0) return utf16(0, true);
        if (b.length >= 2 && b[0] === 0 && b[1] !== 0) return utf16(0, false);
        var start = b.length >= 3 && b[0] === 0xef && b[1] === 0xbb && b[2] === 0xbf ? 3 : 0;
        return new TextDecoder("utf-8").decode(b.subarray(start));
    }

    // ---------------------------------------------------------------------------------------
    // Dates. A day is a whole number of days after 1 January 1970; a time is minutes after
    // that midnight. There are no time zones: everything is the wall clock of the data.

    var MIN_YEAR = 100;
    var MAX_YEAR = 9999;

    function isLeapYear(y) {
        return (y % 4 === 0 && y % 100 !== 0) || y % 400 === 0;
    }

    function daysInMonth(y, m) {
        return [31, isLeapYear(y) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][m - 1] || 0;
    }

    function dayNumber(y, m, d) {
        var date = new Date(0);
        date.setUTCFullYear(y, m - 1, d);
        return Math.round(date.getTime() / 86400000);
    }

    function civil(day) {
        var date = new Date(day * 86400000);
        return { year: date.getUTCFullYear(), month: date.getUTCMonth() + 1, day: date.getUTCDate() };
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
        var month = atoi(s.substr(0, 2));
        var dayOfMonth = atoi(s.substr(3, 2));
        var year = atoi(s.substr(6, 4));
        var hour = atoi(s.substr(11, 2));
        var minute = atoi(s.substr(14, 2));
        if (!isValidDate(year, month, dayOfMonth) || hour < 0 || hour > 23 || minute < 0 || minute > 59)
            return null;
        return dayNumber(year, month, dayOfMonth) * MINUTES_PER_DAY + hour * 60 + minute;
    }

    // "%H:%M" as minutes after midnight; null when absent or not a time.
    function parseTimeOfDay(text) {
        var s = text == null ? "" : String(text);
        if (s === "") return null;
        var hour = atoi(s.substr(0, 2));
        var minute = atoi(s.substr(3, 2));
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

    // "09:05" or "9:05am"; short 12-hour times leave out zero minutes ("9am").
    function formatTime(minuteOfDay, twelveHour, short) {
        var h = Math.floor(minuteOfDay / 60);
        var m = minuteOfDay % 60;
        var mm = (m < 10 ? "0" : "") + m;
        if (!twelveHour) return (h < 10 ? "0" : "") + h + ":" + mm;
        return ((h + 11) % 12 + 1) + (short && m === 0 ? "" : ":" + mm) + (h < 12 ? "am" : "pm");
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

    var ORDINALS = ["first", "second", "third", "fourth", "last"];

    // The days of a mask as the Nth-weekday kinds name them; plural names the days of a week.
    function maskText(mask, plural) {
        if ((mask & 127) === 127) return plural ? "every day" : "day";
        if ((mask & 127) === WORK_DAYS_MASK) return plural ? "weekdays" : "weekday";
        if ((mask & 127) === 65 && !plural) return "weekend day";
        var names = [];
        for (var i = 0; i < 7; i++) if (mask & (1 << i)) names.push(DAY_NAMES[i]);
        return names.length > 1 ? names.slice(0, -1).join(", ") + " and " + names[names.length - 1] : names[0] || "";
    }

    function everyText(n, unit) {
        return n === 1 ? "every " + unit : "every " + n + " " + unit + "s";
    }

    // "Every 2 weeks on Monday and Wednesday" and the like; "" for options that give no dates.
    function describePattern(p) {
        var d1 = p.data1, d2 = p.data2, d3 = p.data3;
        if (!periodPlan(p, 1)) return "";
        var text;
        switch (p.type) {
            case 1:
                text = d1 !== 0 ? "every weekday" : everyText(d2, "day");
                break;
            case 2:
                text = everyText(d1, "week") + " on " + maskText(d2, true);
                break;
            case 3:
                text = "day " + d2 + " of " + everyText(d1, "month");
                break;
            case 4:
                text = "the " + ORDINALS[d2 - 1] + " " + maskText(d3) + " of " + everyText(d1, "month");
                break;
            case 5:
                text = "every year on " + MONTH_NAMES[d1 - 1] + " " + d2;
                break;
            default:
                text = "the " + ORDINALS[d1 - 1] + " " + maskText(d2) + " of " + MONTH_NAMES[d3 - 1] + " every year";
        }
        return text.charAt(0).toUpperCase() + text.substring(1);
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
        function add(event, start, end, override) {
            var source = override || event;
            function pick(name) {
                return override && override[name] != null ? override[name] : event[name];
            }
            var lastDay = end > start ? dayOf(end - 1) : dayOf(start);
            if (dayOf(start) > toDay || lastDay < fromDay) return;
            out.push({
                event: event,
                start: start,
                end: end,
                allDay: !!pick("allDay"),
                subject: pick("subject") || "",
                location: pick("location") || "",
                body: pick("body") || "",
                label: pick("label") || "",
                busyStatus: source.busyStatus != null ? source.busyStatus : -1,
                recurring: !!event.pattern,
                repeats: event.pattern ? describePattern(event.pattern) : ""
            });
        }
        events.forEach(function (event) {
            if (event.pattern) {
                var lookBack = Math.min(Math.max(0, event.pattern.duration), LONGEST_LOOK_BACK_MINUTES);
                var spanDays = Math.ceil(lookBack / MINUTES_PER_DAY);
                expandPattern(event.pattern, firstDayOfWeek, fromDay - spanDays, toDay).forEach(function (o) {
                    add(event, o.start, o.end, o.exception);
                });
            } else if (event.start != null) {
                add(event, event.start, event.end != null && event.end >= event.start ? event.end : event.start, null);
            }
        });
        out.sort(function (a, b) {
            return (b.allDay - a.allDay) || a.start - b.start || a.end - b.end ||
                (a.subject < b.subject ? -1 : a.subject > b.subject ? 1 : 0);
        });
        return out;
    }

    function coversDay(occurrence, day) {
        var first = dayOf(occurrence.start);
        var last = occurrence.end > occurrence.start ? dayOf(occurrence.end - 1) : first;
        return day >= first && day <= last;
    }

    // The properties an Event and an Exception element share; null for an absent attribute
    // so that an exception can fall back on its event.
    function readEventAttributes(el) {
        function text(name) {
            return el.hasAttribute(name) ? el.getAttribute(name) : null;
        }
        var busy = text("BusyStatus");
        return {
            start: parseDateTime(text("StartTime")),
            end: parseDateTime(text("EndTime")),
            subject: text("Subject"),
            location: text("Location"),
            body: text("Body"),
            allDay: el.hasAttribute("AllDayEvent") ? atoi(text("AllDayEvent")) !== 0 : null,
            label: text("Type"),
            busyStatus: busy !== null && has(BUSY_STATUS, busy) ? BUSY_STATUS[busy] : -1
        };
    }

    function childElements(el, name) {
        var out = [];
        for (var node = el ? el.firstChild : null; node; node = node.nextSibling) {
            if (node.nodeType === 1 && node.nodeName === name) out.push(node);
        }
        return out;
    }

    function readPattern(el, event) {
        var startTime = parseTimeOfDay(el.getAttribute("StartTime"));
        var rangeStart = parseDateTime(el.getAttribute("PatternStartDate"));
        var endMethod = atoi(el.getAttribute("UseEndMethod"));
        var rangeEnd = parseDateTime(el.getAttribute("PatternEndDate"));
        var count = atoi(el.getAttribute("EndAfterOccurrences"));
        if (rangeStart === null) rangeStart = event.start;
        if (startTime === null) startTime = event.start !== null ? event.start - dayOf(event.start) * MINUTES_PER_DAY : 0;
        if (rangeStart === null) return null;
        // An end the document does not give leaves the pattern without one.
        if ((endMethod === 0 && rangeEnd === null) || (endMethod === 1 && count <= 0) ||
            (endMethod !== 0 && endMethod !== 1)) endMethod = 2;
        return {
            startTime: startTime,
            duration: Math.max(0, atoi(el.getAttribute("DurationMinutes"))),
            type: atoi(el.getAttribute("RecurrenceType")),
            data1: atoi(el.getAttribute("RecurrenceOpt_Data1")),
            data2: atoi(el.getAttribute("RecurrenceOpt_Data2")),
            data3: atoi(el.getAttribute("RecurrenceOpt_Data3")),
            rangeStart: dayOf(rangeStart),
            endMethod: endMethod,
            rangeEnd: rangeEnd === null ? null : dayOf(rangeEnd),
            occurrences: count,
            exceptions: childElements(el, "Exception").map(function (x) {
                var e = readEventAttributes(x);
                e.originalStart = parseDateTime(x.getAttribute("RException_StartTimeOrig"));
                e.deleted = atoi(x.getAttribute("RException_Deleted")) !== 0;
                return e;
            })
        };
    }

    // The events of a parsed document: its root is Data, or Data is a child of the root.
    // Returns null when the document has no Data element.
    function readEvents(doc) {
        var root = doc && doc.documentElement;
        if (!root) return null;
        var data = root.nodeName === "Data" ? root : childElements(root, "Data")[0];
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
    function readUserValues(doc) {
        var root = doc && doc.documentElement;
        var values = Object.create(null);
        if (!root) return values;
        var section = childElements(root, "UserDefined")[0] || root.getElementsByTagName("UserDefined")[0];
        childElements(section, "Param").forEach(function (p) {
            var name = p.getAttribute("name");
            if (name && !has(values, name)) values[name] = p.getAttribute("value") || "";
        });
        return values;
    }

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

    var PARAMETERS = [
        { name: "Title", kind: "text", value: "Events" },
        { name: "View", kind: "group", value: "Month", options: {
            "Month": [
                { name: "ShowWeekNumbers", kind: "boolean", value: "false" },
                { name: "ShowEventTimes", kind: "boolean", value: "true" },
                { name: "EventsPerDay", kind: "number", value: "3", lower: "1", upper: "10" }
            ],
            "Agenda": [
                { name: "DaysToShow", kind: "number", value: "30", lower: "1", upper: "366" },
                { name: "ShowEmptyDays", kind: "boolean", value: "false" }
            ]
        } },
        { name: "WeekStartDay", kind: "boolean", value: "true" },
        { name: "TimeFormat", kind: "list", value: "12-hour", options: ["12-hour", "24-hour"] },
        { name: "ShowNavigation", kind: "boolean", value: "true" },
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

    // The bytes of a document; absolute file paths resolve against a file: page, everything
    // else against the page's address. callback(bytes or null).
    function loadBytes(url, callback) {
        var done = false;
        function finish(bytes) {
            if (!done) {
                done = true;
                callback(bytes);
            }
        }
        try {
            var xhr = new XMLHttpRequest();
            xhr.open("GET", url, true);
            xhr.responseType = "arraybuffer";
            xhr.timeout = 15000;
            xhr.onload = function () {
                var ok = (xhr.status >= 200 && xhr.status < 300) ||
                    (xhr.status === 0 && xhr.response && xhr.response.byteLength > 0);
                finish(ok ? new Uint8Array(xhr.response) : null);
            };
            xhr.onerror = xhr.ontimeout = xhr.onabort = function () { finish(null); };
            xhr.send();
        } catch (e) {
            finish(null);
        }
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

    function parseXml(text) {
        try {
            var doc = new DOMParser().parseFromString(text, "application/xml");
            if (!doc.documentElement || doc.getElementsByTagName("parsererror").length > 0) return null;
            return doc;
        } catch (e) {
            return null;
        }
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

    // Layout is done at no less than this size and scaled down below it, so that small
    // thumbnails are true miniatures of the calendar.
    var DESIGN_WIDTH = 500;
    var DESIGN_HEIGHT = 400;

    function Calendar(stage) {
        this.stage = stage;
        this.variables = stage.variables || {};
        this.root = el("div", "wcal");
        this.root.setAttribute("data-state", "loading");
        this.frame = el("div", "wcal-frame");
        this.root.appendChild(this.frame);
        stage.element.appendChild(this.root);
        this.today = todayDay();
        this.values = Object.create(null);
        this.events = [];
        this.popup = null;
        this.layoutWidth = 0;
        this.layoutHeight = 0;

        var self = this;
        var pending = 2;
        function ready() {
            if (--pending === 0) self.start();
        }
        var movieUrl = stage.movieUrl || document.baseURI;
        ensureStylesheet(resolveDocumentUrl(STYLESHEET_FILE, movieUrl), ready);

        var source = this.variables.tev_xmlConnectorURL;
        if (source) {
            var url = resolveDocumentUrl(source, document.baseURI);
            this.root.setAttribute("data-source", url);
            loadBytes(url, function (bytes) {
                self.takeDocument(bytes ? parseXml(decodeText(bytes)) : null);
                ready();
            });
        } else {
            this.takeDocument(null);
            ready();
        }
    }

    Calendar.prototype.takeDocument = function (doc) {
        this.loaded = !!doc;
        this.values = doc ? readUserValues(doc) : Object.create(null);
        var events = doc ? readEvents(doc) : null;
        if (events === null && this.variables.tev_template) events = sampleEvents(this.today);
        this.events = events || [];
        if (!has(this.values, "Title") && this.variables.tev_labelText)
            this.values.Title = this.variables.tev_labelText;
    };

    Calendar.prototype.start = function () {
        var self = this;
        this.root.setAttribute("data-state", this.loaded ? "ready" : "defaults");
        this.root.setAttribute("data-event-count", String(this.events.length));
        this.vertical = this.variables.tev_orientation === "vertical";
        this.month = civil(this.today);
        this.agendaStart = this.today;
        this.layout();
        if (typeof ResizeObserver === "function") {
            this.observer = new ResizeObserver(function () { self.layout(); });
            this.observer.observe(this.stage.element);
        } else {
            window.addEventListener("resize", function () { self.layout(); });
        }
        this.root.addEventListener("keydown", function (e) {
            if (e.key === "Escape") self.closePopup();
        });
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
        var zoom = Math.max(1, Math.min(DESIGN_WIDTH / size.width, DESIGN_HEIGHT / size.height));
        var width = Math.round(size.width * zoom);
        var height = Math.round(size.height * zoom);
        if (width === this.layoutWidth && height === this.layoutHeight && this.rendered) return;
        this.layoutWidth = width;
        this.layoutHeight = height;
        this.settings = resolveSettings(this.values, { Width: width, Height: height });
        var f = this.frame.style;
        f.width = width + "px";
        f.height = height + "px";
        f.transform = zoom === 1 ? "" : "scale(" + size.width / width + "," + size.height / height + ")";
        // A miniature cannot be scrolled; it shows no scroll bars either.
        this.root.className = zoom > 1 ? "wcal wcal-mini" : "wcal";
        this.applyStyle();
        this.render();
    };

    Calendar.prototype.applyStyle = function () {
        var s = this.settings;
        var style = this.root.style;
        function set(name, value) { style.setProperty(name, value); }
        set("--wcal-bg", colorToCss(s.BackgroundColor));
        set("--wcal-border", colorToCss(s.BorderColor));
        set("--wcal-header", colorToCss(s.HeaderColor));
        set("--wcal-header-text", colorToCss(s.HeaderTextColor));
        set("--wcal-text", colorToCss(s.TextColor));
        set("--wcal-day", colorToCss(s.DayColor));
        set("--wcal-weekend", colorToCss(s.WeekendColor));
        set("--wcal-today", colorToCss(s.TodayColor));
        set("--wcal-today-text", colorToCss(contrastColor(s.TodayColor)));
        set("--wcal-event", colorToCss(s.EventColor));
        set("--wcal-event-text", colorToCss(s.EventTextColor));
        set("--wcal-font", FONT_STACKS[s.FontFace]);
        set("--wcal-font-size", s.FontSize + "px");
        set("--wcal-header-h", s.HeaderHeight + "px");
        set("--wcal-radius", s.CornerRadius + "px");
        set("--wcal-chip-h", this.chipHeight() + "px");
        this.frame.className = "wcal-frame" + (this.vertical ? " wcal-vertical" : "");
    };

    Calendar.prototype.chipHeight = function () {
        return Math.round(this.settings.FontSize * 1.55);
    };

    Calendar.prototype.firstDayOfWeek = function () {
        return this.settings.WeekStartDay ? 1 : 2;
    };

    Calendar.prototype.render = function () {
        this.rendered = true;
        this.closePopup();
        while (this.frame.firstChild) this.frame.removeChild(this.frame.firstChild);
        var agenda = this.settings.View === "Agenda";
        this.root.setAttribute("data-view", agenda ? "agenda" : "month");
        this.frame.appendChild(this.renderHeader(agenda));
        this.frame.appendChild(agenda ? this.renderAgenda() : this.renderMonth());
        if (!agenda) this.fitChips();
    };

    Calendar.prototype.renderHeader = function (agenda) {
        var self = this;
        var s = this.settings;
        var header = el("div", "wcal-header");
        var label;
        if (agenda) {
            var days = s.DaysToShow;
            var a = civil(this.agendaStart), b = civil(this.agendaStart + days - 1);
            label = MONTH_NAMES[a.month - 1].substr(0, 3) + " " + a.day + (a.year !== b.year ? ", " + a.year : "") +
                (days > 1 ? " \u2013 " + MONTH_NAMES[b.month - 1].substr(0, 3) + " " + b.day : "") + ", " + b.year;
        } else {
            label = MONTH_NAMES[this.month.month - 1] + " " + this.month.year;
        }
        function nav(text, step, name) {
            var button = el("button", "wcal-nav", text);
            button.type = "button";
            button.setAttribute("aria-label", name);
            button.addEventListener("click", function () { self.step(step); });
            return button;
        }
        var titleBox = el("div", "wcal-heading");
        if (s.Title) titleBox.appendChild(el("div", "wcal-title", s.Title));
        var period = el("div", "wcal-period", label);
        period.title = "Back to today";
        period.addEventListener("click", function () { self.goToday(); });
        titleBox.appendChild(period);
        // A low header keeps the title and the period on one line.
        if (s.HeaderHeight < s.FontSize * 3.4 && !this.vertical) titleBox.className += " wcal-inline";
        if (s.ShowNavigation) header.appendChild(nav("\u2039", -1, agenda ? "Earlier" : "Previous month"));
        header.appendChild(titleBox);
        if (s.ShowNavigation) header.appendChild(nav("\u203a", 1, agenda ? "Later" : "Next month"));
        return header;
    };

    Calendar.prototype.step = function (direction) {
        if (this.settings.View === "Agenda") {
            this.agendaStart += direction * this.settings.DaysToShow;
        } else {
            var index = this.month.year * 12 + this.month.month - 1 + direction;
            this.month = { year: Math.floor(index / 12), month: (index % 12) + 1, day: 1 };
        }
        this.render();
    };

    Calendar.prototype.goToday = function () {
        this.month = civil(this.today);
        this.agendaStart = this.today;
        this.render();
    };

    Calendar.prototype.occurrences = function (fromDay, toDay) {
        return occurrencesBetween(this.events, this.firstDayOfWeek(), fromDay, toDay);
    };

    Calendar.prototype.timeText = function (o, day) {
        var twelve = this.settings.TimeFormat === "12-hour";
        if (o.allDay) return "";
        var startDay = dayOf(o.start);
        return day === startDay ? formatTime(o.start - startDay * MINUTES_PER_DAY, twelve, true) : "";
    };

    Calendar.prototype.chip = function (o, day, withTime) {
        var self = this;
        var chip = el("div", "wcal-chip" + (o.allDay ? " wcal-allday" : ""));
        var time = withTime ? this.timeText(o, day) : "";
        if (time) chip.appendChild(el("span", "wcal-time", time));
        chip.appendChild(document.createTextNode(o.subject || "(no subject)"));
        if (has(LABEL_COLORS, o.label)) chip.style.borderLeftColor = LABEL_COLORS[o.label];
        chip.title = o.subject;
        chip.setAttribute("data-date", isoDate(day));
        chip.addEventListener("click", function (e) {
            e.stopPropagation();
            self.showDetails([o], day);
        });
        return chip;
    };

    Calendar.prototype.renderMonth = function () {
        var self = this;
        var s = this.settings;
        var fdow = this.firstDayOfWeek();
        var first = dayNumber(this.month.year, this.month.month, 1);
        var last = first + daysInMonth(this.month.year, this.month.month) - 1;
        var gridStart = weekStart(first, fdow);
        var weeks = Math.ceil((last - gridStart + 1) / 7);
        var gridEnd = gridStart + weeks * 7 - 1;
        var occurrences = this.occurrences(gridStart, gridEnd);

        var body = el("div", "wcal-month" + (s.ShowWeekNumbers ? " wcal-with-weeks" : ""));
        var names = el("div", "wcal-weekdays");
        if (s.ShowWeekNumbers) names.appendChild(el("div", "wcal-weekno", "Wk"));
        for (var i = 0; i < 7; i++) {
            var name = DAY_NAMES[(fdow - 1 + i) % 7];
            var cell = el("div", "wcal-weekday", this.layoutWidth < 420 ? name.charAt(0) : name.substr(0, 3));
            cell.title = name;
            names.appendChild(cell);
        }
        body.appendChild(names);

        var grid = el("div", "wcal-grid");
        grid.style.gridTemplateRows = "repeat(" + weeks + ", minmax(0, 1fr))";
        this.cells = [];
        for (var w = 0; w < weeks; w++) {
            if (s.ShowWeekNumbers) grid.appendChild(el("div", "wcal-weekno", String(isoWeekNumber(gridStart + w * 7 + 1))));
            for (var d = 0; d < 7; d++) {
                var day = gridStart + w * 7 + d;
                var date = civil(day);
                var wd = weekday(day);
                var classes = "wcal-day";
                if (wd === 0 || wd === 6) classes += " wcal-weekend";
                if (day < first || day > last) classes += " wcal-out";
                if (day === this.today) classes += " wcal-today";
                var dayCell = el("div", classes);
                dayCell.setAttribute("data-date", isoDate(day));
                var number = el("div", "wcal-daynum");
                number.appendChild(el("span", null, String(date.day)));
                dayCell.appendChild(number);
                var list = el("div", "wcal-events");
                var mine = occurrences.filter(function (o) { return coversDay(o, day); });
                mine.forEach(function (o) { list.appendChild(self.chip(o, day, s.ShowEventTimes)); });
                dayCell.appendChild(list);
                (function (day, mine) {
                    dayCell.addEventListener("click", function () {
                        if (mine.length) self.showDetails(mine, day);
                    });
                })(day, mine);
                if (mine.length) dayCell.className += " wcal-busy";
                this.cells.push({ cell: dayCell, list: list, count: mine.length });
                grid.appendChild(dayCell);
            }
        }
        body.appendChild(grid);
        return body;
    };

    // Shows as many chips as the cell holds, at most EventsPerDay; the rest are summed up in a
    // "+n more" line, or in dots beside the day number when not even that line fits.
    Calendar.prototype.fitChips = function () {
        var cells = this.cells || [];
        if (!cells.length) return;
        var chipStep = this.chipHeight() + 2;
        var moreHeight = Math.ceil(this.settings.FontSize * 1.1);
        var available = cells[0].cell.clientHeight - cells[0].cell.firstChild.offsetHeight - 2;
        var limit = this.settings.EventsPerDay;
        var fitAll = Math.min(limit, Math.floor(available / chipStep));
        var fitWithMore = Math.max(0, Math.min(limit, Math.floor((available - moreHeight) / chipStep)));
        var lines = Math.floor(available / chipStep);
        cells.forEach(function (c) {
            var chips = Array.prototype.slice.call(c.list.children);
            if (chips.length <= fitAll) {
                // With room to spare, timed events show their time on a line of its own.
                var needed = chips.reduce(function (n, chip) { return n + (chip.firstChild.nodeType === 1 ? 2 : 1); }, 0);
                if (needed > chips.length && needed <= lines) c.cell.className += " wcal-tall";
                return;
            }
            chips.slice(fitWithMore).forEach(function (chip) { c.list.removeChild(chip); });
            var hidden = chips.length - fitWithMore;
            if (available >= moreHeight) {
                c.list.appendChild(el("div", "wcal-more", "+" + hidden + " more"));
            } else {
                var dots = el("span", "wcal-dots");
                for (var i = 0; i < Math.min(3, hidden); i++) dots.appendChild(el("i"));
                c.cell.firstChild.insertBefore(dots, c.cell.firstChild.firstChild);
            }
        });
    };

    Calendar.prototype.renderAgenda = function () {
        var self = this;
        var s = this.settings;
        var from = this.agendaStart;
        var to = from + s.DaysToShow - 1;
        var occurrences = this.occurrences(from, to);
        var list = el("div", "wcal-agenda");
        var shown = 0;
        for (var day = from; day <= to; day++) {
            var mine = occurrences.filter(function (o) { return coversDay(o, day); });
            if (!mine.length && !s.ShowEmptyDays) continue;
            shown++;
            var date = civil(day);
            var wd = weekday(day);
            var row = el("div", "wcal-agenda-day" + (wd === 0 || wd === 6 ? " wcal-weekend" : "") +
                (day === this.today ? " wcal-today" : ""));
            row.setAttribute("data-date", isoDate(day));
            var stamp = el("div", "wcal-stamp");
            stamp.appendChild(el("div", "wcal-stamp-day", String(date.day)));
            stamp.appendChild(el("div", "wcal-stamp-name", DAY_NAMES[wd].substr(0, 3) + " " +
                MONTH_NAMES[date.month - 1].substr(0, 3)));
            row.appendChild(stamp);
            var items = el("div", "wcal-agenda-items");
            if (!mine.length) items.appendChild(el("div", "wcal-agenda-none", "No events"));
            mine.forEach(function (o) {
                var item = el("div", "wcal-agenda-item");
                item.setAttribute("data-date", isoDate(day));
                var dot = el("span", "wcal-dot");
                if (has(LABEL_COLORS, o.label)) dot.style.background = LABEL_COLORS[o.label];
                item.appendChild(dot);
                item.appendChild(el("span", "wcal-agenda-time", o.allDay ? "All day" : self.timeText(o, day) || "cont."));
                var text = el("span", "wcal-agenda-subject", o.subject || "(no subject)");
                item.appendChild(text);
                if (o.location) item.appendChild(el("span", "wcal-agenda-location", o.location));
                item.addEventListener("click", (function (o, day) {
                    return function () { self.showDetails([o], day); };
                })(o, day));
                items.appendChild(item);
            });
            row.appendChild(items);
            list.appendChild(row);
        }
        if (!shown) list.appendChild(el("div", "wcal-empty", "No events in this period"));
        return list;
    };

    Calendar.prototype.rangeText = function (o) {
        var twelve = this.settings.TimeFormat === "12-hour";
        function dateText(day) {
            var c = civil(day);
            return DAY_NAMES[weekday(day)] + ", " + MONTH_NAMES[c.month - 1] + " " + c.day + ", " + c.year;
        }
        var startDay = dayOf(o.start);
        var lastDay = o.end > o.start ? dayOf(o.end - 1) : startDay;
        if (o.allDay) {
            return lastDay > startDay ? dateText(startDay) + " \u2013 " + dateText(lastDay) : dateText(startDay) + ", all day";
        }
        var from = formatTime(o.start - startDay * MINUTES_PER_DAY, twelve);
        var endDay = dayOf(o.end);
        var until = formatTime(o.end - endDay * MINUTES_PER_DAY, twelve);
        if (endDay === startDay || o.end === o.start) return dateText(startDay) + ", " + from + (o.end > o.start ? " \u2013 " + until : "");
        return dateText(startDay) + ", " + from + " \u2013 " + dateText(endDay) + ", " + until;
    };

    var BUSY_TEXT = { 0: "Free", 1: "Tentative", 2: "Busy", 3: "Out of office" };

    Calendar.prototype.showDetails = function (occurrences, day) {
        var self = this;
        this.closePopup();
        var veil = el("div", "wcal-veil");
        var popup = el("div", "wcal-popup");
        popup.setAttribute("role", "dialog");
        var close = el("button", "wcal-close", "\u00d7");
        close.type = "button";
        close.setAttribute("aria-label", "Close");
        close.addEventListener("click", function () { self.closePopup(); });
        popup.appendChild(close);
        if (occurrences.length > 1) {
            var c = civil(day);
            popup.appendChild(el("div", "wcal-popup-day", DAY_NAMES[weekday(day)] + ", " + MONTH_NAMES[c.month - 1] + " " + c.day));
        }
        occurrences.forEach(function (o) {
            var item = el("div", "wcal-detail");
            var heading = el("div", "wcal-detail-subject", o.subject || "(no subject)");
            if (has(LABEL_COLORS, o.label)) heading.style.borderLeftColor = LABEL_COLORS[o.label];
            item.appendChild(heading);
            item.appendChild(el("div", "wcal-detail-when", self.rangeText(o)));
            var facts = [];
            if (o.location) facts.push(["Where", o.location]);
            if (o.label && o.label !== "None") facts.push(["Label", o.label]);
            if (has(BUSY_TEXT, o.busyStatus)) facts.push(["Shows as", BUSY_TEXT[o.busyStatus]]);
            if (o.repeats) facts.push(["Repeats", o.repeats]);
            facts.forEach(function (f) {
                var line = el("div", "wcal-detail-fact");
                line.appendChild(el("span", "wcal-detail-key", f[0]));
                line.appendChild(document.createTextNode(f[1]));
                item.appendChild(line);
            });
            if (o.body) item.appendChild(el("div", "wcal-detail-body", o.body));
            popup.appendChild(item);
        });
        veil.addEventListener("click", function () { self.closePopup(); });
        this.frame.appendChild(veil);
        this.frame.appendChild(popup);
        this.popup = [veil, popup];
        close.focus({ preventScroll: true });
    };

    Calendar.prototype.closePopup = function () {
        if (!this.popup) return;
        this.popup.forEach(function (node) {
            if (node.parentNode) node.parentNode.removeChild(node);
        });
        this.popup = null;
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
        formatTime: formatTime,
        nthWeekdayOfMonth: nthWeekdayOfMonth,
        describePattern: describePattern,
        expandPattern: expandPattern,
        occurrencesBetween: occurrencesBetween,
        readEvents: readEvents,
        readUserValues: readUserValues,
        resolveSettings: resolveSettings,
        sampleEvents: sampleEvents,
        resolveDocumentUrl: resolveDocumentUrl
    };
})();
if (typeof module !== "undefined") module.exports = TEVWebCalendar;
