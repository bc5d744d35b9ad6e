#include "app/WindowsPart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program's executable answers the command line's lists with QtCore alone and
// loads the windows and the documents from a module of their own.
namespace {

const QString Sample = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb");

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Result run(const QString& program, const QStringList& args, const QStringList& extraEnv = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& assignment : extraEnv)
        env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    p.setProcessEnvironment(env);
    p.start(program, args);
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

QStringList withPaths(QStringList args, const QString& strOut)
{
    for (QString& a : args) {
        if (a == QLatin1String("TRIP"))
            a = Sample;
        else if (a.startsWith(QLatin1String("OUT")))
            a = strOut + a.mid(3);
    }
    return args;
}

bool copyFile(const QString& from, const QString& to)
{
    return QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to);
}

} // namespace

class tst_windowspart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listsWithoutTheModule_data();
    void listsWithoutTheModule();
    void windowsWithoutTheModule_data();
    void windowsWithoutTheModule();
    void moduleFound_data();
    void moduleFound();
    void programLoadsNoGuiLibrary();

private:
    QString m_exe;
    QString m_module;
    QTemporaryDir m_dir;
};

void tst_windowspart::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_exe = qEnvironmentVariable("TORBEL_TORBEL_EXE");
    QVERIFY2(QFile::exists(m_exe), "TORBEL_TORBEL_EXE names no program");
    m_module = QFileInfo(m_exe).dir().filePath(QLatin1String(WindowsPart::ModuleName));
    QVERIFY2(QFile::exists(m_module), qPrintable(m_module));
}

void tst_windowspart::listsWithoutTheModule_data()
{
    QTest::addColumn<QStringList>("args");

    QTest::newRow("version") << QStringList{"--version"};
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("purchases") << QStringList{"--list", "purchases", "TRIP"};
    QTest::newRow("purchases of a shift") << QStringList{"--list", "purchases", "TRIP", "--shift", "2"};
    QTest::newRow("layout") << QStringList{"--list", "layout", "TRIP"};
    QTest::newRow("shopping") << QStringList{"--list", "shopping", "TRIP"};
    QTest::newRow("carry") << QStringList{"--list", "carry", "TRIP"};
    QTest::newRow("a file that is not there") << QStringList{"--list", "weights", "OUT/none.trb"};
    // A wrong export command is a usage error, told without the documents' module.
    QTest::newRow("export without --output") << QStringList{"--export", "layout", "TRIP"};
    QTest::newRow("export of an unknown document") << QStringList{"--export", "menu", "TRIP", "--output", "OUT.docx"};
    QTest::newRow("unknown option") << QStringList{"-x"};
}

void tst_windowspart::listsWithoutTheModule()
{
    QFETCH(QStringList, args);

    // The executable alone in a folder of its own: whatever it does, it does without
    // the module, exactly as the program beside its module does.
    QTemporaryDir dir(m_dir.filePath(QStringLiteral("alone-XXXXXX")));
    const QString alone = dir.filePath(QStringLiteral("bin/torbel"));
    QVERIFY(copyFile(m_exe, alone));
    const QStringList concrete = withPaths(args, dir.filePath(QStringLiteral("out")));
    const Result expected = run(m_exe, concrete);
    const Result r = run(alone, concrete);
    QCOMPARE(r.exitCode, expected.exitCode);
    QCOMPARE(r.out, expected.out);
    QCOMPARE(r.err, expected.err);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.docx"))));
}

void tst_windowspart::windowsWithoutTheModule_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("broken");

    QTest::newRow("export to .docx") << QStringList{"--export", "layout", "TRIP", "--output", "OUT.docx"} << "OUT.docx"
                                     << false;
    QTest::newRow("export to PDF") << QStringList{"--export", "purchases", "TRIP", "--output", "OUT.pdf"} << "OUT.pdf"
                                   << false;
    QTest::newRow("the windows") << QStringList{} << QString() << false;
    QTest::newRow("the windows with a trip") << QStringList{"TRIP"} << QString() << false;
    // A module that is there but is no module: the loader's reason is told.
    QTest::newRow("a broken module, export")
        << QStringList{"--export", "carry", "TRIP", "--output", "OUT.docx"} << "OUT.docx" << true;
    QTest::newRow("a broken module, the windows") << QStringList{} << QString() << true;
}

