"use strict";
// The helper's page: one Ruffle player at a time, driven by the program through
// window.revuroFlash and reporting to it through requests to the program's own scheme.
(() => {
    const MOVIE_PATH = "/movie/";
    // What the program's action on a movie's last frame asks for: /movie/<id>.pass
    const PASS_PATH = /^\/movie\/(\d+)\.pass$/;
    const RUFFLE_PATH = "/ruffle/";

    // Nothing of Ruffle's own is shown: no splash, menus, overlays, downloads or error panel,
    // and the movie may reach nothing outside (the program refuses it all the same).
    const CONFIG = {
        autoplay: "on",
        unmuteOverlay: "hidden",
        splashScreen: false,
        contextMenu: "off",
        menu: false,
        letterbox: "on",
        scale: "showAll",
        warnOnUnsupportedContent: false,
        showSwfDownload: false,
        allowScriptAccess: false,
        allowFullscreen: false,
        openUrlMode: "deny",
        upgradeToHttps: false,
        socketProxy: [],
        fontSources: [],
        credentialAllowList: [],
        logLevel: "error",
    };
    window.RufflePlayer = { config: { polyfills: false } };

    // Qt 6.4's web engine refuses fetch() on a scheme of the program's own, and Ruffle fetches
    // its code and the movie with it: those requests go through XMLHttpRequest instead. Nothing
    // else can be fetched.
    window.fetch = (input, init) => new Promise((resolve, reject) => {
        const url = new URL(input instanceof Request ? input.url : String(input), document.baseURI);
        const pass = url.origin === location.origin && PASS_PATH.exec(url.pathname);
        if (pass) {
            report("pass", { id: pass[1] });
            resolve(new Response("", { status: 200, headers: { "Content-Type": "text/plain" } }));
            return;
        }
        if (url.origin !== location.origin ||
            !(url.pathname.startsWith(RUFFLE_PATH) || url.pathname.startsWith(MOVIE_PATH))) {
            reject(new TypeError("refused: " + url.href));
            return;
        }
        const request = new XMLHttpRequest();
        request.open("GET", url.href);
        request.responseType = "arraybuffer";
        request.onload = () => {
            const type = request.getResponseHeader("Content-Type") || "application/octet-stream";
            const response = new Response(request.response, {
                status: 200,
                headers: { "Content-Type": type },
            });
            Object.defineProperty(response, "url", { value: url.href });
            resolve(response);
        };
        request.onerror = () => reject(new TypeError("cannot read " + url.href));
        const signal = init && init.signal;
        if (signal) {
            signal.addEventListener("abort", () => {
                request.abort();
                reject(new DOMException("aborted", "AbortError"));
            });
        }
        request.send();
    });

    // Reports go one at a time, so that the program gets them in order.
    const reports = [];
    let sending = false;
    function report(kind, fields) {
        const query = Object.entries(fields)
            .map(([name, value]) => encodeURIComponent(name) + "=" + encodeURIComponent(String(value)))
            .join("&");
        reports.push(new URL("/event/" + kind + "?" + query, location.origin).href);
        sendNext();
    }
    function sendNext() {
        if (sending || reports.length === 0) return;
        sending = true;
        const request = new XMLHttpRequest();
        request.open("GET", reports.shift());
        request.onloadend = () => {
            sending = false;
            sendNext();
        };
        request.send();
    }

    // Only Ruffle's drawing shows: its panels, messages and overlays stay invisible. An error
    // panel means the movie cannot be played.
    const ONLY_THE_PICTURE = "* { visibility: hidden !important; } canvas { visibility: visible !important; }";

    let player = null;
    let held = false;
    let volume = 0.5;

    function fail(p, id, reason) {
        if (p !== player) return;
        stop();
        report("failed", { id, reason });
    }

    function watchForErrors(p, id) {
        const root = p.shadowRoot;
        const style = document.createElement("style");
        style.textContent = ONLY_THE_PICTURE;
        root.appendChild(style);
        const check = () => {
            const panel = root.querySelector("#panic");
            if (!panel) return;
            // The panel's first sentence says what went wrong; the rest says what to do.
            const text = (root.querySelector("#panic-body") || panel).textContent.trim();
            fail(p, id, text.slice(0, text.indexOf(".") + 1) || text || "Ruffle's error panel");
        };
        new MutationObserver(check).observe(root, { childList: true, subtree: true });
    }

    function stop() {
        if (player) player.remove();
        player = null;
    }

    function load(id, url) {
        stop();
        const p = window.RufflePlayer.newest().createPlayer();
        player = p;
        watchForErrors(p, id);
        p.addEventListener("loadeddata", () => {
            if (p !== player) return;
            const api = p.ruffle();
            api.volume = volume;
            if (held) api.suspend();
            const metadata = api.metadata || {};
            // Two frames later the movie's first picture is on the screen.
            requestAnimationFrame(() => requestAnimationFrame(() => {
                if (p === player) report("loaded", { id, as3: metadata.isActionScript3 ? 1 : 0 });
            }));
        });
        document.body.appendChild(p);
        p.ruffle().load({ ...CONFIG, url }).catch((error) => fail(p, id, String(error)));
    }

    window.revuroFlash = {
        // Ruffle's renderer, when the program knows which one the machine can draw with.
        useRenderer(name) {
            CONFIG.preferredRenderer = name;
        },
        load,
        stop,
        hold(on) {
            held = on;
            if (!player || player.readyState !== 2) return;
            if (on) player.ruffle().suspend();
            else player.ruffle().resume();
        },
        volume(value) {
            volume = value;
            if (player) player.ruffle().volume = value;
        },
    };

    window.addEventListener("DOMContentLoaded", () => {
        if (window.RufflePlayer && typeof window.RufflePlayer.newest === "function")
            report("ready", {});
        else
            report("unavailable", { reason: "Ruffle did not start" });
    });
})();
