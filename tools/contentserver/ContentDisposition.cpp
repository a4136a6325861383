#include "tools/contentserver/ContentDisposition.h"

namespace {

// RFC 5987's attr-char: what stays as it is in an extended value.
bool IsAttributeCharacter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("!#$&+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

std::string AttachmentDisposition(std::string_view fileName)
{
    std::string quoted;
    std::string extended;
    bool beyondAscii = false;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        const auto c = static_cast<unsigned char>(fileName[i]);
        if (c < 0x20 || c == 0x7F)
            continue;
        if (IsAttributeCharacter(c)) {
            extended += static_cast<char>(c);
        } else {
            extended += '%';
            extended += kHex[c >> 4];
            extended += kHex[c & 15];
        }
        if (c >= 0x80) {
            beyondAscii = true;
            // One "_" a character: the lead byte counts, the continuation
            // bytes do not.
            if ((c & 0xC0) != 0x80)
                quoted += '_';
            continue;
        }
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += static_cast<char>(c);
    }
    std::string value = "attachment; filename=\"" + quoted + "\"";
    if (beyondAscii)
        value += "; filename*=UTF-8''" + extended;
    return value;
}
