#pragma once

#include "tripfile/RecoveryCopy.h"

#include <QString>

class frmMainForm;

// At start-up, the copies of trips that a run ended without saving (a crash, a kill, a
// power cut) are offered back one by one, newest first: restored as the open trip,
// deleted, or kept for the next start. Nothing is restored or deleted unasked; a copy
// the reader refuses is reported and renamed out of the way, never loaded.
namespace RecoveryOffer {

// Where the windows keep their copies: RecoveryCopy::defaultFolder(), but nowhere under
// a platform without a screen unless XDG_STATE_HOME names a folder, so that tests and
// scripts leave nothing in the user's home.
QString folder();

// Which trip and when: "Поход «karelia.trb» (/home/anna/karelia.trb), изменения от
// 08.12.2026 14:05:33" or "новый поход, изменения от ...".
QString describe(const RecoveryCopy::Pending& p);

// Offers every copy left in strFolder; main opens a restored one.
void run(frmMainForm& main, const QString& strFolder);

// Tells the user when main's copy cannot be written: once, and again only after a
// write has succeeded since, so a full disk does not bring a box every second.
void watch(frmMainForm& main);

} // namespace RecoveryOffer
