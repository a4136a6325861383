#pragma once

#include <string>
#include <string_view>

// The Content-Disposition value that offers a file to save as `fileName`
// (UTF-8): `attachment; filename="..."`, the quoted name in plain ASCII
// with '"' and '\' escaped, characters beyond ASCII replaced by "_" and
// control characters dropped; and, when the name holds any character
// beyond ASCII, `filename*=UTF-8''...` with the whole name percent-encoded
// (RFC 6266), which readers that know it take instead.
std::string AttachmentDisposition(std::string_view fileName);
