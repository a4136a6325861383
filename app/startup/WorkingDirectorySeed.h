#pragma once

#include <filesystem>
#include <string>

// What a seed of the working directory did.
struct SeedResult
{
    int filesAdded = 0;         // templates and hint.js copied
    bool catalogAdded = false;  // the sample catalog became data/
    std::string error;          // the first failure; empty when all went well
};

// Fills the working directory `target` from the installed shared files
// without ever replacing what is there. Each file of shared/tpl/ and
// shared/hint.js that target lacks is copied: a newer version's new
// templates arrive this way, while a file the user has, changed or not, is
// left alone. The sample catalog shared/sample/data/ becomes target/data/
// when target has no data/ at all.
// Each file and the catalog appear whole or not at all: they are written
// under a temporary name and renamed, so that an interrupted start leaves
// nothing half-written that a later start would then keep. The seed stops
// at the first failure.
SeedResult SeedWorkingDirectory(const std::filesystem::path& shared, const std::filesystem::path& target);
