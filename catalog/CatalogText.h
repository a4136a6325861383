#pragma once

#include <cstddef>
#include <string>

// The longest value a cache line holds: with its line break it fits the
// 9998 bytes a cache line read returns.
inline constexpr size_t MAX_STORED_VALUE = 9997;

// Upper-cases the first code point of UTF-8 text; text that does not start
// with a valid UTF-8 sequence stays as it is.
void CapitaliseFirst(std::string& text);

// Replaces, in this order, every "&lt;" by "<", "&gt;" by ">", line feed and
// carriage return by a blank, "<b>" and "</b>" by a blank. Escaped bold
// tags thus go as well.
void CleanDescription(std::string& desc);

// Makes a value fit one cache line: each CR and LF becomes a blank and the
// value is cut to at most MAX_STORED_VALUE bytes, never inside a UTF-8
// sequence. Applying it twice changes nothing more.
void MakeStorableValue(std::string& value);

// The cut of MakeStorableValue alone, for values known to hold no CR or LF.
void CutToStoredLength(std::string& value);
