#include "updater/UpdateRequest.h"

#include <cstdlib>

namespace {

// A blank or a control byte cannot stand in a request line; every other
// byte of an id goes out as it is, as the server has always received it.
std::string RequestLineSafe(const std::string& value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string ContentServerFromEnvironment()
{
    const char* value = std::getenv(CONTENT_SERVER_VARIABLE);
    return value && *value ? std::string(value) : std::string(DEFAULT_CONTENT_SERVER);
}

std::string RequestQuery(int type, const std::string& act, const std::string& cat, int page,
                         const std::string& np)
{
    // "a=vantory&t=%d&l=EN&act=%s&cat=%s&p=%d&np=%s&q=&c=US&h=1"
    return "a=vantory&t=" + std::to_string(type) + "&l=EN&act=" + act + "&cat=" + RequestLineSafe(cat)
        + "&p=" + std::to_string(page) + "&np=" + np + "&q=&c=US&h=1";
}

std::string RequestAddress(const std::string& server, const std::string& query)
{
    return "http://" + server + "/xml_act.php?" + query;
}
