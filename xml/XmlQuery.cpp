#include "xml/XmlQuery.h"

#include "xml/XmlScan.h"

#include "xml/XmlEntityTable.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

const XmlOutputOptions& SharedOutputOptions()
{
    static const XmlOutputOptions options{true, &DefaultEntityTable()};
    return options;
}

namespace {

}  // namespace

const XmlNode* GetChild(const XmlNode& node, std::string_view name)
{
    for (const XmlNode& child : node.children)
        if (xmlscan::SameName(child.name, name))
            return &child;
    return nullptr;
}

std::vector<const XmlNode*> GetChildren(const XmlNode& node, std::string_view name)
{
    std::vector<const XmlNode*> found;
    for (const XmlNode& child : node.children)
        if (xmlscan::SameName(child.name, name))
            found.push_back(&child);
    return found;
}

const XmlAttribute* GetAttribute(const XmlNode& node, std::string_view name)
{
    for (const XmlAttribute& attribute : node.attributes)
        if (xmlscan::SameName(attribute.name, name))
            return &attribute;
    return nullptr;
}

namespace {

const XmlEntityTable* const kDefaultTable = &DefaultEntityTable();

// Position of the first byte at or after `from` that has an entry.
size_t FindEncoded(std::string_view text, size_t from, const XmlEntityTable& table)
{
    size_t i = from;
#ifdef __SSE2__
    const std::string& characters = table.EncodedCharacters();
    if (characters.size() == 5) {  // the predefined table: five compares a block, unrolled
        const __m128i c0 = _mm_set1_epi8(characters[0]), c1 = _mm_set1_epi8(characters[1]),
                      c2 = _mm_set1_epi8(characters[2]), c3 = _mm_set1_epi8(characters[3]),
                      c4 = _mm_set1_epi8(characters[4]);
        while (text.size() - i >= 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
            __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, c0), _mm_cmpeq_epi8(v, c1)),
                                        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, c2), _mm_cmpeq_epi8(v, c3)),
                                                     _mm_cmpeq_epi8(v, c4)));
            auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
            if (mask)
                return i + static_cast<size_t>(__builtin_ctz(mask));
            i += 16;
            if (i < text.size() && text.size() - i < 16 && text.size() - from >= 16) {
                // The last partial block as one block overlapping the previous
                // one, whose bytes are known to be clear.
                size_t last = text.size() - 16;
                v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + last));
                hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, c0), _mm_cmpeq_epi8(v, c1)),
                                    _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, c2), _mm_cmpeq_epi8(v, c3)),
                                                 _mm_cmpeq_epi8(v, c4)));
                mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
                return mask ? last + static_cast<size_t>(__builtin_ctz(mask)) : text.size();
            }
        }
    }
#endif
    for (; i < text.size(); ++i)
        if (table.ForCharacter(text[i]))
            return i;
    return text.size();
}

void AppendEncoded(std::string& out, std::string_view text, const XmlEntityTable& table)
{
    size_t i = FindEncoded(text, 0, table);
    if (i == text.size()) {
        out.append(text);
        return;
    }
    out.reserve(out.size() + text.size() + 16);
    size_t runStart = 0;
    while (i < text.size()) {
        out.append(text, runStart, i - runStart);
        out += table.ForCharacter(text[i])->Reference();
        runStart = i + 1;
        i = FindEncoded(text, runStart, table);
    }
    out.append(text, runStart, std::string_view::npos);
}

void AppendOwnText(std::string& out, const XmlNode& node, const XmlOutputOptions& options)
{
    if (node.type != XmlElement)
        return;
    // A plain value has none of the predefined five, so encoding it with
    // the default table would change nothing.
    const bool plain = node.HasPlainValue() && options.entityTable == kDefaultTable;
    if (options.encodeReferences && options.entityTable && !plain)
        AppendEncoded(out, node.value, *options.entityTable);
    else
        out += node.value;
}

bool HasChildTexts(const XmlNode& node)
{
    return (node.type == XmlElement || node.type == XmlDocument) && !node.children.empty();
}

// A node without children to visit: its whole text at once.
void AppendLeafText(std::string& out, const XmlNode& node, const XmlOutputOptions& options)
{
    if (node.type == XmlCdata)
        out += node.value;
    else
        AppendOwnText(out, node, options);
}

}  // namespace

std::string GetText(const XmlNode& node, const XmlOutputOptions& options)
{
    // The common case: an element without children whose text needs no encoding.
    if (node.type == XmlElement && node.children.empty() &&
        (!options.encodeReferences || !options.entityTable ||
         (node.HasPlainValue() && options.entityTable == kDefaultTable)))
        return std::string(node.value);

    std::string out;
    if (!HasChildTexts(node)) {
        AppendLeafText(out, node, options);
        return out;
    }

    // Children first, in document order, then the node's own value: a
    // post-order walk with an explicit stack, safe at any depth.
    struct Frame
    {
        const XmlNode* node;
        const XmlOutputOptions* options;
        const XmlNode* nextChild;
    };
    std::vector<Frame> stack{{&node, &options, node.children.First()}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (const XmlNode* child = top.nextChild) {
            top.nextChild = child->next;
            // Elements read their children with the shared options; a
            // document passes its own options on.
            const XmlOutputOptions* childOptions =
                top.node->type == XmlDocument ? top.options : &SharedOutputOptions();
            if (HasChildTexts(*child))
                stack.push_back({child, childOptions, child->children.First()});
            else
                AppendLeafText(out, *child, *childOptions);
            continue;
        }
        AppendOwnText(out, *top.node, *top.options);
        stack.pop_back();
    }
    return out;
}

std::string EncodeReferences(const XmlEntityTable* table, std::string_view text)
{
    std::string out;
    if (!table) {
        out = text;
        return out;
    }
    out.reserve(text.size());
    AppendEncoded(out, text, *table);
    return out;
}
