#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "CtlProcess.h"
#include "TestContent.h"
#include "TestDir.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// vantoryctl update, run in the working directory against a server.
class UpdateCommand : public CtlProcess
{
public:
    explicit UpdateCommand(const std::string& server) : CtlProcess({"update"}, Options{server, 0}) {}

    void Interrupt() { Signal(SIGINT); }
};

TEST(UpdateCommandTest, UpdatesReloadsAndPrintsTheCounts)
{
    ServedContent served(SmallContent({1, 15}, 2, 40));
    TestDir work;
    std::filesystem::create_directory("data");
    UpdateCommand command(served.server.Address());
    ASSERT_EQ(command.Wait(), 0) << command.Err();

    EXPECT_NE(command.Out().find("logos         Logos                  2 groups        80 items"), std::string::npos)
        << command.Out();
    EXPECT_NE(command.Out().find("wallpapers    Wallpapers             2 groups        80 items"), std::string::npos)
        << command.Out();
    // Not a terminal: each text once, as a line.
    EXPECT_NE(command.Err().find("Updating logos...\n"), std::string::npos) << command.Err();
    EXPECT_NE(command.Err().find("  Receiving media file (79/80)...\n"), std::string::npos) << command.Err();
    EXPECT_NE(command.Err().find("Reading database...\n"), std::string::npos) << command.Err();
    EXPECT_EQ(command.Err().find("\x1b["), std::string::npos);
    // The rebuild wrote the caches.
    EXPECT_TRUE(std::filesystem::exists("data/logos/cats.dat"));
}

TEST(UpdateCommandTest, FailedFetchIsReportedAndTheUpdateGoesOn)
{
    ServedContent served(SmallContent({1, 15}, 2, 40));
    served.server.AddFault(FaultRule::Status(503).ForType(1).ForAct("CAT"));
    TestDir work;
    std::filesystem::create_directory("data");
    UpdateCommand command(served.server.Address());
    ASSERT_EQ(command.Wait(), 0) << command.Err();

    const std::string message = "Error receiving file 'http://" + served.server.Address()
        + "/xml_act.php?a=vantory&t=1&l=EN&act=CAT&cat=&p=1&np=&q=&c=US&h=1'!\n";
    EXPECT_NE(command.Err().find(message), std::string::npos) << command.Err();
    EXPECT_NE(command.Out().find("logos         Logos                  0 groups"), std::string::npos) << command.Out();
    EXPECT_NE(command.Out().find("wallpapers    Wallpapers             2 groups"), std::string::npos) << command.Out();
}

TEST(UpdateCommandTest, InterruptCancelsReloadsAndExitsWith130)
{
    ServedContent served(SmallContent({1, 15}, 2, 40));
    // The second logos page hangs: Ctrl+C comes while the fetch waits.
    served.server.AddFault(FaultRule::Stall(60, 50).ForType(1).ForTarget("&p=2&np=30&"));
    TestDir work;
    std::filesystem::create_directory("data");
    UpdateCommand command(served.server.Address());

    const auto waiting = [&] {
        for (const std::string& target : served.server.Requests())
            if (target.find("t=1&") != std::string::npos && target.find("&p=2&np=30&") != std::string::npos)
                return true;
        return false;
    };
    const auto deadline = Clock::now() + 10s;
    while (!waiting() && Clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(waiting());
    std::this_thread::sleep_for(100ms);
    const auto interrupted = Clock::now();
    command.Interrupt();
    const int status = command.Wait();
    const double seconds = std::chrono::duration<double>(Clock::now() - interrupted).count();

    EXPECT_EQ(status, 130) << command.Err();
    EXPECT_LT(seconds, 1.0);
    // The reload ran: logos has its groups, with the items of the pages that came.
    EXPECT_NE(command.Out().find("logos         Logos                  2 groups"), std::string::npos) << command.Out();
    // What a cancel cuts short is no error (the types the content lacks,
    // before it, are).
    const size_t cut = command.Err().find("(page 2/2)...\n");
    ASSERT_NE(cut, std::string::npos) << command.Err();
    EXPECT_EQ(command.Err().find("Error receiving file", cut), std::string::npos) << command.Err();
    EXPECT_NE(command.Err().find("Reading database...\n", cut), std::string::npos) << command.Err();
}

} // namespace
