#include "export/ShoppingDocument.h"
#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "model/TripCheck.h"
#include "support/DocumentCheck.h"
#include "support/DocxPackage.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
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

// The words of a PDF in the order its lines read.
QStringList words(const QString& pdftotext, const QString& pdf)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return readText(pdftotext, pdf).split(blanks, Qt::SkipEmptyParts);
}

int pageCount(const QString& pdftotext, const QString& pdf)
{
    return int(readText(pdftotext, pdf).count(QLatin1Char('\f')));
}

// Runs a tool and waits for it; false with its output on failure.
bool runTool(const QString& program, const QStringList& args, QByteArray* log)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ok = p.waitForFinished(240000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    *log = p.readAll();
    return ok;
}

bool convertWithLibreOffice(const QString& soffice, const QString& outDir, const QStringList& files, QByteArray* log)
{
    QTemporaryDir profile;
    return runTool(
        soffice,
        QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                    QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                    QStringLiteral("--outdir"), outDir} +
            files,
        log);
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
    void pdfAgreesWithLibreOffice();
    void bigTripPagesAgree_data();
    void bigTripPagesAgree();

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

// The sample trip's documents as PDF from the program and as .docx converted by
// LibreOffice read the same, word for word and page for page; no word is split
// across lines, and the program's pages keep inside their margins.
void tst_documentfiles::pdfAgreesWithLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QVERIFY2(!pdftotext.isEmpty() && !pdftoppm.isEmpty(), "poppler-utils is missing");
    const QString torbel = qEnvironmentVariable("TORBEL_TORBEL_EXE");
    if (torbel.isEmpty())
        QSKIP("TORBEL_TORBEL_EXE is not set");
    const QString sample = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb");

    QTemporaryDir dir;
    QStringList docx;
    QByteArray log;
    // The program writes both forms; the PDF's name in any letter case.
    for (const QString& doc : {QStringLiteral("layout"), QStringLiteral("purchases")}) {
        docx.append(dir.filePath(doc + QStringLiteral(".docx")));
        QVERIFY2(runTool(torbel, {"--export", doc, sample, "--output", docx.last()}, &log), log.constData());
        QVERIFY2(
            runTool(torbel, {"--export", doc, sample, "--output", dir.filePath(doc + QStringLiteral(".Pdf"))}, &log),
            log.constData());
    }
    const QString converted = dir.filePath(QStringLiteral("lo"));
    QVERIFY(QDir().mkpath(converted));
    QVERIFY2(convertWithLibreOffice(soffice, converted, docx, &log), log.constData());

    // Every word the documents may hold, to find a split one.
    ExportingTrip t;
    {
        TripData data;
        QString why;
        QVERIFY(TripFile::readFile(sample, data, why) && TripFile::apply(std::move(data), t.g, why));
        t.g.intCountDay =
            TripCheck::check(t.g.dtDataBegin, t.g.dtDataEnd, t.g.intCountPeople, t.g.intCountSmena).intCountDay;
        t.g.objRasklad.Build(t.g.intCountDay, t.g.intPeriod);
    }
    for (const QString& doc : {QStringLiteral("layout"), QStringLiteral("purchases")}) {
        const QString ours = dir.filePath(doc + QStringLiteral(".Pdf"));
        const QString theirs = QDir(converted).filePath(doc + QStringLiteral(".pdf"));
        const QStringList ourWords = words(pdftotext, ours);
        const QStringList theirWords = words(pdftotext, theirs);
        QVERIFY(ourWords.size() > 50);
        QCOMPARE(ourWords, theirWords);
        QCOMPARE(pageCount(pdftotext, ours), pageCount(pdftotext, theirs));

        objWord(t.g).setOutputFile(dir.filePath(QStringLiteral("model.docx")));
        QVERIFY(doc == QLatin1String("layout") ? TripDocuments::exportLayout(t.g, true, 1).ok()
                                               : TripDocuments::exportPurchases(t.g, true, 1).ok());
        QSet<QString> known;
        auto add = [&known](const QString& text) {
            for (const QString& w : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                known.insert(w);
        };
        const WordDocument& model = t.last();
        for (const WordStory* s : {&model.main, &model.header, &model.footer}) {
            add(s->text());
            for (const WordTable* table : s->tables()) {
                for (const WordRow& r : table->rows) {
                    for (const WordCell& c : r.cells)
                        add(c.text());
                }
            }
        }
        for (int i = 0; i <= 9; ++i)
            known.insert(QString::number(i)); // page fields
        for (const QString& w : theirWords)
            QVERIFY2(known.contains(w) || w.startsWith(QLatin1String("mailto:")), qPrintable(doc + ": " + w));

        // Nothing drawn outside the margins, nor beyond the header and footer.
        QVERIFY2(runTool(pdftoppm, {"-r", "36", "-gray", ours, dir.filePath(doc)}, &log), log.constData());
        const double perPoint = 36.0 / 72.0;
        const QStringList images = QDir(dir.path()).entryList({doc + QStringLiteral("-*.pgm")}, QDir::Files);
        QCOMPARE(images.size(), pageCount(pdftotext, ours));
        for (const QString& name : images) {
            const QImage page(dir.filePath(name));
            QVERIFY(!page.isNull());
            const QRect inside(
                QPoint(int(model.page.leftMargin * perPoint) - 1, int(model.page.headerDistance * perPoint) - 1),
                QPoint(int((page.width() / perPoint - model.page.rightMargin) * perPoint) + 1,
                       int((page.height() / perPoint - model.page.footerDistance) * perPoint) + 1));
            for (int y = 0; y < page.height(); ++y) {
                for (int x = 0; x < page.width(); ++x) {
                    if (!inside.contains(x, y) && qGray(page.pixel(x, y)) < 200)
                        QFAIL(qPrintable(QStringLiteral("%1: ink at %2, %3").arg(name).arg(x).arg(y)));
                }
            }
        }
    }
}

