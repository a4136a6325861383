#include <QApplication>
#include <QCloseEvent>
#include <QtTest/qtestspontaneevent.h>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include <gtest/gtest.h>

#include "catalog/TextFile.h"
#include "updater/dialog/CProgressDlg.h"
#include "updater/dialog/ProgressDlgLayout.h"

namespace {

QRect Rect(const QWidget* dialog, int id)
{
    return static_cast<CProgressDlg*>(const_cast<QWidget*>(dialog))->GetDlgItem(id)->geometry();
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// Mouse input as the window system queues it: nothing happens until
// events are handled.
void QueueClick(QWidget* widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                        Qt::LeftButton, Qt::LeftButton,
                                                        Qt::NoModifier));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                        Qt::LeftButton, Qt::NoButton,
                                                        Qt::NoModifier));
}

// Whether a pixel of a bar belongs to its fill rather than its empty field.
bool InFill(const QImage& image, int x, const QPalette& palette)
{
    const auto distance = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    const QColor pixel = image.pixelColor(x, image.height() / 2);
    return distance(pixel, palette.highlight().color()) < distance(pixel, palette.base().color());
}

// Reaches the event handlers that the window system calls.
class TestDialog : public CProgressDlg
{
public:
    using CProgressDlg::closeEvent;
};

} // namespace

TEST(ProgressDlg, TemplateGivesTitleFrameAndControlPositions)
{
    QMainWindow owner;
    CProgressDlg dialog;
    ASSERT_TRUE(dialog.Create(&owner));
    EXPECT_EQ(dialog.windowTitle(), "Updating Database");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.Owner(), &owner);
    EXPECT_EQ(dialog.parentWidget(), &owner);
    EXPECT_TRUE(dialog.isWindow());
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(dialog.size(), QSize(453, 198));  // 302 x 122 dialog units

    const struct {
        int id;
        QRect pixels;
        bool visible;
    } controls[] = {
        {IDC_PROGRESS_UPPER_TEXT, {15, 16, 420, 17}, true},
        {IDC_PROGRESS_UPPER_BAR, {15, 41, 420, 32}, true},
        {IDC_PROGRESS_LOWER_TEXT, {15, 89, 420, 17}, true},
        {IDC_PROGRESS_MARKER, {0, 98, 120, 1}, false},
        {IDC_PROGRESS_LOWER_BAR, {15, 114, 420, 32}, true},
        {IDC_PROGRESS_CANCEL, {188, 163, 75, 22}, true},
    };
    dialog.show();
    for (const auto& c : controls) {
        EXPECT_EQ(Rect(&dialog, c.id), c.pixels) << c.id;
        EXPECT_EQ(dialog.GetDlgItem(c.id)->isVisible(), c.visible) << c.id;
    }
    EXPECT_EQ(static_cast<QPushButton*>(dialog.GetDlgItem(IDC_PROGRESS_CANCEL))->text(), "Cancel");
    EXPECT_FALSE(dialog.GetDlgItem(1005));
    // The text fits the lines it is given.
    const auto* upper = static_cast<QLabel*>(dialog.GetDlgItem(IDC_PROGRESS_UPPER_TEXT));
    EXPECT_LE(upper->fontMetrics().height(), upper->height());
}

TEST(ProgressDlg, CompactFormEndsAtTheMarkerBelowTheUpperBar)
{
    QMainWindow owner;
    CProgressDlg dialog;
    dialog.Create(&owner);
    dialog.move(40, 30);
    dialog.ShowCompact();
    dialog.show();

    EXPECT_EQ(dialog.height(), DialogUnitsToPixelsY(61));
    EXPECT_EQ(dialog.height(), 99);
    EXPECT_EQ(dialog.width(), 453);
    EXPECT_EQ(dialog.pos(), QPoint(40, 30));
    EXPECT_EQ(dialog.height(), Rect(&dialog, IDC_PROGRESS_MARKER).bottom() + 1);
    EXPECT_LT(Rect(&dialog, IDC_PROGRESS_UPPER_BAR).bottom(), dialog.height());
    EXPECT_TRUE(dialog.GetDlgItem(IDC_PROGRESS_UPPER_TEXT)->isVisible());
    EXPECT_TRUE(dialog.GetDlgItem(IDC_PROGRESS_UPPER_BAR)->isVisible());
    for (const int id : {IDC_PROGRESS_LOWER_TEXT, IDC_PROGRESS_LOWER_BAR, IDC_PROGRESS_CANCEL,
                         IDC_PROGRESS_MARKER})
        EXPECT_FALSE(dialog.GetDlgItem(id)->isVisible()) << id;
}

