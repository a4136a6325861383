#pragma once

#include <string>
#include <string_view>

#include "xml/XmlNode.h"
#include "xml/XmlParseInfo.h"

class XmlEntityTable;

// Parses the NUL-terminated text at p into node (reset first; a non-blank
// value the node already holds is kept and no new text is read for it).
// Returns where parsing of the node ended inside that same text: after its
// closing tag, at a closing tag that belongs to an enclosing element, at the
// end of the text, or null when parsing stopped (no usable input, or an error
// recorded in info). The tree keeps everything built up to that point.
// The parser works on its own copy of the text, so the text need not outlive
// the tree; it never recurses, whatever the nesting depth.
const char* Parse(XmlNode& node, const char* p, XmlParseInfo& info);

// The same on a text given with its length; the text ends at its first NUL.
const char* Parse(XmlNode& node, std::string_view text, XmlParseInfo& info);

// Replaces each reference of the table found at a position (tried in table
// order, exactly) by its character, in a single left-to-right pass.
std::string DecodeReferences(const XmlEntityTable& table, std::string_view text);
