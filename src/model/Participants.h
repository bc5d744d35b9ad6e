#pragma once

#include "model/Participant.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// The trip's participants as a list that follows the trip's number of participants.
namespace Participants {

constexpr qint32 DefaultShare = 100; // 1
constexpr qint32 MinShare = 10;      // 0.1
constexpr qint32 MaxShare = 300;     // 3

// "Участник N", N from 1.
QString defaultName(int intPosition);
// Participant N (from 1) as it is before the user names it.
Participant defaultParticipant(int intPosition);
bool isDefault(const Participant& p, int intPosition);
// Every participant has the default name and share (such a list is not stored).
bool allDefault(const QList<Participant>& list);

// Exactly intCount participants: missing ones appended as defaults, extra ones
// dropped from the end.
void fit(QList<Participant>& list, int intCount);
QList<Participant> fitted(QList<Participant> list, int intCount);

// A share in hundredths written shortest, with ".": 80 -> "0.8", 100 -> "1", 125 -> "1.25".
QString shareText(qint32 intShare);
// A share as the user types it ("0,8" and "0.8" alike, blanks around ignored) or as the
// file holds it (strict: shortest form with "."); nullopt unless it is 0.1..3 with at
// most two decimals.
std::optional<qint32> parseShare(QStringView text);
std::optional<qint32> parseShareStrict(QStringView text);

// Whether a name can be stored in the trip file: not blank, no ";" and no line break
// (they would cut its line), only characters of the file's code page. The window and
// the file both take this rule. strError names participant intPosition (from 1).
bool checkName(const QString& strName, int intPosition, QString& strError);
// The same for every participant of the list.
bool check(const QList<Participant>& list, QString& strError);

} // namespace Participants
