#include "tools/contentserver/FaultResponse.h"

#include <algorithm>

#include "tools/catgen/GeneratedCatalog.h"
#include "tools/catgen/PictureRenderer.h"

namespace {

constexpr const char* kErrorPage =
    "<!DOCTYPE html>\n<html><head><title>500 Internal Server Error</title></head>\n"
    "<body><h1>Internal Server Error</h1><p>The server could not complete your request."
    "</p></body></html>\n";

} // namespace

void RespondWithFault(const FaultRule& rule, const ContentStore::Answer& answer, bool media,
                      HttpExchange& exchange, const std::function<bool(double)>& sleep,
                      const std::function<void(int, std::size_t)>& complete)
{
    const auto send = [&](int status, const std::string& type, const std::string& body) {
        complete(status, body.size());
        exchange.Send(status, type, body);
    };
    switch (rule.kind) {
    case FaultRule::StatusCode: {
        const bool bodiless = rule.status < 200 || rule.status == 204 || rule.status == 304;
        send(rule.status, "text/plain",
             bodiless ? "" : "Error " + std::to_string(rule.status) + "\n");
        return;
    }
    case FaultRule::EmptyBody:
        send(200, answer.contentType, "");
        return;
    case FaultRule::NotXml:
        send(200, "text/html", kErrorPage);
        return;
    case FaultRule::OversizeBody: {
        std::string body = answer.body;
        if (answer.status != 200) {  // something of the right kind to pad
            GeneratedItem item;
            item.id = "0";
            body = media ? RenderPicture(1, item) : std::string(kErrorPage);
        }
        if (rule.bytes > 0 && body.size() < static_cast<std::size_t>(rule.bytes))
            body.resize(static_cast<std::size_t>(rule.bytes), media ? '\0' : '\n');
        send(200, answer.contentType, body);
        return;
    }
    case FaultRule::StallResponse:
        if (rule.bytes < 0) {
            // Nothing at all until the wait ends; a stop closes the connection.
            if (!sleep(rule.seconds)) {
                complete(answer.status, 0);
                exchange.Close();
                exchange.SendHead(answer.status, answer.contentType, answer.body.size());
                return;
            }
            send(answer.status, answer.contentType, answer.body);
            return;
        }
        break;
    case FaultRule::DropConnection:
        break;
    }

    // The headers promise the whole body; only part of it follows.
    const std::string& body = answer.body;
    const bool stall = rule.kind == FaultRule::StallResponse;
    std::size_t part = rule.bytes < 0 ? body.size() / 2 : static_cast<std::size_t>(rule.bytes);
    if (!stall && part >= body.size() && !body.empty())
        part = body.size() - 1;  // a drop always cuts the body short
    part = std::min(part, body.size());
    exchange.SendHead(answer.status, answer.contentType, body.size());
    exchange.SendBytes(std::string_view(body).substr(0, part));
    if (!stall || !sleep(rule.seconds)) {
        complete(answer.status, exchange.BodyBytesSent());
        exchange.Close();
        return;
    }
    complete(answer.status, body.size());
    exchange.SendBytes(std::string_view(body).substr(part));
}
