#include "model/CatalogSnapshot.h"

#include "model/clsCatalog.h"

namespace {

// Texts taken from the catalog still share their storage with it unless changed since.
bool same(const QString& a, const QString& b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

} // namespace

void CatalogSnapshot::take(const clsCatalog& objCatalog)
{
    m_entries.clear();
    m_entries.reserve(static_cast<size_t>(objCatalog.size()));
    for (int i = 1; i <= objCatalog.size(); ++i) {
        const clsProduct& p = objCatalog.GetProduct(static_cast<qint16>(i));
        m_entries.push_back({p.Name(), p.Norma(), p.strProductEdin});
    }
    m_blnTaken = true;
}

void CatalogSnapshot::clear()
{
    m_entries.clear();
    m_blnTaken = false;
}

bool CatalogSnapshot::matches(const clsCatalog& objCatalog) const
{
    if (!m_blnTaken || m_entries.size() != static_cast<size_t>(objCatalog.size()))
        return false;
    for (int i = 1; i <= objCatalog.size(); ++i) {
        const clsProduct& p = objCatalog.GetProduct(static_cast<qint16>(i));
        const Entry& e = m_entries[static_cast<size_t>(i - 1)];
        if (p.Norma() != e.intNorma || !same(p.Name(), e.strName) || !same(p.strProductEdin, e.strEdin))
            return false;
    }
    return true;
}
