#include "model/GlobalVariable.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/UpDown.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmRasklad.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using Rows = QList<QStringList>;

namespace {

// A trip as the tests write it: {name, norm, unit} per catalog position and one
// "lunch | dinner | breakfast" text per daily menu (see TestSupport::makeTrip).
struct TripPlan
{
    TripPlan() = default;
    TripPlan(const Rows& p, const QStringList& m, int intPeople, int intSmena, int intDays,
             const QDate& dtBegin = QDate(2024, 7, 1))
        : products(p)
        , menus(m)
        , people(intPeople)
        , smena(intSmena)
        , days(intDays)
        , begin(dtBegin)
    {
    }

    Rows products;
    QStringList menus;
    int people = 2;
    int smena = 1;
    int days = 1;
    QDate begin = QDate(2024, 7, 1);
    // Norm texts put into the file in place of the writer's whole numbers: {" 25 ", " 2.5 "}.
    QList<QPair<QByteArray, QByteArray>> patches;
};

// Products deliberately out of name order, in every unit the lists treat differently.
const Rows Mixed{
    {"Чай", "5", "гр."},     // 1: grams for both the list total and the weights
    {"Абрикосы", "30", "g"}, // 2: grams for both
    {"Яйца", "1", "шт"},     // 3: pieces: listed, never weighed
    {"Борщ", "50", "грамм"}, // 4: weighed in the meals, not in "ВСЕГО:"
    {"Гречка", "100", "г"},  // 5: in "ВСЕГО:", not in the meal weights
    {"Масло", "0", "гр"},    // 6: norm 0
};
// Menu 1 serves 5 and 1 at lunch, 4 and 3 at dinner, 2 at breakfast; menu 2 has an empty dinner.
const QStringList MixedMenus{"5 1 | 4 3 | 2", "1 | | 6 3"};

// Seven days, two menus, three shifts: days 1..7 get menus 1 2 1 2 1 2 1 and shifts 1 2 3 1 2 3 1.
TripPlan mixedWeek()
{
    return {Mixed, MixedMenus, 2, 3, 7};
}

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QString errLine() const { return QString::fromUtf8(err).section(u'\n', 0, 0); }
};

QByteArray lines(const QStringList& expected)
{
    QByteArray bytes;
    for (const QString& line : expected)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

QString usageHead()
{
    return QStringLiteral("Использование:");
}

} // namespace

Q_DECLARE_METATYPE(TripPlan)

class tst_commandline : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lists_data();
    void lists();
    void refused_data();
    void refused();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
    void windowsWithoutADisplay_data();
    void windowsWithoutADisplay();
    void sameCellsAsTheLayoutWindow();
    void sampleTripAddsUp();
    void exportConvertsToPdf();
    void exportReplacesWholeOrNothing();

private:
    // Writes the trip with the program's own writer into the test's folder.
    QString writeTrip(const TripPlan& plan);
    // Runs the real program with no display at all.
    Result torbel(const QStringList& args, const QStringList& extraEnv = {}) const;
    static QStringList withTrip(QStringList args, const QString& path);

    QTemporaryDir m_dir;
    QString m_exe;
    int m_intTrips = 0;
};

void tst_commandline::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_exe = qEnvironmentVariable("TORBEL_TORBEL_EXE");
    QVERIFY2(QFile::exists(m_exe), "TORBEL_TORBEL_EXE names no program");
}

QString tst_commandline::writeTrip(const TripPlan& plan)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, plan.products, plan.menus, qint16(plan.people), qint16(plan.smena), qint16(plan.days),
                          plan.begin);
    QByteArray bytes;
    QString strError;
    if (!TripFile::write(TripFile::fromState(g), bytes, strError))
        qFatal("trip not written: %s", qPrintable(strError));
    for (const auto& [from, to] : plan.patches) {
        if (!bytes.contains(from))
            qFatal("nothing to patch");
        bytes.replace(from, to);
    }
    const QString path = m_dir.filePath(QStringLiteral("trip%1.trb").arg(++m_intTrips));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

