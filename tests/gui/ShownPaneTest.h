#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

// The program started in a fresh working directory, its pane showing the
// blank document: where most tests of the browser pane begin.
class ShownPaneTest : public testing::Test
{
protected:
    void SetUp() override;

    CVantoryView& View() const;

private:
    TestDir m_dir;
    std::unique_ptr<RunningApp> m_app;  // started after the directory exists
};
