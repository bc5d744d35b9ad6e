#pragma once

#include "model/ProductFacts.h"

#include <QString>
#include <QtGlobal>

// One catalog product. Meals refer to it by its catalog position, never by pointer.
class clsProduct
{
public:
    QString strProductEdin; // unit of measure, free text
    ProductFacts facts;     // energy, nutrients, weight, package and price, all optional

    const QString& Name() const { return m_strName; }
    // An empty text keeps the old name.
    void setName(QString strName);

    qint16 Norma() const { return m_intNorma; }
    // A negative norm is ignored.
    void setNorma(qint16 intNorma);

    bool operator==(const clsProduct&) const = default;

private:
    QString m_strName;
    qint16 m_intNorma = 0;
};