Result tst_commandline::torbel(const QStringList& args, const QStringList& extraEnv) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Neither a display nor the offscreen platform: the command line must need none.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    for (const QString& assignment : extraEnv)
        env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    p.setProcessEnvironment(env);
    p.start(m_exe, args);
    Result r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        r.err = "did not finish normally: " + p.readAllStandardError();
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QStringList tst_commandline::withTrip(QStringList args, const QString& path)
{
    for (QString& a : args) {
        if (a == QLatin1String("TRIP"))
            a = path;
    }
    return args;
}

void tst_commandline::lists_data()
{
    QTest::addColumn<TripPlan>("trip");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("expected");

    // Name order, not catalog or menu order; "грамм" and "шт" listed but not in "ВСЕГО:".
    QTest::newRow("purchases, whole trip") << mixedWeek() << QStringList{"--list", "purchases", "TRIP"}
                                           << QStringList{"Абрикосы\t240\tg", "Борщ\t400\tграмм", "Гречка\t800\tг",
                                                          "Чай\t70\tгр.",     "Яйца\t14\tшт",     "ВСЕГО:\t1110\tгр"};
    QTest::newRow("purchases, shift 2: days 2 and 5")
        << mixedWeek() << QStringList{"--list", "purchases", "TRIP", "--shift", "2"}
        << QStringList{"Абрикосы\t60\tg", "Борщ\t100\tграмм", "Гречка\t200\tг",
                       "Чай\t20\tгр.",    "Яйца\t4\tшт",      "ВСЕГО:\t280\tгр"};
    QTest::newRow("purchases, shift 1: days 1, 4 and 7")
        << mixedWeek() << QStringList{"--shift=1", "--list=purchases", "TRIP"}
        << QStringList{"Абрикосы\t120\tg", "Борщ\t200\tграмм", "Гречка\t400\tг",
                       "Чай\t30\tгр.",     "Яйца\t6\tшт",      "ВСЕГО:\t550\tгр"};
    QTest::newRow("purchases, nothing in grams: no total")
        << TripPlan{{{"Свечи", "1", "шт"}, {"Спички", "2", "кор."}}, {"2 1 | | 1"}, 3, 1, 2}
        << QStringList{"--list", "purchases", "TRIP"} << QStringList{"Свечи\t12\tшт", "Спички\t12\tкор."};
    QTest::newRow("purchases, a shift that cooks no day")
        << TripPlan{Mixed, MixedMenus, 10, 5, 3} << QStringList{"--list", "purchases", "TRIP", "--shift", "5"}
        << QStringList{};
    QTest::newRow("purchases, empty catalog: the one empty row")
        << TripPlan{{}, {" | | "}, 2, 1, 2} << QStringList{"--list", "purchases", "TRIP"} << QStringList{"\t\t"};

    // An empty meal gives its one empty row, a norm of 0 an empty amount.
    QTest::newRow("layout") << TripPlan{Mixed, MixedMenus, 2, 3, 2} << QStringList{"--list", "layout", "TRIP"}
                            << QStringList{"1\t01.07.2024\t1\t1\tОбед\tГречка\t200\tг",
                                           "1\t01.07.2024\t1\t1\tОбед\tЧай\t10\tгр.",
                                           "1\t01.07.2024\t1\t1\tУжин\tБорщ\t100\tграмм",
                                           "1\t01.07.2024\t1\t1\tУжин\tЯйца\t2\tшт",
                                           "1\t01.07.2024\t1\t1\tЗавтрак\tАбрикосы\t60\tg",
                                           "2\t02.07.2024\t2\t2\tОбед\tЧай\t10\tгр.",
                                           "2\t02.07.2024\t2\t2\tУжин\t\t\t",
                                           "2\t02.07.2024\t2\t2\tЗавтрак\tМасло\t\tгр",
                                           "2\t02.07.2024\t2\t2\tЗавтрак\tЯйца\t2\tшт"};
    QTest::newRow("layout, shifts and menus wrap, dates cross the month")
        << TripPlan{{{"Чай", "5", "гр"}}, {"1||", "|1|", "||1"}, 4, 2, 4, QDate(2024, 2, 28)}
        << QStringList{"--list", "layout", "TRIP"}
        << QStringList{"1\t28.02.2024\t1\t1\tОбед\tЧай\t20\tгр",    "1\t28.02.2024\t1\t1\tУжин\t\t\t",
                       "1\t28.02.2024\t1\t1\tЗавтрак\t\t\t",        "2\t29.02.2024\t2\t2\tОбед\t\t\t",
                       "2\t29.02.2024\t2\t2\tУжин\tЧай\t20\tгр",    "2\t29.02.2024\t2\t2\tЗавтрак\t\t\t",
                       "3\t01.03.2024\t1\t3\tОбед\t\t\t",           "3\t01.03.2024\t1\t3\tУжин\t\t\t",
                       "3\t01.03.2024\t1\t3\tЗавтрак\tЧай\t20\tгр", "4\t02.03.2024\t2\t1\tОбед\tЧай\t20\tгр",
                       "4\t02.03.2024\t2\t1\tУжин\t\t\t",           "4\t02.03.2024\t2\t1\tЗавтрак\t\t\t"};

    // The meal weights count "грамм" but not "г": the other gram words than "ВСЕГО:".
    QTest::newRow("weights") << TripPlan{Mixed, MixedMenus, 2, 3, 3} << QStringList{"--list", "weights", "TRIP"}
                             << QStringList{"1\t01.07.2024\t5\t50\t30\t85", "2\t02.07.2024\t5\t0\t0\t5",
                                            "3\t03.07.2024\t5\t50\t30\t85", "total\t350"};
    // Norm texts halfway between two whole numbers go to the even one: 2.5 to 2, 3.5 to 4.
    TripPlan halves{{{"Крупа", "25", "гр"}, {"Сахар", "35", "гр"}, {"Соль", "5", "гр"}}, {"1 2 3 | 3 | "}, 3, 1, 2};
    halves.patches = {
        {"\r\n 25 \r\n", "\r\n 2.5 \r\n"}, {"\r\n 35 \r\n", "\r\n 3.5 \r\n"}, {"\r\n 5 \r\n", "\r\n 0.5 \r\n"}};
    QTest::newRow("weights, norms ties to even")
        << halves << QStringList{"--list", "weights", "TRIP"}
        << QStringList{"1\t01.07.2024\t6\t0\t0\t6", "2\t02.07.2024\t6\t0\t0\t6", "total\t36"};
    QTest::newRow("purchases, norms ties to even") << halves << QStringList{"--list", "purchases", "TRIP"}
                                                   << QStringList{"Крупа\t12\tгр", "Сахар\t24\tгр", "ВСЕГО:\t36\tгр"};
}

