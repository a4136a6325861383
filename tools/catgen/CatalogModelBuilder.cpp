#include "tools/catgen/CatalogModelBuilder.h"

#include <algorithm>
#include <utility>

#include "catalog/CatalogPaths.h"
#include "catalog/ContentTypeTable.h"
#include "tools/catgen/CatgenTypeTable.h"

namespace {

// Streams of CatgenRandom: one for the start of the item ids, one per type
// for its groups and one per group for its items, so that the item count of
// one group does not change the labels of the next.
constexpr std::uint64_t kIdStream = 0;
constexpr std::uint64_t TypeStream(int code) { return static_cast<std::uint64_t>(code) << 40; }
constexpr std::uint64_t GroupStream(int code, int group)
{
    return TypeStream(code) + static_cast<std::uint64_t>(group) + 1;
}

// Scheme and host of an address: "http://h:1/media/" gives "http://h:1".
std::string Origin(const std::string& address)
{
    const auto scheme = address.find("://");
    const auto start = scheme == std::string::npos ? 0 : scheme + 3;
    const auto slash = address.find('/', start);
    return slash == std::string::npos ? address : address.substr(0, slash);
}

// A group id as a path segment of an address.
std::string PercentEncoded(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
            byte == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

void ReplaceAll(std::string& text, std::string_view token, std::string_view value)
{
    for (auto at = text.find(token); at != std::string::npos;
         at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

std::string ToString(std::string_view text)
{
    return std::string(text);
}

// The element of an item that the program reads an address of that name from.
std::optional<std::string>& AddressElement(GeneratedItem& item, std::string_view name)
{
    return name == "screenbox" ? item.screenbox : item.file;
}

} // namespace

CatalogModelBuilder::CatalogModelBuilder(const CatalogGeneratorOptions& options)
    : m_options(options),
      m_downloadBase(Origin(options.mediaBase) + "/dl.php"),
      m_nextItemId(10000 + CatgenRandom(options.seed, kIdStream).Below(5000))
{
}

GeneratedType CatalogModelBuilder::BuildType(int code)
{
    const TypeVocabulary& words = FindCatgenTraits(code)->words();
    GeneratedType type;
    type.code = code;
    type.key = std::string(ContentTypeKey(code));

    std::vector<GroupPlan> plans = PlanGroups(code, words);
    type.groups.reserve(plans.size());
    for (std::size_t g = 0; g < plans.size(); ++g) {
        GroupPlan& plan = plans[g];
        GeneratedGroup& group = type.groups.emplace_back();
        group.directory = GroupDirectoryName(plan.id);
        group.id = std::move(plan.id);
        group.lib = std::move(plan.lib);

        CatgenRandom random(m_options.seed, GroupStream(code, static_cast<int>(g)));
        const GroupTheme& theme = words.themes[plan.theme];
        group.items.reserve(static_cast<std::size_t>(plan.itemCount));
        m_groupNames.clear();
        for (int i = 0; i < plan.itemCount; ++i)
            group.items.push_back(MakeItem(random, type, group, theme));
    }
    return type;
}

std::vector<CatalogModelBuilder::GroupPlan> CatalogModelBuilder::PlanGroups(
    int code, const TypeVocabulary& words)
{
    CatgenRandom random(m_options.seed, TypeStream(code));
    const auto count = static_cast<std::size_t>(m_options.groupsPerType);

    // The plain theme labels first, in a shop's own order; then a modifier
    // before a theme ("Summer Love"); then those again with a number, so
    // labels stay distinct however many groups are asked for.
    std::vector<std::size_t> themes(words.themes.size());
    for (std::size_t t = 0; t < themes.size(); ++t)
        themes[t] = t;
    random.Shuffle(themes);
    std::vector<std::pair<std::size_t, std::size_t>> combined;  // modifier, theme
    if (count > themes.size()) {
        for (std::size_t m = 0; m < words.modifiers.size(); ++m)
            for (std::size_t t = 0; t < themes.size(); ++t)
                combined.emplace_back(m, t);
        random.Shuffle(combined);
    }

    int zeroGroup = -1;
    int bigGroup = -1;
    if (m_options.varyItems && count >= 3) {
        zeroGroup = random.Between(0, static_cast<int>(count) - 1);
        bigGroup = (zeroGroup + random.Between(1, static_cast<int>(count) - 1)) %
                   static_cast<int>(count);
    }

    std::vector<GroupPlan> plans(count);
    int nextId = 10 + random.Between(0, 89);
    for (std::size_t g = 0; g < count; ++g) {
        GroupPlan& plan = plans[g];
        if (g < themes.size()) {
            plan.theme = themes[g];
            plan.lib = ToString(words.themes[plan.theme].label);
        } else {
            const std::size_t k = g - themes.size();
            const auto& [modifier, theme] = combined[k % combined.size()];
            plan.theme = theme;
            plan.lib = ToString(words.modifiers[modifier]) + " " +
                       ToString(words.themes[theme].label);
            if (k >= combined.size())
                plan.lib += " " + std::to_string(k / combined.size() + 1);
        }
        plan.id = MakeGroupId(random, nextId);
        plan.itemCount = ItemCount(random, static_cast<int>(g), zeroGroup, bigGroup);
    }
    return plans;
}

std::string CatalogModelBuilder::MakeGroupId(CatgenRandom& random, int& next)
{
    next += random.Between(1, 12);
    const std::string number = std::to_string(next);
    // Every unsafe id is built around a number no other group has, so their
    // directory names stay distinct too.
    if (!m_options.unsafeIds || random.Percent(34))
        return number;
    const std::string digit = std::to_string(random.Between(1, 9));
    switch (m_unsafeCount++ % 6) {
    case 0: return number + "/" + digit;
    case 1: return "cat?" + number;
    case 2: return number + "*";
    case 3: return number + "\\" + digit;
    case 4: return " " + number + " ";
    default: return " " + number + "/" + digit + " ";
    }
}

int CatalogModelBuilder::ItemCount(CatgenRandom& random, int groupIndex, int zeroGroup,
                                   int bigGroup)
{
    const int items = m_options.itemsPerGroup;
    if (!m_options.varyItems)
        return items;
    // One empty and one large group per type for certain, a few more by chance.
    if (groupIndex == zeroGroup)
        return 0;
    if (groupIndex == bigGroup)
        return 101 + random.Between(0, 99 + items);
    const auto roll = random.Below(100);
    if (roll < 5 || items == 0)
        return 0;
    if (roll < 12)
        return 101 + random.Between(0, 149);
    return random.Between(std::max(1, items / 3), std::max(1, items * 2 - items / 3));
}

GeneratedItem CatalogModelBuilder::MakeItem(CatgenRandom& random, const GeneratedType& type,
                                            const GeneratedGroup& group,
                                            const GroupTheme& theme)
{
    const CatgenTypeTraits& traits = *FindCatgenTraits(type.code);
    const TypeVocabulary& words = traits.words();
    GeneratedItem item;
    m_nextItemId += 1 + random.Below(3);
    item.id = std::to_string(m_nextItemId);

    if (!group.items.empty() && random.Percent(4)) {
        item.lib = group.items[random.Below(static_cast<std::uint32_t>(group.items.size()))].lib;
    } else {
        item.lib = MakeName(random, words, theme);
        if (random.Percent(6) && item.lib[0] >= 'A' && item.lib[0] <= 'Z')
            item.lib[0] = static_cast<char>(item.lib[0] - 'A' + 'a');
    }

    const auto roll = random.Below(100);
    if (roll < static_cast<std::uint32_t>(words.authorPercent))
        item.author = ToString(random.Pick(words.authors));
    else if (roll < static_cast<std::uint32_t>(words.authorPercent + words.emptyAuthorPercent))
        item.author = std::string();

    item.urlDownload = m_downloadBase + "?t=" + std::to_string(type.code) + "&id=" + item.id;
    item.desc = MakeDescription(random, words, item, theme);

    // The picture goes where the update looks for it.
    const ContentTypeInfo& info = *FindContentType(type.code);
    if (info.HasMediaFiles())
        AddressElement(item, info.mediaElement) = MediaAddress(type, group, item.id, ".gif");
    const bool hasFile = !traits.fileEnding.empty() &&
                         (traits.filePercent >= 100 || random.Percent(traits.filePercent));
    if (hasFile) {
        const bool other =
            !traits.otherFileEnding.empty() && random.Percent(traits.otherFilePercent);
        item.file = MediaAddress(type, group, item.id,
                                 other ? traits.otherFileEnding : traits.fileEnding);
    }
    if (!traits.screenboxEnding.empty())
        item.screenbox = MediaAddress(type, group, item.id, traits.screenboxEnding);
    return item;
}

std::string CatalogModelBuilder::MakeName(CatgenRandom& random, const TypeVocabulary& words,
                                          const GroupTheme& theme)
{
    // Shops keep names within a group distinct, mostly: a few fresh draws,
    // then a number, the way catalogs get "Leo 2".
    const auto taken = [this](const std::string& name) { return m_groupNames.count(name) > 0; };
    std::string name = MakeNameOnce(random, words, theme);
    for (int tries = 0; tries < 5 && taken(name); ++tries)
        name = MakeNameOnce(random, words, theme);
    if (taken(name)) {
        const std::string stem = name;
        for (int n = 2; taken(name); ++n)
            name = stem + " " + std::to_string(n);
    }
    m_groupNames.insert(name);
    return name;
}

std::string CatalogModelBuilder::MakeNameOnce(CatgenRandom& random, const TypeVocabulary& words,
                                              const GroupTheme& theme)
{
    const WordList& subjects = theme.subjects.empty() ? words.subjects : theme.subjects;
    const auto roll = random.Below(100);
    std::string name;
    if (roll < 20 && !words.titles.empty())
        name = ToString(random.Pick(words.titles));
    else if (theme.plainSubjects || roll < 40 || words.adjectives.empty())
        name = ToString(random.Pick(subjects));
    else
        name = ToString(random.Pick(words.adjectives)) + " " + ToString(random.Pick(subjects));
    if (!words.suffixes.empty() && random.Percent(12))
        name += random.Pick(words.suffixes);
    return name;
}

std::string CatalogModelBuilder::MakeDescription(CatgenRandom& random,
                                                 const TypeVocabulary& words,
                                                 const GeneratedItem& item,
                                                 const GroupTheme& theme)
{
    // A text in another language than English stands alone: the shop's
    // partner wrote the whole of it.
    const bool foreign = random.Percent(25);
    const WordList& sentences = foreign ? words.foreignSentences : words.sentences;
    const bool hasAuthor = item.author && !item.author->empty();
    const auto pick = [&](std::size_t avoid) {
        // A sentence naming the author only fits an item that has one.
        for (int tries = 0; tries < 64; ++tries) {
            const auto k = random.Below(static_cast<std::uint32_t>(sentences.size()));
            if (k != avoid &&
                (hasAuthor || sentences[k].find("{author}") == std::string_view::npos))
                return static_cast<std::size_t>(k);
        }
        return std::size_t{0};  // every list starts with a sentence that fits any item
    };

    std::string desc;
    const auto badge = random.Below(100);
    if (badge < 10)
        desc = "<b>New!</b> ";
    else if (badge < 14)
        desc = "<b>Hit!</b> ";
    else if (badge < 16)
        desc = "<b>Top 10</b> ";
    const std::size_t first = pick(sentences.size());
    desc += sentences[first];
    if (!foreign && random.Percent(45)) {
        desc += random.Percent(25) ? "\n" : " ";
        desc += sentences[pick(first)];
    }

    ReplaceAll(desc, "{name}", item.lib);
    ReplaceAll(desc, "{group}", theme.label);
    if (hasAuthor)
        ReplaceAll(desc, "{author}", *item.author);
    if (!words.sizes.empty())
        ReplaceAll(desc, "{size}", random.Pick(words.sizes));
    return desc;
}

std::string CatalogModelBuilder::MediaAddress(const GeneratedType& type,
                                              const GeneratedGroup& group,
                                              const std::string& itemId,
                                              std::string_view ending) const
{
    std::string address = m_options.mediaBase;
    address += type.key;
    address += '/';
    address += PercentEncoded(TrimBlanks(group.id));
    address += '/';
    address += itemId;
    address += ending;
    return address;
}
