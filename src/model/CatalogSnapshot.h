#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

class clsCatalog;
class clsProduct;

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
    // What differs from what was taken: 0 nothing; a catalog position when that one
    // product alone differs, or was appended; -1 when more has changed or nothing was
    // taken. One product changed or added is the usual case, and lists can follow it
    // without being built again.
    int singleChange(const clsCatalog& objCatalog) const;
    // Takes position intIndex again, or appends it when it is the next one.
    void retake(const clsCatalog& objCatalog, qint16 intIndex);

private:
    struct Entry
    {
        QString strName;
        qint16 intNorma;
        QString strEdin;
    };
    static Entry entryOf(const clsProduct& p);
    static bool holds(const Entry& e, const clsProduct& p);

    bool m_blnTaken = false;
    std::vector<Entry> m_entries;
};
