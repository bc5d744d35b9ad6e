#include "ui/SerifFont.h"

#include <QStringList>

QFont serifFont(qreal points, bool bBold, bool bItalic, bool bUnderline)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    font.setBold(bBold);
    font.setItalic(bItalic);
    font.setUnderline(bUnderline);
    return font;
}
