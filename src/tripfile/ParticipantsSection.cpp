#include "tripfile/ParticipantsSection.h"

#include "model/Participants.h"
#include "tripfile/Cp1251.h"
#include "tripfile/LineStart.h"

namespace ParticipantsSection {

namespace {

const QString CountLabel = QStringLiteral("Число участников");
const QString Separator(35, u'_');

// The lines of bytes, each without its LF and the CR before it; false when a CR stands
// elsewhere. The file's last line may lack its line end, as anywhere in the file.
bool splitLines(QByteArrayView bytes, QList<QByteArrayView>& out, int& intBad)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0)
            lf = bytes.size();
        QByteArrayView line = bytes.sliced(start, lf - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.contains('\r')) {
            intBad = int(out.size() + 1);
            return false;
        }
        out.append(line);
        start = lf + 1;
    }
    return true;
}

QString textOf(QByteArrayView bytes)
{
    QString out;
    Cp1251::decode(bytes, out);
    return out;
}

} // namespace

QString marker()
{
    return QStringLiteral("Участники");
}

bool opensAt(QByteArrayView bytes)
{
    static const QByteArray encoded = [] {
        QByteArray b;
        Cp1251::encode(marker(), b);
        return b;
    }();
    if (!bytes.startsWith(encoded))
        return false;
    const QByteArrayView after = bytes.sliced(encoded.size());
    return after.startsWith("\r\n") || after.startsWith("\n");
}

bool read(QByteArrayView bytes, qint16 intCountPeople, QList<Participant>& out, int& intLine, QString& strWhat)
{
    QList<QByteArrayView> lines;
    if (!splitLines(bytes, lines, intLine)) {
        strWhat = QStringLiteral("участники: строка не кончается переводом строки");
        return false;
    }
    auto fault = [&](int intAt, const QString& strText) {
        intLine = intAt;
        strWhat = QStringLiteral("участники: ") + strText;
        return false;
    };
    if (lines.isEmpty() || textOf(lines.at(0)) != marker())
        return fault(1, QStringLiteral("нет заголовка «%1»").arg(marker()));
    if (lines.size() < 2)
        return fault(2, QStringLiteral("нет числа участников"));
    const QString strCount = textOf(lines.at(1));
    const qsizetype comma = strCount.indexOf(u',');
    bool ok = false;
    const int intCount = comma > 0 ? strCount.first(comma).trimmed().toInt(&ok) : -1;
    if (!ok || intCount != intCountPeople)
        return fault(2, QStringLiteral("число участников «%1» не равно числу участников похода (%2)")
                            .arg(strCount)
                            .arg(intCountPeople));
    if (lines.size() != intCount + 3)
        return fault(int(qMin<qsizetype>(lines.size(), intCount + 3)),
                     QStringLiteral("после списка участников нужен разделитель и конец файла"));

    QList<Participant> list;
    list.reserve(intCount);
    for (int i = 1; i <= intCount; ++i) {
        const int intAt = i + 2;
        // Found on the bytes: "№ i;" and the ";" after the name; only the name is text.
        const QByteArrayView line = lines.at(intAt - 1);
        const QByteArray prefix = LineStart::numberSign() + QByteArray::number(i) + ';';
        if (!line.startsWith(prefix))
            return fault(intAt, QStringLiteral("строка не начинается с «%1»").arg(textOf(prefix)));
        const QByteArrayView rest = line.sliced(prefix.size());
        const qsizetype semicolon = rest.indexOf(';');
        if (semicolon < 0 || rest.indexOf(';', semicolon + 1) >= 0)
            return fault(intAt, QStringLiteral("нужны два поля: имя и доля"));
        Participant p;
        p.strName = textOf(rest.first(semicolon));
        QString strError;
        if (!checkName(p.strName, i, strError))
            return fault(intAt, strError);
        const QByteArrayView shareBytes = rest.sliced(semicolon + 1);
        const std::optional<qint32> share =
            Cp1251::withText<16>(shareBytes, [](QStringView text) { return Participants::parseShareStrict(text); });
        if (!share)
            return fault(intAt, QStringLiteral("доля «%1» не число от 0.1 до 3").arg(textOf(shareBytes)));
        p.intShare = *share;
        list.append(p);
    }
    if (textOf(lines.last()) != Separator)
        return fault(int(lines.size()), QStringLiteral("нет разделителя"));
    out = Participants::allDefault(list) ? QList<Participant>() : list;
    return true;
}

bool checkName(const QString& strName, int intPosition, QString& strError)
{
    // Made only for a refusal: a file may hold thousands of names.
    const auto who = [&] { return QStringLiteral("Имя участника № %1 «%2»").arg(intPosition).arg(strName); };
    if (strName.trimmed().isEmpty()) {
        strError = QStringLiteral("Имя участника № %1 пусто. Введите имя.").arg(intPosition);
        return false;
    }
    if (strName.contains(u';') || strName.contains(u'\n') || strName.contains(u'\r')) {
        strError = who() + QStringLiteral(": в имени не может быть «;» и переводов строки.");
        return false;
    }
    QByteArray bytes;
    if (!Cp1251::encode(strName, bytes)) {
        strError = who() + QStringLiteral(": в имени есть знаки, которых нет в кодировке файла (Windows-1251).");
        return false;
    }
    return true;
}

bool check(const QList<Participant>& list, QString& strError)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!checkName(list.at(i).strName, int(i + 1), strError))
            return false;
    }
    return true;
}

bool write(const QList<Participant>& list, qint16 intCountPeople, QByteArray& out)
{
    const QList<Participant> people = Participants::fitted(list, intCountPeople);
    if (Participants::allDefault(people))
        return true;
    QString text = marker() + QStringLiteral("\r\n%1,\"%2\"\r\n").arg(intCountPeople).arg(CountLabel);
    for (qsizetype i = 0; i < people.size(); ++i) {
        text += QStringLiteral("№ ") + QString::number(i + 1) + u';' + people.at(i).strName + u';' +
                Participants::shareText(people.at(i).intShare) + QStringLiteral("\r\n");
    }
    text += Separator + QStringLiteral("\r\n");
    QByteArray bytes;
    if (!Cp1251::encode(text, bytes))
        return false;
    out += bytes;
    return true;
}

} // namespace ParticipantsSection
