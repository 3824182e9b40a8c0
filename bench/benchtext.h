#pragma once

// Texts and reporting shared by the search benchmarks.

#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>

namespace BenchText {

// Words of filler, with needle after every wordsBetween of them, up to about size characters.
inline QString makeText(qsizetype size, int wordsBetween, const QString &needle)
{
    // Near misses of "needle" among them keep the first-character test busy.
    static const QString words[] = {u"Lorem "_qs,       u"ipsum, "_qs, u"need "_qs,
                                    u"dolor "_qs,       u"Neat "_qs,   u"sit "_qs,
                                    u"amet\n"_qs,       u"nine "_qs,   u"caf\u00E9 "_qs,
                                    u"Stra\u00DFe "_qs, u"NEEDL "_qs};
    constexpr int wordCount = sizeof words / sizeof words[0];
    QString text;
    text.reserve(size + 64);
    int word = 0;
    while (text.size() < size) {
        text += words[word % wordCount];
        if (++word % wordsBetween == 0 && !needle.isEmpty())
            text += needle + u' ';
    }
    return text;
}

inline double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void report(const char *what, const QList<double> &times)
{
    std::printf("  %-44s median %8.1f ms   (", what, median(times));
    for (double t : times)
        std::printf(" %.1f", t);
    std::printf(" )\n");
    std::fflush(stdout);
}

} // namespace BenchText
