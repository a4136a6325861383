#pragma once

#include <string>
#include <string_view>

// "%XX" with two hex digits becomes that byte; everything else, "+" and a
// "%" without two hex digits after it included, stays as it is. For the
// parts of addresses: query values, path segments, file names.
std::string PercentDecoded(std::string_view text);
