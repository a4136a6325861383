#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xml/XmlNode.h"

class XmlEntityTable;

struct XmlOutputOptions
{
    bool encodeReferences = true;                 // an element's own text is encoded
    const XmlEntityTable* entityTable = nullptr;  // null disables encoding
};

// Encoding on, with the default entity table: what every caller passes.
const XmlOutputOptions& SharedOutputOptions();

// First child of that exact name, in document order; null if none.
const XmlNode* GetChild(const XmlNode& node, std::string_view name);

// All children of that exact name, in document order.
std::vector<const XmlNode*> GetChildren(const XmlNode& node, std::string_view name);

// First attribute of that exact name; null if none.
const XmlAttribute* GetAttribute(const XmlNode& node, std::string_view name);

// The node's text. For an element: the texts of its children in document
// order (with the shared options), then its own value, encoded when the
// options say so. CDATA gives its raw value; comments and processing
// instructions give nothing; a document node concatenates its children's
// texts with the options given. Works without recursion at any depth.
std::string GetText(const XmlNode& node, const XmlOutputOptions& options);

// Each character that has an entry in the table replaced by its reference.
std::string EncodeReferences(const XmlEntityTable* table, std::string_view text);
