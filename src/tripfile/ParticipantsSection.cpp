#include "tripfile/ParticipantsSection.h"

#include "model/Cp1251.h"
#include "model/Participants.h"
#include "tripfile/LineReader.h"
#include "tripfile/LineStart.h"
#include "tripfile/TripLines.h"

namespace ParticipantsSection {

namespace {

const QString CountLabel = QStringLiteral("Число участников");

[[noreturn]] void fault(LineReader& in, const QString& strText)
{
    in.fail(QStringLiteral("участники: ") + strText);
}

} // namespace

QString marker()
{
    return QStringLiteral("Участники");
}

const QByteArray& markerLine()
{
    static const QByteArray line = Cp1251::bytes(marker()) + TripLines::CrLf.toByteArray();
    return line;
}

void read(LineReader& in, qint16 intCountPeople, QList<Participant>& out)
{
    in.expectLine(QByteArrayView(markerLine()).chopped(2), marker());
    const qint64 intCount = in.countLine(CountLabel, 32767);
    if (intCount != intCountPeople)
        fault(in, QStringLiteral("их %1, а в походе %2").arg(intCount).arg(intCountPeople));
    QList<Participant> list;
    list.reserve(intCount);
    for (int i = 1; i <= intCount; ++i) {
        // Found on the bytes: "№ i;" and the ";" after the name; only the name is text.
        const QByteArrayView line = in.sectionLine();
        const QByteArray prefix = LineStart::numberSign() + QByteArray::number(i) + ';';
        if (!line.startsWith(prefix))
            fault(in, QStringLiteral("строка не начинается с «%1»").arg(Cp1251::text(prefix)));
        const QByteArrayView rest = line.sliced(prefix.size());
        const qsizetype semicolon = rest.indexOf(';');
        if (semicolon < 0 || rest.indexOf(';', semicolon + 1) >= 0)
            fault(in, QStringLiteral("нужны два поля: имя и доля"));
        Participant p;
        p.strName = Cp1251::text(rest.first(semicolon));
        QString strError;
        if (!Participants::checkName(p.strName, i, strError))
            fault(in, strError);
        const QByteArrayView shareBytes = rest.sliced(semicolon + 1);
        const std::optional<qint32> share =
            Cp1251::withText<16>(shareBytes, [](QStringView text) { return Participants::parseShareStrict(text); });
        if (!share || Cp1251::bytes(Participants::shareText(*share)) != shareBytes)
            fault(in,
                  QStringLiteral("доля «%1» не число от 0.1 до 3 в том виде, как его пишет программа (например, 1.25)")
                      .arg(Cp1251::text(shareBytes)));
        p.intShare = *share;
        list.append(p);
    }
    if (in.sectionLine() != TripLines::LongRule)
        fault(in, QStringLiteral("нет разделителя"));
    // The writer leaves out a list of defaults: taken, it would be gone at the next save.
    if (Participants::allDefault(list))
        fault(in, QStringLiteral("у всех имена и доли по умолчанию"));
    out = list;
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
    QByteArray bytes;
    if (!Cp1251::encode(text, bytes))
        return false;
    out += bytes;
    out += TripLines::LongRule;
    out += TripLines::CrLf;
    return true;
}

} // namespace ParticipantsSection
