#include "app/CommandLine.h"
#include "model/Shopping.h"
#include "support/DocxPackage.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Sample = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb");

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

Result run(const QStringList& arguments)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Result r;
    r.code = CommandLine::run(arguments, out, err);
    r.out = QString::fromUtf8(out.data());
    r.err = QString::fromUtf8(err.data());
    return r;
}

// The texts of the cells of the document's first table, row by row.
QList<QStringList> tableOf(const QString& strPath)
{
    QFile f(strPath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QMap<QString, QByteArray> parts = TestSupport::unzip(f.readAll());
    TestSupport::XmlElement root;
    if (!TestSupport::parseXml(parts.value(QStringLiteral("word/document.xml")), &root))
        return {};
    QList<QStringList> rows;
    const QList<const TestSupport::XmlElement*> tables = root.all(QStringLiteral("w:tbl"));
    if (tables.isEmpty())
        return {};
    for (const TestSupport::XmlElement* tr : tables.first()->all(QStringLiteral("w:tr"))) {
        QStringList cells;
        for (const TestSupport::XmlElement* tc : tr->all(QStringLiteral("w:tc")))
            cells.append(tc->allText());
        rows.append(cells);
    }
    return rows;
}

} // namespace

class tst_nutritionlisting : public QObject
{
    Q_OBJECT

private slots:
    void usage_data();
    void usage();
    void shoppingDocumentHasTheListsRows_data();
    void shoppingDocumentHasTheListsRows();
    void malformedSectionIsAReadError();
};

void tst_nutritionlisting::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::newRow("nutrition") << QStringList{"--list", "nutrition", Sample} << 0;
    QTest::newRow("shopping of a shift") << QStringList{"--list", "shopping", Sample, "--shift", "3"} << 0;
    QTest::newRow("nutrition has no shift") << QStringList{"--list", "nutrition", Sample, "--shift", "1"} << 2;
    QTest::newRow("no such shift") << QStringList{"--list", "shopping", Sample, "--shift", "4"} << 2;
    QTest::newRow("shopping needs an output") << QStringList{"--export", "shopping", Sample} << 2;
    QTest::newRow("no such file") << QStringList{"--list", "shopping", "/nonexistent/trip.trb"} << 1;
}

void tst_nutritionlisting::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    const Result r = run(arguments);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out.isEmpty(), code != 0);
    QCOMPARE(r.err.isEmpty(), code == 0);
}

void tst_nutritionlisting::shoppingDocumentHasTheListsRows_data()
{
    QTest::addColumn<QStringList>("shift");
    QTest::newRow("whole trip") << QStringList();
    QTest::newRow("shift 2") << QStringList{"--shift", "2"};
}

void tst_nutritionlisting::shoppingDocumentHasTheListsRows()
{
    QFETCH(QStringList, shift);
    QTemporaryDir dir;
    const QString docx = dir.filePath(QStringLiteral("shopping.docx"));
    const Result exported = run(QStringList{"--export", "shopping", Sample, "--output", docx} + shift);
    QCOMPARE(exported.err, QString());
    QCOMPARE(exported.code, 0);

    const Result listed = run(QStringList{"--list", "shopping", Sample} + shift);
    QList<QStringList> expected;
    for (const QString& line : listed.out.split(u'\n', Qt::SkipEmptyParts))
        expected.append(line.split(u'\t'));
    QCOMPARE(expected.last().first(), Shopping::PerPersonName);
    const QList<QStringList> table = tableOf(docx);
    QCOMPARE(table.size(), expected.size() + 1); // under a header row
    QCOMPARE(table.first().first(), QStringLiteral("Наименование"));
    QCOMPARE(table.mid(1), expected);
}

void tst_nutritionlisting::malformedSectionIsAReadError()
{
    QFile sample(Sample);
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QByteArray bytes = sample.readAll();
    // The sample's aim made a fraction.
    QVERIFY(bytes.contains("2700,"));
    bytes.replace("2700,", "2700.5,");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.trb"));
    QFile bad(path);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(bytes);
    bad.close();
    const Result r = run({"--list", "nutrition", path});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.startsWith(QStringLiteral("Ошибка чтения файла! Возможно неверный формат данных.")));
}

QTEST_MAIN(tst_nutritionlisting)
#include "tst_nutritionlisting.moc"
