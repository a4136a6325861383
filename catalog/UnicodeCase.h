#pragma once

// The simple upper-case mapping of a Unicode code point; the code point
// itself when it has none (or is not a code point at all).
char32_t UpperCodePoint(char32_t c);
