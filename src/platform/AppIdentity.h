#pragma once

#include <QIcon>
#include <QList>

// What the desktop knows the program by: the name of its desktop entry, which docks and
// task bars match the windows against, and its icon.
namespace AppIdentity {

// The desktop entry's file name without ".desktop"; also the AppStream id.
inline constexpr const char* desktopId = "invalid.rkforge.torbel";

// The sizes the icon comes in; 16 and 22 px are drawn for their size.
QList<int> iconSizes();

// The program's icon from the resources, one image per size of iconSizes().
QIcon icon();

// Gives the application its desktop entry and its icon: every window opened afterwards
// carries them (the about box shows the icon).
void apply();

} // namespace AppIdentity