void tst_commandline::lists()
{
    QFETCH(TripPlan, trip);
    QFETCH(QStringList, args);
    QFETCH(QStringList, expected);

    const Result r = torbel(withTrip(args, writeTrip(trip)));
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.exitCode, 0);
    // Compared as bytes: UTF-8, LF line ends, nothing more.
    QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8(lines(expected)));
    QCOMPARE(r.out, lines(expected));
}

void tst_commandline::refused_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    const QString dates = QStringLiteral("Некорректные даты проведения похода!");
    const QString data = QStringLiteral("Некорректные данные!");
    const QString unreadable = QStringLiteral("Ошибка чтения файла! Возможно неверный формат данных.");
    const QStringList list{"--list", "purchases", "TRIP"};
    QTest::newRow("52 days") << "52 days" << list << dates;
    QTest::newRow("31 people") << "31 people" << QStringList{"--list", "weights", "TRIP"} << data;
    QTest::newRow("no shifts") << "no shifts" << QStringList{"--list", "layout", "TRIP"} << data;
    QTest::newRow("not a trip file") << "garbage" << list << unreadable;
    QTest::newRow("cut short") << "cut" << list << unreadable;
    QTest::newRow("no such file") << "missing" << list << unreadable;
    QTest::newRow("a folder") << "folder" << list << unreadable;
    // The trip is refused before the shift is looked at.
    QTest::newRow("refused trip, shift beyond")
        << "31 people" << QStringList{"--list", "purchases", "TRIP", "--shift", "9"} << data;
}

