#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct GlobalVariable;

namespace TestSupport {

// Fills a freshly initialised trip state and builds its layout.
// products: {name, norm, unit} per catalog position.
// menus: one text per daily menu, "lunch | dinner | breakfast", each meal a list of
// catalog positions separated by blanks ("1 2 | | 3").
void makeTrip(GlobalVariable& g, const QList<QStringList>& products, const QStringList& menus, qint16 intCountPeople,
              qint16 intCountSmena, qint16 intCountDay, const QDate& dtDataBegin = QDate(2024, 7, 1));

// The trip as its file would hold it; fails the test run when it cannot be written.
QByteArray tripBytes(const GlobalVariable& g);

// The two-product, one-menu trip of 4 participants that the program's own process
// tests export, written to strPath; false when it could not be written.
bool writeSmallTrip(const QString& strPath);

} // namespace TestSupport
