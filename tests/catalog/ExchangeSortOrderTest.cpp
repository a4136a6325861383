#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "catalog/ExchangeSortOrder.h"

namespace {

// The exchange sort itself, on (label, original index) pairs.
std::vector<size_t> ReferenceOrder(const std::vector<std::string>& labels)
{
    std::vector<std::pair<std::string, size_t>> items;
    for (size_t i = 0; i < labels.size(); ++i)
        items.emplace_back(labels[i], i);
    for (size_t k = 0; k < items.size(); ++k)
        for (size_t i = k + 1; i < items.size(); ++i)
            if (items[k].first.compare(items[i].first) > 0)
                std::swap(items[k], items[i]);
    std::vector<size_t> order;
    for (const auto& item : items)
        order.push_back(item.second);
    return order;
}

std::vector<size_t> FastOrder(const std::vector<std::string>& labels)
{
    std::vector<size_t> order;
    if (!ExchangeSortOrder(labels, order)) {
        EXPECT_TRUE(order.empty());
        order.resize(labels.size());
        std::iota(order.begin(), order.end(), size_t{0});
    }
    return order;
}

TEST(ExchangeSortOrderTest, KnownOrders)
{
    // Byte order: "B" < "a" < "b".
    EXPECT_EQ(FastOrder({"b", "B", "a"}), (std::vector<size_t>{1, 2, 0}));
    // Equal labels are not kept in their order: the first B jumps behind.
    EXPECT_EQ(FastOrder({"B", "B", "A"}), (std::vector<size_t>{2, 1, 0}));
    std::vector<size_t> order;
    EXPECT_FALSE(ExchangeSortOrder({"a", "a", "b", "c"}, order));
    EXPECT_FALSE(ExchangeSortOrder({}, order));
}

// Random labels from a small alphabet, so that many are equal, with long
// shared prefixes (past the eight bytes compared as one key), high bytes
// that must sort after ASCII, and embedded NUL bytes.
TEST(ExchangeSortOrderTest, MatchesTheExchangeSortOnRandomInputs)
{
    std::mt19937 random(20240611);
    const std::string prefixes[] = {"", "common-prefix-", "\xC3\xA9"};
    const char alphabet[] = {'a', 'B', 'b', '\x80', '\xFF', '\0', ' '};
    for (int round = 0; round < 3000; ++round) {
        const size_t n = random() % 60;
        const size_t distinctChars = 1 + random() % sizeof alphabet;
        std::vector<std::string> labels;
        for (size_t i = 0; i < n; ++i) {
            std::string label = prefixes[random() % 3];
            const size_t length = random() % 4;
            for (size_t j = 0; j < length; ++j)
                label += alphabet[random() % distinctChars];
            labels.push_back(label);
        }
        if (round % 10 == 0)
            std::sort(labels.begin(), labels.end());
        ASSERT_EQ(FastOrder(labels), ReferenceOrder(labels)) << "round " << round;
    }
}

TEST(ExchangeSortOrderTest, LargeInputWithFewDistinctLabels)
{
    std::mt19937 random(7);
    std::vector<std::string> labels;
    for (int i = 0; i < 3000; ++i)
        labels.push_back(std::string(1, static_cast<char>('a' + random() % 5)));
    EXPECT_EQ(FastOrder(labels), ReferenceOrder(labels));
    std::reverse(labels.begin(), labels.end());
    EXPECT_EQ(FastOrder(labels), ReferenceOrder(labels));
}

} // namespace
