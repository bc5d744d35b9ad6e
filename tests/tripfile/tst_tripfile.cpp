#include "model/GlobalVariable.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include "tripfile/LineStart.h"
#include "tripfile/TripFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString CatalogSep = QString(29, u'_');
const QString MealSep = QString(35, u'_');

QByteArray cp1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        qFatal("test text outside Windows-1251");
    return bytes;
}

QString fromCp1251(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

// A file from its lines, each ended by CR LF.
QByteArray fileOf(const QStringList& lines)
{
    return cp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString twoDaysPath()
{
    return TestSupport::dataPath(QStringLiteral("tripfile/two_days.trb"));
}

// The lines of the two-day trip: 13 value lines, two products, one daily menu.
QStringList twoDaysLines()
{
    QString text = fromCp1251(readBytes(twoDaysPath()));
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

// The lines of a trip with the given periodicity and daily menus; menus hold one meal
// text per meal, catalog positions separated by blanks. The catalog has three products.
QStringList tripLines(int intPeriod, const QList<QStringList>& menus)
{
    QStringList l{QStringLiteral("Торбел 3.1"),
                  QStringLiteral("Запись глобальных переменных"),
                  QStringLiteral("\"\",\"Описание раскладки\""),
                  QStringLiteral("#2002-07-13#,\"Дата начала\""),
                  QStringLiteral("#2002-07-15#,\"Дата завершения\""),
                  QStringLiteral("3,\"Продолжительность в днях\""),
                  QStringLiteral("4,\"Число участников\""),
                  QStringLiteral("2,\"Число смен дежурных\""),
                  QStringLiteral("%1,\"Периодичность раскладки\"").arg(intPeriod),
                  QStringLiteral("0,\"Начало раскладки\""),
                  QStringLiteral("0,\"Конец раскладки\""),
                  QStringLiteral("#FALSE#,\"Флаг начала\""),
                  QStringLiteral("#FALSE#,\"Флаг конца\""),
                  QString(),
                  QStringLiteral("Элементы каталога продуктов"),
                  QStringLiteral("3,\"Размер каталога\"")};
    const QStringList names{QStringLiteral("Гречка"), QStringLiteral("Чай"), QStringLiteral("Сыр")};
    for (int i = 0; i < names.size(); ++i)
        l << QStringLiteral("№ %1").arg(i + 1) << names.at(i) << QStringLiteral(" 50 ") << QStringLiteral("гр")
          << CatalogSep;
    l << QString() << QStringLiteral("Набор суточных меню") << QStringLiteral("%1,\"Размер меню\"").arg(menus.size());
    const QStringList labels{QStringLiteral("Обед"), QStringLiteral("Ужин"), QStringLiteral("Завтрак")};
    for (int d = 0; d < menus.size(); ++d) {
        l << QStringLiteral("Меню № %1").arg(d + 1);
        for (int j = 0; j < 3; ++j) {
            const QStringList positions = menus.at(d).value(j).split(u' ', Qt::SkipEmptyParts);
            l << labels.at(j) << QStringLiteral("%1,\"Число продуктов\"").arg(positions.size());
            for (const QString& p : positions)
                l << QStringLiteral(" %1 ").arg(p);
            l << MealSep;
        }
    }
    return l;
}

QList<qint16> mealOf(const GlobalVariable& g, qint16 intMenu, qint16 intMeal)
{
    const clsTrapeza* t = g.objMenuList.GetMenu(intMenu).GetTrapeza(intMeal);
    QList<qint16> out;
    for (qint16 i = 1; i <= t->GetCountProduct(); ++i)
        out.append(t->GetIndexProduct(i));
    return out;
}

// A trip that differs from the two-day file in every value, so a load that changed
// anything would show.
void makeOtherTrip(GlobalVariable& g)
{
    InitGlobalVariable(g);
    g.strDeffine = QStringLiteral("Прежний поход\nв две строки");
    g.dtDataBegin = QDate(2010, 1, 2);
    g.dtDataEnd = QDate(2010, 1, 5);
    g.intCountDay = 4;
    g.intCountPeople = 7;
    g.intCountSmena = 3;
    g.intRaskladBegin = 5;
    g.intRaskladEnd = 6;
    g.blnDataBegin = true;
    g.objCatalog.AddProduct(QStringLiteral("Рис"), QStringLiteral("70"), QStringLiteral("гр"));
    g.objCatalog.AddProduct(QStringLiteral("Сахар"), QStringLiteral("40"), QStringLiteral("гр"));
    g.objCatalog.AddProduct(QStringLiteral("Лук"), QStringLiteral("1"), QStringLiteral("шт"));
    g.objMenuList.AddMenu();
    g.intPeriod = 2;
    g.objMenuList.GetMenu(1).GetTrapeza(1)->AddProduct(3);
    g.objMenuList.GetMenu(2).GetTrapeza(3)->AddProduct(1);
    g.objMenuList.GetMenu(2).GetTrapeza(3)->AddProduct(2);
    g.objRasklad.Build(4, 2);
    g.strFileName = QStringLiteral("/tmp/прежний.trb");
    g.blnChanged = true;
}

// Everything a load could touch, plus what it must not touch.
struct Snapshot
{
    TripData data;
    QString strTitle;
    QString strFileName;
    bool blnChanged;
    qint16 intRaskladDays;

    explicit Snapshot(const GlobalVariable& g)
        : data(TripFile::fromState(g))
        , strTitle(g.strTitle)
        , strFileName(g.strFileName)
        , blnChanged(g.blnChanged)
        , intRaskladDays(g.objRasklad.CountDay())
    {
    }
    bool operator==(const Snapshot&) const = default;
};

// Loads bytes through a file on disk, as the main window does.
bool loadBytes(GlobalVariable& g, const QByteArray& bytes, QString& strMessage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trip.trb"));
    if (!writeBytes(path, bytes))
        qFatal("cannot write a temporary file");
    return TripFile::load(g, path, strMessage);
}

QByteArray saveToBytes(const GlobalVariable& g)
{
    QByteArray bytes;
    QString strError;
    if (!TripFile::write(TripFile::fromState(g), bytes, strError))
        qWarning() << strError;
    return bytes;
}

// A random text from a pool that has blanks at the ends, Latin, Cyrillic, digits and signs.
QString randomText(QRandomGenerator& rnd, int maxLen, bool allowLineBreaks)
{
    static const QString pool =
        QStringLiteral("  абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВЯ abcXYZ0123456789.,;:!?-+*/()№«»\"'#&_");
    QString s;
    const int len = static_cast<int>(rnd.bounded(maxLen + 1));
    for (int i = 0; i < len; ++i) {
        if (allowLineBreaks && rnd.bounded(12) == 0)
            s += u'\n';
        else
            s += pool.at(static_cast<qsizetype>(rnd.bounded(static_cast<int>(pool.size()))));
    }
    return s;
}

void makeRandomTrip(GlobalVariable& g, QRandomGenerator& rnd)
{
    InitGlobalVariable(g);
    g.strDeffine = randomText(rnd, 60, true);
    g.dtDataBegin = QDate(1900, 1, 1).addDays(rnd.bounded(60000));
    g.dtDataEnd = g.dtDataBegin.addDays(rnd.bounded(60));
    g.intCountDay = static_cast<qint16>(rnd.bounded(60));
    g.intCountPeople = static_cast<qint16>(rnd.bounded(51));
    g.intCountSmena = static_cast<qint16>(rnd.bounded(26));
    g.intRaskladBegin = static_cast<qint16>(rnd.bounded(-32768, 32768));
    g.intRaskladEnd = static_cast<qint16>(rnd.bounded(-32768, 32768));
    g.blnDataBegin = rnd.bounded(2) == 1;
    g.blnDataEnd = rnd.bounded(2) == 1;
    const int n = static_cast<int>(rnd.bounded(12));
    for (int i = 0; i < n; ++i) {
        QString strName = randomText(rnd, 20, false);
        if (strName.isEmpty())
            strName = QStringLiteral("x");
        g.objCatalog.AddProduct(strName, QString::number(rnd.bounded(32768)), randomText(rnd, 5, false));
    }
    const int m = 1 + static_cast<int>(rnd.bounded(5));
    for (int d = 1; d < m; ++d)
        g.objMenuList.AddMenu();
    g.intPeriod = static_cast<qint16>(m);
    for (qint16 d = 1; d <= m && n > 0; ++d) {
        for (qint16 j = 1; j <= 3; ++j) {
            const int k = static_cast<int>(rnd.bounded(n + 1));
            for (int i = 0; i < k; ++i)
                g.objMenuList.GetMenu(d).GetTrapeza(j)->AddProduct(static_cast<qint16>(1 + rnd.bounded(n)));
        }
    }
}

} // namespace

class tst_tripfile : public QObject
{
    Q_OBJECT

private slots:
    void messageTexts();
    void fileLoadsAndSavesToSameBytes_data();
    void fileLoadsAndSavesToSameBytes();
    void twoDaysValues();
    void freshTripSavedAtOnce();
    void namesAndNorms_data();
    void namesAndNorms();
    void repeatedPositionsCollapse();
    void periodicityLoadedInTurn();
    void fewerMenusThanPeriodicity();
    void looseButValidForms_data();
    void looseButValidForms();
    void fuzzSeedsAreValid();
    void refusedFiles_data();
    void refusedFiles();
    void cutAtEveryLength_data();
    void cutAtEveryLength();
    void missingFile();
    void description_data();
    void description();
    void randomTripsRoundTrip();
    void manyUnits();
    void namesOutliveTheirFile();
    void lineStartCounts_data();
    void lineStartCounts();
    void textOutsideCodePage_data();
    void textOutsideCodePage();
    void inconsistentStateRefused_data();
    void inconsistentStateRefused();
    void applyRefusesBadValue();
    void saveIsAtomic_data();
    void saveIsAtomic();
    void saveReplacesOldFile();
};

void tst_tripfile::messageTexts()
{
    // The main window shows these; other programs' users know them word for word.
    QCOMPARE(TripFile::errorTitle(), QStringLiteral("Ошибка!"));
    QCOMPARE(TripFile::readErrorText(), QStringLiteral("Ошибка чтения файла! Возможно неверный формат данных."));
    QCOMPARE(TripFile::writeErrorText(QStringLiteral("/a/b.trb")), QStringLiteral("Ошибка записи файла  /a/b.trb!"));
}

void tst_tripfile::fileLoadsAndSavesToSameBytes_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("two days") << twoDaysPath();
    QTest::newRow("karelia sample") << TestSupport::dataPath(QStringLiteral("../../examples/karelia.trb"));
}

void tst_tripfile::fileLoadsAndSavesToSameBytes()
{
    QFETCH(QString, path);
    const QByteArray original = readBytes(path);
    QVERIFY(!original.isEmpty());

    GlobalVariable g;
    makeOtherTrip(g);
    QString strMessage;
    QVERIFY2(TripFile::load(g, path, strMessage), qPrintable(strMessage));
    QCOMPARE(g.objMenuList.size(), g.intPeriod);

    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("again.trb"));
    QVERIFY2(TripFile::save(g, out, strMessage), qPrintable(strMessage));
    QCOMPARE(readBytes(out), original);
}

