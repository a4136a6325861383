#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// What a download may take from a server.
struct DownloadLimits
{
    uint64_t maxBytes = 64ull << 20;    // larger is "too large", before anything is kept
    std::chrono::seconds stall{30};      // a transfer that receives nothing this long fails
    std::chrono::seconds connect{30};
    long maxRedirects = 5;               // followed only to http and https
};

enum class DownloadEnd
{
    Finished,
    Failed,
    Cancelled,
};

struct DownloadResult
{
    DownloadEnd end = DownloadEnd::Failed;
    std::string reason;            // why it failed, in plain words ("404 Not Found", "too large")
    std::filesystem::path path;    // the file saved, once finished
    uint64_t bytes = 0;
};

// Bytes received so far and the size the server announced (-1 when it
// announced none); called on the downloading thread.
using DownloadProgress = std::function<void(uint64_t received, int64_t total)>;

// Fetches an http or https address into the folder (made when missing),
// under the name ChooseFileName gives (the server's Content-Disposition,
// the address, then the label), never replacing a file: "Name (2).mid"
// and so on. The body goes to a hidden temporary file in the folder and is
// renamed once whole; a download that fails or is cancelled leaves nothing
// behind. Blocks until done; `cancel` may be set from any thread.
DownloadResult DownloadFile(const std::string& address, const std::filesystem::path& folder,
                            const std::string& label, const std::atomic<bool>& cancel,
                            const DownloadProgress& progress = {}, const DownloadLimits& limits = {});

// A size for people: "512 bytes", "1.5 KB", "12.3 MB".
std::string FormatBytes(uint64_t bytes);
