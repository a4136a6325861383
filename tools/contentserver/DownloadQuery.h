#pragma once

#include <optional>
#include <string>
#include <string_view>

// The query of a download address, "t=15&id=18294" for an item's file and
// "t=26&id=18294&f=jad" for a Java game's descriptor. Pairs are split at
// "&"; the first occurrence of a name counts and values are percent-decoded.
struct DownloadQuery
{
    std::optional<std::string> type;  // t
    std::optional<std::string> id;    // id
    std::optional<std::string> form;  // f: "jad" for the descriptor, "jar" or none for the file
};

DownloadQuery ParseDownloadQuery(std::string_view query);

// The path of the download addresses.
inline constexpr std::string_view kDownloadPath = "/dl.php";