void tst_tripfile::twoDaysValues()
{
    TripData data;
    QString strError;
    QVERIFY2(TripFile::readFile(twoDaysPath(), data, strError), qPrintable(strError));

    GlobalVariable g;
    makeOtherTrip(g);
    QVERIFY(TripFile::apply(data, g, strError));
    QCOMPARE(g.strDeffine, QString());
    QCOMPARE(g.dtDataBegin, QDate(2002, 7, 13));
    QCOMPARE(g.dtDataEnd, QDate(2002, 7, 14));
    QCOMPARE(g.intCountDay, qint16(2));
    QCOMPARE(g.intCountPeople, qint16(4));
    QCOMPARE(g.intCountSmena, qint16(2));
    QCOMPARE(g.intPeriod, qint16(1));
    QCOMPARE(g.intRaskladBegin, qint16(0));
    QCOMPARE(g.intRaskladEnd, qint16(0));
    QCOMPARE(g.blnDataBegin, false);
    QCOMPARE(g.blnDataEnd, false);
    QCOMPARE(g.objCatalog.size(), qint16(2));
    QCOMPARE(g.objCatalog.GetProduct(1).Name(), QStringLiteral("Гречка"));
    QCOMPARE(g.objCatalog.GetProduct(1).Norma(), qint16(80));
    QCOMPARE(g.objCatalog.GetProduct(1).strProductEdin, QStringLiteral("гр"));
    QCOMPARE(g.objCatalog.GetProduct(2).Name(), QStringLiteral("Чай"));
    QCOMPARE(g.objCatalog.GetProduct(2).Norma(), qint16(2));
    QCOMPARE(g.objCatalog.GetProduct(2).strProductEdin, QStringLiteral("пак"));
    QCOMPARE(g.objMenuList.size(), qint16(1));
    QCOMPARE(mealOf(g, 1, 1), QList<qint16>{1});
    QCOMPARE(mealOf(g, 1, 2), (QList<qint16>{1, 2}));
    QCOMPARE(mealOf(g, 1, 3), QList<qint16>{});
    // Not in the file, so not touched.
    QCOMPARE(g.strFileName, QStringLiteral("/tmp/прежний.trb"));
    QCOMPARE(g.blnChanged, true);
    QCOMPARE(g.strTitle, QStringLiteral("Торбел 3.1"));
    QCOMPARE(g.objRasklad.CountDay(), qint16(4));
}

