#include "support/DocumentCheck.h"

#include "export/clsRKWord.h"

#include <QDir>

namespace TestSupport {

namespace {

QString format(const WordCharFormat& f)
{
    return QStringLiteral("%1%2%3%4")
        .arg(f.size)
        .arg(f.bold ? QStringLiteral("b") : QString())
        .arg(f.italic ? QStringLiteral("i") : QString())
        .arg(f.font.isEmpty() ? QString() : QLatin1Char(' ') + f.font);
}

QString paragraph(const WordParagraph& p)
{
    QStringList runs;
    for (const WordRun& r : p.runs) {
        QString text;
        switch (r.kind) {
        case WordRun::Kind::Text:
            text = r.text;
            break;
        case WordRun::Kind::Tab:
            text = QStringLiteral("<tab>");
            break;
        case WordRun::Kind::PageNumber:
            text = QStringLiteral("<PAGE>");
            break;
        case WordRun::Kind::PageCount:
            text = QStringLiteral("<NUMPAGES>");
            break;
        case WordRun::Kind::PageBreak:
            text = QStringLiteral("<break>");
            break;
        }
        runs.append(QLatin1Char('"') + text + QStringLiteral("\":") + format(r.format));
    }
    QStringList tabs;
    for (double t : p.tabStops)
        tabs.append(QString::number(t, 'f', 2));
    return QStringLiteral("align %1 mark %2 tabs [%3] %4")
        .arg(int(p.align))
        .arg(format(p.mark), tabs.join(QLatin1Char(',')), runs.join(QLatin1Char(' ')));
}

} // namespace

QString border(const WordBorder& b)
{
    return QStringLiteral("%1/%2").arg(b.style).arg(b.width);
}

QString edges(const WordCell& c)
{
    return QStringList{border(c.top), border(c.left), border(c.bottom), border(c.right)}.join(QLatin1Char(' '));
}

QString dump(const WordStory& story)
{
    QStringList lines;
    for (const WordBlock& b : story.blocks) {
        if (const auto* p = std::get_if<WordParagraph>(&b)) {
            lines.append(paragraph(*p));
            continue;
        }
        const WordTable& t = std::get<WordTable>(b);
        lines.append(QStringLiteral("table %1 columns").arg(t.columns));
        for (int r = 0; r < t.rows.size(); ++r) {
            for (int c = 0; c < t.rows.at(r).cells.size(); ++c) {
                const WordCell& cell = t.cell(r, c);
                lines.append(
                    QStringLiteral("  cell %1.%2 span %3 edges %4").arg(r).arg(c).arg(cell.span).arg(edges(cell)));
                for (const WordParagraph& p : cell.paragraphs)
                    lines.append(QStringLiteral("    ") + paragraph(p));
            }
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList messageTexts()
{
    QStringList out;
    for (const MessageBox::Shown& s : MessageBox::shown())
        out.append(s.text);
    return out;
}

ExportingTrip::ExportingTrip()
{
    InitGlobalVariable(g);
    objWord(g).setDocumentsFolder(documents());
}

QString ExportingTrip::documents() const
{
    return dir.filePath(QStringLiteral("Документы"));
}

const WordDocument& ExportingTrip::last() const
{
    const WordDocument* doc = g.objWord ? static_cast<clsRKWord*>(g.objWord.get())->lastDocument() : nullptr;
    if (!doc)
        qFatal("no document was written");
    return *doc;
}

} // namespace TestSupport
