#include "export/DocxWriter.h"

#include "export/ColumnWidths.h"
#include "export/PageRenderer.h"
#include "platform/AtomicFile.h"
#include "platform/SystemError.h"

#include <QXmlStreamWriter>

#include <zip.h>

#include <algorithm>
#include <cmath>

namespace {

const QString nsW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString nsR = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString nsPkgRels = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString relBase = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
const QString typeBase = QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.");

const QString defaultFont = QStringLiteral("Times New Roman");
using ColumnWidths::kCellMarginTwips;

int twips(double points)
{
    return int(std::lround(points * 20.0));
}

// Only characters XML 1.0 allows; the model keeps others out, but it is plain data.
QString xmlSafe(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out += c;
            out += s.at(++i);
        } else if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.isSurrogate() || c.unicode() >= 0xFFFE) {
            continue;
        } else {
            out += c;
        }
    }
    return out;
}

class Xml
{
public:
    Xml()
        : w(&buffer)
    {
        w.setAutoFormatting(false);
        w.writeStartDocument(QStringLiteral("1.0"), true);
    }
    QByteArray finish()
    {
        w.writeEndDocument();
        return buffer;
    }
    void start(const QString& name) { w.writeStartElement(nsW, name); }
    void end() { w.writeEndElement(); }
    void empty(const QString& name) { w.writeEmptyElement(nsW, name); }
    void attr(const QString& name, const QString& value) { w.writeAttribute(nsW, name, xmlSafe(value)); }
    void attr(const QString& name, int value) { w.writeAttribute(nsW, name, QString::number(value)); }
    // <w:name w:val="value"/>
    void val(const QString& name, const QString& value)
    {
        empty(name);
        attr(QStringLiteral("val"), value);
    }
    void val(const QString& name, int value) { val(name, QString::number(value)); }

    QByteArray buffer;
    QXmlStreamWriter w;
};

// ---------------------------------------------------------------- document content

void writeRunFormat(Xml& x, const WordCharFormat& f)
{
    x.start(QStringLiteral("rPr"));
    if (!f.font.isEmpty()) {
        x.empty(QStringLiteral("rFonts"));
        x.attr(QStringLiteral("ascii"), f.font);
        x.attr(QStringLiteral("hAnsi"), f.font);
        x.attr(QStringLiteral("cs"), f.font);
    }
    if (f.bold)
        x.empty(QStringLiteral("b"));
    if (f.italic)
        x.empty(QStringLiteral("i"));
    x.val(QStringLiteral("sz"), f.size * 2);
    x.val(QStringLiteral("szCs"), f.size * 2);
    x.end();
}

QString alignName(WordAlign a)
{
    switch (a) {
    case WordAlign::Center:
        return QStringLiteral("center");
    case WordAlign::Right:
        return QStringLiteral("right");
    case WordAlign::Justify:
        return QStringLiteral("both");
    case WordAlign::Left:
        break;
    }
    return QStringLiteral("left");
}

void writeField(Xml& x, const QString& instr, const WordCharFormat& f)
{
    x.start(QStringLiteral("fldSimple"));
    x.attr(QStringLiteral("instr"), instr);
    x.start(QStringLiteral("r"));
    writeRunFormat(x, f);
    x.start(QStringLiteral("t"));
    x.w.writeCharacters(QStringLiteral("1"));
    x.end();
    x.end();
    x.end();
}

void writeParagraph(Xml& x, const WordParagraph& p, bool keepNext = false)
{
    x.start(QStringLiteral("p"));
    x.start(QStringLiteral("pPr"));
    if (keepNext)
        x.empty(QStringLiteral("keepNext"));
    if (!p.tabStops.isEmpty()) {
        x.start(QStringLiteral("tabs"));
        for (double pos : p.tabStops) {
            x.empty(QStringLiteral("tab"));
            x.attr(QStringLiteral("val"), QStringLiteral("left"));
            x.attr(QStringLiteral("pos"), twips(pos));
        }
        x.end();
    }
    x.val(QStringLiteral("jc"), alignName(p.align));
    writeRunFormat(x, p.mark);
    x.end();

    for (const WordRun& r : p.runs) {
        switch (r.kind) {
        case WordRun::Kind::PageNumber:
            writeField(x, QStringLiteral(" PAGE "), r.format);
            continue;
        case WordRun::Kind::PageCount:
            writeField(x, QStringLiteral(" NUMPAGES "), r.format);
            continue;
        default:
            break;
        }
        x.start(QStringLiteral("r"));
        writeRunFormat(x, r.format);
        if (r.kind == WordRun::Kind::Text) {
            x.start(QStringLiteral("t"));
            x.w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            x.w.writeCharacters(xmlSafe(r.text).remove(QLatin1Char('\t')));
            x.end();
        } else if (r.kind == WordRun::Kind::Tab) {
            x.empty(QStringLiteral("tab"));
        } else {
            x.empty(QStringLiteral("br"));
            x.attr(QStringLiteral("type"), QStringLiteral("page"));
        }
        x.end();
    }
    x.end();
}

