#include "export/DocxWriter.h"
#include "export/WriterSequences.h"
#include "export/clsRKWord.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "support/DocxPackage.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace WriterSequences;
using TestSupport::XmlElement;

namespace {

const QStringList kHeaders = {QStringLiteral("Обед   07.06.2026"), QStringLiteral("Ужин  07.06.2026"),
                              QStringLiteral("Завтрак  08.06.2026")};

QList<Meal> sampleMeals()
{
    QList<Meal> meals(3);
    meals[0].products = {{"Гречка", "960 гр"}, {"Тушёнка", "2 шт"}, {"Лук", "80 гр"}};
    meals[1].products = {{"Рис", "800 гр"}};
    return meals;
}

const QList<QStringList> kList = {
    {"Наименование", "Количество", "Ед."}, {"Гречка", "1920", "гр"}, {"Тушёнка", "4", "шт"}, {"ВСЕГО:", "1920", "гр"}};

// The title block, two days of the layout, and the purchase list on a page of its own.
void writeSample(clsRKWord& w)
{
    writeTitle(w, QStringLiteral("Раскладка"), QStringLiteral("Карелия, июнь"));
    writeDay(w, QStringLiteral("Дежурная смена №1"), kHeaders, sampleMeals(),
             {QStringLiteral("130"), QStringLiteral("100"), QStringLiteral("0")}, QStringLiteral("230"));
    writeDay(w, QStringLiteral("Дежурная смена №2"), kHeaders, sampleMeals(),
             {QStringLiteral("130"), QStringLiteral("100"), QStringLiteral("0")}, QStringLiteral("230"));
    w.NewPage();
    writeList(w, kList);
}

struct Package
{
    QMap<QString, QByteArray> parts;
    QMap<QString, XmlElement> xml;

    // The parsed part; an empty element when there is none.
    const XmlElement& part(const QString& name) const
    {
        static const XmlElement none;
        const auto it = xml.constFind(name);
        return it == xml.cend() ? none : *it;
    }
};

// Unzips a written file and parses every part; fails the test on any fault.
bool readPackage(const QByteArray& data, Package* out)
{
    QString error;
    out->parts = TestSupport::unzip(data, &error);
    if (out->parts.isEmpty()) {
        qWarning("not a zip package: %s", qPrintable(error));
        return false;
    }
    for (auto it = out->parts.cbegin(); it != out->parts.cend(); ++it) {
        XmlElement root;
        if (!TestSupport::parseXml(it.value(), &root, &error)) {
            qWarning("%s is not well-formed: %s", qPrintable(it.key()), qPrintable(error));
            return false;
        }
        out->xml.insert(it.key(), root);
    }
    return true;
}

QStringList childNames(const XmlElement& e)
{
    QStringList names;
    for (const XmlElement& c : e.children)
        names.append(c.name);
    return names;
}

// The relationship targets of a .rels part by type's last word.
QMap<QString, QString> relationships(const XmlElement& rels, QMap<QString, QString>* ids = nullptr)
{
    QMap<QString, QString> out;
    for (const XmlElement* r : rels.all(QStringLiteral("Relationship"))) {
        const QString type = r->attr(QStringLiteral("Type")).section(QLatin1Char('/'), -1);
        out.insert(type, r->attr(QStringLiteral("Target")));
        if (ids)
            ids->insert(type, r->attr(QStringLiteral("Id")));
    }
    return out;
}

} // namespace

class tst_docx : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void packageIsComplete();
    void blankHeaderAndFooterLeftOut();
    void dayTableInTheFile();
    void borderStyles_data();
    void borderStyles();
    void runsAndParagraphs();
    void pageSetup();
    void unfitCharactersStayOut();
    void tablesFitThePage();
    void rowsThatSplitAndHeadingsKept_data();
    void rowsThatSplitAndHeadingsKept();
    void savedFileIsTheSame();
    void convertsWithLibreOffice();

private:
    std::unique_ptr<MessageBox::Recorder> m_boxes;
    std::unique_ptr<Desktop::Recorder> m_desktop;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<clsRKWord> m_w;

    clsRKWord& open();
    Package written();
};

