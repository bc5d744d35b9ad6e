#pragma once

#include "model/Participant.h"
#include "model/TripSettings.h"
#include "model/clsMenuOfDay.h"
#include "model/clsProduct.h"

#include <QList>
#include <QString>

#include <variant>
#include <vector>

// One change of the trip, held as what it replaced and what it put there, so that it can
// be taken back and made again exactly. Parts are made in order and taken back in
// reverse order.
struct TripChange
{
    struct Settings
    {
        TripSettings before, after;
    };
    // A catalog product changed in place.
    struct Product
    {
        qint16 intIndex = 0;
        clsProduct before, after;
    };
    // Products appended to the catalog.
    struct Appended
    {
        QList<clsProduct> products;
    };
    struct Meal
    {
        qint16 intDay = 0;
        qint16 intMeal = 0;
        QList<qint16> before, after;
    };
    // An empty daily menu appended to the ration.
    struct DayAdded
    {
    };
    struct DayDeleted
    {
        qint16 intDay = 0;
        clsMenuOfDay menu;
    };
    struct DaysExchanged
    {
        qint16 intDay1 = 0;
        qint16 intDay2 = 0;
    };
    struct Aim
    {
        qint32 before = 0, after = 0;
    };
    struct People
    {
        QList<Participant> before, after;
    };
    using Part = std::variant<Settings, Product, Appended, Meal, DayAdded, DayDeleted, DaysExchanged, Aim, People>;

    QString strWhat; // as the Правка menu names it: "удаление дня 3"
    std::vector<Part> parts;
    // Not 0: the next change with the same key joins this one, so a burst of typing in
    // one field is taken back as one step.
    int intMergeKey = 0;
    // A value that follows from earlier changes (the trip's days from its dates): it joins
    // the latest step when that is the trip as it stands and not the saved one.
    bool blnFollows = false;
};
