#include "search/SearchText.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// What of a text is markup: a query is taken as typed, catalog text as
// the user sees it (references decoded, in descriptions tags removed).
enum class Markup
{
    None,
    References,
    ReferencesAndTags,
};

bool FoldsAsItself(unsigned char c, Markup markup)
{
    return IsAscii(c) && c != 0 && !(markup != Markup::None && c == '&') &&
           !(markup == Markup::ReferencesAndTags && c == '<');
}

char AsciiLower(unsigned char c)
{
    return static_cast<char>(static_cast<unsigned>(c - 'A') < 26u ? c + ('a' - 'A') : c);
}

// Appends the longest start of the text whose bytes fold one by one (ASCII
// that is no NUL and no markup), lower-cased, and returns its length: most
// text is that whole, and is folded in one pass.
size_t AppendSimplePrefix(std::string_view text, Markup markup, std::string& out)
{
    const size_t from = out.size();
    out.resize(from + text.size());
    char* to = out.data() + from;
    size_t i = 0;
#ifdef __SSE2__
    // A markup byte that does not count is compared as NUL, a stop anyway.
    const __m128i amp = _mm_set1_epi8(markup == Markup::None ? '\0' : '&');
    const __m128i tag = _mm_set1_epi8(markup == Markup::ReferencesAndTags ? '<' : '\0');
    const __m128i zero = _mm_setzero_si128();
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit = _mm_set1_epi8(0x20);
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i stops =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, tag)), _mm_cmpeq_epi8(v, zero));
        // The sign bit marks a non-ASCII byte; the bytes before a stop are
        // left to the loop below.
        if (_mm_movemask_epi8(_mm_or_si128(stops, v)) != 0)
            break;
        const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_or_si128(v, _mm_and_si128(upper, caseBit)));
    }
#endif
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!FoldsAsItself(c, markup))
            break;
        to[i] = AsciiLower(c);
    }
    out.resize(from + i);
    return i;
}

// The length of the non-ASCII run that starts the text, up to the next
// ASCII byte: the Unicode library takes the run whole, so combining marks
// stay with the letters they follow.
size_t NonAsciiRun(std::string_view text)
{
    size_t end = 1;
    while (end < text.size() && !IsAscii(static_cast<unsigned char>(text[end])))
        ++end;
    return end;
}

// One pass over the text: what the markup makes of it (references
// decoded, tags read as a blank between words), ASCII lower-cased, each run
// of other text handed to foldRun. What a reference gives is taken as it
// stands, not read again.
template <typename FoldRun>
void AppendFoldedText(std::string_view text, Markup markup, std::string& out, FoldRun foldRun)
{
    for (;;) {
        text.remove_prefix(AppendSimplePrefix(text, markup, out));
        if (text.empty())
            return;
        const auto c = static_cast<unsigned char>(text[0]);
        if (!IsAscii(c)) {
            const size_t run = NonAsciiRun(text);
            foldRun(text.substr(0, run), out);
            text.remove_prefix(run);
        } else if (c == '&') {
            size_t length = 1;
            char shown = '&';
            for (const auto& [reference, character] : kReferences)
                if (text.starts_with(reference)) {
                    length = reference.size();
                    shown = character;
                    break;
                }
            out += shown;
            text.remove_prefix(length);
        } else if (c == '<') {
            // "a<br>b" reads as two words. A "<" that no ">" closes is text.
            const size_t close = text.find('>');
            out += close == std::string_view::npos ? '<' : ' ';
            text.remove_prefix(close == std::string_view::npos ? 1 : close + 1);
        } else {
            text.remove_prefix(1);  // NUL: no folded text holds one
        }
    }
}

} // namespace

void AppendFolded(std::string_view text, std::string& out)
{
    AppendFoldedText(text, Markup::None, out, AppendFoldedRun);
}

void SearchFolder::AppendRun(std::string_view run, std::string& out)
{
    auto it = m_runs.find(run);
    if (it == m_runs.end()) {
        std::string folded;
        AppendFoldedRun(run, folded);
        it = m_runs.emplace(std::string(run), std::move(folded)).first;
    }
    out += it->second;
}

void SearchFolder::Append(std::string_view text, bool stripTags, std::string& out)
{
    AppendFoldedText(text, stripTags ? Markup::ReferencesAndTags : Markup::References, out,
                     [this](std::string_view run, std::string& to) { AppendRun(run, to); });
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
