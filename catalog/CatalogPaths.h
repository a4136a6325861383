#pragma once

#include <string>
#include <string_view>

// Where the files of one content type live, relative to the working
// directory: data/<key>/ with the index, its cache, and per group its
// listing pages and its cache.

// The id without leading and trailing blanks (only " ", not tabs or line
// breaks), as the update sends and stores ids.
std::string_view TrimBlanks(std::string_view id);

// The id with every "?", "*", "/" and "\" replaced by "_".
std::string SafeFileName(const std::string& id);

// The name a group's files go by: SafeFileName of the id without leading and
// trailing blanks. The update sends and stores ids trimmed, so the loader
// must look for them under the same name.
std::string GroupFileName(const std::string& id);

std::string TypeDirectory(const std::string& key);                          // "data/<key>/"
std::string IndexXmlPath(const std::string& typeDir);                       // "cats.xml"
std::string IndexCachePath(const std::string& typeDir);                     // "cats.dat"
std::string GroupCachePath(const std::string& typeDir, const std::string& id);  // "data_<S>.dat"
// Page n (from 1) of the group's listing: "<S>/<n>.xml".
std::string ListingPagePath(const std::string& typeDir, const std::string& id, int page);