void writeBorder(Xml& x, const QString& edge, const WordBorder& b)
{
    x.empty(edge);
    const QString name = DocxWriter::borderName(b.style);
    x.attr(QStringLiteral("val"), name.isEmpty() ? QStringLiteral("single") : name);
    x.attr(QStringLiteral("sz"), std::clamp(b.width, 2, 96));
    x.attr(QStringLiteral("space"), 0);
    x.attr(QStringLiteral("color"), QStringLiteral("auto"));
}

// doc: the document whose main text holds the table, or null in a header or footer;
// headed: a heading above it goes along with its first two rows.
void writeTable(Xml& x, const WordTable& t, int available, const WordDocument* doc, bool headed)
{
    // A row taller than a page must split, or a word processor cuts off its end.
    QList<double> heights;
    double page = 0;
    if (doc)
        heights = PageRenderer::rowHeights(*doc, t, &page);
    x.start(QStringLiteral("tbl"));
    x.start(QStringLiteral("tblPr"));
    x.empty(QStringLiteral("tblW"));
    x.attr(QStringLiteral("w"), 0);
    x.attr(QStringLiteral("type"), QStringLiteral("auto"));
    x.start(QStringLiteral("tblBorders"));
    const WordBorder grid;
    for (const char* edge : {"top", "left", "bottom", "right", "insideH", "insideV"})
        writeBorder(x, QString::fromLatin1(edge), grid);
    x.end();
    x.empty(QStringLiteral("tblLayout"));
    x.attr(QStringLiteral("type"), QStringLiteral("autofit"));
    x.start(QStringLiteral("tblCellMar"));
    for (const char* edge : {"left", "right"}) {
        x.empty(QString::fromLatin1(edge));
        x.attr(QStringLiteral("w"), kCellMarginTwips);
        x.attr(QStringLiteral("type"), QStringLiteral("dxa"));
    }
    x.end();
    x.end();

    x.start(QStringLiteral("tblGrid"));
    for (int w : ColumnWidths::compute(t, available)) {
        x.empty(QStringLiteral("gridCol"));
        x.attr(QStringLiteral("w"), w);
    }
    x.end();

    for (int r = 0; r < t.rows.size(); ++r) {
        const WordRow& row = t.rows.at(r);
        // A row is not split across pages unless it is taller than one; a table kept
        // together holds each row to the next, as word processors are told.
        const bool keepNext = (t.keepTogether || (headed && r == 0)) && r + 1 < t.rows.size();
        x.start(QStringLiteral("tr"));
        if (heights.value(r) <= page) {
            x.start(QStringLiteral("trPr"));
            x.empty(QStringLiteral("cantSplit"));
            x.end();
        }
        for (const WordCell& cell : row.cells) {
            x.start(QStringLiteral("tc"));
            x.start(QStringLiteral("tcPr"));
            x.empty(QStringLiteral("tcW"));
            x.attr(QStringLiteral("w"), 0);
            x.attr(QStringLiteral("type"), QStringLiteral("auto"));
            if (cell.span > 1)
                x.val(QStringLiteral("gridSpan"), cell.span);
            x.start(QStringLiteral("tcBorders"));
            writeBorder(x, QStringLiteral("top"), cell.top);
            writeBorder(x, QStringLiteral("left"), cell.left);
            writeBorder(x, QStringLiteral("bottom"), cell.bottom);
            writeBorder(x, QStringLiteral("right"), cell.right);
            x.end();
            x.end();
            for (const WordParagraph& p : cell.paragraphs)
                writeParagraph(x, p, keepNext);
            if (cell.paragraphs.isEmpty())
                writeParagraph(x, WordParagraph());
            x.end();
        }
        x.end();
    }
    x.end();
}

