#pragma once

#include <optional>
#include <string>
#include <string_view>

// A fault the content server injects into the responses it matches, for
// tests of what the program does when the server misbehaves.
//
// Build one with a kind and narrow it with conditions, for example
//     FaultRule::Drop().ForAct("CONT").ForGroup("12").Once()
//     FaultRule::Status(503).ForRequestNumber(3)
//     FaultRule::Stall(60).ForMedia()
//     FaultRule::HostileName("../../x").ForDownload("10017")
// Every condition given must hold; a rule without conditions matches every
// request. A rule applies to every request it matches, or with Once() to
// the first one only.
struct FaultRule
{
    enum Kind
    {
        StatusCode,     // answer with `status` and a short text body
        EmptyBody,      // 200 with an empty body
        NotXml,         // 200 with an HTML error page
        DropConnection, // the headers with the full Content-Length, `bytes` of the body
                        // (-1: half of it), then the connection is closed
        StallResponse,  // the headers and `bytes` of the body (-1: not even the headers),
                        // then nothing for `seconds` or until the server stops; after a
                        // wait that ran out the rest follows, on a stop the connection
                        // is closed
        OversizeBody,   // the body padded to `bytes` bytes (zero bytes after a picture
                        // or download, line feeds after a document); default 60000
        HostileDisposition, // the answer as it is, but offered as `fileName`: the
                        // header Content-Disposition: attachment; filename="<fileName>",
                        // the name put in as it is, quotes, slashes and all
    };

    Kind kind = StatusCode;
    int status = 500;
    long bytes = -1;
    double seconds = 0;
    std::string fileName = "../../x";
    bool once = false;

    // Conditions.
    std::optional<std::string> act;             // index and listing requests with that act
    std::optional<int> type;                    // ... with that t
    std::optional<std::string> group;           // ... whose cat, trimmed of blanks, is this
    std::optional<std::string> targetContains;  // any request whose raw target holds this
    std::optional<std::string> mediaContains;   // media requests whose path holds this
                                                // ("" for every media request)
    std::optional<std::string> downloadItem;    // download requests (/dl.php) of the item
                                                // with that id, JAD included ("" for every
                                                // download request)
    std::optional<long> requestNumber;          // the n-th request (from 1), counted as
                                                // ContentServer::Requests() counts

    static FaultRule Status(int code);
    static FaultRule Empty();
    static FaultRule Html();
    static FaultRule Drop(long bytesBeforeClose = -1);
    static FaultRule Stall(double seconds, long bytesBefore = 0);
    static FaultRule Oversize(long size = 60000);
    // No CR or LF in the name: the header could not be sent.
    static FaultRule HostileName(std::string fileName);

    FaultRule& ForAct(std::string value);
    FaultRule& ForType(int value);
    FaultRule& ForGroup(std::string value);
    FaultRule& ForTarget(std::string substring);
    FaultRule& ForMedia(std::string substring = {});
    FaultRule& ForDownload(std::string itemId = {});
    FaultRule& ForRequestNumber(long n);
    FaultRule& Once();
};

// What a rule is matched against.
struct FaultRequest
{
    long number = 0;
    std::string_view target;           // raw, as received
    bool isUpdate = false;             // a request of /xml_act.php
    std::string_view act;
    std::optional<int> type;
    std::string_view trimmedGroup;     // cat without leading and trailing blanks
    bool isMedia = false;
    std::string_view mediaPath;        // the address path of a media request
    bool isDownload = false;
    std::string_view downloadId;       // the id of a download request, as sent
};

bool Matches(const FaultRule& rule, const FaultRequest& request);

// A rule from the command line: words separated by blanks, exactly one of
// them the fault
//     status=N  empty  html  drop[=BYTES]  stall=SECONDS[/BYTES]
//     stall-silent=SECONDS  oversize[=BYTES]  disposition[=NAME]
// (NAME without blanks or control characters, default "../../x") and any
// of the conditions
//     all  act=ACT  type=T  group=ID  target=TEXT  media[=TEXT]
//     download[=ID]  n=N  once
// e.g. "drop act=CONT type=26 once". Returns "" and sets `rule`, or a message.
std::string ParseFaultRule(std::string_view text, FaultRule& rule);

// The rule as ParseFaultRule reads it, for the log.
std::string DescribeFaultRule(const FaultRule& rule);
