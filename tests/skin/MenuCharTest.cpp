#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSignalSpy>

#include "SkinTestSupport.h"
#include "skin/CSkinMenu.h"
#include "skin/MenuChar.h"

namespace {

int Execute(int index)
{
    return (kMenuCharExecute << 16) | index;
}

struct MenuCharCase
{
    const char* name;
    QChar typed;
    QStringList texts;
    int expected;
};

class MenuCharTest : public testing::TestWithParam<MenuCharCase>
{
};

TEST_P(MenuCharTest, ExecutesTheFirstItemWithTheMnemonic)
{
    EXPECT_EQ(MenuCharResult(GetParam().typed, GetParam().texts), GetParam().expected);
}

const QStringList kFileMenu{QStringLiteral("&Open...\tCtrl+O"), QString(), QStringLiteral("E&xit")};

INSTANTIATE_TEST_SUITE_P(
    Rule, MenuCharTest,
    testing::Values(
        MenuCharCase{"FirstItem", QLatin1Char('o'), kFileMenu, Execute(0)},
        MenuCharCase{"AfterASeparator", QLatin1Char('x'), kFileMenu, Execute(2)},
        MenuCharCase{"TypedInUpperCase", QLatin1Char('X'), kFileMenu, Execute(2)},
        MenuCharCase{"TextInUpperCase", QLatin1Char('x'), {QStringLiteral("E&XIT")}, Execute(0)},
        MenuCharCase{"NoneHoldsIt", QLatin1Char('q'), kFileMenu, 0},
        MenuCharCase{"LetterWithoutAmpersand", QLatin1Char('e'), kFileMenu, 0},
        MenuCharCase{"FirstOfTwoWins", QLatin1Char('s'), {QStringLiteral("&Save"), QStringLiteral("&Send")}, Execute(0)},
        MenuCharCase{"AnywhereInTheText", QLatin1Char('a'), {QStringLiteral("Save &As...")}, Execute(0)},
        // A doubled ampersand is the character itself, no mnemonic.
        MenuCharCase{"DoubledAmpersandIsText", QLatin1Char('d'), {QStringLiteral("R&&D"), QStringLiteral("&Delete")}, Execute(1)},
        MenuCharCase{"AmpersandAfterDoubled", QLatin1Char('d'), {QStringLiteral("R&&&D")}, Execute(0)},
        MenuCharCase{"TypedAmpersand", QLatin1Char('&'), {QStringLiteral("R&&D")}, 0},
        MenuCharCase{"OnlyTheFirst1024Characters", QLatin1Char('z'), {QString(1023, QLatin1Char('a')) + QStringLiteral("&z")}, 0},
        MenuCharCase{"Within1024Characters", QLatin1Char('z'), {QString(1022, QLatin1Char('a')) + QStringLiteral("&z")}, Execute(0)}),
    CaseName<MenuCharCase>);

void Type(QMenu& menu, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&menu, &press);
}

TEST(SkinMenuCharTest, TypedMnemonicTriggersTheItem)
{
    SkinGuard guard(8);
    CSkinMenu menu(QStringLiteral("&File"));
    QAction* open = menu.addAction(QStringLiteral("&Open"));
    QAction* exit = menu.addAction(QStringLiteral("E&xit"));
    QSignalSpy opened(open, &QAction::triggered);
    QSignalSpy exited(exit, &QAction::triggered);
    Type(menu, QStringLiteral("X"));
    EXPECT_EQ(exited.count(), 1);
    EXPECT_EQ(opened.count(), 0);
    Type(menu, QStringLiteral("q"));
    EXPECT_EQ(exited.count() + opened.count(), 1);
}

TEST(SkinMenuCharTest, DisabledItemIsNotRun)
{
    SkinGuard guard(8);
    CSkinMenu menu;
    QAction* save = menu.addAction(QStringLiteral("&Save"));
    save->setEnabled(false);
    QSignalSpy saved(save, &QAction::triggered);
    Type(menu, QStringLiteral("s"));
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(menu.OnMenuChar(QLatin1Char('s')), Execute(0));
}

} // namespace