void tst_tripfile::freshTripSavedAtOnce()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    const QStringList expected{QStringLiteral("Торбел 3.1"),
                               QStringLiteral("Запись глобальных переменных"),
                               QStringLiteral("\"\",\"Описание раскладки\""),
                               QStringLiteral("#1900-01-01#,\"Дата начала\""),
                               QStringLiteral("#9999-01-01#,\"Дата завершения\""),
                               QStringLiteral("0,\"Продолжительность в днях\""),
                               QStringLiteral("0,\"Число участников\""),
                               QStringLiteral("0,\"Число смен дежурных\""),
                               QStringLiteral("1,\"Периодичность раскладки\""),
                               QStringLiteral("0,\"Начало раскладки\""),
                               QStringLiteral("0,\"Конец раскладки\""),
                               QStringLiteral("#FALSE#,\"Флаг начала\""),
                               QStringLiteral("#FALSE#,\"Флаг конца\""),
                               QString(),
                               QStringLiteral("Элементы каталога продуктов"),
                               QStringLiteral("0,\"Размер каталога\""),
                               QString(),
                               QStringLiteral("Набор суточных меню"),
                               QStringLiteral("1,\"Размер меню\""),
                               QStringLiteral("Меню № 1"),
                               QStringLiteral("Обед"),
                               QStringLiteral("0,\"Число продуктов\""),
                               MealSep,
                               QStringLiteral("Ужин"),
                               QStringLiteral("0,\"Число продуктов\""),
                               MealSep,
                               QStringLiteral("Завтрак"),
                               QStringLiteral("0,\"Число продуктов\""),
                               MealSep};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.trb"));
    QString strMessage;
    QVERIFY2(TripFile::save(g, path, strMessage), qPrintable(strMessage));
    QCOMPARE(readBytes(path), fileOf(expected));

    GlobalVariable h;
    makeOtherTrip(h);
    QVERIFY(TripFile::load(h, path, strMessage));
    QCOMPARE(h.objCatalog.size(), qint16(0));
    QCOMPARE(h.objMenuList.size(), qint16(1));
    QCOMPARE(h.intPeriod, qint16(1));
    QCOMPARE(h.dtDataBegin, QDate(1900, 1, 1));
    QCOMPARE(h.dtDataEnd, QDate(9999, 1, 1));
}

