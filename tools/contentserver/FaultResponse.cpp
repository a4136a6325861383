#include "tools/contentserver/FaultResponse.h"

#include <algorithm>

#include "tools/catgen/GeneratedCatalog.h"
#include "tools/catgen/PictureRenderer.h"

namespace {

constexpr const char* kErrorPage =
    "<!DOCTYPE html>\n<html><head><title>500 Internal Server Error</title></head>\n"
    "<body><h1>Internal Server Error</h1><p>The server could not complete your request."
    "</p></body></html>\n";

HttpReply Reply(int status, std::string contentType, std::string body)
{
    HttpReply reply;
    reply.status = status;
    reply.contentType = std::move(contentType);
    reply.body = std::move(body);
    return reply;
}

} // namespace

HttpReply FaultReply(const FaultRule& rule, const ContentStore::Answer& answer, bool binary)
{
    HttpReply reply = Reply(answer.status, answer.contentType, answer.body);
    reply.disposition = answer.disposition;
    switch (rule.kind) {
    case FaultRule::StatusCode: {
        const bool bodiless = rule.status < 200 || rule.status == 204 || rule.status == 304;
        return Reply(rule.status, "text/plain",
                     bodiless ? "" : "Error " + std::to_string(rule.status) + "\n");
    }
    case FaultRule::EmptyBody:
        return Reply(200, answer.contentType, "");
    case FaultRule::NotXml:
        return Reply(200, "text/html", kErrorPage);
    case FaultRule::OversizeBody: {
        if (answer.status != 200) {  // something of the right kind to pad
            GeneratedItem item;
            item.id = "0";
            reply.body = binary ? RenderPicture(1, item) : std::string(kErrorPage);
        }
        if (rule.bytes > 0 && reply.body.size() < static_cast<std::size_t>(rule.bytes))
            reply.body.resize(static_cast<std::size_t>(rule.bytes), binary ? '\0' : '\n');
        reply.status = 200;
        return reply;
    }
    case FaultRule::HostileDisposition:
        // Put in as it is: the name is the fault.
        reply.disposition = "attachment; filename=\"" + rule.fileName + "\"";
        return reply;
    case FaultRule::StallResponse:
        if (rule.bytes < 0) {  // not even the status line until the wait ends
            reply.silence = rule.seconds;
            return reply;
        }
        reply.pauseAtCut = rule.seconds;
        break;
    case FaultRule::DropConnection:
        reply.dropAtCut = true;
        break;
    }

    // The headers promise the whole body; only part of it follows.
    const std::size_t size = reply.body.size();
    std::size_t part = rule.bytes < 0 ? size / 2 : static_cast<std::size_t>(rule.bytes);
    if (reply.dropAtCut && part >= size && size > 0)
        part = size - 1;  // a drop always cuts the body short
    reply.cut = std::min(part, size);
    return reply;
}
