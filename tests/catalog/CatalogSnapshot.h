#pragma once

#include <string>
#include <vector>

class ContentCatalog;

// Every group and item field of a catalog as printable lines (bytes outside
// printable ASCII as \xNN), for comparisons whose failures can be read.
std::vector<std::string> Snapshot(const ContentCatalog& catalog);

// Builds XML for tests: <tag>text</tag> with the text as given (raw XML).
std::string Element(const std::string& tag, const std::string& text);
std::string IndexXml(const std::vector<std::pair<std::string, std::string>>& idAndLib);