TEST(ProgressDlg, CentresOverTheOwnerHalvingEachWidthOnItsOwn)
{
    const struct {
        const char* name;
        QRect owner;
        bool compact;
        QPoint expected;
    } cases[] = {
        // 100 + 801/2 - 453/2 = 100 + 400 - 226
        {"owner 801 wide", {100, 50, 801, 601}, false, {274, 251}},
        // 800/2 - 453/2 = 174, where (800 - 453) / 2 would give 173
        {"owner 800 wide", {0, 0, 800, 600}, false, {174, 201}},
        {"compact", {0, 0, 800, 600}, true, {174, 251}},
        {"owner partly off screen", {-300, -20, 801, 101}, false, {-126, -69}},
        {"owner smaller than the dialog", {10, 10, 201, 81}, false, {-116, -49}},
    };
    for (const auto& c : cases) {
        QMainWindow owner;
        owner.setGeometry(c.owner);
        CProgressDlg dialog;
        dialog.Create(&owner);
        if (c.compact)
            dialog.ShowCompact();
        const QSize size = dialog.size();
        dialog.CenterOnOwner();
        EXPECT_EQ(dialog.frameGeometry().topLeft(), c.expected) << c.name;
        EXPECT_EQ(dialog.size(), size) << c.name;
    }
}

TEST(ProgressDlg, CancelOnlySetsTheFlagAndOnlyWhenInputIsLetThrough)
{
    QMainWindow owner;
    owner.show();
    TestDialog dialog;
    dialog.Create(&owner);
    dialog.CenterOnOwner();
    dialog.show();
    QWidget* cancel = dialog.GetDlgItem(IDC_PROGRESS_CANCEL);

    QueueClick(cancel);
    EXPECT_FALSE(dialog.m_cancelled);  // no pump yet
    dialog.PumpOneMessage();
    EXPECT_TRUE(dialog.m_cancelled);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(cancel->isEnabled());

    dialog.m_cancelled = false;
    QTest::mouseClick(cancel, Qt::LeftButton);
    dialog.PumpOneMessage();
    EXPECT_TRUE(dialog.m_cancelled);
    EXPECT_TRUE(dialog.isVisible());

    // Escape and the user closing the window are cancel requests too,
    // nothing more.
    dialog.m_cancelled = false;
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.m_cancelled);
    EXPECT_TRUE(dialog.isVisible());
    dialog.m_cancelled = false;
    // A window manager's close request arrives as a spontaneous event.
    QCloseEvent userClose;
    QSpontaneKeyEvent::setSpontaneous(&userClose);
    dialog.closeEvent(&userClose);
    EXPECT_FALSE(userClose.isAccepted());
    EXPECT_TRUE(dialog.m_cancelled);
    EXPECT_TRUE(dialog.isVisible());

    dialog.OnOK();  // the framework's default ends the dialog
    EXPECT_FALSE(dialog.isVisible());
}