void tst_documentfiles::bigTripPagesAgree_data()
{
    QTest::addColumn<int>("document"); // layout, purchase list, shopping list
    // Where a row too tall for a page is split, LibreOffice may take a line more or less.
    QTest::addColumn<bool>("pageByPage");
    QTest::newRow("layout") << 0 << true;
    QTest::newRow("purchase list") << 1 << false;
    QTest::newRow("shopping list") << 2 << true;
}

// 51 days, 30 people, a long name and one of 4,700 characters: the program's PDF and
// LibreOffice's reading of its .docx hold the same words on every page, none lost.
void tst_documentfiles::bigTripPagesAgree()
{
    QFETCH(int, document);
    QFETCH(bool, pageByPage);
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "poppler-utils is missing");

    ExportingTrip t;
    const QString huge =
        QStringLiteral("Макароны-рожки ") + QStringLiteral("очень длинное название продукта ").repeated(146);
    makeTrip(t.g,
             {{"Гречка ядрица быстроразваривающаяся отборная", "80", "гр"},
              {huge, "90", "гр"},
              {"Сало", "32767", "гр"},
              {"Чай", "5", "гр"}},
             {"1 4|2|3", "2|1 4|3"}, 30, 15, 51, QDate(2026, 6, 7));
    QByteArray log;
    QStringList files;
    for (const char* suffix : {".docx", ".pdf"}) {
        files.append(t.dir.filePath(QStringLiteral("big") + QLatin1String(suffix)));
        objWord(t.g).setOutputFile(files.last());
        QVERIFY(document == 0   ? TripDocuments::exportLayout(t.g, true, 1).ok()
                : document == 1 ? TripDocuments::exportPurchases(t.g, true, 1).ok()
                                : ShoppingDocument::exportShopping(t.g, true, 1).ok());
    }
    const QString converted = t.dir.filePath(QStringLiteral("lo"));
    QVERIFY(QDir().mkpath(converted));
    QVERIFY2(convertWithLibreOffice(soffice, converted, {files.first()}, &log), log.constData());

    auto pages = [&pdftotext](const QString& pdf) {
        QList<QStringList> out;
        for (const QString& page : readText(pdftotext, pdf).split(QLatin1Char('\f'))) {
            QStringList words = page.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            words.sort(); // the order a table's cells are read in is the reader's
            out.append(words);
        }
        return out;
    };
    const QList<QStringList> ours = pages(files.last());
    const QList<QStringList> theirs = pages(QDir(converted).filePath(QStringLiteral("big.pdf")));
    QCOMPARE(ours.size(), theirs.size());
    QStringList allOurs, allTheirs;
    for (int i = 0; i < ours.size(); ++i) {
        if (pageByPage)
            QVERIFY2(ours.at(i) == theirs.at(i), qPrintable(QStringLiteral("page %1").arg(i + 1)));
        allOurs += ours.at(i);
        allTheirs += theirs.at(i);
    }
    allOurs.sort();
    allTheirs.sort();
    QCOMPARE(allOurs, allTheirs);
    int lost = 146 * (document == 0 ? 51 : 1);
    for (const QStringList& page : ours)
        lost -= int(page.count(QStringLiteral("длинное")));
    QCOMPARE(lost, 0);
}

QTEST_MAIN(tst_documentfiles)
#include "tst_documentfiles.moc"
