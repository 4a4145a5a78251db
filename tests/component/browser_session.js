// Headless Chromium and Firefox for the calendar's page tests and benchmark: Debian's browsers
// driven by puppeteer-core (Chromium over the DevTools protocol, Firefox over WebDriver BiDi),
// a loopback HTTP server for a folder, axe-core for accessibility, and a published folder
// dressed in one of the component's styles.
"use strict";
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");
const zlib = require("node:zlib");

const MODULES = path.join(__dirname, "node_modules");

function tool(name) {
    try {
        return require(path.join(MODULES, name));
    } catch (e) {
        throw new Error(`${name} is missing from ${MODULES}: run scripts/install-deps.sh`);
    }
}

const KINDS = ["chromium", "firefox"];

const EXECUTABLES = {
    chromium: process.env.TEV_CHROMIUM || "/usr/bin/chromium",
    firefox: process.env.TEV_FIREFOX || "/usr/bin/firefox-esr",
};

// A browser of the kind speaking `language` first; page(width, height) opens a tab of that
// viewport size, close() ends the browser. `chromiumFlags` go to Chromium's command line.
async function launch(kind, language, chromiumFlags = []) {
    const puppeteer = tool("puppeteer-core");
    const options = { executablePath: EXECUTABLES[kind], headless: true, protocolTimeout: 60000 };
    if (kind === "chromium") {
        options.browser = "chrome";
        options.args = ["--no-sandbox", "--disable-gpu", "--lang=" + language, "--accept-lang=" + language,
            "--disable-background-networking", "--disable-component-update", "--no-first-run"].concat(chromiumFlags);
    } else {
        options.browser = "firefox";
        // The automation profile relaxes file: pages' access to their folder; visitors' Firefox
        // keeps it strict.
        options.extraPrefsFirefox = { "intl.accept_languages": language, "intl.locale.requested": language,
            "security.fileuri.strict_origin_policy": true };
    }
    const browser = await puppeteer.launch(options);
    return {
        browser,
        async page(width, height) {
            const page = await browser.newPage();
            await page.setViewport({ width, height });
            return page;
        },
        close: () => browser.close(),
    };
}

const TYPES = { ".html": "text/html", ".htm": "text/html", ".js": "text/javascript", ".css": "text/css",
    ".xml": "application/xml", ".png": "image/png" };

// Serves `folder` on 127.0.0.1 at a free port: url(relative path), close(). Each file goes
// out whole in one write with its length, as a static web server sends it; a stream of small
// reads would charge big files for this server's own pace.
function serve(folder) {
    const server = http.createServer((request, response) => {
        const relative = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname);
        const file = path.join(folder, path.normalize(relative));
        if (!file.startsWith(folder) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        const body = fs.readFileSync(file);
        response.writeHead(200, { "Content-Type": TYPES[path.extname(file).toLowerCase()] || "application/octet-stream",
            "Content-Length": body.length, "Cache-Control": "no-store" });
        response.end(body);
    });
    server.listen(0, "127.0.0.1");
    return {
        url: (relative) => `http://127.0.0.1:${server.address().port}/` +
            relative.split("/").map(encodeURIComponent).join("/"),
        close: () => server.close(),
    };
}

// Serves `files` (name -> bytes) on 127.0.0.1 at a free port, with their lengths, except that
// those `inParts` names go out in two parts, the second when release() is called (or after
// `holdMs`; a release that comes before the request lets that request's rest go at once), and
// those `compressed` names go out gzip-compressed. url(name), release(), close().
function serveFiles(files, { inParts = () => false, compressed = () => false, holdMs = 30000 } = {}) {
    const held = [];
    let early = 0;
    function sendRest(rest) {
        if (early > 0) {
            early--;
            setImmediate(rest);
            return;
        }
        const timer = setTimeout(rest, holdMs);
        held.push(() => {
            clearTimeout(timer);
            rest();
        });
    }
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname.slice(1));
        let body = files[name];
        if (!body) {
            response.writeHead(404).end();
            return;
        }
        const headers = { "Content-Type": TYPES[path.extname(name).toLowerCase()] || "application/octet-stream", "Cache-Control": "no-store" };
        if (compressed(name)) {
            body = zlib.gzipSync(body);
            headers["Content-Encoding"] = "gzip";
        }
        headers["Content-Length"] = body.length;
        response.writeHead(200, headers);
        if (!inParts(name)) {
            response.end(body);
            return;
        }
        const cut = Math.floor(body.length / 3) & ~1;
        response.write(body.subarray(0, cut));
        sendRest(() => {
            if (!response.writableEnded) response.end(body.subarray(cut));
        });
    });
    server.listen(0, "127.0.0.1");
    return {
        url: (name) => `http://127.0.0.1:${server.address().port}/${name}`,
        release: () => {
            if (held.length === 0) early++;
            held.splice(0).forEach((send) => send());
        },
        close: () => {
            held.splice(0).forEach((send) => send());
            server.close();
        },
    };
}

// The rules of WCAG 2.1 A and AA and axe's best practices that the page breaks, as "rule:
// element" texts. The index page holds the calendar alone, so it has no heading of its own
// for the one-heading rule to find.
async function axeViolations(page) {
    const source = fs.readFileSync(require.resolve("axe-core/axe.min.js", { paths: [MODULES] }), "utf8");
    await page.evaluate(source);
    const options = { runOnly: { type: "tag", values: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "best-practice"] },
        rules: { "page-has-heading-one": { enabled: false } } };
    const violations = await page.evaluate(async (options) => (await window.axe.run(document, options)).violations
        .map((v) => v.nodes.map((n) => `${v.id}: ${n.target.join(" ")} ${n.failureSummary || ""}`.trim())), options);
    return violations.flat();
}

function readUtf16(file) {
    const bytes = fs.readFileSync(file);
    return bytes.subarray(bytes[0] === 0xff && bytes[1] === 0xfe ? 2 : 0).toString("utf16le");
}

function writeUtf16(file, text) {
    fs.writeFileSync(file, Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]));
}

// A copy of a published folder whose data file carries a style's values instead of its own
// (the events stay); returns the copy's folder.
function styleSite(published, styleProps, target) {
    fs.mkdirSync(target, { recursive: true });
    for (const name of fs.readdirSync(published)) fs.copyFileSync(path.join(published, name), path.join(target, name));
    const dataFile = fs.readdirSync(published).find((name) => name.endsWith(".xml"));
    const values = /<UserDefined>[\s\S]*<\/UserDefined>/.exec(fs.readFileSync(styleProps, "utf8"))[0];
    writeUtf16(path.join(target, dataFile), readUtf16(path.join(published, dataFile))
        .replace(/<UserDefined>[\s\S]*<\/UserDefined>/, values));
    return target;
}

module.exports = { KINDS, launch, serve, serveFiles, axeViolations, styleSite, readUtf16, writeUtf16 };
