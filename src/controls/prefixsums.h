#pragma once

#include <QtGlobal>

#include <vector>

// Running sums over a sequence of counts (a Fenwick tree): a count changes, a prefix sum is
// read, and the index where a running sum passes a value is found, each in O(log n).
class PrefixSums
{
public:
    void assign(const std::vector<qsizetype> &counts);
    qsizetype size() const { return qsizetype(m_tree.size()); }

    void add(qsizetype index, qsizetype delta);
    // The sum of the counts before index.
    qsizetype prefix(qsizetype index) const;
    qsizetype total() const { return m_total; }
    // The first index whose running sum, itself included, exceeds value; size() when none does.
    qsizetype upperBound(qsizetype value) const;

private:
    std::vector<qsizetype> m_tree;
    qsizetype m_total = 0;
};
