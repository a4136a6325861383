#pragma once

#include <string>

class XmlNode;

// A compact picture of a tree for comparisons in tests:
// name="value"{attr="v",...}(child,child), special characters as is.
std::string DumpTree(const XmlNode& node);