// Quitting closes every window first; the dialog must not stop that.
TEST(ProgressDlg, LetsTheApplicationCloseItAndCancelsTheWork)
{
    CProgressDlg dialog;
    dialog.Create();
    dialog.show();
    EXPECT_TRUE(dialog.close());
    EXPECT_TRUE(dialog.m_cancelled);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ProgressDlg, BarsKeepTheLowSixteenBitsOfTheRangeAndClampPositions)
{
    CProgressDlg dialog;
    const auto* upper = static_cast<QProgressBar*>(dialog.GetDlgItem(IDC_PROGRESS_UPPER_BAR));
    const struct {
        const char* name;
        int range;
        int set;
        bool step;
        int expected;
        int expectedRange;
    } cases[] = {
        {"step 7 to 8", 8, 7, true, 8, 8},
        {"step at the end stays", 8, 8, true, 8, 8},
        {"set within", 8, 3, false, 3, 8},
        {"set above", 8, 12, false, 8, 8},
        {"set below", 8, -3, false, 0, 8},
        {"65536 items is 0", 65536, 5, false, 0, 0},
        {"65537 items is 1", 65537, 5, false, 1, 1},
        {"65535 items stays", 65535, 65535, false, 65535, 65535},
    };
    for (const auto& c : cases) {
        dialog.SetRange(ProgressTarget::UpperBar, c.range);
        dialog.SetPos(ProgressTarget::UpperBar, c.set);
        if (c.step)
            dialog.StepUpperBar();
        EXPECT_EQ(dialog.GetPos(ProgressTarget::UpperBar), c.expected) << c.name;
        EXPECT_EQ(dialog.GetRange(ProgressTarget::UpperBar), c.expectedRange) << c.name;
        EXPECT_EQ(upper->value(), c.expected) << c.name;
    }
    // A range of 0 leaves an empty bar, not a busy one.
    dialog.SetRange(ProgressTarget::UpperBar, 0);
    EXPECT_GT(upper->maximum(), upper->minimum());
    // A smaller range pulls the position in; the bars are independent.
    dialog.SetRange(ProgressTarget::LowerBar, 10);
    dialog.SetPos(ProgressTarget::LowerBar, 9);
    dialog.SetRange(ProgressTarget::LowerBar, 4);
    EXPECT_EQ(dialog.GetPos(ProgressTarget::LowerBar), 4);
    EXPECT_EQ(dialog.GetPos(ProgressTarget::UpperBar), 0);
}

TEST(ProgressDlg, ALongTableTellsTheBarOfEachQuarterPixelAndOfBothEnds)
{
    QMainWindow owner;
    CProgressDlg dialog;
    dialog.Create(&owner);
    dialog.ShowCompact();
    dialog.show();
    auto* upper = static_cast<QProgressBar*>(dialog.GetDlgItem(IDC_PROGRESS_UPPER_BAR));
    int told = 0;
    QObject::connect(upper, &QProgressBar::valueChanged, [&] { ++told; });
    for (const int items : {50000, 101, 7}) {
        SCOPED_TRACE(items);
        dialog.SetRange(ProgressTarget::UpperBar, items);
        dialog.SetPos(ProgressTarget::UpperBar, 0);
        told = 0;
        const qint64 quarterPixel = items / (4 * upper->width()) + 1;
        for (int i = 1; i <= items; ++i) {
            dialog.StepUpperBar();
            ASSERT_EQ(dialog.GetPos(ProgressTarget::UpperBar), i);
            ASSERT_LE(i - upper->value(), quarterPixel);
        }
        EXPECT_EQ(upper->value(), items);
        EXPECT_LE(told, std::min(items, 4 * upper->width() + 2));
    }
}

TEST(ProgressDlg, BarsAreFilledToTheirPositionAtEveryStep)
{
    QMainWindow owner;
    CProgressDlg dialog;
    dialog.Create(&owner);
    dialog.show();
    auto* upper = static_cast<QProgressBar*>(dialog.GetDlgItem(IDC_PROGRESS_UPPER_BAR));
    const int width = upper->width();
    const struct {
        int range;
        int pos;
    } cases[] = {{8, 0}, {8, 1}, {8, 4}, {8, 7}, {8, 8}, {101, 50}, {1000, 999}, {65535, 3}, {65535, 65535}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pos << " of " << c.range);
        dialog.SetRange(ProgressTarget::UpperBar, c.range);
        dialog.SetPos(ProgressTarget::UpperBar, c.pos);
        const QImage bar = upper->grab().toImage();
        const int fill = static_cast<int>(static_cast<qint64>(c.pos) * width / c.range);
        // Inside the frame: filled up to the position, empty after it.
        if (fill >= 4) {
            EXPECT_TRUE(InFill(bar, fill - 3, upper->palette()));
        }
        if (fill + 2 < width - 1) {
            EXPECT_FALSE(InFill(bar, fill + 2, upper->palette()));
        }
        EXPECT_EQ(InFill(bar, width / 2, upper->palette()), fill > width / 2 + 1);
    }
}

