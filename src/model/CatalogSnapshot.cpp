#include "model/CatalogSnapshot.h"

#include "model/clsCatalog.h"

namespace {

// Texts taken from the catalog still share their storage with it unless changed since.
bool same(const QString& a, const QString& b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

} // namespace

CatalogSnapshot::Entry CatalogSnapshot::entryOf(const clsProduct& p)
{
    return {p.Name(), p.Norma(), p.strProductEdin};
}

bool CatalogSnapshot::holds(const Entry& e, const clsProduct& p)
{
    return p.Norma() == e.intNorma && same(p.Name(), e.strName) && same(p.strProductEdin, e.strEdin);
}

void CatalogSnapshot::take(const clsCatalog& objCatalog)
{
    m_entries.clear();
    m_entries.reserve(static_cast<size_t>(objCatalog.size()));
    for (int i = 1; i <= objCatalog.size(); ++i)
        m_entries.push_back(entryOf(objCatalog.GetProduct(static_cast<qint16>(i))));
    m_blnTaken = true;
}

void CatalogSnapshot::clear()
{
    m_entries.clear();
    m_blnTaken = false;
}

bool CatalogSnapshot::matches(const clsCatalog& objCatalog) const
{
    return singleChange(objCatalog) == 0;
}

int CatalogSnapshot::singleChange(const clsCatalog& objCatalog) const
{
    const auto n = static_cast<size_t>(objCatalog.size());
    if (!m_blnTaken || (n != m_entries.size() && n != m_entries.size() + 1))
        return -1;
    int changed = n > m_entries.size() ? static_cast<int>(n) : 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (!holds(m_entries[i], objCatalog.GetProduct(static_cast<qint16>(i + 1)))) {
            if (changed != 0)
                return -1;
            changed = static_cast<int>(i + 1);
        }
    }
    return changed;
}

void CatalogSnapshot::retake(const clsCatalog& objCatalog, qint16 intIndex)
{
    const Entry e = entryOf(objCatalog.GetProduct(intIndex));
    if (static_cast<size_t>(intIndex) == m_entries.size() + 1)
        m_entries.push_back(e);
    else
        m_entries.at(static_cast<size_t>(intIndex - 1)) = e;
}
