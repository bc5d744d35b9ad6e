#include "model/Units.h"

#include <QStringList>

namespace Units {

bool isGramUnit(const QString& strEdin)
{
    static const QStringList words{QStringLiteral("гр"), QStringLiteral("гр."), QStringLiteral("грамм"),
                                   QStringLiteral("g"), QStringLiteral("g.")};
    return words.contains(strEdin, Qt::CaseSensitive);
}

} // namespace Units
