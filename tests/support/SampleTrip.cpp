#include "support/SampleTrip.h"

#include "model/GlobalVariable.h"
#include "tripfile/TripFile.h"

#include <QFile>

namespace TestSupport {

QByteArray tripBytes(const GlobalVariable& g)
{
    QByteArray bytes;
    QString strError;
    if (!TripFile::write(TripFile::fromState(g), bytes, strError))
        qFatal("the trip cannot be written: %s", qPrintable(strError));
    return bytes;
}

void makeTrip(GlobalVariable& g, const QList<QStringList>& products, const QStringList& menus, qint16 intCountPeople,
              qint16 intCountSmena, qint16 intCountDay, const QDate& dtDataBegin)
{
    g.objCatalog.DelAllProduct();
    for (const QStringList& p : products)
        g.objCatalog.AddProduct(p.value(0), p.value(1), p.value(2));

    while (g.objMenuList.size() > 0)
        g.objMenuList.DelMenu(g.objMenuList.size());
    for (const QString& text : menus) {
        g.objMenuList.AddMenu();
        clsMenuOfDay& menu = g.objMenuList.GetMenu(g.objMenuList.size());
        const QStringList meals = text.split(u'|');
        for (qint16 m = 1; m <= 3 && m <= meals.size(); ++m) {
            for (const QString& pos : meals.at(m - 1).split(u' ', Qt::SkipEmptyParts))
                menu.GetTrapeza(m)->AddProduct(static_cast<qint16>(pos.toShort()));
        }
    }

    g.intPeriod = g.objMenuList.size();
    g.intCountPeople = intCountPeople;
    g.intCountSmena = intCountSmena;
    g.intCountDay = intCountDay;
    g.dtDataBegin = dtDataBegin;
    g.dtDataEnd = dtDataBegin.addDays(intCountDay - 1);
    g.objRasklad.Build(intCountDay, g.intPeriod);
}

bool writeSmallTrip(const QString& strPath)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    makeTrip(g, {{"Гречка", "100", "гр"}, {"Чай", "5", "гр"}}, {"1 | 2 | 1"}, 4, 2, 3);
    QByteArray bytes;
    QString error;
    if (!TripFile::write(TripFile::fromState(g), bytes, error))
        return false;
    QFile f(strPath);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

} // namespace TestSupport
