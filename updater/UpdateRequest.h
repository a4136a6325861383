#pragma once

#include <string>

// The content server the update talks to when nothing else is configured.
inline constexpr const char* DEFAULT_CONTENT_SERVER = "127.0.0.1:8642";

// The environment variable that names another server as "host:port".
inline constexpr const char* CONTENT_SERVER_VARIABLE = "VANTORY_CONTENT_SERVER";

// VANTORY_CONTENT_SERVER when it is set and not empty, else the default.
std::string ContentServerFromEnvironment();

// The query of an index or listing request. No value is URL-encoded, but
// for the bytes of the group id that cannot stand in a request line (blank
// and control bytes), which are sent as "%XX".
std::string RequestQuery(int type, const std::string& act, const std::string& cat, int page,
                         const std::string& np);

// "http://" + server + "/xml_act.php?" + query.
std::string RequestAddress(const std::string& server, const std::string& query);
