#pragma once

#include <functional>
#include <string>
#include <string_view>

// The listing pages of a changed group, received into a staging directory
// beside the group's (in the type directory, so on the same file system)
// and put in place of the group's pages only once every page arrived
// whole. Until Commit the group's directory is not touched; a staging
// directory that is not committed is removed, and one that a killed run
// left is removed by the next (RemoveLeftStaging).
//
// Commit exchanges the two directories in one step (renameat2 with
// RENAME_EXCHANGE): before it the old pages are all there, after it the new
// ones, and the pages above the new last page are gone with the old
// directory. The files of the group directory that are no pages (the
// pictures) are linked into the staging directory first, so they stay.
// Where the file system cannot exchange, the old directory is renamed
// aside and the new one into its place: a crash between the two renames
// leaves the group without pages, which the next update fetches again.
class GroupStaging
{
public:
    // Told the path (in the group's directory) and errno of what could not
    // be written.
    using FailureReport = std::function<void(const std::string& path, int error)>;

    // typeDir: the type's directory (exists); dirName: the group's directory
    // name in it.
    GroupStaging(std::string typeDir, std::string dirName, FailureReport report);
    ~GroupStaging();
    GroupStaging(const GroupStaging&) = delete;
    GroupStaging& operator=(const GroupStaging&) = delete;

    // Writes page n (from 1); false when it could not be written.
    bool WritePage(long long page, std::string_view text);
    // Makes the staged pages the group's; false when that failed, and then
    // the group's pages are as they were (or, after a crash of the fallback,
    // missing).
    bool Commit();

private:
    bool Prepare();
    bool CarryOverOtherFiles();
    void Report(const std::string& name, int error);

    std::string m_groupDir;
    std::string m_stagingDir;
    std::string m_retiredDir;
    FailureReport m_report;
    bool m_prepared = false;
    bool m_committed = false;
};

// Removes what an interrupted run left of its staging in the type directory.
void RemoveLeftStaging(const std::string& typeDir);
