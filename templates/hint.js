// Shared script of the generated pages: the calls back into the program,
// the description hints shown on hover, and pictures that load as they come
// into view.
(function () {
    "use strict";

    // Every page comes at the same address, so the engine takes showing the
    // next one for a reload of this one and would scroll it to where this
    // one was left. A new page starts at its top.
    if ("scrollRestoration" in history)
        history.scrollRestoration = "manual";

    // The program's own calls: any method of window.external takes one
    // string, a command name optionally followed by "|" and its argument.
    function send(command) {
        if (window.external && typeof window.external.select === "function")
            window.external.select(command);
        return false;
    }

    // Catalog texts keep the five special characters as references, and the
    // tree compares labels as stored: an attribute value, which the browser
    // has decoded, is encoded again before it is sent.
    function stored(text) {
        return text.replace(/&/g, "&amp;").replace(/"/g, "&quot;").replace(/'/g, "&apos;")
            .replace(/</g, "&lt;").replace(/>/g, "&gt;");
    }

    var kinds = {
        "Ringtones (poly)": "rtpoly", "Ringtones (mono)": "rtmono", "Wallpapers": "wp",
        "Screen savers": "ss", "Java games": "java", "Logos": "logos", "Logos (big)": "logos_big"
    };

    window.vantorySelect = function (command) { return send(command); };
    window.vantorySelectGroup = function (element) { return send("selgroup|" + stored(element.getAttribute("data-group"))); };
    window.vantorySelectType = function (element) {
        var kind = kinds[element.getAttribute("data-type")];
        return kind ? send("selcnt|" + kind) : false;
    };

    var hint = null;

    function showHint(text, x, y) {
        if (!hint) {
            hint = document.createElement("div");
            hint.className = "hint";
            document.body.appendChild(hint);
        }
        hint.textContent = text;
        hint.style.display = "block";
        var room = document.documentElement.clientWidth;
        var left = Math.min(x + 16, room - hint.offsetWidth - 8);
        hint.style.left = Math.max(8, left) + window.scrollX + "px";
        hint.style.top = y + 18 + window.scrollY + "px";
    }

    function hideHint() {
        if (hint)
            hint.style.display = "none";
    }

    function hintOf(target) {
        for (var e = target; e && e.getAttribute; e = e.parentNode) {
            var text = e.getAttribute("data-hint");
            if (text !== null)
                return text.replace(/\s+/g, " ").trim();
        }
        return "";
    }

    document.addEventListener("mousemove", function (event) {
        var text = hintOf(event.target);
        if (text)
            showHint(text, event.clientX, event.clientY);
        else
            hideHint();
    });
    document.addEventListener("mouseleave", hideHint);

    // An item's picture is named by data-src and asked for when it nears the
    // view: a page of thousands of items would otherwise ask for every
    // picture at once and take many seconds to show.
    // A picture that cannot be had leaves its frame with a note instead.
    document.addEventListener("error", function (event) {
        var target = event.target;
        if (target.tagName === "IMG" && target.parentNode && target.parentNode.classList)
            target.parentNode.classList.add("missing");
    }, true);

    function loadPicture(img) {
        img.src = img.getAttribute("data-src");
        img.removeAttribute("data-src");
    }

    // One watch to a table row, which loads the row's pictures together:
    // a page of thousands of items has a third as many rows as pictures,
    // and setting up the watches is work before the page counts as loaded.
    function loadPicturesInView() {
        if (!("IntersectionObserver" in window)) {
            document.querySelectorAll("img[data-src]").forEach(loadPicture);
            return;
        }
        var rows = [];
        document.querySelectorAll("table.grid").forEach(function (table) {
            if (table.querySelector("img[data-src]"))
                rows.push.apply(rows, table.rows);
        });
        var loose = document.querySelectorAll("img[data-src]:not(table.grid img)");
        var observer = new IntersectionObserver(function (entries) {
            entries.forEach(function (entry) {
                if (!entry.isIntersecting)
                    return;
                observer.unobserve(entry.target);
                if (entry.target.tagName === "IMG")
                    loadPicture(entry.target);
                else
                    entry.target.querySelectorAll("img[data-src]").forEach(loadPicture);
            });
        }, { rootMargin: "600px 0px" });
        for (var r = 0; r < rows.length; ++r)
            if (rows[r].cells.length)
                observer.observe(rows[r]);
        for (var j = 0; j < loose.length; ++j)
            observer.observe(loose[j]);
    }

    // An items table of several cells to a row is laid out row by row (see
    // the style sheet) as soon as its first row is whole, which is before
    // anything of it is shown: the parser's changes reach this observer
    // ahead of the first paint. A row is whole once the next has begun, or
    // once the page is parsed.
    function layOutByRows(table) {
        var first = table.rows[0];
        if (table.rows.length < 2 && document.readyState === "loading")
            return false;
        var cell = first && first.cells[0];
        var item = cell && cell.firstElementChild;
        var cells = first ? first.cells.length : 0;
        if (cells >= 2 && cells <= 4 && item && item.classList.contains("item")) {
            table.style.setProperty("--cells", String(cells));
            table.classList.add("by-rows");
        }
        return true;
    }

    function itemsTable() {
        return document.querySelector("table.grid:not(.search-grid)");
    }

    // Cards not yet shown stand in at the height the style sheet guesses.
    // Once the first card has been drawn, the others take its height: the
    // page's length then comes out right for items of this kind, and End or
    // the end of the scroll bar reaches the last item at once, not rows
    // before it. The first card is watched, not measured once: the engine
    // draws it only frames after it is parsed, and again at a new width.
    function fitCardsNotShown(table) {
        var card = table.querySelector(".item");
        if (!card || !("ResizeObserver" in window))
            return;
        new ResizeObserver(function () {
            var style = getComputedStyle(card);
            var rest = card.getBoundingClientRect().height
                - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom)
                - parseFloat(style.borderTopWidth) - parseFloat(style.borderBottomWidth);
            if (rest > 0)
                table.style.setProperty("--item-rest", rest + "px");
        }).observe(card);
    }

    var tableWatch = new MutationObserver(function () {
        var table = itemsTable();
        if (table && layOutByRows(table))
            tableWatch.disconnect();
    });
    tableWatch.observe(document.documentElement, { childList: true, subtree: true });

    document.addEventListener("DOMContentLoaded", function () {
        tableWatch.disconnect();
        var table = itemsTable();
        if (table) {
            layOutByRows(table);
            fitCardsNotShown(table);
        }
        loadPicturesInView();
        // A table without cells: say so instead of showing nothing.
        var grids = document.querySelectorAll("table.grid");
        for (var i = 0; i < grids.length; ++i) {
            if (!grids[i].querySelector("td")) {
                var note = document.querySelector(".empty-note");
                if (note)
                    note.style.display = "block";
            }
        }
    });
})();