void tst_commandline::refused()
{
    QFETCH(QString, what);
    QFETCH(QStringList, args);
    QFETCH(QString, message);

    const Rows products{{"Чай", "5", "гр"}};
    const QStringList menus{"1||"};
    QString path;
    if (what == "52 days") {
        path = writeTrip({products, menus, 2, 1, 52});
    } else if (what == "31 people") {
        path = writeTrip({products, menus, 31, 1, 3});
    } else if (what == "no shifts") {
        path = writeTrip({products, menus, 2, 0, 3});
    } else if (what == "garbage") {
        path = m_dir.filePath("garbage.trb");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x89PNG\r\n\x1a\n not a trip at all");
    } else if (what == "cut") {
        const QString whole = writeTrip({products, menus, 2, 1, 3});
        QFile f(whole);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        path = m_dir.filePath("cut.trb");
        QFile g(path);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(bytes.left(bytes.size() / 2));
    } else if (what == "missing") {
        path = m_dir.filePath("nowhere/none.trb");
    } else if (what == "folder") {
        path = m_dir.path();
    }

    const Result r = torbel(withTrip(args, path));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.errLine(), message);
    QVERIFY(!r.err.contains(usageHead().toUtf8()));
}

void tst_commandline::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");

    QTest::newRow("shift 0") << QStringList{"--list", "purchases", "TRIP", "--shift", "0"} << "номер смены «0»";
    QTest::newRow("shift not a number") << QStringList{"--list", "purchases", "TRIP", "--shift", "два"}
                                        << "номер смены «два»";
    QTest::newRow("shift negative") << QStringList{"--list", "purchases", "TRIP", "--shift=-1"} << "номер смены «-1»";
    QTest::newRow("shift with a fraction")
        << QStringList{"--list", "purchases", "TRIP", "--shift", "1.5"} << "номер смены «1.5»";
    QTest::newRow("shift past the trip's shifts")
        << QStringList{"--list", "purchases", "TRIP", "--shift", "4"} << "смены 4 нет: в походе смен 3";
    QTest::newRow("export shift past the trip's shifts")
        << QStringList{"--export", "layout", "TRIP", "--output", "x.docx", "--shift", "7"}
        << "смены 7 нет: в походе смен 3";
    QTest::newRow("shift for the layout list") << QStringList{"--list", "layout", "TRIP", "--shift", "1"} << "--shift";
    QTest::newRow("shift for the weights") << QStringList{"--list", "weights", "TRIP", "--shift", "1"} << "--shift";
    QTest::newRow("shift without a number")
        << QStringList{"--list", "purchases", "TRIP", "--shift"} << "после --shift нужно значение";
    QTest::newRow("unknown list") << QStringList{"--list", "menus", "TRIP"} << "неизвестный список «menus»";
    QTest::newRow("unknown document") << QStringList{"--export", "weights", "TRIP", "--output", "x.docx"}
                                      << "неизвестный документ «weights»";
    QTest::newRow("unknown option") << QStringList{"--lists", "purchases", "TRIP"} << "неизвестный параметр «--lists»";
    QTest::newRow("single-dash option") << QStringList{"-x", "--list", "layout", "TRIP"} << "неизвестный параметр «-x»";
    // One dash is never the window program's: not a trip named "-list", not a window.
    QTest::newRow("single-dash list") << QStringList{"-list", "purchases", "TRIP"} << "неизвестный параметр «-list»";
    QTest::newRow("-v alone") << QStringList{"-v"} << "неизвестный параметр «-v»";
    QTest::newRow("-x with a trip") << QStringList{"TRIP", "-x"} << "неизвестный параметр «-x»";
    QTest::newRow("toolkit option with the command line")
        << QStringList{"-style", "fusion", "--list", "layout", "TRIP"} << "неизвестный параметр «-style»";
    QTest::newRow("no trip") << QStringList{"--list", "purchases"} << "не задан файл раскладки";
    QTest::newRow("two trips") << QStringList{"--list", "purchases", "TRIP", "other.trb"}
                               << "лишний аргумент «other.trb»";
    QTest::newRow("nothing to do") << QStringList{"--shift", "1", "TRIP"} << "--list или --export";
    QTest::newRow("list and export") << QStringList{"--list", "layout", "--export", "layout", "TRIP"}
                                     << "--list и --export";
    QTest::newRow("list twice") << QStringList{"--list", "layout", "--list", "weights", "TRIP"}
                                << "параметр --list задан дважды";
    QTest::newRow("export without output") << QStringList{"--export", "purchases", "TRIP"} << "--output";
    QTest::newRow("output without export")
        << QStringList{"--list", "purchases", "TRIP", "--output", "x.docx"} << "--output";
    QTest::newRow("empty output") << QStringList{"--export", "purchases", "TRIP", "--output="} << "--output";
}

