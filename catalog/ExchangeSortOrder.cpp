#include "catalog/ExchangeSortOrder.h"

#include <algorithm>
#include <cstdint>
#include <deque>

// Why the order of equal labels can be computed without running the sort:
// take the items with one label v. Pass k moves the smallest remaining item
// to position k along the chain of left-to-right minima of positions k..n-1;
// each chain item moves to the next chain position. A v item is on that
// chain only if it is the first v and no smaller item comes before it, and
// then it jumps to the first smaller item after it, past the v items in
// between. Reading the items in their original order, with the v items seen
// so far kept in a queue, every smaller item met once the queue is not empty
// moves the front of the queue to its back; larger items change nothing.
// The final queue is the order of the v items.

namespace {

// The first eight bytes, big-endian, so that most comparisons are one
// integer comparison. Shorter labels are padded with zero bytes, which only
// makes them tie with labels that really hold zeros there.
uint64_t PrefixKey(const std::string& s)
{
    uint64_t key = 0;
    const size_t n = std::min<size_t>(s.size(), 8);
    for (size_t i = 0; i < n; ++i)
        key |= static_cast<uint64_t>(static_cast<unsigned char>(s[i])) << (56 - 8 * i);
    return key;
}

bool IsNonDecreasing(const std::vector<std::string>& labels)
{
    for (size_t i = 1; i < labels.size(); ++i)
        if (labels[i - 1].compare(labels[i]) > 0)
            return false;
    return true;
}

// Counts marked positions.
class FenwickTree
{
public:
    explicit FenwickTree(size_t n) : m_tree(n + 1, 0) {}

    void Mark(size_t position)
    {
        for (size_t i = position + 1; i < m_tree.size(); i += i & (~i + 1))
            ++m_tree[i];
    }

    // Marked positions below `end`.
    uint32_t CountBelow(size_t end) const
    {
        uint32_t count = 0;
        for (size_t i = end; i > 0; i -= i & (~i + 1))
            count += m_tree[i];
        return count;
    }

private:
    std::vector<uint32_t> m_tree;
};

void RotateLeft(std::deque<size_t>& queue, size_t steps)
{
    const size_t size = queue.size();
    steps %= size;
    if (steps <= size / 2) {
        for (; steps > 0; --steps) {
            queue.push_back(queue.front());
            queue.pop_front();
        }
    } else {
        for (steps = size - steps; steps > 0; --steps) {
            queue.push_front(queue.back());
            queue.pop_back();
        }
    }
}

} // namespace

bool ExchangeSortOrder(const std::vector<std::string>& labels, std::vector<size_t>& order)
{
    order.clear();
    const size_t n = labels.size();
    if (n < 2 || IsNonDecreasing(labels))
        return false;

    std::vector<uint64_t> keys(n);
    for (size_t i = 0; i < n; ++i)
        keys[i] = PrefixKey(labels[i]);

    // By label, equal labels by index: each run of equal labels then lists
    // its items in their original order.
    order.resize(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (keys[a] != keys[b])
            return keys[a] < keys[b];
        const int c = labels[a].compare(labels[b]);
        return c != 0 ? c < 0 : a < b;
    });

    // Runs in increasing label order; `smaller` holds the positions of all
    // items of the runs already done, which are exactly the smaller labels.
    FenwickTree smaller(n);
    std::deque<size_t> queue;
    for (size_t start = 0; start < n;) {
        size_t end = start + 1;
        while (end < n && keys[order[end]] == keys[order[start]]
               && labels[order[end]] == labels[order[start]])
            ++end;
        if (end - start > 1) {
            queue.clear();
            for (size_t j = start; j < end; ++j) {
                const size_t position = order[j];
                const size_t next = j + 1 < end ? order[j + 1] : n;
                queue.push_back(position);
                const uint32_t between = smaller.CountBelow(next) - smaller.CountBelow(position + 1);
                if (between > 0)
                    RotateLeft(queue, between);
            }
            std::copy(queue.begin(), queue.end(), order.begin() + static_cast<std::ptrdiff_t>(start));
        }
        for (size_t j = start; j < end; ++j)
            smaller.Mark(order[j]);
        start = end;
    }
    return true;
}
