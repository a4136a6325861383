#pragma once

#include <string>
#include <string_view>

// The file name a download is saved under, from what the server and the
// catalog say of it. Each step gives "" when it has nothing to offer.

// ASCII letters compared without case, as header names, parameter names
// and media types are.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The file name of a Content-Disposition header value: filename* (UTF-8,
// percent-encoded) before filename (quoted or a token). Taken as sent:
// SafeFileName makes it safe.
std::string DispositionFileName(std::string_view header);

// The last segment of an address's path, percent-decoded; "" when the path
// ends in "/" or has none. The query and the fragment do not count.
std::string AddressFileName(std::string_view address);

// The extension (".mid", with its dot) that a Content-Type names; "" for a
// type that names none (parameters such as "; charset=" aside).
std::string ExtensionOfContentType(std::string_view contentType);

// A name that is safe as one file in a folder: no "/" (what stands before
// the last one, or before the last "\", is dropped), no control characters,
// no leading dots or blanks, no trailing dots or blanks, invalid UTF-8
// replaced, at most 200 bytes (cut at a character, the extension kept), and
// the extension of the content type added when it has none. "" when nothing
// is left.
std::string SafeFileName(std::string_view name, std::string_view contentType);

// The first of the disposition's name, the address's last segment and the
// item's label that gives a safe name; "download" when none does.
std::string ChooseFileName(std::string_view disposition, std::string_view address, std::string_view label,
                           std::string_view contentType);

// The n-th name to try in a folder where the name is taken: "Name (2).mid"
// for n = 2; the name itself for n = 1.
std::string NumberedFileName(std::string_view name, int n);
