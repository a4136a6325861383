#include "WidgetsTestSupport.h"

#include <QEventLoop>
#include <QTimer>
#include <QTreeWidgetItem>

#include "catalog/ContentType.h"
#include "tree/CLeftView.h"

namespace fs = std::filesystem;

void InstallTemplates()
{
    fs::copy(fs::path(VANTORY_SOURCE_DIR) / "templates", fs::current_path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void WriteTypeCatalog(int typeCode, const std::vector<TestGroup>& groups)
{
    const fs::path dir = fs::path("data") / TypeKey(typeCode);
    std::string index = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<response>\n";
    for (const TestGroup& group : groups) {
        index += "<ressource><id>" + group.id + "</id><lib>" + group.lib + "</lib></ressource>\n";
        std::string page = "<response max_page=\"1\" total_results=\"" + std::to_string(group.items.size()) + "\">\n";
        for (size_t i = 0; i < group.items.size(); ++i)
            page += "<ressource><id>" + group.id + "-" + std::to_string(i) + "</id><lib>" + group.items[i] +
                    "</lib><url_download>http://x/" + std::to_string(i) + "</url_download></ressource>\n";
        WriteFile(dir / group.id / "1.xml", page + "</response>\n");
    }
    WriteFile(dir / "cats.xml", index + "</response>\n");
}

ScopedVariable::ScopedVariable(const char* name, const QString& value)
    : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
{
    qputenv(name, value.toUtf8());
}

ScopedVariable::~ScopedVariable()
{
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    // A real event loop, not processing and sleeping by turns: the browser
    // engine runs its tasks from the event loop and would crawl.
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
    return condition();
}

void Pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QTreeWidgetItem* FindNode(const CLeftView& tree, const QString& path)
{
    QTreeWidgetItem* node = nullptr;
    for (const QString& part : path.split(QLatin1Char('/'))) {
        QTreeWidgetItem* found = nullptr;
        const int count = node ? node->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem* child = node ? node->child(i) : tree.topLevelItem(i);
            if (child->text(0) == part)
                found = child;
        }
        if (!found)
            return nullptr;
        node = found;
    }
    return node;
}