void tst_docx::init()
{
    m_boxes = std::make_unique<MessageBox::Recorder>();
    m_desktop = std::make_unique<Desktop::Recorder>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_w = std::make_unique<clsRKWord>();
    m_w->setDocumentsFolder(m_dir->path());
}

void tst_docx::cleanup()
{
    QCOMPARE(m_boxes->count(), 0);
    m_w.reset();
    m_dir.reset();
    m_desktop.reset();
    m_boxes.reset();
}

clsRKWord& tst_docx::open()
{
    if (!m_w->OpenWord())
        qFatal("OpenWord failed");
    return *m_w;
}

Package tst_docx::written()
{
    Package p;
    QString error;
    const QByteArray data = DocxWriter::package(*m_w->document(), &error);
    if (data.isEmpty())
        qWarning("no package: %s", qPrintable(error));
    else
        readPackage(data, &p);
    return p;
}

void tst_docx::packageIsComplete()
{
    writeSample(open());
    const Package p = written();
    QCOMPARE(p.parts.keys(),
             (QStringList{"[Content_Types].xml", "_rels/.rels", "word/_rels/document.xml.rels", "word/document.xml",
                          "word/footer1.xml", "word/header1.xml", "word/settings.xml", "word/styles.xml"}));
    QCOMPARE(p.xml.size(), p.parts.size()); // every part well-formed

    // Every XML part has its content type.
    QMap<QString, QString> types;
    for (const XmlElement* o : p.part("[Content_Types].xml").all(QStringLiteral("Override")))
        types.insert(o->attr(QStringLiteral("PartName")), o->attr(QStringLiteral("ContentType")));
    const QString base = QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.");
    QCOMPARE(types.value("/word/document.xml"), base + "document.main+xml");
    QCOMPARE(types.value("/word/header1.xml"), base + "header+xml");
    QCOMPARE(types.value("/word/footer1.xml"), base + "footer+xml");
    QCOMPARE(types.value("/word/styles.xml"), base + "styles+xml");
    QCOMPARE(types.value("/word/settings.xml"), base + "settings+xml");

    QCOMPARE(relationships(p.part("_rels/.rels")).value("officeDocument"), QStringLiteral("word/document.xml"));
    QMap<QString, QString> ids;
    const QMap<QString, QString> rels = relationships(p.part("word/_rels/document.xml.rels"), &ids);
    for (const char* type : {"header", "footer", "styles", "settings"})
        QVERIFY2(p.parts.contains(QStringLiteral("word/") + rels.value(QString::fromLatin1(type))), type);

    const XmlElement& doc = p.part("word/document.xml");
    QCOMPARE(doc.name, QStringLiteral("w:document"));
    const XmlElement* body = doc.child(QStringLiteral("w:body"));
    QVERIFY(body);
    QCOMPARE(body->children.last().name, QStringLiteral("w:sectPr"));
    const XmlElement& sect = body->children.last();
    QCOMPARE(childNames(sect), (QStringList{"w:headerReference", "w:footerReference", "w:pgSz", "w:pgMar"}));
    QCOMPARE(sect.children.at(0).attr("r:id"), ids.value("header"));
    QCOMPARE(sect.children.at(1).attr("r:id"), ids.value("footer"));
    QCOMPARE(sect.children.at(0).attr("w:type"), QStringLiteral("default"));

    QCOMPARE(p.part("word/header1.xml").name, QStringLiteral("w:hdr"));
    QCOMPARE(p.part("word/footer1.xml").name, QStringLiteral("w:ftr"));
    QCOMPARE(p.part("word/header1.xml").all("w:p").size(), 2);

    // Every cell ends in a paragraph, every row has a cell.
    for (const XmlElement* tc : doc.all(QStringLiteral("w:tc")))
        QCOMPARE(tc->children.last().name, QStringLiteral("w:p"));
    for (const XmlElement* tr : doc.all(QStringLiteral("w:tr")))
        QVERIFY(tr->child(QStringLiteral("w:tc")));
}

