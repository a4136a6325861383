#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/contentserver/ContentServerCommandLine.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    ContentServerCommandLine commandLine;
    const std::string error = ParseContentServerCommandLine(args, commandLine);
    if (!error.empty()) {
        std::fprintf(stderr, "vantory-content-server: %s\nTry 'vantory-content-server --help'.\n",
                     error.c_str());
        return 2;
    }
    if (commandLine.help) {
        std::fputs(ContentServerUsage().c_str(), stdout);
        return 0;
    }

    // Blocked before any thread starts, so that only sigwait below sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ContentServer server(commandLine.options);
    for (const FaultRule& rule : commandLine.faults)
        server.AddFault(rule);
    if (!server.Start()) {
        std::fprintf(stderr, "vantory-content-server: %s\n", server.Error().c_str());
        return 1;
    }
    std::printf("vantory-content-server: serving %s on %s\n",
                commandLine.options.contentDir.string().c_str(), server.Origin().c_str());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&signals, &signal);
    server.Stop();
    return 0;
}
