#pragma once

#include <string>
#include <string_view>

// Catalog labels hold the five special characters as XML references
// ("Rock &amp; roll"). The tree shows them as characters and keeps the label
// itself for every comparison; this gives the text shown.
std::string DisplayLabel(std::string_view label);