void tst_docx::blankHeaderAndFooterLeftOut()
{
    open().InsertText(QStringLiteral("Только текст"));
    const Package p = written();
    QVERIFY(!p.parts.contains("word/header1.xml"));
    QVERIFY(!p.parts.contains("word/footer1.xml"));
    const QByteArray doc = p.parts.value("word/document.xml");
    QVERIFY(!doc.contains("headerReference"));
    QVERIFY(!p.parts.value("[Content_Types].xml").contains("header"));
    QVERIFY(!p.parts.value("word/_rels/document.xml.rels").contains("header1"));
}

void tst_docx::dayTableInTheFile()
{
    clsRKWord& w = open();
    writeDay(w, QStringLiteral("Дежурная смена №1"), kHeaders, sampleMeals(), {"130", "100", "0"}, "230");
    const Package p = written();
    const XmlElement& doc = p.part("word/document.xml");
    const QList<const XmlElement*> tables = doc.all(QStringLiteral("w:tbl"));
    QCOMPARE(tables.size(), 1);
    const XmlElement& t = *tables.first();
    QCOMPARE(childNames(*t.child("w:tblPr")), (QStringList{"w:tblW", "w:tblBorders", "w:tblLayout", "w:tblCellMar"}));
    QCOMPARE(t.child("w:tblPr")->child("w:tblW")->attr("w:type"), QStringLiteral("auto"));
    QCOMPARE(t.child("w:tblGrid")->all("w:gridCol").size(), 6);

    const QList<const XmlElement*> rows = t.all(QStringLiteral("w:tr"));
    QCOMPARE(rows.size(), 6);
    const QList<int> cellsPerRow = {3, 6, 6, 6, 3, 1};
    for (int r = 0; r < rows.size(); ++r) {
        const QList<const XmlElement*> cells = rows.at(r)->all("w:tc");
        QCOMPARE(cells.size(), cellsPerRow.at(r));
        int columns = 0;
        for (const XmlElement* tc : cells) {
            const XmlElement* span = tc->child("w:tcPr")->child("w:gridSpan");
            columns += span ? span->attr("w:val").toInt() : 1;
            QCOMPARE(childNames(*tc->child("w:tcPr")->child("w:tcBorders")),
                     (QStringList{"w:top", "w:left", "w:bottom", "w:right"}));
        }
        QCOMPARE(columns, 6);
    }
    const XmlElement& lunch = *rows.first()->all("w:tc").first();
    QCOMPARE(lunch.allText(), QStringLiteral("Обед   07.06.2026"));
    QCOMPARE(lunch.all("w:t").first()->attr("xml:space"), QStringLiteral("preserve"));
    const XmlElement* borders = lunch.child("w:tcPr")->child("w:tcBorders");
    QStringList lines;
    for (const XmlElement& b : borders->children)
        lines.append(b.attr("w:val") + "/" + b.attr("w:sz"));
    QCOMPARE(lines,
             (QStringList{"thickThinSmallGap/24", "thickThinSmallGap/24", "dotted/4", "thinThickThinSmallGap/24"}));
    QCOMPARE(rows.last()->allText(), QStringLiteral("Удельный вес рациона  230 гр"));
    QCOMPARE(rows.at(1)->all("w:tc").at(1)->allText(), QStringLiteral("960 гр"));
}

void tst_docx::borderStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("val");

    QTest::newRow("single") << 1 << 4 << "single";
    QTest::newRow("dotted") << 2 << 4 << "dotted";
    QTest::newRow("thin-thick") << 9 << 24 << "thinThickSmallGap";
    QTest::newRow("thick-thin") << 10 << 24 << "thickThinSmallGap";
    QTest::newRow("thin-thick-thin") << 11 << 24 << "thinThickThinSmallGap";
    QTest::newRow("double") << 7 << 6 << "double";
    QTest::newRow("none") << 0 << 4 << "nil";
    QTest::newRow("widest") << 1 << 48 << "single";
}

