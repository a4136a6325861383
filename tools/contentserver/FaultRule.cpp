#include "tools/contentserver/FaultRule.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

#include "catalog/CatalogPaths.h"
#include "tools/catgen/GeneratedCatalog.h"

namespace {

std::optional<long> Number(std::string_view text, long low, long high)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

std::optional<double> Seconds(std::string_view text)
{
    const auto whole = Number(text.substr(0, text.find('.')), 0, 86400);
    if (!whole)
        return std::nullopt;
    double value = static_cast<double>(*whole);
    if (const auto dot = text.find('.'); dot != std::string_view::npos) {
        const std::string_view fraction = text.substr(dot + 1);
        if (fraction.empty() || fraction.size() > 3 || !Number(fraction, 0, 999))
            return std::nullopt;
        double scale = 0.1;
        for (const char c : fraction) {
            value += (c - '0') * scale;
            scale /= 10;
        }
    }
    return value;
}

} // namespace

FaultRule FaultRule::Status(int code)
{
    FaultRule rule;
    rule.kind = StatusCode;
    rule.status = code;
    return rule;
}

FaultRule FaultRule::Empty()
{
    FaultRule rule;
    rule.kind = EmptyBody;
    return rule;
}

FaultRule FaultRule::Html()
{
    FaultRule rule;
    rule.kind = NotXml;
    return rule;
}

FaultRule FaultRule::Drop(long bytesBeforeClose)
{
    FaultRule rule;
    rule.kind = DropConnection;
    rule.bytes = bytesBeforeClose;
    return rule;
}

FaultRule FaultRule::Stall(double seconds, long bytesBefore)
{
    FaultRule rule;
    rule.kind = StallResponse;
    rule.seconds = seconds;
    rule.bytes = bytesBefore;
    return rule;
}

FaultRule FaultRule::Oversize(long size)
{
    FaultRule rule;
    rule.kind = OversizeBody;
    rule.bytes = size;
    return rule;
}

FaultRule FaultRule::HostileName(std::string fileName)
{
    FaultRule rule;
    rule.kind = HostileDisposition;
    rule.fileName = std::move(fileName);
    return rule;
}

FaultRule& FaultRule::ForAct(std::string value) { act = std::move(value); return *this; }
FaultRule& FaultRule::ForType(int value) { type = value; return *this; }
FaultRule& FaultRule::ForGroup(std::string value) { group = std::move(value); return *this; }
FaultRule& FaultRule::ForTarget(std::string substring) { targetContains = std::move(substring); return *this; }
FaultRule& FaultRule::ForMedia(std::string substring) { mediaContains = std::move(substring); return *this; }
FaultRule& FaultRule::ForDownload(std::string itemId) { downloadItem = std::move(itemId); return *this; }
FaultRule& FaultRule::ForRequestNumber(long n) { requestNumber = n; return *this; }
FaultRule& FaultRule::Once() { once = true; return *this; }

bool Matches(const FaultRule& rule, const FaultRequest& request)
{
    if (rule.act && (!request.isUpdate || request.act != *rule.act))
        return false;
    if (rule.type && (!request.isUpdate || request.type != rule.type))
        return false;
    if (rule.group && (!request.isUpdate || request.trimmedGroup != TrimBlanks(*rule.group)))
        return false;
    if (rule.targetContains && request.target.find(*rule.targetContains) == std::string_view::npos)
        return false;
    if (rule.mediaContains &&
        (!request.isMedia || request.mediaPath.find(*rule.mediaContains) == std::string_view::npos))
        return false;
    if (rule.downloadItem &&
        (!request.isDownload || (!rule.downloadItem->empty() && request.downloadId != *rule.downloadItem)))
        return false;
    if (rule.requestNumber && request.number != *rule.requestNumber)
        return false;
    return true;
}

