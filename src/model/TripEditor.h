#pragma once

#include "model/TripChange.h"

#include <QObject>

#include <deque>

struct GlobalVariable;

// The one way the open trip is changed. Every change is made here, announced with the
// parts of the trip it touched, and handed on (made()) so that it can be taken back.
// Undo and redo come back through here too, so windows follow them like any change.
class TripEditor : public QObject
{
    Q_OBJECT

public:
    // What a change touched; changed() carries them or-ed together.
    enum Part : unsigned
    {
        SettingsPart = 1, // dates, counts, periodicity, layout days, description
        CatalogPart = 2,  // products: names, norms, units, values
        RationPart = 4,   // daily menus and their meals
        AimPart = 8,      // the energy aim
        ParticipantsPart = 16,
        AllParts = 31
    };

    explicit TripEditor(GlobalVariable& g);

    // Makes a change and emits made(). A change without parts is dropped. A part that
    // does not fit the trip (a day or product it lacks) throws ModelError, and the
    // parts made before it are taken back, so the trip is as it was.
    void make(TripChange change);
    // Takes a made change back, or makes it again.
    void undo(const TripChange& change);
    void redo(const TripChange& change);
    // The trip was replaced as a whole (opened or started anew).
    void replaced();

    // The catalog's revision, and what changed since an earlier one: 0 nothing, a
    // catalog position when that product alone changed or was appended, -1 more.
    quint64 catalogRevision() const { return m_intCatalogRevision; }
    int catalogChangeSince(quint64 intRevision) const;

    // Changes built from the trip as it stands.
    void setSettings(const TripSettings& after, const QString& strWhat, int intMergeKey = 0);
    // Settings that follow from earlier changes, made when the trip is checked.
    void followSettings(const TripSettings& after, const QString& strWhat);
    // The participants follow a new count of people in the same step.
    void setCountPeople(const TripSettings& after, const QString& strWhat);
    void setProduct(qint16 intIndex, const clsProduct& after, const QString& strWhat);
    // Several products changed in place, as one step; unchanged ones are left out.
    void setProducts(const QList<std::pair<qint16, clsProduct>>& after, const QString& strWhat);
    void appendProducts(const QList<clsProduct>& products, const QString& strWhat);
    void setMeal(qint16 intDay, qint16 intMeal, const QList<qint16>& after, const QString& strWhat);
    // A new empty day at the end; the periodicity follows the ration's length.
    void addDay();
    void deleteDay(qint16 intDay);
    void exchangeDays(qint16 intDay1, qint16 intDay2);
    void setAim(qint32 intAim);
    void setParticipants(const QList<Participant>& after, const QString& strWhat);

signals:
    // A change was made; its maker keeps it to take it back.
    void made(const TripChange& change);
    // The trip changed (made, undone, redone or replaced): parts says where.
    void changed(unsigned parts);
    // The trip was replaced as a whole: earlier changes no longer apply to it.
    void replacedWhole();

private:
    void apply(const TripChange& change, bool blnForward);
    void applyPart(const TripChange::Part& part, bool blnForward);
    void noteCatalog(int intPosition);
    static unsigned partsOf(const TripChange& change);

    GlobalVariable& m_g;
    quint64 m_intCatalogRevision = 0;
    // The latest catalog changes: revision and position (-1 for more than one product).
    std::deque<std::pair<quint64, int>> m_catalogLog;
};
