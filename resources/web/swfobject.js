/*
 * swfobject.js for Quorvane Web Calendar: the page-side player of the component's movie.
 *
 * The component's movie is a script, not a Flash file. This file offers the embedding calls
 * the published index page makes (new SWFObject(...), addParam, addVariable, write) and also
 * plays the Flash OBJECT and EMBED elements already on a page in place. The designer injects it
 * into every page its browser shows, at document start, so it may arrive twice on one page.
 *
 * Player and movie meet like this: the player loads the movie file once per page with a
 * script element; the movie calls TEVPlayer.registerMovie({ name, play }) while it runs; the
 * player then calls play(stage) for every element showing that movie, with
 *   stage = { element, width, height, variables, movieUrl, background },
 * where element is the sized box to draw into and variables are the Flash variables.
 * play returns { resize(), stop() }.
 */
(function (global) {
    "use strict";

    var document = global.document;
    if (!document) return;

    var player = global.TEVPlayer;
    if (!player) {
        player = createPlayer();
        global.TEVPlayer = player;
        player.start();
    }
    if (typeof global.SWFObject !== "function") global.SWFObject = player.SWFObject;

    function createPlayer() {
        var FLASH_CLASS_ID = "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000";
        var FLASH_TYPE = "application/x-shockwave-flash";
        // WebKit never hands "about:" addresses to a scheme handler, so the designer serves its
        // about: documents (about:props.xml) under this scheme instead.
        var ABOUT_SCHEME = "tevabout";

        var movies = Object.create(null); // movie address -> { state, movie, waiting: [stage] }
        var played = typeof WeakSet === "function" ? new WeakSet() : null;

        function mapAboutUrl(url) {
            var text = String(url == null ? "" : url);
            var m = /^\s*about:(.*)$/i.exec(text);
            if (!m || /^blank$/i.test(m[1])) return text;
            return ABOUT_SCHEME + ":" + m[1];
        }

        function absoluteUrl(url) {
            try {
                return new URL(url, document.baseURI).href;
            } catch (e) {
                return url;
            }
        }

        function decode(text) {
            try {
                return decodeURIComponent(text);
            } catch (e) {
                return text;
            }
        }

        // "a=1&b=2" -> { a: "1", b: "2" }, URL-decoded, about: addresses mapped.
        function parseFlashVars(text) {
            var vars = Object.create(null);
            String(text || "").split("&").forEach(function (pair) {
                if (!pair) return;
                var eq = pair.indexOf("=");
                var name = decode(eq < 0 ? pair : pair.substring(0, eq));
                if (name) vars[name] = mapAboutUrl(eq < 0 ? "" : decode(pair.substring(eq + 1)));
            });
            return vars;
        }

        // A WIDTH or HEIGHT attribute as a CSS length ("500" -> "500px", "100%" kept).
        function cssLength(value, fallback) {
            var text = String(value == null ? "" : value).trim();
            if (/^\d+(\.\d+)?$/.test(text)) return text + "px";
            if (/^\d+(\.\d+)?(px|%)$/i.test(text)) return text;
            return fallback;
        }

        function showMessage(stage, text) {
            var note = document.createElement("div");
            note.textContent = text;
            note.style.cssText = "font:12px sans-serif;color:#555;padding:8px;text-align:center";
            stage.element.appendChild(note);
        }

        function run(entry, stage) {
            if (entry.state === "failed") {
                showMessage(stage, "The calendar could not be loaded.");
                return;
            }
            try {
                stage.controller = entry.movie.play(stage) || null;
            } catch (e) {
                showMessage(stage, "The calendar could not be shown.");
                if (global.console) global.console.error(e);
            }
        }

        function settle(entry, state, movie) {
            if (entry.state !== "loading") return;
            entry.state = state;
            entry.movie = movie || null;
            entry.waiting.splice(0).forEach(function (stage) { run(entry, stage); });
        }

        var lastRegistered = null;

        // Called by a movie file while it runs.
        function registerMovie(movie) {
            if (!movie || typeof movie.play !== "function") return;
            var script = document.currentScript;
            var key = script && (script.getAttribute("data-tev-movie") || script.src);
            var entry = key && movies[key];
            if (entry) settle(entry, "ready", movie);
            else lastRegistered = movie;
        }

        function loadMovie(url, stage) {
            var key = absoluteUrl(mapAboutUrl(url));
            var entry = movies[key];
            if (!entry) {
                entry = movies[key] = { state: "loading", movie: null, waiting: [] };
                var script = document.createElement("script");
                script.setAttribute("data-tev-movie", key);
                script.onload = function () {
                    // Browsers without currentScript: the movie that registered last is this one.
                    if (lastRegistered) settle(entry, "ready", lastRegistered);
                    lastRegistered = null;
                    settle(entry, "failed");
                };
                script.onerror = function () { settle(entry, "failed"); };
                script.src = key;
                (document.head || document.documentElement).appendChild(script);
            }
            stage.movieUrl = key;
            if (entry.state === "loading") entry.waiting.push(stage);
            else run(entry, stage);
        }

        // Plays `movie` inside `element`, a box of the given CSS size. The width is the most the
        // box takes: in a narrower place (a phone) it narrows with it.
        function play(element, options) {
            var pixels = /px$/.test(options.width);
            element.style.width = options.width;
            element.style.maxWidth = "100%";
            element.style.height = options.height;
            element.style.overflow = "hidden";
            element.style.position = element.style.position || "relative";
            if (options.background) element.style.backgroundColor = options.background;
            element.setAttribute("data-tev-stage", "");
            var stage = {
                element: element,
                // The size the movie was made for, in pixels (0 for a share of the page).
                width: pixels ? parseFloat(options.width) : 0,
                height: /px$/.test(options.height) ? parseFloat(options.height) : 0,
                variables: options.variables || {},
                background: options.background || "",
                movieUrl: ""
            };
            loadMovie(options.movie, stage);
            return stage;
        }

        function paramsOf(object) {
            var params = Object.create(null);
            var list = object.getElementsByTagName("param");
            for (var i = 0; i < list.length; i++) {
                var name = (list[i].getAttribute("name") || "").toLowerCase();
                if (name && !(name in params)) params[name] = list[i].getAttribute("value") || "";
            }
            return params;
        }

        function isFlashElement(el) {
            var tag = el.nodeName.toLowerCase();
            var type = (el.getAttribute("type") || "").toLowerCase();
            if (tag === "embed") return type === FLASH_TYPE;
            if (tag !== "object") return false;
            return (el.getAttribute("classid") || "").toLowerCase() === FLASH_CLASS_ID || type === FLASH_TYPE;
        }

        function wasPlayed(el) {
            return played ? played.has(el) : el.getAttribute("data-tev-played") === "1";
        }

        // Replaces one Flash OBJECT or EMBED with a box of its size playing its movie.
        function playFlashElement(el) {
            if (wasPlayed(el) || !el.parentNode) return;
            if (played) played.add(el);
            el.setAttribute("data-tev-played", "1");
            var isObject = el.nodeName.toLowerCase() === "object";
            var params = isObject ? paramsOf(el) : {};
            var movie = isObject ? params.movie || params.src || el.getAttribute("data") : el.getAttribute("src");
            var flashVars = isObject ? params.flashvars : el.getAttribute("flashvars");
            if (flashVars == null) flashVars = el.getAttribute("flashvars") || "";
            var background = isObject ? params.bgcolor : el.getAttribute("bgcolor");

            var box = document.createElement("div");
            if (el.id) box.id = el.id;
            if (el.className) box.className = el.className;
            box.style.display = "inline-block";
            box.style.verticalAlign = "top";
            el.parentNode.replaceChild(box, el);
            if (!movie) return;
            play(box, {
                movie: movie,
                width: cssLength(el.getAttribute("width"), "300px"),
                height: cssLength(el.getAttribute("height"), "150px"),
                variables: parseFlashVars(flashVars),
                background: background || ""
            });
        }

        function scan(root) {
            if (!root || !root.querySelectorAll) return;
            if (root.nodeType === 1 && isFlashElement(root)) {
                playFlashElement(root);
                return;
            }
            var list = root.querySelectorAll("object, embed");
            for (var i = 0; i < list.length; i++) {
                // An EMBED inside a Flash OBJECT leaves with the OBJECT; isConnected tells.
                if (list[i].isConnected !== false && isFlashElement(list[i])) playFlashElement(list[i]);
            }
        }

        function start() {
            function begin() {
                scan(document);
                if (typeof MutationObserver !== "function") return;
                new MutationObserver(function (records) {
                    records.forEach(function (record) {
                        for (var i = 0; i < record.addedNodes.length; i++) {
                            if (record.addedNodes[i].nodeType === 1) scan(record.addedNodes[i]);
                        }
                    });
                }).observe(document.documentElement || document, { childList: true, subtree: true });
            }
            // At document start the OBJECTs may still lack their PARAMs: wait for the parser.
            if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", begin);
            else begin();
        }

        function SWFObject(movie, id, width, height, version, background) {
            this.movie = movie;
            this.id = id;
            this.width = width;
            this.height = height;
            this.version = version;
            this.params = Object.create(null);
            this.variableNames = [];
            this.variables = Object.create(null);
            if (background) this.addParam("bgcolor", background);
        }

        SWFObject.prototype.addParam = function (name, value) {
            this.params[name] = String(value);
        };

        SWFObject.prototype.getParam = function (name) {
            return this.params[name];
        };

        SWFObject.prototype.addVariable = function (name, value) {
            if (!(name in this.variables)) this.variableNames.push(name);
            this.variables[name] = String(value);
        };

        SWFObject.prototype.getVariable = function (name) {
            return this.variables[name];
        };

        SWFObject.prototype.getVariablePairs = function () {
            var self = this;
            return this.variableNames.map(function (name) { return name + "=" + self.variables[name]; });
        };

        // The FlashVars the movie receives: the flashvars parameter, then the variables.
        SWFObject.prototype.flashVars = function () {
            var pairs = this.getVariablePairs();
            var extra = this.params.flashvars || this.params.FlashVars;
            if (extra) pairs.unshift(extra);
            return pairs.join("&");
        };

        SWFObject.prototype.getSWFHTML = function () {
            function attr(value) {
                return String(value).replace(/&/g, "&amp;").replace(/"/g, "&quot;").replace(/</g, "&lt;");
            }
            var html = '<embed type="' + FLASH_TYPE + '" src="' + attr(this.movie) + '" width="' + attr(this.width) +
                '" height="' + attr(this.height) + '" id="' + attr(this.id) + '" name="' + attr(this.id) + '"';
            for (var name in this.params) {
                if (name.toLowerCase() !== "flashvars") html += " " + attr(name) + '="' + attr(this.params[name]) + '"';
            }
            return html + ' flashvars="' + attr(this.flashVars()) + '">';
        };

        // Plays the movie in the element with the given id (or in the given element).
        SWFObject.prototype.write = function (target) {
            var element = typeof target === "string" ? document.getElementById(target) : target;
            if (!element) return false;
            while (element.firstChild) element.removeChild(element.firstChild);
            var box = document.createElement("div");
            if (this.id) box.id = this.id;
            element.appendChild(box);
            play(box, {
                movie: this.movie,
                width: cssLength(this.width, "300px"),
                height: cssLength(this.height, "150px"),
                variables: parseFlashVars(this.flashVars()),
                background: this.params.bgcolor || ""
            });
            return true;
        };

        return {
            version: 1,
            aboutScheme: ABOUT_SCHEME,
            registerMovie: registerMovie,
            play: play,
            scan: scan,
            start: start,
            mapAboutUrl: mapAboutUrl,
            parseFlashVars: parseFlashVars,
            SWFObject: SWFObject
        };
    }
})(typeof window !== "undefined" ? window : this);