void tst_tripfile::namesAndNorms_data()
{
    QTest::addColumn<QString>("nameLine");
    QTest::addColumn<QString>("normLine");
    QTest::addColumn<QString>("unitLine");
    QTest::addColumn<int>("norm");

    // Names and units come back exactly as their lines hold them.
    auto row = [](const char* tag, const QString& name, const QString& normLine, const QString& unit, int norm) {
        QTest::newRow(tag) << name << normLine << unit << norm;
    };
    row("leading blanks in name", "   Гречка ядрица", " 80 ", "гр", 80);
    row("trailing blanks kept", "Чай  ", " 2 ", " пак ", 2);
    row("norm without blanks", "Сыр", "80", "гр", 80);
    row("norm without number is 0", "Сыр", "много", "гр", 0);
    row("negative norm is 0", "Сыр", "-5 ", "гр", 0);
    row("largest norm", "Сыр", " 32767 ", "гр", 32767);
    row("empty name and unit", "", " 1 ", "", 1);
    row("name like a number line", " 12 ", " 1 ", "шт", 1);
    row("name with quotes and comma", "\"Мивина\", 2 шт", " 1 ", "шт", 1);
}

void tst_tripfile::namesAndNorms()
{
    QFETCH(QString, nameLine);
    QFETCH(QString, normLine);
    QFETCH(QString, unitLine);
    QFETCH(int, norm);

    QStringList lines = twoDaysLines();
    lines[17] = nameLine;
    lines[18] = normLine;
    lines[19] = unitLine;

    GlobalVariable g;
    makeOtherTrip(g);
    QString strMessage;
    QVERIFY(loadBytes(g, fileOf(lines), strMessage));
    QCOMPARE(g.objCatalog.GetProduct(1).Name(), nameLine);
    QCOMPARE(int(g.objCatalog.GetProduct(1).Norma()), norm);
    QCOMPARE(g.objCatalog.GetProduct(1).strProductEdin, unitLine);

    // Saved again, a name or unit comes back exactly and the norm as a number line.
    const QStringList again = fromCp1251(saveToBytes(g)).split(QStringLiteral("\r\n"));
    QCOMPARE(again.at(17), nameLine);
    QCOMPARE(again.at(18), QStringLiteral(" %1 ").arg(norm));
    QCOMPARE(again.at(19), unitLine);
}

void tst_tripfile::repeatedPositionsCollapse()
{
    GlobalVariable g;
    makeOtherTrip(g);
    QString strMessage;
    QVERIFY(loadBytes(g, fileOf(tripLines(1, {{"2 1 2 2 3 1", "3 3", ""}})), strMessage));
    QCOMPARE(mealOf(g, 1, 1), (QList<qint16>{2, 1, 3}));
    QCOMPARE(mealOf(g, 1, 2), QList<qint16>{3});
    QCOMPARE(mealOf(g, 1, 3), QList<qint16>{});
}

void tst_tripfile::periodicityLoadedInTurn()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    QString strMessage;
    QVERIFY(loadBytes(g, fileOf(tripLines(3, {{"1", "", ""}, {"", "2", ""}, {"", "", "3"}})), strMessage));
    QCOMPARE(g.intPeriod, qint16(3));
    QCOMPARE(g.objMenuList.size(), qint16(3));
    QCOMPARE(mealOf(g, 2, 2), QList<qint16>{2});
    QCOMPARE(mealOf(g, 3, 3), QList<qint16>{3});

    QVERIFY(loadBytes(g, fileOf(tripLines(1, {{"3", "", ""}})), strMessage));
    QCOMPARE(g.intPeriod, qint16(1));
    QCOMPARE(g.objMenuList.size(), qint16(1));
    QCOMPARE(mealOf(g, 1, 1), QList<qint16>{3});
    QCOMPARE(mealOf(g, 1, 2), QList<qint16>{});
}

void tst_tripfile::fewerMenusThanPeriodicity()
{
    GlobalVariable g;
    makeOtherTrip(g);
    QString strMessage;
    QVERIFY(loadBytes(g, fileOf(tripLines(4, {{"1 2", "", ""}})), strMessage));
    QCOMPARE(g.intPeriod, qint16(4));
    QCOMPARE(g.objMenuList.size(), qint16(4));
    QCOMPARE(mealOf(g, 1, 1), (QList<qint16>{1, 2}));
    for (qint16 d = 2; d <= 4; ++d) {
        for (qint16 j = 1; j <= 3; ++j)
            QCOMPARE(mealOf(g, d, j), QList<qint16>{});
    }
}

void tst_tripfile::looseButValidForms_data()
{
    // Hand-edited files: forms the writer never makes but the reader takes.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("period");

    const QStringList base = tripLines(2, {{"1", "", ""}, {"", "2", ""}});
    QTest::newRow("LF line ends") << cp1251(base.join(u'\n') + u'\n') << 4 << 2;
    QTest::newRow("LF line ends, none after the last line") << cp1251(base.join(u'\n')) << 4 << 2;
    QTest::newRow("no CR LF after the last line") << fileOf(base).chopped(2) << 4 << 2;
    QTest::newRow("only CR after the last line") << fileOf(base).chopped(1) << 4 << 2;
    QStringList l = base;
    l[6] = QStringLiteral(" 5 ,\"Число участников\"");
    QTest::newRow("blanks around a value") << fileOf(l) << 5 << 2;
    l = base;
    l[6] = QStringLiteral("5,");
    QTest::newRow("label missing") << fileOf(l) << 5 << 2;
    l = base;
    l[6] = QStringLiteral("+5,\"Число участников\"");
    QTest::newRow("plus sign") << fileOf(l) << 5 << 2;
    l = base;
    l[6] = QStringLiteral("4.5,\"Число участников\"");
    QTest::newRow("fraction ties to even") << fileOf(l) << 4 << 2;
    l = base;
    l[0] = QStringLiteral("Торбел 2.0");
    l[1] = QStringLiteral("что угодно");
    QTest::newRow("other title and labels") << fileOf(l) << 4 << 2;
    // Text after the last separator is refused now: a save would drop it (see
    // tst_trailingsections).
}

