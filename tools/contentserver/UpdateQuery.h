#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalog/PercentDecoding.h"  // for the query's values

// The query of an update request, "a=vantory&t=26&l=EN&act=GAMESCONT&cat=12&p=2&np=30&q=&c=US&h=1".
// The program sends group ids as they are, without URL-encoding, so an id
// may hold "?", "*", "/", "\", "=" or even "&": the query is split leniently
// and every value is kept exactly as it came.
struct UpdateQuery
{
    std::optional<std::string> type;      // t
    std::optional<std::string> act;       // act
    std::optional<std::string> cat;       // cat: everything from "cat=" to the next "&" that
                                          // starts a parameter of the query ("&p=", ...), so
                                          // that "&" or "=" inside an id survives
    std::optional<std::string> page;      // p
    std::optional<std::string> pageSize;  // np
};

// The query of a request target: what follows its first "?" ("" if none).
std::string_view TargetQuery(std::string_view target);
// The path of a request target: what precedes its first "?".
std::string_view TargetPath(std::string_view target);

UpdateQuery ParseUpdateQuery(std::string_view query);

// A decimal number of at most nine digits, optionally negative; nullopt for
// anything else ("", "1x", " 1").
std::optional<int> ParseQueryNumber(std::string_view text);
