#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QProgressBar>
#include <QTimer>

#include "WidgetsTestSupport.h"
#include "catalog/document/CVantoryDoc.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "search/CatalogSearch.h"

namespace {

// Receives the posted event of the test.
class PostedEventReceiver : public QObject
{
public:
    explicit PostedEventReceiver(bool& ran) : m_ran(ran) {}

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User) {
            m_ran = true;
            return true;
        }
        return QObject::event(event);
    }

private:
    bool& m_ran;
};

// Work that waits for the event loop, queued before the load.
struct QueuedWork
{
    const char* name;
    std::function<void(QObject& context, bool& ran)> queue;
};

void PrintTo(const QueuedWork& work, std::ostream* out)
{
    *out << work.name;
}

// The loading dialog's bar as each paint shows it.
class BarPaints : public QObject
{
public:
    std::vector<int> m_values;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            if (auto* bar = qobject_cast<QProgressBar*>(watched))
                if (bar->window()->windowTitle() == QStringLiteral("Loading database"))
                    m_values.push_back(bar->value());
        return QObject::eventFilter(watched, event);
    }
};

class LoadWithoutEventsTest : public testing::TestWithParam<QueuedWork>
{
};

// The load lets nothing of the event loop run: what was queued before it
// runs once the load has returned, and only then. Its dialog is painted
// all the same, from 0 to 7.
TEST_P(LoadWithoutEventsTest, QueuedWorkWaitsUntilTheLoadHasReturned)
{
    TestDir dir;
    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"heart"}}});
    QObject context;
    bool ran = false;
    GetParam().queue(context, ran);
    BarPaints paints;
    qApp->installEventFilter(&paints);

    CVantoryDoc::LoadDatabase(false);
    const bool ranDuringLoad = ran;
    qApp->removeEventFilter(&paints);

    EXPECT_EQ(CatalogForType(CT_WALLPAPERS)->GetGroupCount(), 1);
    EXPECT_FALSE(ranDuringLoad);
    ASSERT_FALSE(paints.m_values.empty());
    EXPECT_EQ(paints.m_values.front(), 0);
    EXPECT_EQ(paints.m_values.back(), CONTENT_TYPE_COUNT);
    // Held back, not lost.
    EXPECT_TRUE(WaitFor([&] { return ran; }, 5000));
}

INSTANTIATE_TEST_SUITE_P(
    Work, LoadWithoutEventsTest,
    testing::Values(QueuedWork{"SingleShotTimer",
                               [](QObject& context, bool& ran) {
                                   QTimer::singleShot(0, &context, [&ran] { ran = true; });
                               }},
                    QueuedWork{"QueuedCall",
                               [](QObject& context, bool& ran) {
                                   QMetaObject::invokeMethod(&context, [&ran] { ran = true; }, Qt::QueuedConnection);
                               }},
                    QueuedWork{"RunningTimer",
                               [](QObject& context, bool& ran) {
                                   auto* timer = new QTimer(&context);
                                   QObject::connect(timer, &QTimer::timeout, [&ran] { ran = true; });
                                   timer->start(0);
                               }},
                    QueuedWork{"PostedEvent",
                               [](QObject& context, bool& ran) {
                                   auto* receiver = new PostedEventReceiver(ran);
                                   receiver->setParent(&context);
                                   QCoreApplication::postEvent(receiver, new QEvent(QEvent::User));
                               }}),
    [](const testing::TestParamInfo<QueuedWork>& param) { return std::string(param.param.name); });

// Every load leaves the search on the catalog it loaded, before any event
// could run a query on the one it replaced.
TEST(LoadDatabaseTest, TheSearchFindsWhatTheLastLoadRead)
{
    TestDir dir;
    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"heart", "rose"}}});
    CVantoryDoc::LoadDatabase(false);
    EXPECT_EQ(TheCatalogSearch().Find("rose").items.size(), 1u);

    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"tulip"}}, {"11", "Roses", {"red rose", "white rose"}}});
    CVantoryDoc::LoadDatabase(true);
    const SearchResult found = TheCatalogSearch().Find("rose");
    EXPECT_EQ(found.groups.size(), 1u);
    ASSERT_EQ(found.items.size(), 2u);
    EXPECT_EQ(found.items[0].group, 1);
}

} // namespace