void writeStory(Xml& x, const WordStory& story, int available, const WordDocument* doc = nullptr)
{
    for (int i = 0; i < story.blocks.size(); ++i) {
        const WordBlock& b = story.blocks.at(i);
        if (const auto* p = std::get_if<WordParagraph>(&b))
            writeParagraph(x, *p, story.keepsWithNext(i) || (doc && story.headsTable(i)));
        else
            writeTable(x, std::get<WordTable>(b), available, doc, doc && story.headsTable(i - 1));
    }
    // A story must end in a paragraph.
    if (story.blocks.isEmpty() || std::holds_alternative<WordTable>(story.blocks.last()))
        writeParagraph(x, WordParagraph());
}

int textWidth(const WordPageSetup& page)
{
    return page.widthTwips() - twips(page.leftMargin) - twips(page.rightMargin);
}

QByteArray documentXml(const WordDocument& doc, bool withHeader, bool withFooter)
{
    Xml x;
    x.w.writeNamespace(nsW, QStringLiteral("w"));
    x.w.writeNamespace(nsR, QStringLiteral("r"));
    x.start(QStringLiteral("document"));
    x.start(QStringLiteral("body"));
    writeStory(x, doc.main, textWidth(doc.page), &doc);

    x.start(QStringLiteral("sectPr"));
    if (withHeader) {
        x.empty(QStringLiteral("headerReference"));
        x.attr(QStringLiteral("type"), QStringLiteral("default"));
        x.w.writeAttribute(nsR, QStringLiteral("id"), QStringLiteral("rIdHeader"));
    }
    if (withFooter) {
        x.empty(QStringLiteral("footerReference"));
        x.attr(QStringLiteral("type"), QStringLiteral("default"));
        x.w.writeAttribute(nsR, QStringLiteral("id"), QStringLiteral("rIdFooter"));
    }
    x.empty(QStringLiteral("pgSz"));
    x.attr(QStringLiteral("w"), doc.page.widthTwips());
    x.attr(QStringLiteral("h"), doc.page.heightTwips());
    if (doc.page.landscape)
        x.attr(QStringLiteral("orient"), QStringLiteral("landscape"));
    x.empty(QStringLiteral("pgMar"));
    x.attr(QStringLiteral("top"), twips(doc.page.topMargin));
    x.attr(QStringLiteral("right"), twips(doc.page.rightMargin));
    x.attr(QStringLiteral("bottom"), twips(doc.page.bottomMargin));
    x.attr(QStringLiteral("left"), twips(doc.page.leftMargin));
    x.attr(QStringLiteral("header"), twips(doc.page.headerDistance));
    x.attr(QStringLiteral("footer"), twips(doc.page.footerDistance));
    x.attr(QStringLiteral("gutter"), 0);
    x.end();

    x.end();
    x.end();
    return x.finish();
}

QByteArray headerFooterXml(const WordStory& story, const QString& root, int available)
{
    Xml x;
    x.w.writeNamespace(nsW, QStringLiteral("w"));
    x.w.writeNamespace(nsR, QStringLiteral("r"));
    x.start(root);
    writeStory(x, story, available);
    x.end();
    return x.finish();
}

QByteArray stylesXml()
{
    Xml x;
    x.w.writeNamespace(nsW, QStringLiteral("w"));
    x.start(QStringLiteral("styles"));
    x.start(QStringLiteral("docDefaults"));
    x.start(QStringLiteral("rPrDefault"));
    x.start(QStringLiteral("rPr"));
    x.empty(QStringLiteral("rFonts"));
    for (const char* a : {"ascii", "eastAsia", "hAnsi", "cs"})
        x.attr(QString::fromLatin1(a), defaultFont);
    x.val(QStringLiteral("sz"), 24);
    x.val(QStringLiteral("szCs"), 24);
    x.empty(QStringLiteral("lang"));
    x.attr(QStringLiteral("val"), QStringLiteral("ru-RU"));
    x.attr(QStringLiteral("eastAsia"), QStringLiteral("ru-RU"));
    x.attr(QStringLiteral("bidi"), QStringLiteral("ar-SA"));
    x.end();
    x.end();
    x.start(QStringLiteral("pPrDefault"));
    x.start(QStringLiteral("pPr"));
    x.empty(QStringLiteral("spacing"));
    x.attr(QStringLiteral("after"), 0);
    x.attr(QStringLiteral("line"), 240);
    x.attr(QStringLiteral("lineRule"), QStringLiteral("auto"));
    x.end();
    x.end();
    x.end();

    x.start(QStringLiteral("style"));
    x.attr(QStringLiteral("type"), QStringLiteral("paragraph"));
    x.attr(QStringLiteral("default"), 1);
    x.attr(QStringLiteral("styleId"), QStringLiteral("Normal"));
    x.val(QStringLiteral("name"), QStringLiteral("Normal"));
    x.empty(QStringLiteral("qFormat"));
    x.end();
    x.end();
    return x.finish();
}

