#include "tools/contentserver/ReplyBody.h"

#include <algorithm>
#include <cstring>

ReplyBody::ReplyBody(HttpReply reply, Sleep sleep)
    : m_reply(std::move(reply)), m_sleep(std::move(sleep))
{
}

ReplyBody::~ReplyBody()
{
    // The client went away, or the reply was never sent.
    Finish(m_handedOut);
}

long ReplyBody::Read(std::size_t position, char* buffer, std::size_t max)
{
    const std::string& body = m_reply.body;
    const std::size_t cut = std::min(m_reply.cut, body.size());
    std::size_t end = body.size();
    if (position < cut) {
        end = cut;
    } else if (position == cut && cut < body.size()) {
        // Called here only once the bytes before the cut went out.
        if (m_reply.dropAtCut || !m_sleep(m_reply.pauseAtCut)) {
            Finish(position);
            return -1;
        }
    }
    const std::size_t count = std::min(max, end - std::min(position, end));
    if (position + count == body.size())
        Finish(body.size());
    std::memcpy(buffer, body.data() + position, count);
    m_handedOut = position + count;
    return static_cast<long>(count);
}

void ReplyBody::Finish(std::size_t bytes)
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_reply.onDone)
        m_reply.onDone(bytes);
}