void tst_docx::borderStyles()
{
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(QString, val);
    clsRKWord& w = open();
    w.InsertTable(1, 1);
    QVERIFY(w.DesignSelectionCells(-3, style, width));
    const Package p = written();
    const XmlElement& doc = p.part("word/document.xml");
    const XmlElement* bottom = doc.all("w:tcBorders").first()->child("w:bottom");
    QCOMPARE(bottom->attr("w:val"), val);
    QCOMPARE(bottom->attr("w:sz"), QString::number(width));
    QCOMPARE(bottom->attr("w:color"), QStringLiteral("auto"));
    QCOMPARE(doc.all("w:tcBorders").first()->child("w:top")->attr("w:val"), QStringLiteral("single"));
}

void tst_docx::runsAndParagraphs()
{
    clsRKWord& w = open();
    w.SetAlign(QStringLiteral("Justify"));
    w.SetTab(2.54f);
    w.SetFontSize(14);
    w.Bold(true);
    w.Italic(true);
    w.SetFontStyle(QStringLiteral("Arial"));
    w.InsertText(QStringLiteral("  два пробела  "));
    w.InsertTab();
    w.InsertCopyRigth();
    w.NewPage();
    w.InsertNumPage();
    w.Enter();
    w.SetAlign(QStringLiteral("Right"));
    const Package pkg = written();
    const QList<const XmlElement*> paras = pkg.part("word/document.xml").child("w:body")->all("w:p");
    QCOMPARE(paras.size(), 2);
    const XmlElement& p = *paras.first();

    const XmlElement* pPr = p.child("w:pPr");
    QCOMPARE(childNames(*pPr), (QStringList{"w:tabs", "w:jc", "w:rPr"}));
    QCOMPARE(pPr->child("w:jc")->attr("w:val"), QStringLiteral("both"));
    QCOMPARE(pPr->child("w:tabs")->child("w:tab")->attr("w:pos"), QStringLiteral("1440"));
    QCOMPARE(pPr->child("w:tabs")->child("w:tab")->attr("w:val"), QStringLiteral("left"));
    QCOMPARE(paras.last()->child("w:pPr")->child("w:jc")->attr("w:val"), QStringLiteral("right"));

    const XmlElement* first = p.child("w:r");
    QCOMPARE(childNames(*first->child("w:rPr")), (QStringList{"w:rFonts", "w:b", "w:i", "w:sz", "w:szCs"}));
    QCOMPARE(first->child("w:rPr")->child("w:sz")->attr("w:val"), QStringLiteral("28"));
    QCOMPARE(first->child("w:rPr")->child("w:rFonts")->attr("w:hAnsi"), QStringLiteral("Arial"));
    QCOMPARE(first->child("w:t")->text, QStringLiteral("  два пробела  "));
    QCOMPARE(first->child("w:t")->attr("xml:space"), QStringLiteral("preserve"));

    QCOMPARE(p.all("w:tab").size(), 2); // the tab stop and the tab character
    QCOMPARE(p.all("w:br").first()->attr("w:type"), QStringLiteral("page"));
    QStringList fields;
    for (const XmlElement* f : p.all("w:fldSimple"))
        fields.append(f->attr("w:instr"));
    QCOMPARE(fields, (QStringList{" PAGE ", " NUMPAGES "}));
    QCOMPARE(p.allText(), QStringLiteral("  два пробела  ©Стр. 1 из 1"));
}

void tst_docx::pageSetup()
{
    clsRKWord& w = open();
    w.SetPole(2.0f, 1.5f, 1.5f, 1.5f);
    w.ZoomProcent(80);
    const Package portrait = written();
    const XmlElement& doc = portrait.part("word/document.xml");
    const XmlElement* mar = doc.all("w:pgMar").first();
    QCOMPARE(mar->attr("w:left"), QStringLiteral("1134"));
    QCOMPARE(mar->attr("w:right"), QStringLiteral("850"));
    QCOMPARE(mar->attr("w:top"), QStringLiteral("850"));
    QCOMPARE(mar->attr("w:bottom"), QStringLiteral("850"));
    for (const char* a : {"w:header", "w:footer", "w:gutter"})
        QVERIFY(mar->attributes.contains(a));
    QCOMPARE(doc.all("w:pgSz").first()->attr("w:w"), QStringLiteral("11906"));
    QVERIFY(!doc.all("w:pgSz").first()->attributes.contains("w:orient"));

    w.Orientation(QStringLiteral("albom"));
    const Package p = written();
    const XmlElement* size = p.part("word/document.xml").all("w:pgSz").first();
    QCOMPARE(size->attr("w:w"), QStringLiteral("16838"));
    QCOMPARE(size->attr("w:h"), QStringLiteral("11906"));
    QCOMPARE(size->attr("w:orient"), QStringLiteral("landscape"));
    QCOMPARE(p.part("word/settings.xml").child("w:zoom")->attr("w:percent"), QStringLiteral("80"));
}

