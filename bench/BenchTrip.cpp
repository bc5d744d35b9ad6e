#include "BenchTrip.h"

#include "model/GlobalVariable.h"
#include "model/ProductGrams.h"
#include "tripfile/TripFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>

namespace BenchTrip {

const Shape& realistic()
{
    static const Shape s{"realistic", 300, 14, 12, 51, 30, 15};
    return s;
}

const Shape& large()
{
    static const Shape s{"large", 32767, 100, 30, 51, 30, 15};
    return s;
}

namespace {

// Names that sort like real ones: Cyrillic words of a few syllables, capitalised,
// some of them sharing a first word, unique throughout.
QString productName(QRandomGenerator& rnd, QSet<QString>& taken)
{
    static const QStringList syllables{
        QStringLiteral("ка"),  QStringLiteral("ша"),  QStringLiteral("мо"),  QStringLiteral("ло"),
        QStringLiteral("ко"),  QStringLiteral("ри"),  QStringLiteral("са"),  QStringLiteral("хар"),
        QStringLiteral("гре"), QStringLiteral("чка"), QStringLiteral("сыр"), QStringLiteral("мя"),
        QStringLiteral("со"),  QStringLiteral("ль"),  QStringLiteral("ту"),  QStringLiteral("шён"),
        QStringLiteral("ка"),  QStringLiteral("пе"),  QStringLiteral("че"),  QStringLiteral("нье"),
        QStringLiteral("ма"),  QStringLiteral("ка"),  QStringLiteral("ро"),  QStringLiteral("ны"),
        QStringLiteral("ов"),  QStringLiteral("ся"),  QStringLiteral("нка"), QStringLiteral("ба"),
        QStringLiteral("ра"),  QStringLiteral("ни")};
    static const QStringList kinds{QString(),
                                   QStringLiteral(" сушёный"),
                                   QStringLiteral(" копчёный"),
                                   QStringLiteral(" в банке"),
                                   QStringLiteral(" (пакет)"),
                                   QStringLiteral(" молотый")};
    for (;;) {
        QString word;
        const int n = 2 + int(rnd.bounded(3));
        for (int i = 0; i < n; ++i)
            word += syllables.at(int(rnd.bounded(int(syllables.size()))));
        word[0] = word.at(0).toUpper();
        QString name = word + kinds.at(int(rnd.bounded(int(kinds.size()))));
        if (taken.contains(name))
            name += QLatin1Char(' ') + QString::number(taken.size());
        if (!taken.contains(name)) {
            taken.insert(name);
            return name;
        }
    }
}

// Energy, nutrients, weights, packages and prices, so that the nutrition figures and the
// shopping list do real work; every tenth product is left without them. A generator of
// their own, so that the catalog and the menus are the same as without them.
void addFacts(GlobalVariable& g)
{
    QRandomGenerator rnd(20241207u);
    g.intEnergyAim = 3500;
    for (int i = 1; i <= g.objCatalog.size(); ++i) {
        if (i % 10 == 0)
            continue;
        clsProduct& p = g.objCatalog.GetProduct(i);
        ProductFacts& f = p.facts;
        f.energy = 5000 + rnd.bounded(60000);
        f.proteins = rnd.bounded(3000);
        f.fats = rnd.bounded(5000);
        f.carbohydrates = rnd.bounded(8000);
        if (!ProductGrams::isGramWord(p.strProductEdin))
            f.gramsPerUnit = 100 + rnd.bounded(50000);
        if (i % 3 != 0)
            f.package = 100 * (1 + rnd.bounded(1000)) + (i % 7 == 0 ? 35 : 0);
        f.price = rnd.bounded(100000);
    }
}

} // namespace

void fill(GlobalVariable& g, const Shape& shape)
{
    QRandomGenerator rnd(20240701u + quint32(shape.intProducts));
    static const QStringList units{QStringLiteral("гр."),  QStringLiteral("гр."), QStringLiteral("гр."),
                                   QStringLiteral("г"),    QStringLiteral("шт."), QStringLiteral("мл"),
                                   QStringLiteral("пакет")};
    QSet<QString> taken;
    g.objCatalog.DelAllProduct();
    for (int p = 0; p < shape.intProducts; ++p) {
        const QString name = productName(rnd, taken);
        const int norm = 5 + int(rnd.bounded(146));
        g.objCatalog.AddProduct(name, QString::number(norm), units.at(int(rnd.bounded(int(units.size())))));
    }

    while (g.objMenuList.size() > 0)
        g.objMenuList.DelMenu(g.objMenuList.size());
    for (int m = 1; m <= shape.intMenus; ++m) {
        g.objMenuList.AddMenu();
        clsMenuOfDay& menu = g.objMenuList.GetMenu(static_cast<qint16>(m));
        for (qint16 meal = 1; meal <= 3; ++meal) {
            clsTrapeza* t = menu.GetTrapeza(meal);
            while (t->GetCountProduct() < shape.intPerMeal)
                t->AddProduct(static_cast<qint16>(1 + rnd.bounded(shape.intProducts)));
        }
    }
    g.intPeriod = static_cast<qint16>(shape.intMenus);
    g.dtDataBegin = QDate(2024, 7, 1);
    g.dtDataEnd = g.dtDataBegin.addDays(shape.intDays - 1);
    g.intCountDay = shape.intDays;
    g.intCountPeople = shape.intPeople;
    g.intCountSmena = shape.intSmena;
    g.strDeffine =
        QStringLiteral("Поход для замеров: %1 продуктов, %2 суточных меню.").arg(shape.intProducts).arg(shape.intMenus);
    g.objRasklad.Build(g.intCountDay, g.intPeriod);
    addFacts(g);
}

QString writeFile(const Shape& shape, const QString& dir)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    fill(g, shape);
    const QString path = QDir(dir).filePath(QString::fromLatin1(shape.name) + QStringLiteral(".trb"));
    QString strMessage;
    return TripFile::save(g, path, strMessage) ? path : QString();
}

} // namespace BenchTrip
