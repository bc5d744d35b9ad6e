#include "model/TripEditor.h"

#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Participants.h"

#include <limits>

namespace {

// Enough to follow a window that looks again after a few changes; older ones make its
// lists anew.
constexpr size_t CatalogLogSize = 64;

template <class... Fs>
struct Overloaded : Fs...
{
    using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

} // namespace

TripEditor::TripEditor(GlobalVariable& g)
    : m_g(g)
{
}

void TripEditor::make(TripChange change)
{
    if (change.parts.empty())
        return;
    apply(change, true);
    emit made(change);
    emit changed(partsOf(change));
}

void TripEditor::undo(const TripChange& change)
{
    apply(change, false);
    emit changed(partsOf(change));
}

void TripEditor::redo(const TripChange& change)
{
    apply(change, true);
    emit changed(partsOf(change));
}

void TripEditor::replaced()
{
    noteCatalog(-1);
    emit replacedWhole();
    emit changed(AllParts);
}

int TripEditor::catalogChangeSince(quint64 intRevision) const
{
    if (intRevision == m_intCatalogRevision)
        return 0;
    if (m_catalogLog.empty() || intRevision + 1 < m_catalogLog.front().first || intRevision > m_intCatalogRevision)
        return -1;
    int intPosition = 0;
    for (const auto& [intRev, intPos] : m_catalogLog) {
        if (intRev <= intRevision)
            continue;
        if (intPos < 0 || (intPosition != 0 && intPosition != intPos))
            return -1;
        intPosition = intPos;
    }
    return intPosition;
}

void TripEditor::noteCatalog(int intPosition)
{
    m_catalogLog.emplace_back(++m_intCatalogRevision, intPosition);
    if (m_catalogLog.size() > CatalogLogSize)
        m_catalogLog.pop_front();
}

void TripEditor::apply(const TripChange& change, bool blnForward)
{
    const auto n = change.parts.size();
    size_t done = 0;
    try {
        for (; done < n; ++done)
            applyPart(change.parts[blnForward ? done : n - 1 - done], blnForward);
    } catch (...) {
        // What was made of this change is taken back: the trip stays as it was.
        while (done > 0) {
            --done;
            applyPart(change.parts[blnForward ? done : n - 1 - done], !blnForward);
        }
        throw;
    }
    m_g.blnChanged = true;
}

void TripEditor::applyPart(const TripChange::Part& part, bool blnForward)
{
    GlobalVariable& g = m_g;
    std::visit(Overloaded{
                   [&](const TripChange::Settings& p) {
                       const TripSettings& from = blnForward ? p.before : p.after;
                       const TripSettings& to = blnForward ? p.after : p.before;
                       // Which date the date dialog sets is the dialog's, not the change's:
                       // an undone date must not mark a closed dialog as open.
                       const bool blnDataBegin = g.blnDataBegin;
                       const bool blnDataEnd = g.blnDataEnd;
                       static_cast<TripSettings&>(g) = to;
                       if (from.blnDataBegin == to.blnDataBegin)
                           g.blnDataBegin = blnDataBegin;
                       if (from.blnDataEnd == to.blnDataEnd)
                           g.blnDataEnd = blnDataEnd;
                   },
                   [&](const TripChange::Product& p) {
                       g.objCatalog.GetProduct(p.intIndex) = blnForward ? p.after : p.before;
                       noteCatalog(p.intIndex);
                   },
                   [&](const TripChange::Appended& p) {
                       const auto intCount = static_cast<qint16>(p.products.size());
                       if (!blnForward) {
                           g.objCatalog.DropLast(intCount);
                           noteCatalog(-1);
                           return;
                       }
                       if (g.objCatalog.size() > clsCatalog::MaxSize - intCount)
                           throw OverflowError("the catalog is full");
                       for (const clsProduct& product : p.products) {
                           g.objCatalog.AddProduct(product.Name(), product.Norma(), product.strProductEdin);
                           g.objCatalog.GetProduct(g.objCatalog.size()).facts = product.facts;
                       }
                       noteCatalog(intCount == 1 ? g.objCatalog.size() : -1);
                   },
                   [&](const TripChange::Meal& p) {
                       clsTrapeza* meal = g.objMenuList.GetMenu(p.intDay).GetTrapeza(p.intMeal);
                       if (!meal)
                           throw OutOfRangeError("meal out of range");
                       meal->SetProducts(blnForward ? p.after : p.before);
                   },
                   [&](const TripChange::DayAdded&) {
                       if (blnForward)
                           g.objMenuList.AddMenu();
                       else
                           g.objMenuList.DelMenu(g.objMenuList.size());
                   },
                   [&](const TripChange::DayDeleted& p) {
                       if (blnForward)
                           g.objMenuList.DelMenu(p.intDay);
                       else
                           g.objMenuList.InsertMenu(p.menu, p.intDay);
                   },
                   [&](const TripChange::DaysExchanged& p) { g.objMenuList.ExchangeMenus(p.intDay1, p.intDay2); },
                   [&](const TripChange::Aim& p) { g.intEnergyAim = blnForward ? p.after : p.before; },
                   [&](const TripChange::People& p) { g.participants = blnForward ? p.after : p.before; },
               },
               part);
}

unsigned TripEditor::partsOf(const TripChange& change)
{
    unsigned parts = 0;
    for (const TripChange::Part& part : change.parts) {
        parts |= std::visit(Overloaded{
                                [](const TripChange::Settings&) { return unsigned(SettingsPart); },
                                [](const TripChange::Product&) { return unsigned(CatalogPart); },
                                [](const TripChange::Appended&) { return unsigned(CatalogPart); },
                                [](const TripChange::Aim&) { return unsigned(AimPart); },
                                [](const TripChange::People&) { return unsigned(ParticipantsPart); },
                                [](const auto&) { return unsigned(RationPart); },
                            },
                            part);
    }
    return parts;
}

// ---- changes built from the trip as it stands ----

void TripEditor::setSettings(const TripSettings& after, const QString& strWhat, int intMergeKey)
{
    const TripSettings& before = m_g;
    if (before == after)
        return;
    make(TripChange{strWhat, {TripChange::Settings{before, after}}, intMergeKey});
}

void TripEditor::followSettings(const TripSettings& after, const QString& strWhat)
{
    const TripSettings& before = m_g;
    if (before == after)
        return;
    TripChange change{strWhat, {TripChange::Settings{before, after}}, 0};
    change.blnFollows = true;
    make(std::move(change));
}

void TripEditor::setCountPeople(const TripSettings& after, const QString& strWhat)
{
    const TripSettings& before = m_g;
    TripChange change{strWhat, {}, 0};
    if (!(before == after))
        change.parts.emplace_back(TripChange::Settings{before, after});
    QList<Participant> people = Participants::fitted(m_g.participants, after.intCountPeople);
    if (people != m_g.participants)
        change.parts.emplace_back(TripChange::People{m_g.participants, std::move(people)});
    make(std::move(change));
}

void TripEditor::setProduct(qint16 intIndex, const clsProduct& after, const QString& strWhat)
{
    setProducts({{intIndex, after}}, strWhat);
}

void TripEditor::setProducts(const QList<std::pair<qint16, clsProduct>>& after, const QString& strWhat)
{
    TripChange change{strWhat, {}, 0};
    for (const auto& [intIndex, product] : after) {
        const clsProduct& before = m_g.objCatalog.GetProduct(intIndex);
        if (!(before == product))
            change.parts.emplace_back(TripChange::Product{intIndex, before, product});
    }
    make(std::move(change));
}

void TripEditor::appendProducts(const QList<clsProduct>& products, const QString& strWhat)
{
    if (products.isEmpty())
        return;
    make(TripChange{strWhat, {TripChange::Appended{products}}, 0});
}

void TripEditor::setMeal(qint16 intDay, qint16 intMeal, const QList<qint16>& after, const QString& strWhat)
{
    const clsTrapeza* meal = m_g.objMenuList.GetMenu(intDay).GetTrapeza(intMeal);
    if (!meal)
        throw OutOfRangeError("meal out of range");
    if (meal->Products() == after)
        return;
    make(TripChange{strWhat, {TripChange::Meal{intDay, intMeal, meal->Products(), after}}, 0});
}

void TripEditor::addDay()
{
    if (m_g.objMenuList.size() >= std::numeric_limits<qint16>::max())
        throw OverflowError("the ration is full");
    TripSettings after = m_g;
    after.intPeriod = static_cast<qint16>(m_g.objMenuList.size() + 1);
    TripChange change{QStringLiteral("добавление дня %1").arg(after.intPeriod), {TripChange::DayAdded{}}, 0};
    if (!(after == static_cast<const TripSettings&>(m_g)))
        change.parts.emplace_back(TripChange::Settings{m_g, after});
    make(std::move(change));
}

void TripEditor::deleteDay(qint16 intDay)
{
    const clsMenuOfDay& menu = m_g.objMenuList.GetMenu(intDay);
    TripSettings after = m_g;
    after.intPeriod = static_cast<qint16>(m_g.objMenuList.size() - 1);
    TripChange change{QStringLiteral("удаление дня %1").arg(intDay), {TripChange::DayDeleted{intDay, menu}}, 0};
    if (!(after == static_cast<const TripSettings&>(m_g)))
        change.parts.emplace_back(TripChange::Settings{m_g, after});
    make(std::move(change));
}

void TripEditor::exchangeDays(qint16 intDay1, qint16 intDay2)
{
    if (intDay1 == intDay2)
        return;
    m_g.objMenuList.GetMenu(intDay1);
    m_g.objMenuList.GetMenu(intDay2);
    make(TripChange{QStringLiteral("обмен дней %1 и %2").arg(intDay1).arg(intDay2),
                    {TripChange::DaysExchanged{intDay1, intDay2}},
                    0});
}

void TripEditor::setAim(qint32 intAim)
{
    if (intAim == m_g.intEnergyAim)
        return;
    make(TripChange{QStringLiteral("цель по калориям"), {TripChange::Aim{m_g.intEnergyAim, intAim}}, 0});
}

void TripEditor::setParticipants(const QList<Participant>& after, const QString& strWhat)
{
    if (after == m_g.participants)
        return;
    make(TripChange{strWhat, {TripChange::People{m_g.participants, after}}, 0});
}
