#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// Folds much catalog text at once, as FoldCatalogText does: the Unicode
// library's answer for each run of non-ASCII text is kept, since a catalog
// says the same names and words again and again.
class SearchFolder
{
public:
    // FoldCatalogText(text, stripTags), appended to `out`.
    void Append(std::string_view text, bool stripTags, std::string& out);

private:
    // A run of non-ASCII text folded, from the kept answers when it came
    // before.
    void AppendRun(std::string_view run, std::string& out);

    struct RunHash
    {
        using is_transparent = void;
        size_t operator()(std::string_view run) const { return std::hash<std::string_view>()(run); }
    };
    std::unordered_map<std::string, std::string, RunHash, std::equal_to<>> m_runs;
};