void tst_windowspart::windowsWithoutTheModule()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    QFETCH(bool, broken);

    QTemporaryDir dir(m_dir.filePath(QStringLiteral("alone-XXXXXX")));
    const QString alone = dir.filePath(QStringLiteral("bin/torbel"));
    QVERIFY(copyFile(m_exe, alone));
    const QString module = dir.filePath(QStringLiteral("bin/torbel-windows.so"));
    if (broken) {
        QFile f(module);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("not a module\n") > 0);
    }
    const QString out = dir.filePath(QStringLiteral("out"));
    const Result r = run(alone, withPaths(args, out), {QStringLiteral("QT_QPA_PLATFORM=offscreen")});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(
        err.startsWith(QStringLiteral("torbel: не удалось загрузить окна и документы программы (torbel-windows.so)")),
        qPrintable(err));
    // Where the loader looked, or what is wrong with the module that is there.
    QVERIFY2(err.contains(QStringLiteral("torbel-windows.so:")), qPrintable(err));
    if (broken)
        QVERIFY2(err.contains(module), qPrintable(err));
    if (!output.isEmpty())
        QVERIFY(!QFile::exists(withPaths({output}, out).constFirst()));
}

void tst_windowspart::moduleFound_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<bool>("throughLink");

    QTest::newRow("beside the program") << 0 << false;
    QTest::newRow("installed") << 1 << false;
    // The module is looked for beside the real file, not beside a link to it.
    QTest::newRow("installed, started through a link") << 1 << true;
}

void tst_windowspart::moduleFound()
{
    QFETCH(int, place);
    QFETCH(bool, throughLink);

    QTemporaryDir dir(m_dir.filePath(QStringLiteral("tree-XXXXXX")));
    const QString exe = dir.filePath(QStringLiteral("bin/torbel"));
    QVERIFY(copyFile(m_exe, exe));
    const QString module = WindowsPart::moduleCandidates(exe).at(place);
    QVERIFY2(module.startsWith(dir.path() + QLatin1Char('/')), qPrintable(module));
    QVERIFY(copyFile(m_module, module));
    QString program = exe;
    if (throughLink) {
        program = dir.filePath(QStringLiteral("elsewhere/torbel"));
        QVERIFY(QDir().mkpath(QFileInfo(program).path()));
        QVERIFY(QFile::link(exe, program));
    }

    const QString docx = dir.filePath(QStringLiteral("layout.docx"));
    const Result r =
        run(program, {QStringLiteral("--export"), QStringLiteral("layout"), Sample, QStringLiteral("--output"), docx});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY(QFileInfo(docx).size() > 0);
}

void tst_windowspart::programLoadsNoGuiLibrary()
{
    // The dynamic loader lists what it would load for the program and stops there.
    const Result r = run(m_exe, {QStringLiteral("--version")}, {QStringLiteral("LD_TRACE_LOADED_OBJECTS=1")});
    QCOMPARE(r.exitCode, 0);
    const QString libs = QString::fromUtf8(r.out);
    QVERIFY2(libs.contains(QStringLiteral("libQt6Core.so")), qPrintable(libs));
    for (const char* gui : {"libQt6Gui", "libQt6Widgets", "libQt6PrintSupport", "libzip", "libfontconfig", "libX11"})
        QVERIFY2(!libs.contains(QLatin1String(gui)), qPrintable(QStringLiteral("%1 in\n%2").arg(gui, libs)));
}

QTEST_GUILESS_MAIN(tst_windowspart)
#include "tst_windowspart.moc"
