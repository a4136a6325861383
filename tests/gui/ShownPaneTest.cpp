#include "ShownPaneTest.h"

#include "pages/browser/CVantoryView.h"

void ShownPaneTest::SetUp()
{
    m_app = std::make_unique<RunningApp>();
    ASSERT_TRUE(m_app->Started());
    ASSERT_TRUE(WaitForLoaded(View()));
}

CVantoryView& ShownPaneTest::View() const
{
    return *m_app->Browser();
}