void tst_tripfile::looseButValidForms()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, people);
    QFETCH(int, period);

    TripData data;
    QString strError;
    QVERIFY2(TripFile::read(bytes, data, strError), qPrintable(strError));
    QCOMPARE(int(data.intCountPeople), people);
    QCOMPARE(int(data.intPeriod), period);
    QCOMPARE(data.catalog.size(), 3);
    QCOMPARE(data.menus.value(1).meals.at(1), QList<qint16>{2});
}

void tst_tripfile::fuzzSeedsAreValid()
{
    // The hand-made seeds (*.trb) must be valid trips, or they would teach the fuzzer nothing
    // past the first fault; the inputs the fuzzer merged in (named by hash) may be anything.
    const QDir seeds(TestSupport::dataPath(QStringLiteral("../../fuzz/corpus/trip")));
    const QStringList files = seeds.entryList({QStringLiteral("*.trb")}, QDir::Files);
    QVERIFY(files.size() >= 3);
    for (const QString& name : files) {
        TripData data;
        QString strError;
        QVERIFY2(TripFile::readFile(seeds.filePath(name), data, strError), qPrintable(name + u' ' + strError));
    }
}

void tst_tripfile::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line"); // the line the fault is reported on; 0 for none in particular

    // Lines: 2 description, 3-4 dates, 5-7 counts, 8 periodicity, 9-10 layout values,
    // 11-12 flags, 15 catalog size, 16-20 product 1, 33 menu count, 36 the first meal's
    // count and 37 its first position.
    const QStringList base = tripLines(2, {{"1 2", "3", ""}, {"", "", "1"}});
    auto row = [&](const char* name, int line, const QString& text, int reported = 0) {
        QStringList l = base;
        l[line] = text;
        QTest::newRow(name) << fileOf(l) << (reported > 0 ? reported : line + 1);
    };
    row("periodicity 0", 8, "0,\"Периодичность раскладки\"");
    row("periodicity negative", 8, "-1,\"Периодичность раскладки\"");
    row("negative days", 5, "-1,\"Продолжительность в днях\"");
    row("negative people", 6, "-4,\"Число участников\"");
    row("negative shifts", 7, "-2,\"Число смен дежурных\"");
    row("negative catalog size", 15, "-1,\"Размер каталога\"");
    row("negative menu count", 33, "-1,\"Размер меню\"");
    row("negative meal count", 36, "-1,\"Число продуктов\"");
    row("people beyond 16 bits", 6, "40000,\"Число участников\"");
    row("layout value beyond 16 bits", 9, "32768,\"Начало раскладки\"");
    row("layout value below 16 bits", 10, "-32769,\"Конец раскладки\"");
    row("huge number", 7, QString(400, u'9') + ",\"Число смен дежурных\"");
    row("count without number", 6, "много,\"Число участников\"");
    row("empty count", 6, ",\"Число участников\"");
    row("count with text after", 6, "4 чел,\"Число участников\"");
    row("value line without comma", 6, "4");
    row("norm beyond 16 bits", 18, " 40000 ");
    row("norm below 16 bits", 18, "-40000");
    row("position without number", 37, " один ");
    row("empty position", 37, "");
    row("position 0", 37, " 0 ");
    row("position past catalog", 37, " 4 ");
    row("position beyond 16 bits", 37, " 65537 ");
    row("more menus than periodicity", 33, "3,\"Размер меню\"");
    row("date without number signs", 3, "2002-07-13,\"Дата начала\"");
    row("month 13", 3, "#2002-13-01#,\"Дата начала\"");
    row("30 February", 4, "#2002-02-30#,\"Дата завершения\"");
    row("year 0", 4, "#0000-02-03#,\"Дата завершения\"");
    row("short year", 4, "#202-02-03#,\"Дата завершения\"");
    row("date in another form", 3, "#13.07.2002#,\"Дата начала\"");
    row("flag not a flag", 11, "#YES#,\"Флаг начала\"");
    row("flag as number", 12, "0,\"Флаг конца\"");
    row("description without quotes", 2, "Поход,\"Описание раскладки\"");
    row("description not closed", 2, "\"Поход,Описание раскладки", 4); // closed by the next line's quote
    row("description quote then text", 2, "\"Поход\" на Алтай\",\"Описание раскладки\"");
    row("name with a stray CR", 17, "Гре\rчка");
    row("title with a stray CR", 0, "Торбел\r3.1");
    row("ignored line with a stray CR", 14, "Элементы\r");
    row("unit with a stray CR", 19, "гр\r");

    QStringList l = base;
    l.removeAt(17);
    QTest::newRow("a product line missing") << fileOf(l) << 0;
    l = base;
    l.removeLast();
    QTest::newRow("last separator missing") << fileOf(l) << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
}

void tst_tripfile::refusedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);

    TripData data;
    QString strError;
    QVERIFY(!TripFile::read(bytes, data, strError));
    QVERIFY(!strError.isEmpty());
    if (line > 0)
        QVERIFY2(strError.startsWith(QStringLiteral("строка %1:").arg(line)), qPrintable(strError));
    QVERIFY(data == TripData());

    GlobalVariable g;
    makeOtherTrip(g);
    const Snapshot before(g);
    QString strMessage;
    QVERIFY(!loadBytes(g, bytes, strMessage));
    QCOMPARE(strMessage, TripFile::readErrorText());
    QVERIFY(Snapshot(g) == before);
}