void tst_docx::unfitCharactersStayOut()
{
    // The model is plain data: whatever lands in it, the file stays readable.
    WordDocument doc;
    WordParagraph& p = std::get<WordParagraph>(doc.main.blocks.first());
    p.runs.append(
        WordRun{WordRun::Kind::Text,
                QStringLiteral("a") + QChar(0x02) + QStringLiteral("b") + QChar(0xDC00) + QChar(0xFFFE) +
                    QStringLiteral("<&>\"c"),
                WordCharFormat{12, false, false, QStringLiteral("Ar") + QChar(0x07) + QStringLiteral("ial")}});
    WordCell cell;
    cell.paragraphs.clear(); // a cell without paragraphs still gets one
    WordTable t;
    t.columns = 1;
    t.rows = {WordRow{{cell}}};
    doc.main.blocks.append(WordBlock(t)); // and a story ending in a table gets a paragraph

    Package pkg;
    QVERIFY(readPackage(DocxWriter::package(doc), &pkg));
    const XmlElement& body = *pkg.xml["word/document.xml"].child("w:body");
    QCOMPARE(body.all("w:t").first()->text, QStringLiteral("ab<&>\"c"));
    QCOMPARE(body.all("w:rFonts").first()->attr("w:ascii"), QStringLiteral("Arial"));
    QCOMPARE(body.all("w:tc").first()->children.last().name, QStringLiteral("w:p"));
    QCOMPARE(body.children.at(body.children.size() - 2).name, QStringLiteral("w:p"));
}

void tst_docx::tablesFitThePage()
{
    clsRKWord& w = open();
    w.SetPole(2.0f, 1.5f, 1.5f, 1.5f);
    w.InsertTable(2, 3);
    w.InsertText(QString(400, QLatin1Char('x')));
    w.MoveRightCell(4);
    w.InsertText(QStringLiteral("коротко"));
    const Package p = written();
    const XmlElement& doc = p.part("word/document.xml");
    int total = 0;
    QList<int> widths;
    for (const XmlElement* col : doc.all("w:gridCol")) {
        widths.append(col->attr("w:w").toInt());
        total += widths.last();
    }
    QCOMPARE(widths.size(), 3);
    QVERIFY(total <= 11906 - 1134 - 850);
    QVERIFY(widths.at(0) > widths.at(1)); // the long text has the widest column
    QVERIFY(widths.at(1) > widths.at(2)); // "коротко" outweighs an empty column
    QVERIFY(widths.at(2) > 0);
}

void tst_docx::rowsThatSplitAndHeadingsKept_data()
{
    QTest::addColumn<QString>("heading"); // the paragraph above the table
    QTest::addColumn<bool>("keep");       // the table is kept together
    // Per row: "s" it may not split, "k" its paragraphs keep with the next row.
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("headingKept");

    QTest::newRow("heading") << "1. Иванов (доля 1)" << false << QStringList{"sk", "", "s"} << true;
    QTest::newRow("no heading") << "" << false << QStringList{"s", "", "s"} << false;
    QTest::newRow("blanks are no heading") << "   " << false << QStringList{"s", "", "s"} << false;
    QTest::newRow("kept table") << "Дежурная смена №1" << true << QStringList{"sk", "k", "s"} << true;
}

