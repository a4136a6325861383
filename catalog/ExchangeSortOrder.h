#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The order in which this exchange sort leaves the labels:
//
//     for k in 0 .. n-1: for i in k+1 .. n-1: if label[k] > label[i]: swap k, i
//
// (byte-wise comparison). It is not stable, and the cache files and pages
// depend on its exact order of equal labels, so it is reproduced exactly, in
// O(n log n) for the usual inputs instead of n*n/2 comparisons.
//
// Returns false and leaves `order` empty when the sort would change nothing;
// otherwise order[j] is the index of the label that ends at position j.
bool ExchangeSortOrder(const std::vector<std::string>& labels, std::vector<size_t>& order);
