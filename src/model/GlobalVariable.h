#pragma once

#include "model/DocumentWriter.h"
#include "model/Participant.h"
#include "model/TripEditor.h"
#include "model/TripSettings.h"
#include "model/clsCatalog.h"
#include "model/clsMenuList.h"
#include "model/clsRasklad.h"

#include <QDate>
#include <QList>
#include <QString>

#include <memory>

// The one open trip, shared by reference by every window. The catalog, the ration
// and the layout are never replaced, only emptied and refilled.
// The parameters (intCountPeople, dtDataBegin, ...) are its TripSettings.
struct GlobalVariable : TripSettings
{
    QString strTitle;
    clsRasklad objRasklad;
    clsCatalog objCatalog;
    clsMenuList objMenuList;
    QString strFileName;
    bool blnChanged = false;
    // Energy aim per participant per day, kcal; 0 when not set.
    qint32 intEnergyAim = 0;
    // Exactly intCountPeople participants once the main window has accepted the count.
    QList<Participant> participants;
    // The document writer, created on first use: objWord(g) in export/clsRKWord.h.
    std::unique_ptr<DocumentWriter> objWord;
    // Every change the user makes goes through here, and is announced from here.
    TripEditor edits{*this};
};

// "Торбел 3.1", from the program's version.
QString programTitle();

// The start-up state: dates 01.01.1900 and 01.01.9999, periodicity 1, a ration of
// one empty daily menu, no file, the title, nothing changed.
void InitGlobalVariable(GlobalVariable& g);
