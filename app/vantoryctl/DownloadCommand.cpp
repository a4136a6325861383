#include "app/vantoryctl/DownloadCommand.h"

#include <atomic>
#include <chrono>

#include "app/vantoryctl/ConsoleProgress.h"
#include "app/vantoryctl/CtlCommands.h"
#include "app/vantoryctl/InterruptFlag.h"
#include "catalog/ContentGroup.h"
#include "catalog/ContentTypeTable.h"
#include "catalog/DatabaseLoader.h"
#include "download/CatalogItemLookup.h"
#include "download/DownloadFolder.h"
#include "download/FileDownload.h"

namespace {

using Clock = std::chrono::steady_clock;

// Progress on a terminal: one line rewritten; elsewhere a line at every
// tenth of a known size.
class DownloadReport
{
public:
    DownloadReport(std::FILE* to, std::string label)
        : m_to(to), m_terminal(ConsoleProgress::IsTerminal(to)), m_label(std::move(label)), m_start(Clock::now())
    {
        std::fprintf(m_to, "Downloading %s\n", m_label.c_str());
    }

    void Show(uint64_t received, int64_t total)
    {
        const auto now = Clock::now();
        if (m_terminal) {
            if (now - m_shown < std::chrono::milliseconds(100))
                return;
            m_shown = now;
            const double seconds = std::chrono::duration<double>(now - m_start).count();
            const auto speed = seconds > 0 ? static_cast<uint64_t>(static_cast<double>(received) / seconds) : 0;
            std::string line = FormatBytes(received);
            if (total > 0)
                line += " of " + FormatBytes(static_cast<uint64_t>(total)) + " (" +
                        std::to_string(received * 100 / static_cast<uint64_t>(total)) + "%)";
            line += ", " + FormatBytes(speed) + "/s";
            std::fprintf(m_to, "\r%-60s", line.c_str());
            m_open = true;
        } else if (total > 0) {
            const int tenth = static_cast<int>(received * 10 / static_cast<uint64_t>(total));
            for (; m_tenths < tenth; ++m_tenths)
                std::fprintf(m_to, "%d%%\n", (m_tenths + 1) * 10);
        }
        std::fflush(m_to);
    }

    void Finish()
    {
        if (m_open)
            std::fputc('\n', m_to);
        std::fflush(m_to);
    }

private:
    std::FILE* m_to;
    bool m_terminal;
    std::string m_label;
    Clock::time_point m_start;
    Clock::time_point m_shown{};
    int m_tenths = 0;
    bool m_open = false;
};

} // namespace

int RunDownload(const CtlInvocation& call)
{
    if (call.words.size() != 2)
        return CtlUsageError(call, "download needs a type and an item id");
    const ContentTypeInfo* type = FindContentTypeByKey(call.words[0]);
    if (!type)
        return CtlUsageError(call, "unknown type '" + call.words[0] + "'");
    const auto to = call.values.find("--to");
    if (to != call.values.end() && to->second.empty())
        return CtlUsageError(call, "option '--to' needs a folder");
    // A folder named on the command line is where the user stands.
    const std::filesystem::path folder = to != call.values.end() ? call.startDirectory / to->second
                                                                 : VantoryDownloadFolder();
    LoadAllCatalogs(false);
    const std::optional<CatalogItemRef> found = FindItemById(type->code, call.words[1]);
    const ContentGroup* group = found ? GroupOfItem(*found) : nullptr;
    if (!group) {
        std::fprintf(call.err, "vantoryctl: no item '%s' in %s\n", call.words[1].c_str(), call.words[0].c_str());
        return CTL_FAILED;
    }
    const auto item = static_cast<size_t>(found->item);
    InterruptFlag interrupt;
    std::atomic<bool> cancel{false};
    const std::string label = ItemLabelOf(*group, item);
    DownloadReport report(call.err, label);
    const DownloadResult result =
        DownloadFile(DownloadAddressOf(*group, item), folder, label, cancel,
                     [&](uint64_t received, int64_t total) {
                         if (interrupt.IsSet())
                             cancel = true;
                         report.Show(received, total);
                     });
    report.Finish();
    switch (result.end) {
    case DownloadEnd::Finished:
        std::fprintf(call.out, "%s\n", result.path.c_str());
        return std::fflush(call.out) == 0 ? CTL_OK : CTL_FAILED;
    case DownloadEnd::Cancelled:
        std::fputs("vantoryctl: download cancelled\n", call.err);
        return CTL_INTERRUPTED;
    case DownloadEnd::Failed:
        break;
    }
    std::fprintf(call.err, "vantoryctl: download failed: %s\n", result.reason.c_str());
    return CTL_FAILED;
}