QByteArray settingsXml(const WordDocument& doc)
{
    Xml x;
    x.w.writeNamespace(nsW, QStringLiteral("w"));
    x.start(QStringLiteral("settings"));
    x.empty(QStringLiteral("zoom"));
    x.attr(QStringLiteral("percent"), doc.zoom);
    x.val(QStringLiteral("defaultTabStop"), 708);
    x.end();
    return x.finish();
}

QByteArray contentTypesXml(bool withHeader, bool withFooter)
{
    const QString ns = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
    QByteArray buffer;
    QXmlStreamWriter w(&buffer);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeDefaultNamespace(ns);
    w.writeStartElement(ns, QStringLiteral("Types"));
    auto def = [&](const char* ext, const QString& type) {
        w.writeEmptyElement(ns, QStringLiteral("Default"));
        w.writeAttribute(QStringLiteral("Extension"), QString::fromLatin1(ext));
        w.writeAttribute(QStringLiteral("ContentType"), type);
    };
    auto over = [&](const char* part, const QString& type) {
        w.writeEmptyElement(ns, QStringLiteral("Override"));
        w.writeAttribute(QStringLiteral("PartName"), QString::fromLatin1(part));
        w.writeAttribute(QStringLiteral("ContentType"), type);
    };
    def("rels", QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    def("xml", QStringLiteral("application/xml"));
    over("/word/document.xml", typeBase + QStringLiteral("document.main+xml"));
    over("/word/styles.xml", typeBase + QStringLiteral("styles+xml"));
    over("/word/settings.xml", typeBase + QStringLiteral("settings+xml"));
    if (withHeader)
        over("/word/header1.xml", typeBase + QStringLiteral("header+xml"));
    if (withFooter)
        over("/word/footer1.xml", typeBase + QStringLiteral("footer+xml"));
    w.writeEndElement();
    w.writeEndDocument();
    return buffer;
}

struct Relationship
{
    QString id;
    QString type; // last part of the type's URI
    QString target;
};

QByteArray relationshipsXml(const QList<Relationship>& rels)
{
    QByteArray buffer;
    QXmlStreamWriter w(&buffer);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeDefaultNamespace(nsPkgRels);
    w.writeStartElement(nsPkgRels, QStringLiteral("Relationships"));
    for (const Relationship& rel : rels) {
        w.writeEmptyElement(nsPkgRels, QStringLiteral("Relationship"));
        w.writeAttribute(QStringLiteral("Id"), rel.id);
        w.writeAttribute(QStringLiteral("Type"), relBase + rel.type);
        w.writeAttribute(QStringLiteral("Target"), rel.target);
    }
    w.writeEndElement();
    w.writeEndDocument();
    return buffer;
}

// ---------------------------------------------------------------- zip

// The archive is built in memory: what fails there is the memory, or the library.
QString zipMessage(zip_error_t* e)
{
    if (zip_error_system_type(e) == ZIP_ET_SYS)
        return SystemError::text(zip_error_code_system(e));
    return QStringLiteral("пакет документа не собирается (ошибка libzip %1)").arg(zip_error_code_zip(e));
}

QByteArray zipParts(const QList<DocxWriter::Part>& parts, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &ze);
    if (!buffer) {
        const QString why = zipMessage(&ze);
        zip_error_fini(&ze);
        return fail(why);
    }
    zip_t* za = zip_open_from_source(buffer, ZIP_TRUNCATE, &ze);
    if (!za) {
        const QString why = zipMessage(&ze);
        zip_error_fini(&ze);
        zip_source_free(buffer);
        return fail(why);
    }
    zip_error_fini(&ze);
    zip_source_keep(buffer); // read the archive back after zip_close

    for (const auto& [name, data] : parts) {
        zip_source_t* s = zip_source_buffer(za, data.constData(), zip_uint64_t(data.size()), 0);
        if (!s || zip_file_add(za, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            const QString why = zipMessage(zip_get_error(za));
            if (s)
                zip_source_free(s);
            zip_discard(za);
            zip_source_free(buffer);
            return fail(why);
        }
    }
    if (zip_close(za) < 0) {
        const QString why = zipMessage(zip_get_error(za));
        zip_discard(za);
        zip_source_free(buffer);
        return fail(why);
    }

    QByteArray out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(buffer, &st) < 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(buffer) < 0) {
        zip_source_free(buffer);
        return fail(QStringLiteral("собранный пакет документа не читается"));
    }
    out.resize(qsizetype(st.size));
    const zip_int64_t got = zip_source_read(buffer, out.data(), st.size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    if (got != zip_int64_t(st.size))
        return fail(QStringLiteral("собранный пакет документа не читается"));
    return out;
}

} // namespace

