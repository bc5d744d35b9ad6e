#include "export/PurchaseListDocument.h"

#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "model/RuDate.h"
#include "platform/Maker.h"
#include "platform/MessageBox.h"

namespace PurchaseListDocument {

TitleBlock TitleBlock::ofTrip(const GlobalVariable& g, const QString& strHeader)
{
    TitleBlock b;
    b.strHeader = strHeader;
    b.strDeffine = g.strDeffine;
    b.strToday = RuDate::shortDate(QDate::currentDate());
    b.body = {QStringLiteral("Поход с ") + RuDate::longDate(g.dtDataBegin) + QStringLiteral(" по ") +
                  RuDate::longDate(g.dtDataEnd) + QLatin1Char('.'),
              QStringLiteral("Общая продолжительность: ") + QString::number(g.intCountDay) +
                  QStringLiteral(" дней(дня)."),
              QStringLiteral("Количество участников:  ") + QString::number(g.intCountPeople) +
                  QStringLiteral(" человек(а).")};
    return b;
}

void writeTitle(clsRKWord& w, const TitleBlock& block)
{
    w.SetPole(2.0f, 1.5f, 1.5f, 1.5f);

    // Every page: the title and the trip's description on top...
    w.OpenTopTitule();
    w.Bold(true);
    w.Italic(false);
    w.SetAlign(QStringLiteral("Center"));
    w.SetFontSize(18);
    // A title that cannot be written is no reason to give up the document.
    w.InsertText(block.strHeader);
    w.Enter();
    w.SetFontSize(14);
    w.Bold(false);
    w.InsertText(block.strDeffine);
    w.CloseTitule();

    // ...and the maker, the date of the export and the numbering below.
    w.OpenBottomTitule();
    w.SetAlign(QStringLiteral("Right"));
    w.SetFontSize(11);
    w.Bold(true);
    w.Italic(true);
    w.InsertText(QString::fromLatin1(Maker::credit));
    w.InsertCopyRigth();
    w.Enter();
    w.SetFontSize(10);
    w.Bold(false);
    w.Italic(false);
    w.InsertText(Maker::mailLink());
    w.Enter();
    w.InsertText(Maker::siteAddress());
    w.Enter();
    w.InsertText(block.strToday);
    w.Enter();
    w.InsertNumPage();
    w.CloseTitule();

    w.Enter();
    w.SetAlign(QStringLiteral("Center"));
    w.Bold(false);
    w.SetFontSize(14);
    w.Bold(false);
    w.Italic(false);
    for (const QString& line : block.body) {
        w.InsertText(line);
        w.Enter();
    }
    w.Enter();
}

bool writeList(clsRKWord& w, const QList<QStringList>& rows)
{
    const QString strLeft = QStringLiteral("left");
    const QString strRight = QStringLiteral("right");
    const QString strDown = QStringLiteral("down");

    w.InsertTable(qint32(rows.size()) + 1, 5);

    struct HeaderCell
    {
        QString strText;
        bool blnCentred;
    };
    const HeaderCell header[] = {
        {QStringLiteral("Наименование"), true},
        {QStringLiteral("Количество"), true},
        {QStringLiteral(" Ед. "), false},
        {QStringLiteral("Стоимость"), true},
        {QStringLiteral("                           Для заметок "), true},
    };
    for (int c = 0; c < 5; ++c) {
        if (c > 0)
            w.Move(strRight);
        w.SetFontSize(14);
        w.Bold(true);
        if (header[c].blnCentred)
            w.SetAlign(QStringLiteral("Center"));
        if (!w.InsertText(header[c].strText) && c == 0)
            return false;
    }
    w.Move(strDown);
    // A list of nothing is the header row alone, with the cursor below it.
    if (rows.isEmpty())
        return true;
    w.Move(strLeft);
    w.Move(strLeft);

    for (int i = 0; i < rows.size(); ++i) {
        const bool blnLast = i == rows.size() - 1;
        w.Move(strLeft);
        w.Move(strLeft);
        for (int c = 0; c < 3; ++c) {
            w.SetFontSize(14);
            w.Bold(blnLast);
            w.SetAlign(c == 0 ? QStringLiteral("Left") : QStringLiteral("Right"));
            if (!w.InsertText(rows.at(i).value(c)) && c == 0 && !blnLast)
                return false;
            if (c < 2)
                w.Move(strRight);
        }
        w.Move(strDown);
    }
    return true;
}

void ShowNoWord()
{
    MessageBox::show(nullptr, QStringLiteral("Возможно у Вас не установлен Word 2000!"), QStringLiteral("Раскладка"),
                     MessageBox::OkOnly, MessageBox::Information);
}

bool PrintTitule(GlobalVariable& g, const QString& strHeader)
{
    clsRKWord& w = objWord(g);
    if (!w.OpenWord()) {
        ShowNoWord();
        return false;
    }
    writeTitle(w, TitleBlock::ofTrip(g, strHeader));
    return true;
}

bool PrintList(GlobalVariable& g, const QList<QStringList>& rows)
{
    if (writeList(objWord(g), rows))
        return true;
    ShowNoWord();
    return false;
}

} // namespace PurchaseListDocument
