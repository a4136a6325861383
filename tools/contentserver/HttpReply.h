#pragma once

#include <cstddef>
#include <functional>
#include <string>

// What a handler of HttpDaemon answers, and how its body goes out. The
// defaults send the body whole; the rest shape the delivery for fault
// injection. Content-Length always announces the whole body.
struct HttpReply
{
    int status = 200;
    std::string contentType;  // "": no Content-Type header
    std::string disposition;  // "": no Content-Disposition header
    std::string body;

    // Seconds of nothing, not even the status line, before the reply goes
    // out; a stop meanwhile closes the connection without a word.
    double silence = 0;
    // Body bytes sent before the cut (none when at or past the end). At the
    // cut the connection closes (dropAtCut), or nothing follows for
    // pauseAtCut seconds and then the rest; a stop during the pause closes
    // the connection.
    std::size_t cut = std::string::npos;
    bool dropAtCut = false;
    double pauseAtCut = 0;

    // Called once with the body bytes sent (0 for HEAD), just before the
    // last of them go out or the connection closes, so that a client that
    // holds the whole answer, or saw the close, finds the request done.
    std::function<void(std::size_t)> onDone;
};
