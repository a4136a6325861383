#include "updater/UpdateRequest.h"

#include <cstdlib>

std::string ContentServerFromEnvironment()
{
    const char* value = std::getenv(CONTENT_SERVER_VARIABLE);
    return value && *value ? std::string(value) : std::string(DEFAULT_CONTENT_SERVER);
}

std::string RequestQuery(int type, const std::string& act, const std::string& cat, int page,
                         const std::string& np)
{
    // "a=vantory&t=%d&l=EN&act=%s&cat=%s&p=%d&np=%s&q=&c=US&h=1"
    return "a=vantory&t=" + std::to_string(type) + "&l=EN&act=" + act + "&cat=" + cat
        + "&p=" + std::to_string(page) + "&np=" + np + "&q=&c=US&h=1";
}

std::string RequestAddress(const std::string& server, const std::string& query)
{
    return "http://" + server + "/xml_act.php?" + query;
}