namespace DocxWriter {

QString borderName(int style)
{
    static const char* const names[] = {"nil",
                                        "single",
                                        "dotted",
                                        "dashSmallGap",
                                        "dashed",
                                        "dotDash",
                                        "dotDotDash",
                                        "double",
                                        "triple",
                                        "thinThickSmallGap",
                                        "thickThinSmallGap",
                                        "thinThickThinSmallGap",
                                        "thinThickMediumGap",
                                        "thickThinMediumGap",
                                        "thinThickThinMediumGap",
                                        "thinThickLargeGap",
                                        "thickThinLargeGap",
                                        "thinThickThinLargeGap",
                                        "wave",
                                        "doubleWave",
                                        "dashDotStroked",
                                        "threeDEmboss",
                                        "threeDEngrave",
                                        "outset",
                                        "inset"};
    if (style < 0 || style >= int(std::size(names)))
        return QString();
    return QString::fromLatin1(names[style]);
}

QList<Part> parts(const WordDocument& doc)
{
    const bool withHeader = !doc.header.isBlank();
    const bool withFooter = !doc.footer.isBlank();
    const int available = textWidth(doc.page);

    QList<Relationship> rels = {
        {QStringLiteral("rIdStyles"), QStringLiteral("styles"), QStringLiteral("styles.xml")},
        {QStringLiteral("rIdSettings"), QStringLiteral("settings"), QStringLiteral("settings.xml")},
    };
    if (withHeader)
        rels.append({QStringLiteral("rIdHeader"), QStringLiteral("header"), QStringLiteral("header1.xml")});
    if (withFooter)
        rels.append({QStringLiteral("rIdFooter"), QStringLiteral("footer"), QStringLiteral("footer1.xml")});

    QList<Part> out = {
        {QStringLiteral("[Content_Types].xml"), contentTypesXml(withHeader, withFooter)},
        {QStringLiteral("_rels/.rels"),
         relationshipsXml(
             {{QStringLiteral("rIdDocument"), QStringLiteral("officeDocument"), QStringLiteral("word/document.xml")}})},
        {QStringLiteral("word/_rels/document.xml.rels"), relationshipsXml(rels)},
        {QStringLiteral("word/document.xml"), documentXml(doc, withHeader, withFooter)},
        {QStringLiteral("word/styles.xml"), stylesXml()},
        {QStringLiteral("word/settings.xml"), settingsXml(doc)},
    };
    if (withHeader)
        out.append({QStringLiteral("word/header1.xml"), headerFooterXml(doc.header, QStringLiteral("hdr"), available)});
    if (withFooter)
        out.append({QStringLiteral("word/footer1.xml"), headerFooterXml(doc.footer, QStringLiteral("ftr"), available)});
    return out;
}

QByteArray package(const WordDocument& doc, QString* error)
{
    return zipParts(parts(doc), error);
}

bool write(const WordDocument& doc, const QString& path, QString* error)
{
    const QByteArray data = package(doc, error);
    if (data.isEmpty())
        return false;
    QString why;
    if (!AtomicFile::write(path, data, why)) {
        if (error)
            *error = why;
        return false;
    }
    return true;
}

} // namespace DocxWriter
