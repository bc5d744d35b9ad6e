#pragma once

#include <QtGlobal>

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
