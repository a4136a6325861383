#include "tools/contentserver/ContentServerCommandLine.h"

#include "tools/cli/LongOptions.h"
#include "tools/contentserver/UpdateQuery.h"

std::string ParseContentServerCommandLine(const std::vector<std::string>& args,
                                          ContentServerCommandLine& out)
{
    out = ContentServerCommandLine();
    out.options.port = kDefaultContentPort;
    out.options.logToStderr = true;
    bool haveContent = false;
    static const std::vector<LongOption> options = {
        {"--content", true},    {"--host", true},        {"--port", true},
        {"--log", true},        {"--media-base", true},  {"--fault", true},
        {"--media-base-from-content"}, {"--no-rewrite"}, {"--hostile-ids"},
        {"--help"},             {"-h"},
    };
    const std::string error = ParseLongOptions(args, options, [&](std::string_view name, const std::string& value) {
        if (name == "--media-base-from-content") {
            out.options.mediaBase.clear();
        } else if (name == "--no-rewrite") {
            out.options.rewriteOwnAddresses = false;
        } else if (name == "--hostile-ids") {
            out.options.hostileIds = true;
        } else if (name == "--help" || name == "-h") {
            out.help = true;
        } else if (name == "--content") {
            if (value.empty())
                return std::string("expected a directory");
            out.options.contentDir = value;
            haveContent = true;
        } else if (name == "--host") {
            if (value.empty())
                return std::string("expected an address");
            out.options.host = value;
        } else if (name == "--port") {
            const auto port = ParseQueryNumber(value);
            if (!port || *port < 0 || *port > 65535)
                return std::string("expected a port from 0 to 65535");
            out.options.port = *port;
        } else if (name == "--log") {
            if (value.empty())
                return std::string("expected a file");
            out.options.logFile = value;
        } else if (name == "--media-base") {
            if (value.rfind("http://", 0) != 0)
                return std::string("expected an http:// address");
            out.options.mediaBase = value;
        } else {
            FaultRule rule;
            if (std::string bad = ParseFaultRule(value, rule); !bad.empty())
                return bad;
            out.faults.push_back(rule);
        }
        return std::string();
    });
    if (!error.empty())
        return error;
    if (!out.help && !haveContent)
        return "missing --content DIR";
    return {};
}

std::string ContentServerUsage()
{
    return "Usage: vantory-content-server --content DIR [options]\n"
           "Serves a content directory written by vantory-catgen to the program's update,\n"
           "and the items' downloads at /dl.php?t=CODE&id=ID (a game's JAD: &f=jad).\n"
           "\n"
           "  --content DIR              the directory holding data/ (and media/)\n"
           "  --host ADDRESS             address to listen on (default 127.0.0.1)\n"
           "  --port N                   port (default 8642; 0: any free port, printed)\n"
           "  --log FILE                 append one line per request to FILE (default stderr)\n"
           "  --media-base URL           address prefix of the content's media files\n"
           "  --media-base-from-content  take it from the content's first picture address\n"
           "                             (the default)\n"
           "  --no-rewrite               serve the content's addresses as they are, even when\n"
           "                             they name another port than this server's\n"
           "  --hostile-ids              add groups with unsafe ids (\"..\", \"../x\", \"/abs/x\",\n"
           "                             \"a/../../b\", \"x\\y\", \"a?b*c\", \" 12 \", a NUL byte)\n"
           "  --fault RULE               inject a fault; may be repeated, first match wins.\n"
           "                             RULE is one fault and any conditions, e.g.\n"
           "                             --fault 'drop act=CONT type=26 once'\n"
           "                 faults:     status=N empty html drop[=BYTES] stall=SECONDS[/BYTES]\n"
           "                             stall-silent=SECONDS oversize[=BYTES]\n"
           "                             disposition[=NAME] (offer the file as NAME, ../../x)\n"
           "                 conditions: all act=ACT type=T group=ID target=TEXT media[=TEXT]\n"
           "                             download[=ITEM_ID] n=N once\n"
           "  --help                     show this help\n";
}
