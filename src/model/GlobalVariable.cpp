#include "model/GlobalVariable.h"

QString programTitle()
{
    return QStringLiteral("Торбел %1.%2").arg(TORBEL_VERSION_MAJOR).arg(TORBEL_VERSION_MINOR);
}

void InitGlobalVariable(GlobalVariable& g)
{
    g.dtDataBegin = QDate(1900, 1, 1);
    g.dtDataEnd = QDate(9999, 1, 1);
    g.blnDataBegin = false;
    g.blnDataEnd = false;
    g.intPeriod = 1;
    g.objMenuList.AddMenu(1);
    g.strFileName.clear();
    g.strTitle = programTitle();
    g.blnChanged = false;
}
