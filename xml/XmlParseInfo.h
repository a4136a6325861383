#pragma once

#include <cstdint>
#include <string>

class XmlEntityTable;

// Parse options in, the first error of the record's lifetime out.
struct XmlParseInfo
{
    bool trimText = false;          // element text and attribute values lose surrounding white space
    bool decodeReferences = true;   // element text and attribute values are decoded with entityTable
    const XmlEntityTable* entityTable = nullptr;  // null disables decoding
    char escapeChar = '\\';         // 0 disables escaping
    bool tolerateMismatch = false;  // a closing tag of another element does not stop the parse

    // Error report. Only the first error is kept: once errorOccurred is set,
    // later errors change nothing (the parse still stops at them).
    bool errorOccurred = false;
    const char* errorPosition = nullptr;  // into the text the caller passed
    int32_t errorCode = 0;
    std::string errorText;
};

// Error codes recorded in XmlParseInfo::errorCode.
enum XmlParseError : int32_t
{
    XmlErrorNone = 0,
    XmlErrorNotClosed = 1,       // "Element must be closed."
    XmlErrorNoClosingName = 2,   // "it must be closed with </%s>"
    XmlErrorMismatch = 3,        // "'<%s> ... </%s>' is not wel-formed."
    XmlErrorAttribute = 4,       // "<%s> attribute has error "
};

// A parse info with the options every caller of the program uses: no trim,
// decoding with the default table, backslash escapes, mismatches not tolerated.
XmlParseInfo DefaultParseInfo();

// The one record the whole program parses with. Nobody resets its error.
XmlParseInfo& SharedParseInfo();
