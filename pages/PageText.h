#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The text operations the pages are built with. They work on bytes: the
// catalog's UTF-8 passes through unchanged.

// The text after the first `open` up to the first `close` behind it; "" when
// `close` does not follow. Both searches are exact. Without `open` the text
// is taken from its start.
std::string ExtractBetween(std::string_view text, std::string_view open, std::string_view close);

// Replaces every non-overlapping occurrence of `token`, scanning from the
// start, in one pass over the text.
void ReplaceAll(std::string& text, std::string_view token, std::string_view value);

// Fills a template in one pass: each placeholder of `fills` (a token that
// starts with "*") found in the text is replaced by its value, which is not
// searched again, so a value may hold any token. Where two tokens start at
// one place the first listed wins.
struct PageFill
{
    std::string_view token;
    std::string_view value;
};
std::string FillTemplate(std::string_view text, std::initializer_list<PageFill> fills);

// Appends text as it must stand in a page to show as itself, in an element
// or in a quoted attribute: "&", "<", ">", '"' and "'" as references. The
// apostrophe becomes "&#39;", which no page rewrite touches.
void AppendEscaped(std::string& out, std::string_view text);

// Rewrites the relative references of a page into absolute ones below the
// working directory `dir` (which ends in "/"): "tpl/img/", "styles.css",
// "img/", "hint.js" and "../data/" behind a double quote, then "&apos;" into
// an apostrophe.
std::string ResolvePagePaths(std::string page, std::string_view dir);

// A local path as it may stand in a page's address: the characters that
// would end or change an address ("%", "#", "?", quotes, "<", ">", "&",
// blanks and controls) percent-encoded, everything else as it is.
std::string EncodePathForPage(std::string_view path);