// A row taller than a page may split, or a word processor cuts its end off; a heading
// keeps with the first two rows of its table.
void tst_docx::rowsThatSplitAndHeadingsKept()
{
    QFETCH(QString, heading);
    QFETCH(bool, keep);
    QFETCH(QStringList, rows);
    QFETCH(bool, headingKept);

    clsRKWord& w = open();
    if (!heading.isEmpty()) {
        w.InsertText(heading);
        w.Enter();
    }
    w.InsertTable(3, 2);
    if (keep)
        w.KeepTableTogether();
    w.InsertText(QStringLiteral("Продукт"));
    w.MoveRightCell(2);
    w.InsertText(QStringLiteral("сухарики ").repeated(520)); // 4,700 characters
    w.MoveRightCell(2);
    w.InsertText(QStringLiteral("Чай"));
    const Package p = written();
    const XmlElement& body = *p.part("word/document.xml").child("w:body");
    const QList<const XmlElement*> tr = body.all("w:tr");
    QCOMPARE(tr.size(), 3);
    for (int r = 0; r < 3; ++r) {
        const XmlElement* trPr = tr.at(r)->child("w:trPr");
        QCOMPARE(trPr && trPr->child("w:cantSplit"), rows.at(r).contains(u's'));
        for (const XmlElement* pPr : tr.at(r)->all("w:pPr"))
            QCOMPARE(pPr->child("w:keepNext") != nullptr, rows.at(r).contains(u'k'));
    }
    const XmlElement* first = body.child("w:p");
    QVERIFY(first);
    QCOMPARE(first->child("w:pPr")->child("w:keepNext") != nullptr, headingKept);
}

void tst_docx::savedFileIsTheSame()
{
    clsRKWord& w = open();
    writeSample(w);
    const QByteArray expected = DocxWriter::package(*w.document());
    w.CloseWord();
    QFile f(w.lastSavedFile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    Package saved, built;
    QVERIFY(readPackage(f.readAll(), &saved));
    QVERIFY(readPackage(expected, &built));
    QCOMPARE(saved.parts, built.parts);
}

void tst_docx::convertsWithLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is missing");

    clsRKWord& w = open();
    writeSample(w);
    const QString docx = m_dir->filePath(QStringLiteral("Раскладка.docx"));
    QString error;
    QVERIFY2(w.saveTo(docx, &error), qPrintable(error));

    QTemporaryDir profile;
    QProcess convert;
    convert.setProcessChannelMode(QProcess::MergedChannels);
    convert.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                            QStringLiteral("--outdir"), m_dir->path(), docx});
    QVERIFY(convert.waitForFinished(180000));
    const QString pdf = m_dir->filePath(QStringLiteral("Раскладка.pdf"));
    QVERIFY2(convert.exitCode() == 0 && QFileInfo::exists(pdf), convert.readAll().constData());

    QProcess text;
    text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    QCOMPARE(text.exitCode(), 0);
    // The layout of the text spaces words as it likes: compare with single blanks.
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QString out = QString::fromUtf8(text.readAllStandardOutput()).replace(blanks, QStringLiteral(" "));
    const QStringList pages = out.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(out));
    for (const char* expected :
         {"Раскладка", "Карелия, июнь", "Product of R.K.Forge©", "mailto:torbel@example.org", "Поход с 7  июня  2026",
          "Дежурная смена №2", "Обед   07.06.2026", "Завтрак  08.06.2026", "Удельный вес обеда  130 гр",
          "Удельный вес рациона  230 гр", "Тушёнка", "960 гр", "Наименование", "ВСЕГО:", "1920"})
        QVERIFY2(out.contains(QString::fromUtf8(expected).replace(blanks, QStringLiteral(" "))), expected);
    // The numbering counts the pages in every footer.
    for (int i = 0; i < pages.size(); ++i) {
        const QString numbering = QStringLiteral("Стр. %1 из %2").arg(i + 1).arg(pages.size());
        QVERIFY2(pages.at(i).contains(numbering), qPrintable(numbering + "\n" + pages.at(i)));
        QVERIFY(pages.at(i).contains(QStringLiteral("Раскладка")));
    }
}

QTEST_MAIN(tst_docx)
#include "tst_docx.moc"