void tst_commandline::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, reason);

    const QString trip = writeTrip(mixedWeek());
    const Result r = torbel(withTrip(args, trip));
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(r.errLine().startsWith("torbel: "), qPrintable(err));
    QVERIFY2(r.errLine().contains(reason), qPrintable(err));
    QVERIFY2(err.contains(u'\n' + usageHead()), qPrintable(err));
    QVERIFY(!QFile::exists("x.docx"));
}

void tst_commandline::helpAndVersion()
{
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        // Help wins over whatever else is on the line.
        const Result r = torbel({"--list", "nonsense", option});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        const QString out = QString::fromUtf8(r.out);
        QVERIFY(out.startsWith(usageHead()));
        for (const char* form : {"--list purchases", "--list layout", "--list weights", "--export layout|purchases",
                                 "--shift N", "--output"})
            QVERIFY2(out.contains(QLatin1String(form)), form);
        QVERIFY(!r.out.contains('\r'));
    }
    const Result r = torbel({"--version"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("Торбел 3.1\n"));
}

void tst_commandline::windowsWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("env");

    QTest::newRow("no trip") << QStringList{} << QStringList{};
    QTest::newRow("a trip") << QStringList{"TRIP"} << QStringList{};
    QTest::newRow("toolkit options and a trip") << QStringList{"-style", "fusion", "-reverse", "TRIP"} << QStringList{};
    QTest::newRow("X11 asked for") << QStringList{"-platform", "xcb", "TRIP"} << QStringList{};
    QTest::newRow("X11 by the environment") << QStringList{} << QStringList{"QT_QPA_PLATFORM=xcb"};
    // The toolkit tries and fails: its own abort is turned into the same message.
    QTest::newRow("a display that is not there") << QStringList{"TRIP"} << QStringList{"DISPLAY=:97531"};
}

void tst_commandline::windowsWithoutADisplay()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, env);

    const Result r = torbel(withTrip(args, writeTrip(mixedWeek())), env);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(err.startsWith(QStringLiteral("torbel: окнам программы нужен графический дисплей")), qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("torbel --help")), qPrintable(err));
    // Nothing of the toolkit's own English report.
    QVERIFY2(!err.contains(QStringLiteral("qt.qpa")) && !err.contains(QStringLiteral("plugin")), qPrintable(err));
}

