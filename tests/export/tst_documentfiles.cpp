#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "support/DocumentCheck.h"
#include "support/DocxPackage.h"
#include "support/SampleTrip.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

using namespace TestSupport;

namespace {

// 4 people, 2 shifts, 3 days from 7 June 2026; menus 1, 2, 1.
void makeSample(GlobalVariable& g)
{
    makeTrip(g,
             {{"Гречка", "100", "гр"},
              {"Тушёнка", "1", "шт"},
              {"Сахар", "30", "гр"},
              {"Рис", "80", "гр"},
              {"Чай", "5", "гр"}},
             {"1 2|4|3 5", "4|1|3"}, 4, 2, 3, QDate(2026, 6, 7));
    g.strDeffine = QStringLiteral("Карелия, июнь");
}

QString readText(const QString& pdftotext, const QString& pdf)
{
    QProcess text;
    text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(60000) || text.exitCode() != 0)
        return {};
    // The text's layout spaces words as it likes: single blanks only.
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    return QString::fromUtf8(text.readAllStandardOutput()).replace(blanks, QStringLiteral(" "));
}

QString single(const char* text)
{
    static const QRegularExpression blanks(QStringLiteral(" +"));
    return QString::fromUtf8(text).replace(blanks, QStringLiteral(" "));
}

} // namespace

class tst_documentfiles : public QObject
{
    Q_OBJECT

private slots:
    void namedFileReplaced();
    void wellFormed();
    void convertsWithLibreOffice();

private:
    // Writes both documents of the sample trip into the scratch folder.
    bool writeBoth(ExportingTrip& t, QString* layout, QString* purchases);
};

bool tst_documentfiles::writeBoth(ExportingTrip& t, QString* layout, QString* purchases)
{
    makeSample(t.g);
    *layout = t.dir.filePath(QStringLiteral("раскладка.docx"));
    *purchases = t.dir.filePath(QStringLiteral("закупки.docx"));
    objWord(t.g).setOutputFile(*layout);
    const bool ok = TripDocuments::exportLayout(t.g, true, 1).ok();
    objWord(t.g).setOutputFile(*purchases);
    return TripDocuments::exportPurchases(t.g, true, 1).ok() && ok;
}

void tst_documentfiles::namedFileReplaced()
{
    // The command line's export: exactly the named file, replaced, and nothing opened.
    ExportingTrip t;
    makeSample(t.g);
    const QString out = t.dir.filePath(QStringLiteral("out.docx"));
    {
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    objWord(t.g).setOutputFile(out);
    const TripDocuments::ExportResult r = TripDocuments::exportLayout(t.g, false, 2);
    QVERIFY(r.ok());
    QCOMPARE(r.strFile, out);
    QVERIFY(QFileInfo(out).size() > 1000);
    QCOMPARE(t.platform.desktop.count(), 0);
    QVERIFY(!QFileInfo::exists(t.documents()));
    QCOMPARE(messageTexts(), QStringList());

    // A file that cannot be written is no success.
    objWord(t.g).setOutputFile(t.dir.filePath(QStringLiteral("нет/такой/папки/out.docx")));
    const TripDocuments::ExportResult failed = TripDocuments::exportPurchases(t.g, true, 1);
    QVERIFY(!failed.ok());
    QVERIFY(failed.strFile.isEmpty());
    QVERIFY(!messageTexts().isEmpty());
}

void tst_documentfiles::wellFormed()
{
    ExportingTrip t;
    QString layout, purchases;
    QVERIFY(writeBoth(t, &layout, &purchases));
    for (const QString& path : {layout, purchases}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString error;
        const QMap<QString, QByteArray> parts = unzip(f.readAll(), &error);
        QVERIFY2(!parts.isEmpty(), qPrintable(error));
        for (const QString& name : {QStringLiteral("[Content_Types].xml"), QStringLiteral("word/document.xml"),
                                    QStringLiteral("word/header1.xml"), QStringLiteral("word/footer1.xml")})
            QVERIFY2(parts.contains(name), qPrintable(name));
        for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
            XmlElement root;
            QVERIFY2(parseXml(it.value(), &root, &error), qPrintable(it.key() + QLatin1String(": ") + error));
        }
    }
}

void tst_documentfiles::convertsWithLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is missing");

    ExportingTrip t;
    QString layout, purchases;
    QVERIFY(writeBoth(t, &layout, &purchases));

    QTemporaryDir profile;
    QProcess convert;
    convert.setProcessChannelMode(QProcess::MergedChannels);
    convert.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                            QStringLiteral("--outdir"), t.dir.path(), layout, purchases});
    QVERIFY(convert.waitForFinished(240000));
    const QByteArray log = convert.readAll();
    QVERIFY2(convert.exitCode() == 0, log.constData());

    const QString layoutText = readText(pdftotext, t.dir.filePath(QStringLiteral("раскладка.pdf")));
    QVERIFY2(!layoutText.isEmpty(), log.constData());
    // Per person: lunch 100 + 80 (menu 1) or 80 (menu 2), and so on.
    for (const char* expected :
         {"Раскладка", "Карелия, июнь", "Product of R.K.Forge©", "Поход с 7  июня  2026 по 9  июня  2026.",
          "Дежурная смена №1", "Дежурная смена №2", "Обед   07.06.2026", "Ужин  08.06.2026", "Завтрак  10.06.2026",
          "Гречка", "400 гр", "4 шт", "Удельный вес обеда  100 гр", "Удельный вес ужина  80 гр",
          "Удельный вес завтрака  35 гр", "Удельный вес рациона  215 гр", "Удельный вес рациона  210 гр", "Стр. 1 из"})
        QVERIFY2(layoutText.contains(single(expected)), expected);
    QCOMPARE(layoutText.count(QStringLiteral("Дежурная смена №1")), 2);

    const QString listText = readText(pdftotext, t.dir.filePath(QStringLiteral("закупки.pdf")));
    QVERIFY(!listText.isEmpty());
    // Three days of 4 people: Гречка 400 + 400 + 400, Рис 320 a day, Сахар 120 a day,
    // Чай 20 on the days of menu 1; Тушёнка in pieces stays out of the total.
    for (const char* expected :
         {"Общий список закупок по раскладке", "Наименование", "Количество", "Стоимость", "Для", "заметок",
          "Гречка 1200 гр", "Рис 960 гр", "Сахар 360 гр", "Тушёнка 8 шт", "Чай 40 гр", "ВСЕГО: 2560 гр"})
        QVERIFY2(listText.contains(single(expected)), expected);
}

QTEST_MAIN(tst_documentfiles)
#include "tst_documentfiles.moc"
