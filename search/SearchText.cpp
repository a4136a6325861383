#include "search/SearchText.h"

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
std::string Shown(std::string_view text, bool stripTags)
{
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') {
            bool decoded = false;
            for (const auto& [reference, character] : kReferences) {
                if (text.substr(i, reference.size()) == reference) {
                    shown += character;
                    i += reference.size() - 1;
                    decoded = true;
                    break;
                }
            }
            if (!decoded)
                shown += c;
        } else if (c == '<' && stripTags) {
            const size_t close = text.find('>', i);
            if (close == std::string_view::npos) {
                shown += c;
            } else {
                // A tag stands between words: "a<br>b" reads as two.
                shown += ' ';
                i = close;
            }
        } else {
            shown += c;
        }
    }
    return shown;
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

} // namespace

void AppendFolded(std::string_view text, std::string& out)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsAscii(c)) {
            if (c != 0)
                out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            ++i;
            continue;
        }
        // Up to the next ASCII byte: the Unicode library takes the run whole,
        // so combining marks stay with the letters they follow.
        size_t end = i;
        while (end < text.size() && !IsAscii(static_cast<unsigned char>(text[end])))
            ++end;
        AppendFoldedRun(text.substr(i, end - i), out);
        i = end;
    }
}

std::string FoldCatalogText(std::string_view text, bool stripTags)
{
    std::string folded;
    const bool plain = text.find('&') == std::string_view::npos
        && (!stripTags || text.find('<') == std::string_view::npos);
    if (plain) {
        folded.reserve(text.size());
        AppendFolded(text, folded);
    } else {
        const std::string shown = Shown(text, stripTags);
        folded.reserve(shown.size());
        AppendFolded(shown, folded);
    }
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