void tst_tripfile::cutAtEveryLength_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two days") << readBytes(twoDaysPath());
    QStringList l = tripLines(3, {{"1 2", "3", ""}, {"", "", "1"}});
    l[2] = QStringLiteral("\"Первая строка\r\n\"\"Вторая\"\"\r\n\",\"Описание раскладки\"");
    QTest::newRow("description over lines") << fileOf(l);
}

void tst_tripfile::cutAtEveryLength()
{
    QFETCH(QByteArray, bytes);

    // Only a file that ends before its last line is cut; the last line itself needs no
    // line end (and its label is never read).
    const qsizetype lastLine = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
    for (qsizetype len = 0; len < bytes.size(); ++len) {
        TripData data;
        QString strError;
        QVERIFY2(TripFile::read(bytes.left(len), data, strError) == (len > lastLine),
                 qPrintable(QStringLiteral("cut at %1").arg(len)));
    }
    // Through the file, as the main window loads, at every line end.
    GlobalVariable g;
    makeOtherTrip(g);
    const Snapshot before(g);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.trb"));
    QString strMessage;
    for (qsizetype len = bytes.indexOf('\n'); len >= 0 && len + 1 < bytes.size(); len = bytes.indexOf('\n', len + 1)) {
        QVERIFY(writeBytes(path, bytes.left(len + 1)));
        QVERIFY2(!TripFile::load(g, path, strMessage), qPrintable(QStringLiteral("cut at %1").arg(len + 1)));
        QVERIFY2(Snapshot(g) == before, qPrintable(QStringLiteral("cut at %1").arg(len + 1)));
    }
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(TripFile::load(g, path, strMessage));
}

void tst_tripfile::missingFile()
{
    GlobalVariable g;
    makeOtherTrip(g);
    const Snapshot before(g);
    QTemporaryDir dir;
    QString strMessage;
    QVERIFY(!TripFile::load(g, dir.filePath(QStringLiteral("нет.trb")), strMessage));
    QCOMPARE(strMessage, TripFile::readErrorText());
    QVERIFY(!TripFile::load(g, dir.path(), strMessage));
    QVERIFY(!TripFile::load(g, QString(), strMessage));
    QVERIFY(Snapshot(g) == before);
}

void tst_tripfile::description_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line3");

    QTest::newRow("empty") << ""
                           << "\"\",\"Описание раскладки\"";
    QTest::newRow("plain") << "Поход по Карелии"
                           << "\"Поход по Карелии\",\"Описание раскладки\"";
    QTest::newRow("line breaks") << "Первая\nВторая\n\nЧетвёртая"
                                 << "\"Первая";
    QTest::newRow("only a line break") << "\n"
                                       << "\"";
    QTest::newRow("ends with a line break") << "Поход\n"
                                            << "\"Поход";
    QTest::newRow("quotes") << "Турклуб \"Вертикаль\""
                            << "\"Турклуб \"\"Вертикаль\"\"\",\"Описание раскладки\"";
    QTest::newRow("only a quote") << "\""
                                  << "\"\"\"\",\"Описание раскладки\"";
    QTest::newRow("quote, comma, quote") << "а\",\"б"
                                         << "\"а\"\",\"\"б\",\"Описание раскладки\"";
    QTest::newRow("quote before a line break") << "«Алтай» \"\nвторая\""
                                               << "\"«Алтай» \"\"";
    QTest::newRow("looks like the next line") << "\n#2002-07-13#,\"Дата начала\""
                                              << "\"";
}

void tst_tripfile::description()
{
    QFETCH(QString, text);
    QFETCH(QString, line3);

    GlobalVariable g;
    makeOtherTrip(g);
    g.strDeffine = text;
    const QByteArray bytes = saveToBytes(g);
    QVERIFY(!bytes.isEmpty());
    const QString written = fromCp1251(bytes);
    QCOMPARE(written.split(QStringLiteral("\r\n")).at(2), line3);
    QVERIFY(!written.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));

    GlobalVariable h;
    InitGlobalVariable(h);
    QString strMessage;
    QVERIFY(loadBytes(h, bytes, strMessage));
    QCOMPARE(h.strDeffine, text);
    // Nothing after the description moved.
    QCOMPARE(h.dtDataBegin, g.dtDataBegin);
    QCOMPARE(h.intCountPeople, g.intCountPeople);
    QCOMPARE(h.objCatalog.size(), g.objCatalog.size());
    QCOMPARE(saveToBytes(h), bytes);
}

void tst_tripfile::randomTripsRoundTrip()
{
    QRandomGenerator rnd(20020713);
    for (int i = 0; i < 300; ++i) {
        GlobalVariable g;
        makeRandomTrip(g, rnd);
        const QByteArray first = saveToBytes(g);
        QVERIFY2(!first.isEmpty(), qPrintable(QStringLiteral("trip %1").arg(i)));

        GlobalVariable h;
        makeOtherTrip(h);
        TripData data;
        QString strError;
        QVERIFY2(TripFile::read(first, data, strError) && TripFile::apply(data, h, strError),
                 qPrintable(QStringLiteral("trip %1: %2").arg(i).arg(strError)));
        QVERIFY2(TripFile::fromState(h) == TripFile::fromState(g), qPrintable(QStringLiteral("trip %1").arg(i)));
        QCOMPARE(saveToBytes(h), first);
    }
}

