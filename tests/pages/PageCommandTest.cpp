#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/ContentTypeTable.h"
#include "pages/PageCommand.h"
#include "pages/PageNavigator.h"
#include "pages/ResultsNavigator.h"

namespace {

// Records what the commands ask of the tree.
class RecordingNavigator : public PageNavigator, public ResultsNavigator
{
public:
    void SelectGroup(const std::string& label) override { m_calls.push_back("group " + label); }
    void SelectTypeNode(int typeCode) override { m_calls.push_back("type " + std::to_string(typeCode)); }
    void SelectTypeGroup(int typeCode, const std::string& label) override
    {
        m_calls.push_back("group of " + std::to_string(typeCode) + " " + label);
    }
    void ShowMoreResults(int itemLimit) override { m_calls.push_back("more " + std::to_string(itemLimit)); }

    std::vector<std::string> m_calls;
};

class PageCommandTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetPageNavigator(&m_navigator);
        SetResultsNavigator(&m_navigator);
    }
    void TearDown() override
    {
        SetPageNavigator(nullptr);
        SetResultsNavigator(nullptr);
    }

    std::vector<std::string> Calls(const std::string& command)
    {
        m_navigator.m_calls.clear();
        OnPageCommand(command);
        return m_navigator.m_calls;
    }

    RecordingNavigator m_navigator;
};

TEST_F(PageCommandTest, EachKindSelectsItsTypeNode)
{
    const struct
    {
        const char* kind;
        int code;
    } cases[] = {
        {"java", CT_JAVA},     {"ss", CT_SCREENSAVERS}, {"wp", CT_WALLPAPERS},       {"rtmono", CT_RT_MONO},
        {"rtpoly", CT_RT_POLY}, {"logos", CT_LOGOS},    {"logos_big", CT_LOGOS_BIG}, {"start", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Calls(std::string("selcnt|") + c.kind), std::vector<std::string>{"type " + std::to_string(c.code)})
            << c.kind;
}

// Kinds are neither keys nor titles, and are compared exactly.
TEST_F(PageCommandTest, NoOtherArgumentSelectsANode)
{
    for (const char* command : {"selcnt", "selcnt|", "selcnt|WP", "selcnt|rt_mono", "selcnt|Wallpapers",
                                "selcnt|logos|", "selcnt| java", "SELCNT|wp", "help|wp", "wp"})
        EXPECT_TRUE(Calls(command).empty()) << command;
    EXPECT_EQ(Calls("selgroup|a|b"), std::vector<std::string>{"group a|b"});
}

// The results page names a group by its type's kind and its label, which
// may hold "|"; "findmore" takes a count in plain digits only.
TEST_F(PageCommandTest, ResultsPageCommands)
{
    const struct
    {
        const char* command;
        std::vector<std::string> calls;
    } cases[] = {
        {"selgrp|wp|Snow", {"group of " + std::to_string(CT_WALLPAPERS) + " Snow"}},
        {"selgrp|rtpoly|Rock &amp; roll|live", {"group of " + std::to_string(CT_RT_POLY) + " Rock &amp; roll|live"}},
        {"selgrp|logos_big|", {"group of " + std::to_string(CT_LOGOS_BIG) + " "}},
        {"selgrp|start|Snow", {}},
        {"selgrp|WP|Snow", {}},
        {"selgrp|wp", {}},
        {"selgrp", {}},
        {"findmore|400", {"more 400"}},
        {"findmore|0", {"more 0"}},
        {"findmore|999999999", {"more 999999999"}},
        {"findmore|1000000000", {}},
        {"findmore|-5", {}},
        {"findmore|4e2", {}},
        {"findmore| 400", {}},
        {"findmore|", {}},
        {"findmore", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Calls(c.command), c.calls) << c.command;
}

} // namespace
