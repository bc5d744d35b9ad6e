#include "export/WordDocument.h"

#include <QStringList>

int WordParagraph::length() const
{
    int n = 0;
    for (const WordRun& r : runs)
        n += r.length();
    return n;
}

QString WordParagraph::text() const
{
    QString out;
    for (const WordRun& r : runs) {
        switch (r.kind) {
        case WordRun::Kind::Text:
            out += r.text;
            break;
        case WordRun::Kind::Tab:
            out += QLatin1Char('\t');
            break;
        case WordRun::Kind::PageNumber:
            out += QStringLiteral("{PAGE}");
            break;
        case WordRun::Kind::PageCount:
            out += QStringLiteral("{NUMPAGES}");
            break;
        case WordRun::Kind::PageBreak:
            out += QLatin1Char('\f');
            break;
        }
    }
    return out;
}

WordCell::WordCell()
    : paragraphs{WordParagraph()}
{
}

QString WordCell::text() const
{
    QStringList parts;
    for (const WordParagraph& p : paragraphs)
        parts.append(p.text());
    return parts.join(QLatin1Char('\n'));
}

int WordTable::startColumn(int row, int cell) const
{
    int column = 0;
    const QList<WordCell>& cells = rows.at(row).cells;
    for (int i = 0; i < cell; ++i)
        column += cells.at(i).span;
    return column;
}

int WordTable::cellAtColumn(int row, int column) const
{
    const QList<WordCell>& cells = rows.at(row).cells;
    int start = 0;
    for (int i = 0; i < cells.size(); ++i) {
        start += cells.at(i).span;
        if (column < start)
            return i;
    }
    return int(cells.size()) - 1;
}

WordStory::WordStory()
    : blocks{WordBlock(WordParagraph())}
{
}

QList<const WordTable*> WordStory::tables() const
{
    QList<const WordTable*> out;
    for (const WordBlock& b : blocks) {
        if (const auto* t = std::get_if<WordTable>(&b))
            out.append(t);
    }
    return out;
}

QList<const WordParagraph*> WordStory::paragraphs() const
{
    QList<const WordParagraph*> out;
    for (const WordBlock& b : blocks) {
        if (const auto* p = std::get_if<WordParagraph>(&b))
            out.append(p);
    }
    return out;
}

QString WordStory::text() const
{
    QStringList parts;
    for (const WordParagraph* p : paragraphs())
        parts.append(p->text());
    return parts.join(QLatin1Char('\n'));
}

bool WordStory::isBlank() const
{
    if (blocks.size() != 1)
        return false;
    const auto* p = std::get_if<WordParagraph>(&blocks.first());
    return p && p->isEmpty();
}

bool WordStory::keepsWithNext(int block) const
{
    if (block < 0 || block + 1 >= blocks.size() || !std::holds_alternative<WordParagraph>(blocks.at(block)))
        return false;
    const auto* t = std::get_if<WordTable>(&blocks.at(block + 1));
    return t && t->keepTogether;
}

bool WordStory::headsTable(int block) const
{
    if (block < 0 || block + 1 >= blocks.size() || !std::holds_alternative<WordTable>(blocks.at(block + 1)))
        return false;
    const auto* p = std::get_if<WordParagraph>(&blocks.at(block));
    return p && !p->text().trimmed().isEmpty();
}

WordStory& WordDocument::story(WordStoryKind kind)
{
    switch (kind) {
    case WordStoryKind::Header:
        return header;
    case WordStoryKind::Footer:
        return footer;
    case WordStoryKind::Main:
        break;
    }
    return main;
}

const WordStory& WordDocument::story(WordStoryKind kind) const
{
    return const_cast<WordDocument*>(this)->story(kind);
}
