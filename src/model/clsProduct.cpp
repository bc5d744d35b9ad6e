#include "model/clsProduct.h"

void clsProduct::setName(QString strName)
{
    if (!strName.isEmpty())
        m_strName = std::move(strName);
}

void clsProduct::setNorma(qint16 intNorma)
{
    if (intNorma >= 0)
        m_intNorma = intNorma;
}
