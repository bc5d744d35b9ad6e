#include "model/ProductGrams.h"

#include <array>

namespace ProductGrams {

bool isGramWord(const QString& strEdin)
{
    static const std::array<QString, 7> words{QStringLiteral("гр"), QStringLiteral("гр."), QStringLiteral("грамм"),
                                              QStringLiteral("г"),  QStringLiteral("г."),  QStringLiteral("g"),
                                              QStringLiteral("g.")};
    // Most units are no gram word at their first letter; a full catalog asks for each.
    if (strEdin.isEmpty() || strEdin.size() > 5 || (strEdin.front() != u'г' && strEdin.front() != u'g'))
        return false;
    for (const QString& w : words)
        if (strEdin == w)
            return true;
    return false;
}

std::optional<qint64> gramsPerUnit(const clsProduct& p)
{
    if (isGramWord(p.strProductEdin))
        return 100;
    return p.facts.gramsPerUnit;
}

qint64 packagesToBuy(qint64 intQuantity, qint64 package)
{
    if (intQuantity <= 0 || package <= 0)
        return 0;
    const qint64 hundredths = intQuantity * 100;
    return (hundredths + package - 1) / package;
}

} // namespace ProductGrams
