#include "platform/Desktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_desktop : public QObject
{
    Q_OBJECT

private slots:
    void findProgramIn_data();
    void findProgramIn();
    void recordsCalls();
    void resultCanFail();
    void findProgramInTestMode();
};

namespace {

void makeFile(const QString& path, bool executable)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        p |= QFile::ExeOwner;
    QVERIFY(f.setPermissions(p));
}

} // namespace

void tst_desktop::findProgramIn_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("expected"); // "dirN/name" or empty

    QTest::newRow("first name wins") << QStringList{"b", "a"} << "dir1/b";
    QTest::newRow("earlier directory wins") << QStringList{"a"} << "dir1/a";
    QTest::newRow("later directory") << QStringList{"c"} << "dir2/c";
    QTest::newRow("not executable skipped") << QStringList{"plain", "c"} << "dir2/c";
    QTest::newRow("none") << QStringList{"missing", "plain"} << "";
    QTest::newRow("paths are not names") << QStringList{"dir1/a"} << "";
    QTest::newRow("no names") << QStringList{} << "";
}

void tst_desktop::findProgramIn()
{
    QFETCH(QStringList, names);
    QFETCH(QString, expected);

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString dir1 = tmp.filePath("dir1");
    const QString dir2 = tmp.filePath("dir2");
    QVERIFY(QDir().mkpath(dir1));
    QVERIFY(QDir().mkpath(dir2));
    makeFile(dir1 + "/a", true);
    makeFile(dir1 + "/b", true);
    makeFile(dir2 + "/a", true);
    makeFile(dir2 + "/c", true);
    makeFile(dir1 + "/plain", false);

    const QString found = Desktop::findProgramIn(names, {dir1, dir2});
    QCOMPARE(found, expected.isEmpty() ? QString() : tmp.filePath(expected));
    QCOMPARE(Desktop::findProgramIn(names, {}), QString());
}

void tst_desktop::recordsCalls()
{
    Desktop::Recorder recorder;
    QVERIFY(Desktop::openUrl(QUrl("mailto:a@example.org?subject=%D0%9F")));
    QVERIFY(Desktop::openFile("/tmp/x.docx"));
    QVERIFY(Desktop::startProgram("/usr/bin/hardinfo", {"-r"}));

    QCOMPARE(recorder.count(), 3);
    QCOMPARE(recorder.calls().at(0).kind, Desktop::OpenUrl);
    QCOMPARE(recorder.calls().at(0).target, QString("mailto:a@example.org?subject=%D0%9F"));
    QCOMPARE(recorder.calls().at(1).kind, Desktop::OpenFile);
    QCOMPARE(recorder.calls().at(1).target, QString("/tmp/x.docx"));
    QCOMPARE(recorder.last().kind, Desktop::StartProgram);
    QCOMPARE(recorder.last().args, QStringList{"-r"});
}

void tst_desktop::resultCanFail()
{
    {
        Desktop::Recorder recorder;
        recorder.setResult(false);
        QVERIFY(!Desktop::openUrl(QUrl("http://example.org/")));
        QVERIFY(!Desktop::startProgram("x"));
        QCOMPARE(recorder.count(), 2);
    }
    Desktop::Recorder recorder; // a new recorder succeeds again
    QVERIFY(Desktop::openFile("/tmp/y"));
}

void tst_desktop::findProgramInTestMode()
{
    Desktop::Recorder recorder;
    QCOMPARE(Desktop::findProgram({"sh"}), QString()); // the real PATH is not asked
    recorder.setProgramsOnPath({"hardinfo", "gnome-system-monitor"});
    QCOMPARE(Desktop::findProgram({"plasma-systemmonitor", "gnome-system-monitor", "hardinfo"}),
             QString("/usr/bin/gnome-system-monitor"));
}

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
