#include "xml/XmlScan.h"

#include "xml/XmlEntityTable.h"

namespace xmlscan {

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
    for (const XmlEntity& e : table.Entries()) {
        if (e.length <= 0)
            continue;
        std::string_view ref = e.Reference();
        if (static_cast<size_t>(end - r) >= ref.size() && std::memcmp(r, ref.data(), ref.size()) == 0)
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
