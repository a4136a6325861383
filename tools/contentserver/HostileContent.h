#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Groups with ids that must not be trusted as file names, which the server
// adds to every type index on request: "..", "../x", "/abs/x", "a/../../b",
// "x\y", "a?b*c", " 12 " and, last, "nul" + NUL byte + "byte". Their
// listings hold three items each, two of them with hostile item ids
// ("../../../escape<n>" and "/abs/pic<n>"), whose pictures the server also
// serves.

struct HostileGroup
{
    std::string id;   // as meant, NUL byte included
    std::string lib;
};

const std::vector<HostileGroup>& HostileGroups();

// The group's "ressource" element for the index. A backslash is written
// doubled, since the program's XML parser reads "\" as an escape: what the
// program reads is the id as meant. The NUL byte is written as it is, so
// that group goes last: a reader that stops at it loses only that group.
std::string HostileIndexFragment(const HostileGroup& group);

// Whether the id the program sent (trimmed by the caller) asks for the
// group: its trimmed id, or for the NUL group the part before the NUL byte.
bool IsHostileGroupRequest(const HostileGroup& group, std::string_view trimmedId);

// The items of group `index` for type `code`, picture addresses on `origin`
// ("http://127.0.0.1:8642") below HostileMediaPrefix().
std::vector<std::string> HostileListingItems(int code, std::size_t index, const std::string& origin);

// Address path under which the pictures of the hostile items are served.
constexpr std::string_view HostileMediaPrefix() { return "/hostile-media/"; }

// The picture at <prefix><key>/<group index>/<item index>.gif; nullopt if
// there is none.
std::optional<std::string> HostilePicture(std::string_view below);
