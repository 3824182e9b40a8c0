#include "prefixsums.h"

void PrefixSums::assign(const std::vector<qsizetype> &counts)
{
    const qsizetype n = qsizetype(counts.size());
    std::vector<qsizetype> tree(counts);
    m_total = 0;
    for (qsizetype i = 0; i < n; ++i) {
        m_total += counts[size_t(i)];
        const qsizetype parent = i | (i + 1);
        if (parent < n)
            tree[size_t(parent)] += tree[size_t(i)];
    }
    m_tree = std::move(tree);
}

void PrefixSums::add(qsizetype index, qsizetype delta)
{
    m_total += delta;
    for (qsizetype i = index; i < size(); i |= i + 1)
        m_tree[size_t(i)] += delta;
}

qsizetype PrefixSums::prefix(qsizetype index) const
{
    qsizetype sum = 0;
    for (qsizetype i = index - 1; i >= 0; i = (i & (i + 1)) - 1)
        sum += m_tree[size_t(i)];
    return sum;
}

qsizetype PrefixSums::upperBound(qsizetype value) const
{
    // Descend by powers of two, keeping the largest position whose sum stays <= value.
    qsizetype step = 1;
    while (step * 2 <= size())
        step *= 2;
    qsizetype position = 0; // count of leading elements taken
    qsizetype sum = 0;
    for (; step > 0; step /= 2) {
        const qsizetype next = position + step;
        if (next <= size() && sum + m_tree[size_t(next - 1)] <= value) {
            position = next;
            sum += m_tree[size_t(next - 1)];
        }
    }
    return position;
}
