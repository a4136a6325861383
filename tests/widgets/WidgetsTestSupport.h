#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

#include "TestDir.h"

// What the tests of the widgets share, browser or not: a test catalog on
// disk, the templates, waiting on the event loop and the tree's look-ups.

class CLeftView;
class QTreeWidgetItem;

// Test failures show Qt's strings as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// One group of a test catalog: its id, its label as the XML writes it
// (references and all) and its item labels.
struct TestGroup
{
    std::string id;
    std::string lib;
    std::vector<std::string> items;
};

// Copies the templates the program ships (tpl/ and hint.js) into the
// working directory.
void InstallTemplates();

// Writes data/<key>/cats.xml and one listing page per group below the
// working directory, as the update leaves them.
void WriteTypeCatalog(int typeCode, const std::vector<TestGroup>& groups);

// Sets an environment variable for the life of the object.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const QString& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// Events are handled until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000);

// Runs the event loop for a while.
void Pump(int ms);

// The tree's items by their shown text path, "Wallpapers/Love"; null if none.
QTreeWidgetItem* FindNode(const CLeftView& tree, const QString& path);