TEST(ProgressDlg, TextsArePaintedAtOnceWithoutTheEventLoop)
{
    QMainWindow owner;
    CProgressDlg dialog;
    dialog.Create(&owner);
    dialog.show();
    QCoreApplication::processEvents();
    auto* lower = static_cast<QLabel*>(dialog.GetDlgItem(IDC_PROGRESS_LOWER_TEXT));
    PaintCounter counter;
    lower->installEventFilter(&counter);

    dialog.m_upperText = "Updating java games...";
    dialog.m_lowerText = "Receiving group 'Логические & прочие' (page 2/3)...";
    dialog.UpdateData();
    EXPECT_EQ(counter.paints, 0);
    dialog.UpdateWindow();
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(static_cast<QLabel*>(dialog.GetDlgItem(IDC_PROGRESS_UPPER_TEXT))->text(),
              "Updating java games...");
    EXPECT_EQ(lower->text(), QString::fromUtf8("Receiving group 'Логические & прочие' (page 2/3)..."));
    EXPECT_TRUE(lower->toolTip().isEmpty());

    // Too long for the line: the middle goes, the whole text is the tool tip.
    dialog.m_lowerText = "Receiving group '" + std::string(300, 'W') + "' (page 1)...";
    dialog.UpdateData();
    EXPECT_TRUE(lower->text().startsWith("Receiving group 'W"));
    EXPECT_TRUE(lower->text().endsWith("' (page 1)..."));
    EXPECT_LE(lower->fontMetrics().horizontalAdvance(lower->text()), lower->width());
    EXPECT_EQ(lower->toolTip().size(), 300 + 30);
}

TEST(ProgressDlg, PumpHandlesWhatIsPendingAndNeverWaits)
{
    CProgressDlg dialog;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 100; ++i)
        dialog.PumpOneMessage();
    EXPECT_LT(timer.elapsed(), 500);

    bool delivered = false;
    QObject receiver;
    QMetaObject::invokeMethod(&receiver, [&delivered] { delivered = true; }, Qt::QueuedConnection);
    EXPECT_FALSE(delivered);
    dialog.PumpOneMessage();
    EXPECT_TRUE(delivered);
}

TEST(ProgressDlg, StartsWithNothingShownAndNotCancelled)
{
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("vantory-progress-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const struct {
        std::filesystem::path current;
        std::string expected;
    } cases[] = {
        {dir, std::filesystem::canonical(dir).string() + "/"},
        {"/", "/"},
    };
    for (const auto& c : cases) {
        std::filesystem::current_path(c.current);
        const CProgressDlg dialog;
        // The update's base directory, which the dialog once kept beside it.
        EXPECT_EQ(BaseDirectory(), c.expected);
        EXPECT_FALSE(dialog.m_cancelled);
        EXPECT_TRUE(dialog.m_upperText.empty() && dialog.m_lowerText.empty());
    }
    std::filesystem::current_path(before);
    std::filesystem::remove_all(dir);
}

TEST(ProgressDlg, OwnerDefaultsToTheMainWindowAndMayGoFirst)
{
    auto owner = std::make_unique<QMainWindow>();
    CProgressDlg dialog;
    dialog.Create();
    EXPECT_EQ(dialog.Owner(), owner.get());
    dialog.show();
    owner.reset();  // the dialog is its caller's local: it stays, hidden and unowned
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    EXPECT_FALSE(dialog.isVisible());
    dialog.SetPos(ProgressTarget::UpperBar, 1);
    dialog.CenterOnOwner();
    EXPECT_EQ(dialog.GetPos(ProgressTarget::UpperBar), 1);
}
