#pragma once

#include <QList>
#include <QtGlobal>

#include <vector>

// A load per share, kept as the fraction itself so that comparisons are exact (grams
// and hundredths of a share stay far inside 64 bits when multiplied).
struct CarryRatio
{
    qint64 load = 0;
    qint64 share = 1;

    friend bool operator<(const CarryRatio& a, const CarryRatio& b) { return a.load * b.share < b.load * a.share; }
    friend bool operator<=(const CarryRatio& a, const CarryRatio& b) { return a.load * b.share <= b.load * a.share; }
};

inline CarryRatio larger(const CarryRatio& a, const CarryRatio& b)
{
    return a < b ? b : a;
}

// The participant whose load is largest for their share, the first of those tied.
inline int mostLoaded(const std::vector<qint64>& loads, const QList<qint32>& shares)
{
    int a = 0;
    for (int j = 1; j < int(loads.size()); ++j) {
        if (CarryRatio{loads[size_t(a)], shares.at(a)} < CarryRatio{loads[size_t(j)], shares.at(j)})
            a = j;
    }
    return a;
}