// The lists are the window's grids cell for cell: the same trip shown in the layout
// window, every day and meal, and the purchase list of the whole trip and of each shift.
void tst_commandline::sameCellsAsTheLayoutWindow()
{
    const TripPlan plan{Mixed, MixedMenus, 3, 3, 5, QDate(2025, 12, 30)};
    const QString path = writeTrip(plan);

    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    QVERIFY(forms.MainForm().OpenFile(path));
    forms.MainForm().cmdRaklad_Click();
    frmRasklad& w = forms.Rasklad();
    QVERIFY(w.isVisible());

    QStringList windowLines;
    auto* tabs = w.findChild<QTabBar*>("tsTrapeza");
    auto* day = w.findChild<UpDown*>("updDay");
    auto* date = w.findChild<QLineEdit*>("txtDate");
    auto* smena = w.findChild<QLineEdit*>("txtSmena");
    QVERIFY(tabs && day && date && smena);
    for (int d = 1; d <= plan.days; ++d) {
        day->setValue(d);
        for (int m = 1; m <= 3; ++m) {
            tabs->setCurrentIndex(m - 1);
            QCOMPARE(w.CurrentDay(), qint16(d));
            for (const QStringList& cells : w.GridRows()) {
                const QStringList head{QString::number(d), date->text(), smena->text(),
                                       QString::number(g.objRasklad.GetMenu(qint16(d))), tabs->tabText(m - 1)};
                windowLines.append((head + cells).join(u'\t'));
            }
        }
    }
    QCOMPARE(QString::fromUtf8(torbel({"--list", "layout", path}).out), QString::fromUtf8(lines(windowLines)));

    w.cmdReport_Click();
    QVERIFY(w.IsReportMode());
    auto table = [&w] {
        QStringList out;
        for (const QStringList& cells : w.GridRows())
            out.append(cells.join(u'\t'));
        return lines(out);
    };
    QCOMPARE(torbel({"--list", "purchases", path}).out, table());
    w.findChild<QRadioButton*>("rbSmena")->setChecked(true);
    for (int s = 1; s <= plan.smena; ++s) {
        w.findChild<UpDown*>("updSmena")->setValue(s);
        QCOMPARE(w.Smen(), qint16(s));
        QCOMPARE(torbel({"--list", "purchases", path, "--shift", QString::number(s)}).out, table());
    }
}

// The sample trip shipped with the program: readable, checked, and its numbers agree
// with one another (every unit there is "гр", so the list total is the trip weight).
void tst_commandline::sampleTripAddsUp()
{
    const QString sample = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb");
    QVERIFY(QFile::exists(sample));

    const Result weights = torbel({"--list", "weights", sample});
    QCOMPARE(weights.exitCode, 0);
    const QStringList rows = QString::fromUtf8(weights.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 11);
    qint64 intPerPersonDays = 0;
    for (int d = 0; d < 10; ++d) {
        const QStringList cells = rows.at(d).split(u'\t');
        QCOMPARE(cells.size(), 6);
        QCOMPARE(cells.at(0), QString::number(d + 1));
        QCOMPARE(cells.at(5).toInt(), cells.at(2).toInt() + cells.at(3).toInt() + cells.at(4).toInt());
        // A hiking ration: between 500 g and 1 kg a person a day.
        QVERIFY2(cells.at(5).toInt() >= 500 && cells.at(5).toInt() <= 1000, qPrintable(rows.at(d)));
        intPerPersonDays += cells.at(5).toInt();
    }
    const QStringList total = rows.last().split(u'\t');
    QCOMPARE(total.value(0), QString("total"));
    QCOMPARE(total.value(1).toLongLong(), intPerPersonDays * 8);

    const Result purchases = torbel({"--list", "purchases", sample});
    QCOMPARE(purchases.exitCode, 0);
    QVERIFY(QString::fromUtf8(purchases.out).endsWith("ВСЕГО:\t" + total.value(1) + "\tгр\n"));
    // The three shifts together buy what the whole trip needs.
    qint64 intShifts = 0;
    for (int s = 1; s <= 3; ++s) {
        const QStringList list =
            QString::fromUtf8(torbel({"--list", "purchases", sample, "--shift", QString::number(s)}).out)
                .split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(list.last().startsWith("ВСЕГО:\t"));
        intShifts += list.last().section(u'\t', 1, 1).toLongLong();
    }
    QCOMPARE(intShifts, total.value(1).toLongLong());
}

