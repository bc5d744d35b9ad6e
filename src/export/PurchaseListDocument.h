#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class clsRKWord;
struct GlobalVariable;

// The title block that opens every document, and the purchase list table.
namespace PurchaseListDocument {

// What the title block shows.
struct TitleBlock
{
    QString strHeader;  // first header line, bold 18 pt
    QString strDeffine; // second header line: the trip's description
    QString strToday;   // the export's date in the footer
    QStringList body;   // the trip's dates, duration and participants, one line each

    // The block of the trip in g under strHeader, dated today.
    static TitleBlock ofTrip(const GlobalVariable& g, const QString& strHeader);
};

// Writes the block into a freshly opened document: margins, the page header (title and
// description), the page footer (credit, the maker's mail and site, the date, "Стр. N
// из M") and the three centred body lines. Leaves the cursor in an empty centred
// paragraph of the main text, regular 14 pt.
void writeTitle(clsRKWord& w, const TitleBlock& block);

// The purchase list as a five-column table: name, amount, unit and two empty columns
// for the cost and for notes, under a bold header row. rows are the list's rows below
// the header, {name, amount, unit}; the last one is bold (the total, when there is
// one). No rows give the header row alone. False when the first header text or a
// product name (other than the last row's) could not be written.
bool writeList(clsRKWord& w, const QList<QStringList>& rows);

// Opens objWord(g) and writes the title block. False, after the message
// "Возможно у Вас не установлен Word 2000!", when the writer could not start.
bool PrintTitule(GlobalVariable& g, const QString& strHeader);

// The purchase list table into objWord(g), after PrintTitule. False, after the same
// message, when the table could not be written.
bool PrintList(GlobalVariable& g, const QList<QStringList>& rows);

// The message of a document that could not be written.
void ShowNoWord();

} // namespace PurchaseListDocument
