#include "model/RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The list works on real files: one file reached by two paths is one entry only where
// the file system says so. The names below are relative to a scratch folder holding
// a.trb to f.trb, link.trb (a link to a.trb), a long Cyrillic name and a folder sub;
// gone.trb does not exist.
class tst_recentfiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void list_data();
    void list();
    void removeSaysWhetherListed();
    void menuText_data();
    void menuText();

private:
    QString abs(const QString& name) const { return QDir::cleanPath(m_dir.path() + QLatin1Char('/') + name); }
    QStringList abs(const QStringList& names) const
    {
        QStringList paths;
        for (const QString& name : names)
            paths.append(name.isEmpty() ? name : abs(name));
        return paths;
    }

    QTemporaryDir m_dir;
    QString m_previousCurrent;
};

namespace {

const QString LongName = QString(120, QChar(0x0416)) + QStringLiteral(".trb"); // 244 bytes in UTF-8

} // namespace

void tst_recentfiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const QString& name : {QStringLiteral("a.trb"), QStringLiteral("b.trb"), QStringLiteral("c.trb"),
                                QStringLiteral("d.trb"), QStringLiteral("e.trb"), QStringLiteral("f.trb"), LongName}) {
        QFile f(abs(name));
        QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(name));
    }
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(QFile::link(abs(QStringLiteral("a.trb")), abs(QStringLiteral("link.trb"))));
    m_previousCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void tst_recentfiles::cleanupTestCase()
{
    QDir::setCurrent(m_previousCurrent);
}

void tst_recentfiles::list_data()
{
    // kept: the list as read back (relative names made absolute, "" kept empty);
    // steps: "+name" opens or saves a file, "-name" takes it out.
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    const QStringList none;
    QTest::newRow("nothing yet") << none << none << none;
    QTest::newRow("one file") << none << QStringList{"+a.trb"} << QStringList{"a.trb"};
    QTest::newRow("two, the latest first") << none << QStringList{"+a.trb", "+b.trb"} << QStringList{"b.trb", "a.trb"};
    QTest::newRow("opened again moves to the top")
        << none << QStringList{"+a.trb", "+b.trb", "+c.trb", "+a.trb"} << QStringList{"a.trb", "c.trb", "b.trb"};
    QTest::newRow("the top opened again stays")
        << none << QStringList{"+a.trb", "+b.trb", "+b.trb"} << QStringList{"b.trb", "a.trb"};
    QTest::newRow("five kept") << none << QStringList{"+a.trb", "+b.trb", "+c.trb", "+d.trb", "+e.trb"}
                               << QStringList{"e.trb", "d.trb", "c.trb", "b.trb", "a.trb"};
    QTest::newRow("a sixth drops the oldest")
        << none << QStringList{"+a.trb", "+b.trb", "+c.trb", "+d.trb", "+e.trb", "+f.trb"}
        << QStringList{"f.trb", "e.trb", "d.trb", "c.trb", "b.trb"};
    QTest::newRow("the fifth opened again drops nothing")
        << none << QStringList{"+a.trb", "+b.trb", "+c.trb", "+d.trb", "+e.trb", "+a.trb"}
        << QStringList{"a.trb", "e.trb", "d.trb", "c.trb", "b.trb"};
    QTest::newRow("through .. is the same file")
        << none << QStringList{"+a.trb", "+b.trb", "+sub/../a.trb"} << QStringList{"a.trb", "b.trb"};
    QTest::newRow("through a link is the same file, spelt as opened last")
        << none << QStringList{"+a.trb", "+b.trb", "+link.trb"} << QStringList{"link.trb", "b.trb"};
    QTest::newRow("a missing file by two spellings")
        << none << QStringList{"+gone.trb", "+sub/../gone.trb"} << QStringList{"gone.trb"};
    QTest::newRow("a missing file taken out")
        << QStringList{"gone.trb", "a.trb"} << QStringList{"-gone.trb"} << QStringList{"a.trb"};
    QTest::newRow("taken out by another spelling")
        << QStringList{"b.trb", "a.trb"} << QStringList{"-link.trb"} << QStringList{"b.trb"};
    QTest::newRow("taking out what is not listed")
        << QStringList{"a.trb"} << QStringList{"-b.trb"} << QStringList{"a.trb"};
    QTest::newRow("the last one taken out") << QStringList{"a.trb"} << QStringList{"-a.trb"} << none;
    QTest::newRow("an empty path is no file") << QStringList{"a.trb"} << QStringList{"+"} << QStringList{"a.trb"};
    QTest::newRow("kept: gaps and repeats dropped, the first kept")
        << QStringList{"", "b.trb", "a.trb", "", "link.trb", "b.trb"} << none << QStringList{"b.trb", "a.trb"};
    QTest::newRow("kept: more than five cut")
        << QStringList{"a.trb", "b.trb", "c.trb", "d.trb", "e.trb", "f.trb", "gone.trb"} << none
        << QStringList{"a.trb", "b.trb", "c.trb", "d.trb", "e.trb"};
    QTest::newRow("a name of 244 bytes") << none << QStringList{"+a.trb", "+" + LongName}
                                         << QStringList{LongName, "a.trb"};
}

void tst_recentfiles::list()
{
    QFETCH(QStringList, kept);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    RecentFiles files(abs(kept));
    for (const QString& step : steps) {
        const QString name = step.mid(1);
        if (step.startsWith(QLatin1Char('+')))
            files.add(name); // relative to the scratch folder, as typed
        else
            files.remove(name);
    }
    QCOMPARE(files.paths(), abs(expected));
    QCOMPARE(files.isEmpty(), expected.isEmpty());
    QVERIFY(files.paths().size() <= RecentFiles::MaxCount);
}

void tst_recentfiles::removeSaysWhetherListed()
{
    RecentFiles files(QStringList{abs(QStringLiteral("a.trb"))});
    QVERIFY(files.contains(QStringLiteral("link.trb")));
    QVERIFY(!files.remove(QStringLiteral("b.trb")));
    QVERIFY(files.remove(QStringLiteral("link.trb")));
    QVERIFY(!files.remove(QStringLiteral("a.trb")));
    QVERIFY(files.isEmpty());
}

void tst_recentfiles::menuText_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");

    QTest::newRow("first") << 1 << "/home/u/походы/Карелия.trb"
                           << "&1 Карелия.trb";
    QTest::newRow("fifth") << 5 << "/x/a.trb"
                           << "&5 a.trb";
    QTest::newRow("an ampersand shown, not a mnemonic") << 2 << "/x/Мы & горы.trb"
                                                        << "&2 Мы && горы.trb";
    QTest::newRow("no extension") << 3 << "/x/поход"
                                  << "&3 поход";
    QTest::newRow("a folder name with a blank stays out") << 4 << "/мои походы/b.trb"
                                                          << "&4 b.trb";
}

void tst_recentfiles::menuText()
{
    QFETCH(int, index);
    QFETCH(QString, path);
    QFETCH(QString, text);
    QCOMPARE(RecentFiles::menuText(index, path), text);
}

QTEST_MAIN(tst_recentfiles)
#include "tst_recentfiles.moc"