// The documents the windows write, written from the command line: whole trip and one
// shift, readable by LibreOffice.
void tst_commandline::exportConvertsToPdf()
{
    const QString trip = writeTrip({Mixed, MixedMenus, 2, 3, 7, QDate(2026, 6, 7)});
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString layout = out.filePath(QStringLiteral("смена 2.docx"));
    const QString purchases = out.filePath(QStringLiteral("закупки.docx"));

    Result r = torbel({"--export", "layout", trip, "--shift", "2", "--output", layout});
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray());
    r = torbel({"--output=" + purchases, "--export=purchases", trip});
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.exitCode, 0);
    for (const QString& path : {layout, purchases}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(2), QByteArray("PK"));
        QVERIFY(f.permissions() & QFileDevice::ReadOther);
    }
    // Nothing but the two documents is left behind.
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is missing");
    QTemporaryDir profile;
    QProcess convert;
    convert.start(soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
                            "--convert-to", "pdf", "--outdir", out.path(), layout, purchases});
    QVERIFY(convert.waitForFinished(300000));
    QCOMPARE(convert.exitCode(), 0);

    auto text = [&](const QString& pdf) {
        QProcess p;
        p.start(pdftotext, {"-layout", out.filePath(pdf), "-"});
        p.waitForFinished(60000);
        // Runs of blanks from the page layout do not matter here.
        return QString::fromUtf8(p.readAllStandardOutput()).simplified();
    };
    // Shift 2 cooks days 2 and 5 of the week: 8 and 11 June, headed by their dates.
    const QString layoutText = text(QStringLiteral("смена 2.pdf"));
    QVERIFY2(layoutText.contains("Раскладка дежурной смены №2"), qPrintable(layoutText));
    QVERIFY2(layoutText.contains("8 июня 2026, ( понедельник )"), qPrintable(layoutText));
    QVERIFY2(layoutText.contains("11 июня 2026, ( четверг )"), qPrintable(layoutText));
    QVERIFY2(!layoutText.contains("9 июня 2026, ("), qPrintable(layoutText));
    const QString listText = text(QStringLiteral("закупки.pdf"));
    QVERIFY2(listText.contains("Общий список закупок по раскладке"), qPrintable(listText));
    QVERIFY2(listText.contains("Абрикосы 240 g"), qPrintable(listText));
    QVERIFY2(listText.contains("ВСЕГО: 1110 гр"), qPrintable(listText));
}

// A document that cannot be written changes nothing on disk; a good one replaces the
// earlier file and keeps its permissions.
void tst_commandline::exportReplacesWholeOrNothing()
{
    const QString trip = writeTrip(mixedWeek());
    QTemporaryDir out;
    QVERIFY(out.isValid());

    const QString missing = out.filePath(QStringLiteral("no folder/list.docx"));
    Result r = torbel({"--export", "purchases", trip, "--output", missing});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errLine(), QStringLiteral("Ошибка записи файла  %1!").arg(missing));
    QVERIFY(!QFile::exists(missing));

    r = torbel({"--export", "purchases", trip, "--output", out.path()});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errLine(), QStringLiteral("Ошибка записи файла  %1!").arg(out.path()));

    // A trip that fails the checks writes nothing, not even over an older document.
    const QString target = out.filePath(QStringLiteral("list.docx"));
    {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("older");
    }
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString refused = writeTrip({Mixed, MixedMenus, 31, 3, 7});
    r = torbel({"--export", "layout", refused, "--output", target});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errLine(), QStringLiteral("Некорректные данные!"));
    QFile older(target);
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), QByteArray("older"));
    older.close();

    r = torbel({"--export", "layout", trip, "--output", target});
    QCOMPARE(r.exitCode, 0);
    QFile newer(target);
    QVERIFY(newer.open(QIODevice::ReadOnly));
    QCOMPARE(newer.read(2), QByteArray("PK"));
    QCOMPARE(newer.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.docx"});
}

QTEST_MAIN(tst_commandline)
#include "tst_commandline.moc"
