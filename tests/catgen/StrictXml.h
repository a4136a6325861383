#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// A deliberately strict reader for the generator's own output: an XML
// declaration, one root element, matching tags, quoted attributes and only
// the five predefined references. Anything else is an error, so
// a malformed page cannot pass for a lenient parser's partial tree.
struct StrictElement
{
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;  // decoded character data directly inside the element
    std::vector<StrictElement> children;

    const StrictElement* Child(std::string_view childName) const;
    std::vector<const StrictElement*> Children(std::string_view childName) const;
};

// Empty on success, otherwise what is wrong and where.
std::string ParseStrictXml(std::string_view text, StrictElement& root);

bool IsValidUtf8(std::string_view text);
