#pragma once

#include "model/ProductFacts.h"
#include "model/clsProduct.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class clsCatalog;

// A table of foods: names, kcal and nutrients per 100 g, and for piece goods the unit
// and the weight of one. The program brings one (foods.csv); the user may read another.
//
// The file is UTF-8 CSV, one food a line, the fields separated by commas (a field with
// a comma in double quotes): names (alternatives separated by "|"), kcal, proteins,
// fats, carbohydrates, unit, grams per unit (the last two may be empty), and an optional
// eighth field naming the source. A line of 13 fields adds the group, typical package
// sizes in grams (separated by "|") and their source, and the norm per participant per
// meal in grams and its source; a package or a norm without its source is refused. Lines
// starting with "#" and empty lines are comments; a first line starting with "Название"
// is the header.
class FoodReference
{
public:
    struct Entry
    {
        QStringList names;
        ProductFacts facts; // energy, nutrients and gramsPerUnit only
        QString strUnit;    // the unit gramsPerUnit is for
        QString strSource;
        QString strGroup;
        QList<qint64> packages; // grams, in hundredths
        QString strPackageSource;
        std::optional<int> norm; // grams per participant per meal
        QString strNormSource;
    };

    // Reads a whole table. On a fault returns false with a Russian message naming the
    // line, and leaves out as it was.
    static bool parse(const QByteArray& bytes, FoodReference& out, QString& strError);
    static bool readFile(const QString& strPath, FoodReference& out, QString& strError);

    // The bundled table: beside the executable, else in ../share/torbel.
    static QString bundledPath();

    // Names compare with letter case, "ё"/"е" and repeated or surrounding blanks ignored.
    static QString key(const QString& strName);

    const QList<Entry>& entries() const { return m_entries; }
    const Entry* find(const QString& strName) const;

    // The groups in the order they first appear; entries without one are in none.
    QStringList groups() const;
    // Positions in entries() of the foods one of whose names contains the query (compared
    // as key() compares), in table order; an empty query matches all. An empty group
    // means every group.
    QList<qsizetype> search(const QString& strQuery, const QString& strGroup = QString()) const;

    // Fills the empty fields of every product whose name matches: the four values, and
    // the weight of a unit when the product's unit is the entry's (a trailing "." and
    // letter case ignored) or a kilogram. Returns the products that change, as they
    // become, for the trip's editor to put in as one step.
    QList<std::pair<qint16, clsProduct>> filled(const clsCatalog& objCatalog) const;

private:
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_byKey;
};
