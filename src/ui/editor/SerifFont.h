#pragma once

#include <QFont>

// The editor's lettering: Times New Roman where it is installed, else its metric twin.
QFont serifFont(qreal points, bool bBold = false, bool bItalic = false, bool bUnderline = false);
