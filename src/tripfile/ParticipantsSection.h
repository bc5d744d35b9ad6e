#pragma once

#include "model/Participant.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>

class LineReader;

// The trip file's optional last section, the participants:
//
//   Участники
//   3,"Число участников"
//   № 1;Аня;0.8
//   № 2;Участник 2;1
//   № 3;Боря;1.25
//   ___________________________________
//
// Written only when a participant has a name or a share of their own, so a trip that
// uses no names keeps its file byte for byte; the file ends after the separator.
namespace ParticipantsSection {

QString marker(); // "Участники"
// Its line as the file holds it, CR LF included.
const QByteArray& markerLine();

// Reads the section from its marker line on, for a trip of intCountPeople participants.
// Only what write() would write is taken: the count of the trip, every share in its
// shortest form, lines ending with CR LF, and not every participant a default one.
void read(LineReader& in, qint16 intCountPeople, QList<Participant>& out);

// Appends the section to the file's bytes, every line ending with CR LF; nothing for a
// list of default participants. The list is fitted to intCountPeople first. False when a
// name does not fit the code page (check() refuses that first).
bool write(const QList<Participant>& list, qint16 intCountPeople, QByteArray& out);

} // namespace ParticipantsSection