// Units are kept once each by their bytes; however many a catalog has, and however
// alike, every product reads back with its own.
void tst_tripfile::manyUnits()
{
    QStringList units{QString(), QStringLiteral("г"), QStringLiteral("гр"), QStringLiteral("гр.")};
    for (int k = 0; k < 150; ++k) {
        units << QStringLiteral("упаковка %1").arg(k) // the same first eight bytes, then not
              << QStringLiteral("уп%1").arg(k)        // short, of many lengths
              << QString(k % 20 + 1, QChar(u'а' + k % 32));
    }
    GlobalVariable g;
    InitGlobalVariable(g);
    QRandomGenerator rnd(1251);
    for (int i = 1; i <= 2000; ++i)
        g.objCatalog.AddProduct(QStringLiteral("Продукт %1").arg(i), qint16(i % 100),
                                units.at(int(rnd.bounded(int(units.size())))));
    TripData data;
    QString strError;
    QVERIFY2(TripFile::read(saveToBytes(g), data, strError), qPrintable(strError));
    QCOMPARE(data.catalog.size(), g.objCatalog.size());
    for (int i = 1; i <= g.objCatalog.size(); ++i)
        QCOMPARE(data.catalog.GetProduct(qint16(i)).strProductEdin, g.objCatalog.GetProduct(qint16(i)).strProductEdin);
}

// Names read from a file share memory with one another. Each must still behave as a
// text of its own: kept after the trip is gone, changed without touching the others,
// ended by a zero for those who read it so, however long or short.
void tst_tripfile::namesOutliveTheirFile()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    QStringList expected;
    for (int i = 1; i <= 3000; ++i) {
        QString name = QString(i % 37, QChar(u'а' + i % 32)) + QString::number(i);
        if (i == 1500)
            name = QString(5000, u'ж'); // longer than the others by far
        expected << name;
        g.objCatalog.AddProduct(name, qint16(1), QStringLiteral("г"));
    }
    QStringList copies;
    QString changed;
    QString last;
    {
        TripData data;
        QString strError;
        QVERIFY2(TripFile::read(saveToBytes(g), data, strError), qPrintable(strError));
        for (int i = 1; i <= data.catalog.size(); ++i) {
            const QString& name = data.catalog.GetProduct(qint16(i)).Name();
            QCOMPARE(name, expected.at(i - 1));
            QCOMPARE(name.utf16()[name.size()], u'\0');
            copies << name;
        }
        // Grown in place of the text after it, were it not its own.
        changed = data.catalog.GetProduct(2).Name();
        changed += QStringLiteral(" и ещё");
        data.catalog.GetProduct(3).setName(QStringLiteral("Другое"));
        QCOMPARE(data.catalog.GetProduct(4).Name(), expected.at(3));
        last = data.catalog.GetProduct(2999).Name();
    }
    QCOMPARE(changed, expected.at(1) + QStringLiteral(" и ещё"));
    QCOMPARE(copies, expected);
    copies.clear();
    // The only one left of its file: it grows as any text does.
    last.append(QString(20000, u'я'));
    QCOMPARE(last, expected.at(2998) + QString(20000, u'я'));
}

void tst_tripfile::lineStartCounts_data()
{
    QTest::addColumn<char>("after");
    QTest::newRow("catalog") << '\r';
    QTest::newRow("facts") << ';';
}

// A line start counted up through every position a catalog may have knows each line
// as its own and its neighbour's as another, across every carry of the digits.
void tst_tripfile::lineStartCounts()
{
    QFETCH(char, after);
    const QByteArray sign = LineStart::numberSign();
    LineStart start(sign, after);
    for (int i = 1; i <= 32767; start.next(), ++i) {
        const QByteArray own = sign + QByteArray::number(i) + after + QByteArray(16, 'x');
        const QByteArray next = sign + QByteArray::number(i + 1) + after + QByteArray(16, 'x');
        if (start.text() != own.first(own.size() - 16) || !start.begins(own) || start.begins(next))
            QFAIL(qPrintable(QStringLiteral("line start %1").arg(i)));
    }
}

void tst_tripfile::textOutsideCodePage_data()
{
    QTest::addColumn<QString>("deffine");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("mentions");

    const QString ok = QStringLiteral("Гречка");
    QTest::newRow("emoji in description")
        << "Поход 🏕" << ok << "гр" << QStringList{"описании раскладки", "🏕"};
    QTest::newRow("Greek in description") << "Ολυμπος" << ok << "гр" << QStringList{"описании раскладки", "Ο"};
    QTest::newRow("Chinese in name") << ""
                                     << "Чай 绿茶"
                                     << "гр" << QStringList{"названии продукта № 2", "Чай 绿茶", "绿 茶"};
    QTest::newRow("emoji in unit") << "" << ok << "🥄" << QStringList{"единице измерения продукта № 2", "Гречка"};
    QTest::newRow("lone surrogate in name")
        << "" << QString(QChar(0xD83D)) << "гр" << QStringList{"названии продукта № 2", "U+D83D"};
    QTest::newRow("Polish letter in unit") << "" << ok << "łyżka" << QStringList{"единице измерения", "ł"};
    QTest::newRow("line break in name") << ""
                                        << "Гре\nчка"
                                        << "гр" << QStringList{"названии продукта № 2", "перевод строки"};
    QTest::newRow("CR in unit") << "" << ok << "гр\r"
                                << QStringList{"единице измерения продукта № 2", "перевод строки"};
    // A line break is named before a character the code page lacks, wherever each is.
    QTest::newRow("line break after a foreign character")
        << ""
        << "绿\nчай"
        << "гр" << QStringList{"названии продукта № 2", "перевод строки"};
    QTest::newRow("line break after a foreign description")
        << "Поход 🏕"
        << "Гре\nчка"
        << "гр" << QStringList{"названии продукта № 2", "перевод строки"};
}

