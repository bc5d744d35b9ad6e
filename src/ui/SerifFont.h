#pragma once

#include <QFont>

// The windows' lettering: Times New Roman where it is installed, else its metric twin.
QFont serifFont(qreal points, bool bBold = false, bool bItalic = false, bool bUnderline = false);
