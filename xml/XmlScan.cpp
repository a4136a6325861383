#include "xml/XmlScan.h"

#include "xml/XmlEntityTable.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace xmlscan {

namespace {

bool IsMarkup(char c)
{
    return c == '>' || c == '"' || c == '\'';
}

}  // namespace

TextRun ScanText(char* p, char* end, char stop, char escape, char referenceStart, bool watchMarkup)
{
    if (escape != 0 && escape == stop)
        return {FindUnescaped(p, end, stop, escape), true, true, true};
    // A reference start that coincides with a delimiter cannot be told
    // apart here: then decoding always runs.
    const bool referenceKnown = referenceStart != 0 && referenceStart != stop && referenceStart != escape;
    TextRun run{end, false, !referenceKnown, !watchMarkup};
    const char ref = referenceKnown ? referenceStart : stop;
#ifdef __SSE2__
    const __m128i wantStop = _mm_set1_epi8(stop);
    const __m128i wantEscape = _mm_set1_epi8(escape != 0 ? escape : stop);
    // Once a kind of byte has decided its flag it is no longer looked for
    // (its compare then matches the stop byte only).
    __m128i wantRef = _mm_set1_epi8(ref);
    __m128i wantGreater = _mm_set1_epi8(watchMarkup ? '>' : stop);
    __m128i wantQuote = _mm_set1_epi8(watchMarkup ? '"' : stop);
    __m128i wantApos = _mm_set1_epi8(watchMarkup ? '\'' : stop);
    while (end - p >= 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, wantStop), _mm_cmpeq_epi8(v, wantEscape)),
                                    _mm_cmpeq_epi8(v, wantRef));
        hits = _mm_or_si128(hits, _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, wantGreater), _mm_cmpeq_epi8(v, wantQuote)),
                                               _mm_cmpeq_epi8(v, wantApos)));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask == 0) {
            p += 16;
            continue;
        }
        p += __builtin_ctz(mask);
        if (*p == stop) {
            run.stop = p;
            return run;
        }
        if (escape != 0 && *p == escape) {
            run.escaped = true;
            if (p + 1 < end && p[1] == ref)
                run.reference = true;  // unescaped before decoding, so it still counts
            p += 2;
            if (p >= end)
                return run;
            continue;
        }
        if (*p == ref) {
            // Text with a reference is decoded and encoded anyway: neither
            // more references nor raw markup matter from here on.
            run.reference = true;
            wantRef = wantGreater = wantQuote = wantApos = wantStop;
        } else {
            run.markup = true;
            wantGreater = wantQuote = wantApos = wantStop;
        }
        ++p;
    }
#endif
    while (p < end) {
        char c = *p;
        if (c == stop) {
            run.stop = p;
            return run;
        }
        if (escape != 0 && c == escape) {
            run.escaped = true;
            if (p + 1 < end && p[1] == ref)
                run.reference = true;
            p += 2;
            continue;
        }
        if (c == ref)
            run.reference = true;
        else if (IsMarkup(c))
            run.markup = true;
        ++p;
    }
    return run;
}

char* FindNameEnd(char* p, char* end, const ByteSet& set)
{
#ifdef __SSE2__
    const __m128i limit = _mm_set1_epi8('A');
    while (end - p >= 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Signed compare: bytes of multibyte characters count as low too,
        // and are then turned down by the lookup.
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(v, limit)));
        while (mask) {
            char* candidate = p + __builtin_ctz(mask);
            if (set[*candidate])
                return *candidate ? candidate : nullptr;
            mask &= mask - 1;
        }
        p += 16;
    }
#else
    (void)end;
#endif
    return FindAnyOf(p, set);
}

char* FindUnescaped(char* p, char* end, char c, char escape)
{
    if (escape == 0) {
        auto* hit = static_cast<char*>(std::memchr(p, c, static_cast<size_t>(end - p)));
        return hit ? hit : end;
    }
    if (escape == c) {
        // Every occurrence of c is an escape, which skips the next byte.
        while (p < end && *p == escape)
            p += 2;
        return p < end ? p : end;
    }
    while (p < end) {
        auto* hit = static_cast<char*>(std::memchr(p, c, static_cast<size_t>(end - p)));
        char* stop = hit ? hit : end;
        auto* esc = static_cast<char*>(std::memchr(p, escape, static_cast<size_t>(stop - p)));
        if (!esc)
            return stop;
        p = esc + 2;
    }
    return end;
}

char* FindNoCase(char* p, char* end, std::string_view delimiter, char escape)
{
    const size_t n = delimiter.size();
    for (; p < end && static_cast<size_t>(end - p) >= n; ++p) {
        if (escape != 0 && *p == escape)
            continue;
        size_t i = 0;
        while (i < n && Lower(p[i]) == Lower(delimiter[i]))
            ++i;
        if (i == n)
            return p;
    }
    return end;
}

char* RemoveEscapes(char* start, char* end, char escape)
{
    auto* first = static_cast<char*>(std::memchr(start, escape, static_cast<size_t>(end - start)));
    if (!first)
        return end;
    char* w = first;
    char* r = first;
    while (r < end) {
        if (*r == escape) {
            ++r;
            if (r < end)
                *w++ = *r++;
        } else {
            *w++ = *r++;
        }
    }
    return w;
}

namespace {

// The entry whose reference stands at r (entries in table order), or null.
const XmlEntity* ReferenceAt(const char* r, const char* end, const XmlEntityTable& table)
{
    const auto available = static_cast<size_t>(end - r);
    for (const XmlEntity& e : table.Entries()) {
        std::string_view ref = e.Reference();
        if (ref.empty() || available < ref.size() || (ref.size() > 1 && ref[1] != r[1]))
            continue;
        if (std::memcmp(r, ref.data(), ref.size()) == 0)
            return &e;
    }
    return nullptr;
}

}  // namespace

char* DecodeInPlace(char* start, char* end, const XmlEntityTable& table)
{
    const char common = table.CommonFirstCharacter();
    char* r = start;
    char* w = start;
    while (r < end) {
        char* next;
        if (common != 0) {
            next = static_cast<char*>(std::memchr(r, common, static_cast<size_t>(end - r)));
            if (!next)
                next = end;
        } else {
            next = r;
            while (next < end && !table.StartsReference(*next))
                ++next;
        }
        if (w != r)
            std::memmove(w, r, static_cast<size_t>(next - r));
        w += next - r;
        r = next;
        if (r == end)
            break;
        if (const XmlEntity* e = ReferenceAt(r, end, table)) {
            *w++ = e->character;
            r += e->Reference().size();
        } else {
            *w++ = *r++;
        }
    }
    return w;
}

}  // namespace xmlscan