void tst_tripfile::textOutsideCodePage()
{
    QFETCH(QString, deffine);
    QFETCH(QString, name);
    QFETCH(QString, unit);
    QFETCH(QStringList, mentions);

    GlobalVariable g;
    makeOtherTrip(g);
    g.strDeffine = deffine;
    g.objCatalog.GetProduct(2).setName(name);
    g.objCatalog.GetProduct(2).strProductEdin = unit;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.trb"));
    const QByteArray old = readBytes(twoDaysPath());
    QVERIFY(writeBytes(path, old));
    QString strMessage;
    QVERIFY(!TripFile::save(g, path, strMessage));
    QVERIFY2(strMessage.startsWith(QStringLiteral("Файл не сохранён.")), qPrintable(strMessage));
    for (const QString& m : mentions)
        QVERIFY2(strMessage.contains(m), qPrintable(strMessage));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.trb")});
}

void tst_tripfile::inconsistentStateRefused_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("mention");
    QTest::newRow("meal position past catalog") << 0 << "Меню № 2, Завтрак: продукта № 9 нет в каталоге";
    QTest::newRow("more menus than periodicity") << 1 << "больше, чем периодичность";
    QTest::newRow("periodicity 0") << 2 << "Периодичность раскладки меньше 1";
    QTest::newRow("no start date") << 3 << "Дата начала похода";
    QTest::newRow("five-digit year") << 4 << "Дата завершения похода";
    QTest::newRow("negative participants") << 5 << "Число участников меньше нуля";
}

void tst_tripfile::inconsistentStateRefused()
{
    QFETCH(int, fault);
    QFETCH(QString, mention);

    // States the windows never make; a file written from them could not be opened again.
    GlobalVariable g;
    makeOtherTrip(g);
    switch (fault) {
    case 0:
        g.objMenuList.GetMenu(2).GetTrapeza(3)->AddProduct(9);
        break;
    case 1:
        g.intPeriod = 1;
        break;
    case 2:
        g.intPeriod = 0;
        g.objMenuList.DelMenu(2);
        g.objMenuList.DelMenu(1);
        break;
    case 3:
        g.dtDataBegin = QDate();
        break;
    case 4:
        g.dtDataEnd = QDate(10000, 1, 1);
        break;
    case 5:
        g.intCountPeople = -1;
        break;
    }
    QByteArray bytes;
    QString strError;
    QVERIFY(!TripFile::write(TripFile::fromState(g), bytes, strError));
    QVERIFY(bytes.isEmpty());
    QVERIFY2(strError.contains(mention), qPrintable(strError));
}

void tst_tripfile::applyRefusesBadValue()
{
    // A value made by hand goes through the same checks as a file.
    TripData data;
    QString strError;
    QVERIFY(TripFile::readFile(twoDaysPath(), data, strError));
    data.menus[0].meals[2].append(3);

    GlobalVariable g;
    makeOtherTrip(g);
    const Snapshot before(g);
    QVERIFY(!TripFile::apply(data, g, strError));
    QVERIFY(strError.contains(QStringLiteral("продукта № 3 нет в каталоге")));
    QVERIFY(Snapshot(g) == before);
}

void tst_tripfile::saveIsAtomic_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnlyDir");

    // No room for the temporary file, even for root.
    QTest::newRow("full disk") << "old.trb" << false;
    QTest::newRow("read-only folder") << "old.trb" << true;
}

void tst_tripfile::saveIsAtomic()
{
    QFETCH(QString, name);
    QFETCH(bool, readOnlyDir);

    QTemporaryDir dir;
    FullDisk disk;
    const QString path = readOnlyDir ? dir.filePath(name) : disk.filePath(name);
    const QByteArray old = readBytes(twoDaysPath());
    if (!readOnlyDir && !disk.isValid())
        QSKIP(qPrintable(disk.whyNot()));
    QVERIFY(writeBytes(path, old));
    if (!readOnlyDir)
        QVERIFY(disk.fill());
    if (readOnlyDir) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("running with rights that ignore folder permissions");
        }
    }

    GlobalVariable g;
    makeOtherTrip(g);
    QString strMessage;
    QVERIFY(!TripFile::save(g, path, strMessage));
    QCOMPARE(strMessage, TripFile::writeErrorText(path));
    QCOMPARE(readBytes(path), old);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), readOnlyDir ? 1 : 2);

    QVERIFY(!TripFile::save(g, dir.filePath(QStringLiteral("нет/папки.trb")), strMessage));
    QVERIFY(!TripFile::save(g, dir.path(), strMessage));
}

void tst_tripfile::saveReplacesOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("поход.trb"));
    QVERIFY(writeBytes(path, QByteArray(20000, 'z')));

    GlobalVariable g;
    makeOtherTrip(g);
    QString strMessage;
    QVERIFY(TripFile::save(g, path, strMessage));
    QCOMPARE(readBytes(path), saveToBytes(g));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // The temporary file's name is kept short: a name of 250 characters is saved too.
    const QString longPath = dir.filePath(QString(246, u'x') + ".trb");
    QVERIFY(TripFile::save(g, longPath, strMessage));
    QCOMPARE(readBytes(longPath), saveToBytes(g));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

QTEST_GUILESS_MAIN(tst_tripfile)
#include "tst_tripfile.moc"
