#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/CatgenRandom.h"
#include "tools/catgen/ContentWords.h"

// Invents the catalog one content type at a time, so that a large catalog
// can be written without holding all of it. Item ids run on over the types:
// build the types in ascending code order to get the same ids every time.
class CatalogModelBuilder
{
public:
    // The options must be normalised (known codes, non-negative counts, a
    // media base ending in "/").
    explicit CatalogModelBuilder(const CatalogGeneratorOptions& options);

    GeneratedType BuildType(int code);

private:
    struct GroupPlan
    {
        std::string id;
        std::string lib;
        std::size_t theme = 0;
        int itemCount = 0;
    };

    std::vector<GroupPlan> PlanGroups(int code, const TypeVocabulary& words);
    std::string MakeGroupId(CatgenRandom& random, int& next);
    int ItemCount(CatgenRandom& random, int groupIndex, int zeroGroup, int bigGroup);
    GeneratedItem MakeItem(CatgenRandom& random, const GeneratedType& type,
                           const GeneratedGroup& group, const GroupTheme& theme);
    std::string MakeName(CatgenRandom& random, const TypeVocabulary& words,
                         const GroupTheme& theme);
    std::string MakeNameOnce(CatgenRandom& random, const TypeVocabulary& words,
                             const GroupTheme& theme);
    std::string MakeDescription(CatgenRandom& random, const TypeVocabulary& words,
                                const GeneratedItem& item, const GroupTheme& theme);
    std::string MediaAddress(const GeneratedType& type, const GeneratedGroup& group,
                             const std::string& itemId, std::string_view ending) const;

    const CatalogGeneratorOptions& m_options;
    std::string m_downloadBase;
    std::uint64_t m_nextItemId;
    int m_unsafeCount = 0;
    std::unordered_set<std::string> m_groupNames;  // item names of the group being built
};
