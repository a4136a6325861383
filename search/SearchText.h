#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text as search compares it: catalog text turned into what the user sees
// (the five character references decoded, for descriptions the markup tags
// removed), then case-folded, canonically decomposed and stripped of
// combining marks, so that "ete" finds "Été" and "MANANA" finds "mañana".
// The result is UTF-8 without NUL bytes; invalid UTF-8 folds to U+FFFD.

// Catalog text (a label, a description, a group label) as search compares it.
std::string FoldCatalogText(std::string_view text, bool stripTags);

// The words of a query, split at white space and folded as catalog text is
// (but taken as typed: "&amp;" stays five characters). None for a query of
// blanks only.
std::vector<std::string> FoldQueryWords(std::string_view query);

// Folds plain UTF-8 text (no references, no tags), appending to `out`.
void AppendFolded(std::string_view text, std::string& out);
