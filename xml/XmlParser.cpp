#include "xml/XmlParser.h"

#include <cstring>
#include <vector>

#include "xml/XmlArena.h"
#include "xml/XmlEntityTable.h"
#include "xml/XmlScan.h"

using namespace xmlscan;

namespace {

constexpr ByteSet kTagNameEnd(" />\t\r\n");
constexpr ByteSet kAttributeNameEnd(" =");
constexpr ByteSet kClosingNameEnd(" >");
constexpr ByteSet kUnquotedValueEnd(" >");

constexpr std::string_view kCommentName = "#COMMENT";
constexpr std::string_view kCdataName = "#CDATA";

std::string Format(std::string_view pattern, std::string_view a, std::string_view b = {})
{
    std::string out;
    bool first = true;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            out += first ? a : b;
            first = false;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// One parse of a text copy held in the tree's arena. Elements are parsed
// with an explicit stack instead of recursion, so nesting depth is bounded
// by memory only; the order of every effect on the tree is that of the
// recursive definition (a child is appended to its parent when its own parse
// is over, comments go to the parent as soon as they are read).
class Parser
{
public:
    Parser(char* text, size_t length, const char* callerText, XmlParseInfo& info, XmlArena& arena)
        : m_begin(text), m_end(text + length), m_caller(callerText), m_info(info), m_arena(arena)
    {
        m_plainSpaces = !IsSpace(info.escapeChar);
        for (char c : std::string_view(" \t\n\v\f\r"))
            if (info.entityTable && info.entityTable->StartsReference(c))
                m_plainSpaces = false;
    }

    const char* Run(XmlNode& top);

private:
    struct Step
    {
        char* pos;
        bool inChildLoop;  // false: the node's parse is over and pos is its result
    };

    Step Enter(XmlNode& node, char* p);
    Step AfterChild(XmlNode& node, XmlNode& child, char* result);
    Step Continue(XmlNode& node, char* result);
    [[gnu::noinline]] Step CloseOther(XmlNode& node, char* name);
    Step SpecialNodes(XmlNode& node, char* p);
    char* Attributes(XmlNode& node, char* p);
    // Text up to the next unescaped stop byte (or the end) into target;
    // returns where it stopped. Indentation between tags is by far the most
    // common text, and white space needs neither unescaping nor decoding.
    char* ReadText(std::string_view& target, char* start, char stop, XmlNode* owner = nullptr)
    {
        if (m_plainSpaces) {
            char* q = SkipSpaces(start);
            if (*q == stop && q > start) {
                if (!m_info.trimText) {
                    target = std::string_view(start, static_cast<size_t>(q - start));
                    if (owner)
                        owner->MarkPlainValue();
                }
                return q;
            }
        }
        return ReadTextRun(target, start, stop, owner);
    }
    char* ReadTextRun(std::string_view& target, char* start, char stop, XmlNode* owner);
    void StoreText(std::string_view& target, char* start, char* end, bool escaped = true,
                   bool reference = true);
    XmlNode* NewChild(XmlNode& parent);
    void Error(XmlParseError code, const char* at, std::string text);
    const char* ToCaller(const char* p) const { return p ? m_caller + (p - m_begin) : nullptr; }

    char* const m_begin;
    char* const m_end;
    const char* const m_caller;
    XmlParseInfo& m_info;
    XmlArena& m_arena;
    XmlNode* m_spare = nullptr;  // a dropped nameless child, reused for the next one
    bool m_plainSpaces;          // white space is never an escape or a reference
};

const char* Parser::Run(XmlNode& top)
{
    Step step = Enter(top, m_begin);
    if (!step.inChildLoop)
        return ToCaller(step.pos);

    std::vector<XmlNode*>& stack = m_arena.parseStack;
    stack.assign(1, &top);
    char* pos = step.pos;
    while (true) {
        XmlNode* node = stack.back();
        char* result;
        if (pos >= m_end) {
            result = pos;  // an element still open at the end of the text is accepted
        } else if (pos[0] == '<' && pos[1] == '/') {
            // A child parse would stop at once on this closing tag and leave a
            // nameless child to drop: go straight to the closing-tag check.
            step = Continue(*node, pos);
            if (step.inChildLoop) {
                pos = step.pos;
                continue;
            }
            result = step.pos;
        } else {
            XmlNode* child = NewChild(*node);
            step = Enter(*child, pos);
            if (step.inChildLoop) {
                stack.push_back(child);
                pos = step.pos;
                continue;
            }
            step = AfterChild(*node, *child, step.pos);
            if (step.inChildLoop) {
                pos = step.pos;
                continue;
            }
            result = step.pos;
        }
        // `node` is done: hand its result to the enclosing elements until one
        // of them goes on with its child loop.
        while (true) {
            stack.pop_back();
            if (stack.empty())
                return ToCaller(result);
            XmlNode* parent = stack.back();
            step = AfterChild(*parent, *node, result);
            if (step.inChildLoop) {
                pos = step.pos;
                break;
            }
            result = step.pos;
            node = parent;
        }
    }
}

XmlNode* Parser::NewChild(XmlNode& parent)
{
    XmlNode* child = m_spare;
    m_spare = nullptr;
    if (!child)
        return m_arena.New<XmlNode>(&parent, parent.type, &m_arena);
    child->name = {};
    child->value = {};
    child->parent = &parent;
    child->type = parent.type;
    child->next = nullptr;
    return child;
}

Parser::Step Parser::Enter(XmlNode& node, char* p)
{
    Reset(node);
    char* lt = *p == '<' ? p : static_cast<char*>(std::memchr(p, '<', static_cast<size_t>(m_end - p)));
    if (!lt)
        return {nullptr, false};
    if (lt[1] == '/')
        return {lt, false};  // a closing tag: the caller's business

    char* tag = lt;
    if (lt[1] == '?' || lt[1] == '!') {
        Step special = SpecialNodes(node, lt);
        if (special.inChildLoop)
            return {special.pos, false};  // a comment or CDATA child of the parent was read
        tag = special.pos;
    }
    if (tag >= m_end)
        return {nullptr, false};

    char* nameEnd = FindNameEnd(tag + 1, m_end, kTagNameEnd);
    if (!nameEnd)
        return {nullptr, false};
    node.name = std::string_view(tag + 1, static_cast<size_t>(nameEnd - (tag + 1)));

    char* at = Attributes(node, nameEnd);
    if (!at)
        return {nullptr, false};
    if (*at == '/') {
        if (at[1] == '>')
            return {at + 2, false};
        Error(XmlErrorNotClosed, at + 1, "Element must be closed.");
        return {nullptr, false};
    }
    char* pos = at;  // at '>'
    if (IsBlank(node.value))
        pos = ReadText(node.value, at + 1, '<', &node);
    return {pos, true};
}

Parser::Step Parser::AfterChild(XmlNode& node, XmlNode& child, char* result)
{
    if (!child.name.empty())
        node.children.Append(&child);
    else
        m_spare = &child;
    return Continue(node, result);
}

// The rest of one round of the child loop, once the child's parse ended at
// `result`: a closing tag or the element's text.
Parser::Step Parser::Continue(XmlNode& node, char* result)
{
    if (!result)
        return {nullptr, false};

    char* pos = result;
    if (pos[0] == '<' && pos[1] == '/') {
        char* name = SkipSpaces(pos + 2);
        // Tag names hold neither blank nor ">", so the closing name equals
        // the open one exactly when the text continues with it and a delimiter.
        const size_t length = node.name.size();
        if (length && static_cast<size_t>(m_end - name) > length &&
            SameName(std::string_view(name, length), node.name) && (name[length] == '>' || name[length] == ' '))
            return {name + length + 1, false};
        return CloseOther(node, name);
    }
    if (IsBlank(node.value) && *pos != '<')
        pos = ReadText(node.value, pos, '<', &node);
    return {pos, true};
}

// A closing tag that is not simply the open element's own.
Parser::Step Parser::CloseOther(XmlNode& node, char* name)
{
    char* nameEnd = FindAnyOf(name, kClosingNameEnd);
    if (!nameEnd) {
        Error(XmlErrorNoClosingName, name, Format("it must be closed with </%s>", node.name));
        return {nullptr, false};
    }
    std::string_view closing(name, static_cast<size_t>(nameEnd - name));
    if (SameName(closing, node.name))
        return {nameEnd + 1, false};
    char* pos = nameEnd + 1;
    if (m_info.tolerateMismatch)
        return {pos, true};
    Error(XmlErrorMismatch, pos, Format("'<%s> ... </%s>' is not wel-formed.", node.name, closing));
    return {nullptr, false};
}

// Processing instructions, comments and CDATA sections in front of a tag.
// inChildLoop set in the result means: a comment or CDATA child of the
// node's parent was consumed, which ends this node's parse.
Parser::Step Parser::SpecialNodes(XmlNode& node, char* p)
{
    struct Kind
    {
        std::string_view open, close, name;
        XmlNodeType type;
    };
    static constexpr Kind kKinds[] = {
        {"<!--", "-->", kCommentName, XmlComment},
        {"<![cdata[", "]]>", kCdataName, XmlCdata},
    };

    bool consumed = true;
    while (consumed) {
        consumed = false;
        p = SkipSpaces(p);
        if (StartsWithNoCase(p, "<?")) {
            char* close = FindNoCase(p + 2, m_end, "?>", m_info.escapeChar);
            p = close < m_end ? close + 2 : m_end;
            consumed = true;
        }
        for (const Kind& kind : kKinds) {
            p = SkipSpaces(p);
            if (!StartsWithNoCase(p, kind.open))
                continue;
            char* start = p + kind.open.size();
            char* close = FindNoCase(start, m_end, kind.close, m_info.escapeChar);
            if (node.parent) {
                XmlNode* special = m_arena.New<XmlNode>(node.parent, kind.type, &m_arena);
                special->name = kind.name;
                special->value = std::string_view(start, static_cast<size_t>(close - start));
                node.parent->children.Append(special);
            }
            p = close < m_end ? close + kind.close.size() : m_end;
            consumed = true;
            if (node.parent)
                return {p, true};
        }
    }
    return {p, false};
}

char* Parser::Attributes(XmlNode& node, char* p)
{
    while (true) {
        if (!p || p >= m_end)
            return nullptr;
        p = SkipSpaces(p);
        if (*p == '>' || *p == '/')
            return p;
        char* nameEnd = FindAnyOf(p, kAttributeNameEnd);
        if (!nameEnd) {
            Error(XmlErrorAttribute, p, Format("<%s> attribute has error ", node.name));
            return nullptr;
        }
        auto* attribute = m_arena.New<XmlAttribute>();
        attribute->name = std::string_view(p, static_cast<size_t>(nameEnd - p));
        attribute->owner = &node;
        node.attributes.Append(attribute);

        p = SkipSpaces(nameEnd);
        if (*p != '=')
            continue;
        p = SkipSpaces(p + 1);
        if (*p == '"' || *p == '\'') {
            char* close = ReadText(attribute->value, p + 1, *p);
            p = close < m_end ? close + 1 : m_end;
        } else {
            // Unquoted: an escape protects nothing here, and tab, line break
            // or "/" do not end the value.
            char* stop = FindAnyOf(p, kUnquotedValueEnd);
            char* end = stop ? stop : m_end;
            StoreText(attribute->value, p, end);
            p = end;
        }
    }
}

// `owner` is given for element text: its value is marked plain when the
// text held none of the characters that text output encodes.
char* Parser::ReadTextRun(std::string_view& target, char* start, char stop, XmlNode* owner)
{
    const char referenceStart = m_info.entityTable ? m_info.entityTable->CommonFirstCharacter() : 0;
    TextRun run = ScanText(start, m_end, stop, m_info.escapeChar, referenceStart, owner != nullptr);
    const char* before = target.data();
    StoreText(target, start, run.stop, run.escaped, run.reference);
    if (owner && target.data() != before && referenceStart == '&' && !run.escaped && !run.reference && !run.markup)
        owner->MarkPlainValue();
    return run.stop;
}

// Element text and attribute values: trimmed, unescaped and decoded as the
// parse info says, in place (the result is never longer than the source).
// An empty range leaves the target as it was.
void Parser::StoreText(std::string_view& target, char* start, char* end, bool escaped, bool reference)
{
    if (m_info.trimText) {
        while (start < end && IsSpace(*start))
            ++start;
        while (end > start && IsSpace(end[-1]))
            --end;
    }
    if (end <= start)
        return;
    if (escaped && m_info.escapeChar != 0)
        end = RemoveEscapes(start, end, m_info.escapeChar);
    if (reference && m_info.decodeReferences && m_info.entityTable)
        end = DecodeInPlace(start, end, *m_info.entityTable);
    target = std::string_view(start, static_cast<size_t>(end - start));
}

void Parser::Error(XmlParseError code, const char* at, std::string text)
{
    if (m_info.errorOccurred)
        return;
    m_info.errorOccurred = true;
    m_info.errorPosition = ToCaller(at);
    m_info.errorCode = code;
    m_info.errorText = std::move(text);
}

}  // namespace

const char* Parse(XmlNode& node, std::string_view text, XmlParseInfo& info)
{
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text = text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));

    XmlArena& arena = node.Arena();
    if (node.OwnsArena()) {
        // A top-level node parsed again: its old tree goes, its name and
        // value stay (a non-blank value keeps new text from being read).
        Reset(node);
        std::string name(node.name);
        std::string value(node.value);
        arena.Recycle();
        arena.keptName = std::move(name);
        arena.keptValue = std::move(value);
        node.name = arena.keptName;
        node.value = arena.keptValue;
    }
    char* copy = arena.CopyText(text.data(), text.size());
    Parser parser(copy, text.size(), text.data(), info, arena);
    return parser.Run(node);
}

const char* Parse(XmlNode& node, const char* p, XmlParseInfo& info)
{
    return Parse(node, std::string_view(p, std::strlen(p)), info);
}

std::string DecodeReferences(const XmlEntityTable& table, std::string_view text)
{
    std::string out(text);
    char* begin = out.data();
    char* end = DecodeInPlace(begin, begin + out.size(), table);
    out.resize(static_cast<size_t>(end - begin));
    return out;
}
