#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

class clsCatalog;

// What a catalog held when it was taken: every product's name, norm and unit in catalog
// order. Comparing a catalog with it is much cheaper than sorting the catalog again, so
// lists built from a catalog are rebuilt only when it has changed.
class CatalogSnapshot
{
public:
    void take(const clsCatalog& objCatalog);
    void clear();
    // Whether the catalog holds exactly what was taken (never after clear()).
    bool matches(const clsCatalog& objCatalog) const;

private:
    struct Entry
    {
        QString strName;
        qint16 intNorma;
        QString strEdin;
    };

    bool m_blnTaken = false;
    std::vector<Entry> m_entries;
};
