#include "search/SearchText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace {

constexpr std::pair<std::string_view, char> kReferences[] = {
    {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''},
};

bool IsAscii(unsigned char c)
{
    return c < 0x80;
}

// What the user sees of catalog text: references decoded, tags dropped.
void Shown(std::string_view text, bool stripTags, std::string& shown)
{
    shown.clear();
    const std::string_view stops = stripTags ? "&<" : "&";
    size_t i = 0;
    while (i < text.size()) {
        const size_t stop = text.find_first_of(stops, i);
        shown.append(text.substr(i, stop - i));
        if (stop == std::string_view::npos)
            return;
        i = stop;
        if (text[i] == '&') {
            bool decoded = false;
            for (const auto& [reference, character] : kReferences) {
                if (text.substr(i, reference.size()) == reference) {
                    shown += character;
                    i += reference.size();
                    decoded = true;
                    break;
                }
            }
            if (!decoded)
                shown += text[i++];
            continue;
        }
        const size_t close = text.find('>', i);
        if (close == std::string_view::npos) {
            shown += text[i++];
        } else {
            // A tag stands between words: "a<br>b" reads as two.
            shown += ' ';
            i = close + 1;
        }
    }
}

bool IsPlain(std::string_view text, bool stripTags)
{
    return text.find('&') == std::string_view::npos && (!stripTags || text.find('<') == std::string_view::npos);
}

// A run of non-ASCII text through the Unicode library.
void AppendFoldedRun(std::string_view run, std::string& out)
{
    UErrorCode status = U_ZERO_ERROR;
    static const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(run.data(), static_cast<int32_t>(run.size())));
    text.foldCase(U_FOLD_CASE_DEFAULT);
    if (nfd && U_SUCCESS(status)) {
        UErrorCode normalizing = U_ZERO_ERROR;
        icu::UnicodeString decomposed = nfd->normalize(text, normalizing);
        if (U_SUCCESS(normalizing))
            text = std::move(decomposed);
    }
    icu::UnicodeString kept;
    for (int32_t i = 0; i < text.length();) {
        const UChar32 c = text.char32At(i);
        i += U16_LENGTH(c);
        if (u_charType(c) != U_NON_SPACING_MARK && c != 0)
            kept.append(c);
    }
    kept.toUTF8String(out);
}

// The length of the ASCII bytes at the start of the text; eight at a time.
size_t AsciiPrefix(std::string_view text)
{
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < text.size() && IsAscii(static_cast<unsigned char>(text[i])))
        ++i;
    return i;
}

// Appends ASCII text lower-cased, without NUL bytes.
void AppendAscii(std::string_view ascii, std::string& out)
{
    const size_t from = out.size();
    out.resize(from + ascii.size());
    char* to = out.data() + from;
    bool nul = false;
    // A plain loop over raw bytes, which the compiler turns into vector code.
    for (size_t i = 0; i < ascii.size(); ++i) {
        const auto c = static_cast<unsigned char>(ascii[i]);
        nul |= c == 0;
        to[i] = static_cast<char>(static_cast<unsigned>(c - 'A') < 26u ? c + ('a' - 'A') : c);
    }
    if (nul)
        out.erase(std::remove(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(), '\0'), out.end());
}

// ASCII spans folded here, each run of non-ASCII bytes handed to run().
template <typename Run>
void AppendFoldedWith(std::string_view text, std::string& out, Run run)
{
    while (!text.empty()) {
        const size_t ascii = AsciiPrefix(text);
        AppendAscii(text.substr(0, ascii), out);
        text.remove_prefix(ascii);
        if (text.empty())
            break;
        // Up to the next ASCII byte: the Unicode library takes the run whole,
        // so combining marks stay with the letters they follow.
        size_t end = 1;
        while (end < text.size() && !IsAscii(static_cast<unsigned char>(text[end])))
            ++end;
        run(text.substr(0, end));
        text.remove_prefix(end);
    }
}

} // namespace

void AppendFolded(std::string_view text, std::string& out)
{
    AppendFoldedWith(text, out, [&](std::string_view run) { AppendFoldedRun(run, out); });
}

void SearchFolder::AppendPlain(std::string_view text, std::string& out)
{
    AppendFoldedWith(text, out, [&](std::string_view run) {
        auto it = m_runs.find(run);
        if (it == m_runs.end()) {
            std::string folded;
            AppendFoldedRun(run, folded);
            it = m_runs.emplace(std::string(run), std::move(folded)).first;
        }
        out += it->second;
    });
}

void SearchFolder::Append(std::string_view text, bool stripTags, std::string& out)
{
    if (IsPlain(text, stripTags)) {
        AppendPlain(text, out);
        return;
    }
    Shown(text, stripTags, m_shown);
    AppendPlain(m_shown, out);
}

std::string FoldCatalogText(std::string_view text, bool stripTags)
{
    std::string folded;
    folded.reserve(text.size());
    SearchFolder().Append(text, stripTags, folded);
    return folded;
}

std::vector<std::string> FoldQueryWords(std::string_view query)
{
    std::string folded;
    AppendFolded(query, folded);
    // White space of any script separates words.
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(folded);
    std::vector<std::string> words;
    icu::UnicodeString word;
    const auto flush = [&] {
        if (word.isEmpty())
            return;
        std::string utf8;
        word.toUTF8String(utf8);
        words.push_back(std::move(utf8));
        word.remove();
    };
    for (int32_t i = 0; i < text.length();) {
        const UChar32 c = text.char32At(i);
        i += U16_LENGTH(c);
        if (u_isUWhiteSpace(c))
            flush();
        else
            word.append(c);
    }
    flush();
    return words;
}
