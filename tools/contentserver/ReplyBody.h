#pragma once

#include <cstddef>
#include <functional>

#include "tools/contentserver/HttpReply.h"

// The body of an HttpReply, handed out piece by piece as the connection
// takes it, with the reply's cut, pause or drop; tells the reply when it is
// done (HttpReply::onDone), at the latest when destroyed.
class ReplyBody
{
public:
    // Waits the given seconds; false when the server stopped meanwhile.
    using Sleep = std::function<bool(double)>;

    ReplyBody(HttpReply reply, Sleep sleep);
    ~ReplyBody();
    ReplyBody(const ReplyBody&) = delete;
    ReplyBody& operator=(const ReplyBody&) = delete;

    const HttpReply& Reply() const { return m_reply; }

    // Copies the body bytes from `position` on, at most `max`, to `buffer`
    // and returns how many; -1 when the connection is to close there.
    long Read(std::size_t position, char* buffer, std::size_t max);
    // The reply is done with `bytes` of the body; later calls do nothing.
    void Finish(std::size_t bytes);

private:
    HttpReply m_reply;
    Sleep m_sleep;
    std::size_t m_handedOut = 0;
    bool m_finished = false;
};
