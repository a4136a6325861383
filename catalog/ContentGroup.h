#pragma once

#include <string>
#include <vector>

// One group (category) of a content type. Its items are not objects of their
// own: item i is entry i of each of the five lists, which always have the
// same length and order.
struct ContentGroup
{
    std::string lib;  // label shown in the tree; pages look groups up by it
    std::string id;   // identifier at the content server; names the data files

    std::vector<std::string> labels;
    std::vector<std::string> files;
    std::vector<std::string> ids;
    std::vector<std::string> urls;   // download addresses
    std::vector<std::string> descs;  // descriptions
};
