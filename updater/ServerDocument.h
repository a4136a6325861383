#pragma once

#include <string>
#include <vector>

#include "xml/XmlNode.h"

// A document the content server answered with (a type index or a listing
// page), parsed with the program's parse options into a tree of its own.
class ServerDocument
{
public:
    explicit ServerDocument(const std::string& text);
    ServerDocument(const ServerDocument&) = delete;
    ServerDocument& operator=(const ServerDocument&) = delete;

    // The root's children named "ressource", in document order.
    std::vector<const XmlNode*> Ressources() const;

    // The root's attributes read as atoi reads them: 0 when absent or not a
    // number.
    int TotalResults() const;
    int MaxPage() const;

    // The text ends with the root element's end: the document arrived
    // whole. Inside it the parser stays lenient.
    bool IsWhole() const { return m_whole; }

    // What the update stores; anything else (an error page, a text that is
    // no XML, a document cut short) leaves the copy on disk as it was.
    // An index is any whole document.
    bool IsIndex() const { return m_whole; }
    // A listing page is a whole document whose root carries "max_page" and
    // "total_results".
    bool IsListing() const;

private:
    XmlNode m_root;
    bool m_whole = false;
};

// The "total_results" of a local listing page (text as read from disk), or
// `absent` when the text is empty.
int LocalTotal(const std::string& text, int absent);