std::string ParseFaultRule(std::string_view text, FaultRule& rule)
{
    rule = FaultRule();
    bool haveFault = false;
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < text.size();) {
        const auto start = text.find_first_not_of(" \t", at);
        if (start == std::string_view::npos)
            break;
        const auto end = text.find_first_of(" \t", start);
        words.push_back(text.substr(start, end - start));
        at = end == std::string_view::npos ? text.size() : end;
    }
    if (words.empty())
        return "empty fault rule";

    for (const std::string_view word : words) {
        const auto eq = word.find('=');
        const std::string_view name = word.substr(0, eq);
        const bool hasValue = eq != std::string_view::npos;
        const std::string_view value = hasValue ? word.substr(eq + 1) : std::string_view();
        const std::string bad = "bad fault rule word '" + std::string(word) + "'";
        const bool isFault = name == "status" || name == "empty" || name == "html" ||
                             name == "drop" || name == "stall" || name == "stall-silent" ||
                             name == "oversize" || name == "disposition";
        if (isFault) {
            if (haveFault)
                return "more than one fault in '" + std::string(text) + "'";
            haveFault = true;
        }

        if (name == "status") {
            const auto code = Number(value, 100, 999);
            if (!code)
                return bad + ": expected status=N with N from 100 to 999";
            rule.kind = FaultRule::StatusCode;
            rule.status = static_cast<int>(*code);
        } else if ((name == "empty" || name == "html") && !hasValue) {
            rule.kind = name == "empty" ? FaultRule::EmptyBody : FaultRule::NotXml;
        } else if (name == "drop") {
            rule.kind = FaultRule::DropConnection;
            rule.bytes = -1;
            if (hasValue) {
                const auto n = Number(value, 0, 1L << 30);
                if (!n)
                    return bad + ": expected drop or drop=BYTES";
                rule.bytes = *n;
            }
        } else if (name == "stall" || name == "stall-silent") {
            const auto slash = value.find('/');
            const auto seconds = Seconds(value.substr(0, slash));
            if (!seconds)
                return bad + ": expected " + std::string(name) + "=SECONDS";
            rule.kind = FaultRule::StallResponse;
            rule.seconds = *seconds;
            rule.bytes = name == "stall" ? 0 : -1;
            if (slash != std::string_view::npos) {
                const auto n = name == "stall" ? Number(value.substr(slash + 1), 0, 1L << 30)
                                               : std::nullopt;
                if (!n)
                    return bad + ": expected stall=SECONDS/BYTES";
                rule.bytes = *n;
            }
        } else if (name == "oversize") {
            rule.kind = FaultRule::OversizeBody;
            rule.bytes = 60000;
            if (hasValue) {
                const auto n = Number(value, 0, 1L << 30);
                if (!n)
                    return bad + ": expected oversize or oversize=BYTES";
                rule.bytes = *n;
            }
        } else if (name == "disposition") {
            rule.kind = FaultRule::HostileDisposition;
            if (hasValue) {
                const bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
                    return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
                });
                if (!plain)
                    return bad + ": expected disposition or disposition=NAME";
                rule.fileName = std::string(value);
            }
        } else if (name == "all" && !hasValue) {
        } else if (name == "once" && !hasValue) {
            rule.once = true;
        } else if (name == "act" && hasValue && !value.empty()) {
            rule.act = std::string(value);
        } else if (name == "type" && hasValue) {
            const auto t = Number(value, 0, 1000);
            if (!t)
                return bad + ": expected type=CODE";
            rule.type = static_cast<int>(*t);
        } else if (name == "group" && hasValue) {
            rule.group = std::string(value);
        } else if (name == "target" && hasValue && !value.empty()) {
            rule.targetContains = std::string(value);
        } else if (name == "media") {
            rule.mediaContains = std::string(value);
        } else if (name == "download") {
            rule.downloadItem = std::string(value);
        } else if (name == "n" && hasValue) {
            const auto n = Number(value, 1, 1L << 40);
            if (!n)
                return bad + ": expected n=NUMBER from 1";
            rule.requestNumber = *n;
        } else {
            return bad;
        }
    }
    if (!haveFault)
        return "no fault in '" + std::string(text) +
               "' (status=N, empty, html, drop, stall=S, stall-silent=S, oversize or disposition)";
    return {};
}

std::string DescribeFaultRule(const FaultRule& rule)
{
    std::string out;
    switch (rule.kind) {
    case FaultRule::StatusCode: out = "status=" + std::to_string(rule.status); break;
    case FaultRule::EmptyBody: out = "empty"; break;
    case FaultRule::NotXml: out = "html"; break;
    case FaultRule::DropConnection:
        out = rule.bytes < 0 ? "drop" : "drop=" + std::to_string(rule.bytes);
        break;
    case FaultRule::StallResponse: {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%g", rule.seconds);
        out = rule.bytes < 0 ? std::string("stall-silent=") + seconds
                             : std::string("stall=") + seconds + "/" + std::to_string(rule.bytes);
        break;
    }
    case FaultRule::OversizeBody: out = "oversize=" + std::to_string(rule.bytes); break;
    case FaultRule::HostileDisposition: out = "disposition=" + rule.fileName; break;
    }
    if (rule.act)
        out += " act=" + *rule.act;
    if (rule.type)
        out += " type=" + std::to_string(*rule.type);
    if (rule.group)
        out += " group=" + *rule.group;
    if (rule.targetContains)
        out += " target=" + *rule.targetContains;
    if (rule.mediaContains)
        out += rule.mediaContains->empty() ? " media" : " media=" + *rule.mediaContains;
    if (rule.downloadItem)
        out += rule.downloadItem->empty() ? " download" : " download=" + *rule.downloadItem;
    if (rule.requestNumber)
        out += " n=" + std::to_string(*rule.requestNumber);
    if (rule.once)
        out += " once";
    return out;
}
