#include "model/clsMenuList.h"

#include "model/ModelErrors.h"

#include <limits>

void clsMenuList::AddMenu(qint16)
{
    if (m_menus.size() >= static_cast<size_t>(std::numeric_limits<qint16>::max()))
        throw OverflowError("the ration is full");
    m_menus.push_back(std::make_unique<clsMenuOfDay>());
}

void clsMenuList::InsertMenu(const clsMenuOfDay& objMenu, qint16 intIndex)
{
    if (intIndex < 1 || intIndex > size() + 1)
        throw OutOfRangeError("daily menu position out of range");
    if (m_menus.size() >= static_cast<size_t>(std::numeric_limits<qint16>::max()))
        throw OverflowError("the ration is full");
    m_menus.insert(m_menus.begin() + (intIndex - 1), std::make_unique<clsMenuOfDay>(objMenu));
}

void clsMenuList::ExchangeMenus(qint16 intIndex1, qint16 intIndex2)
{
    if (intIndex1 < 1 || intIndex1 > size() || intIndex2 < 1 || intIndex2 > size())
        throw OutOfRangeError("daily menu position out of range");
    std::swap(m_menus[static_cast<size_t>(intIndex1 - 1)], m_menus[static_cast<size_t>(intIndex2 - 1)]);
}

void clsMenuList::DelMenu(qint16 intIndex)
{
    if (intIndex < 1 || intIndex > size())
        throw OutOfRangeError("daily menu position out of range");
    m_menus.erase(m_menus.begin() + (intIndex - 1));
}

clsMenuOfDay& clsMenuList::GetMenu(qint16 intIndex)
{
    if (intIndex < 1 || intIndex > size())
        throw OutOfRangeError("daily menu position out of range");
    return *m_menus[static_cast<size_t>(intIndex - 1)];
}

const clsMenuOfDay& clsMenuList::GetMenu(qint16 intIndex) const
{
    return const_cast<clsMenuList*>(this)->GetMenu(intIndex);
}

void clsMenuList::SetMenu(const clsMenuOfDay& objMenu, qint16 intIndex)
{
    if (intIndex < 1)
        throw OutOfRangeError("daily menu position out of range");
    // Copy first: the source may be the menu that is about to be removed.
    auto copy = std::make_unique<clsMenuOfDay>(objMenu);
    if (size() >= intIndex)
        m_menus.erase(m_menus.begin() + (intIndex - 1));
    if (size() < intIndex) {
        if (m_menus.size() >= static_cast<size_t>(std::numeric_limits<qint16>::max()))
            throw OverflowError("the ration is full");
        m_menus.push_back(std::move(copy));
    } else {
        m_menus.insert(m_menus.begin() + (intIndex - 1), std::move(copy));
    }
}
