#pragma once

#include "model/clsMenuOfDay.h"

#include <memory>
#include <vector>

// The ration: daily menus addressed by 1-based position. Its size is the layout's periodicity.
class clsMenuList
{
public:
    // Appends an empty daily menu; the argument is kept for callers and not used.
    void AddMenu(qint16 intUnused = 0);
    // Throws OutOfRangeError outside 1..size.
    void DelMenu(qint16 intIndex);
    clsMenuOfDay& GetMenu(qint16 intIndex);
    const clsMenuOfDay& GetMenu(qint16 intIndex) const;
    // Puts a copy at the position: inside the list it replaces, past the end it appends.
    void SetMenu(const clsMenuOfDay& objMenu, qint16 intIndex);
    // Inserts a copy before position intIndex (1..size + 1).
    void InsertMenu(const clsMenuOfDay& objMenu, qint16 intIndex);
    // The two daily menus change places; throws OutOfRangeError outside 1..size.
    void ExchangeMenus(qint16 intIndex1, qint16 intIndex2);
    qint16 size() const { return static_cast<qint16>(m_menus.size()); }

private:
    std::vector<std::unique_ptr<clsMenuOfDay>> m_menus;
};
