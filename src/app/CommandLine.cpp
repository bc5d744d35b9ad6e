#include "app/CommandLine.h"

#include "app/NutritionListing.h"
#include "app/TripExport.h"
#include "app/TripListing.h"
#include "app/WindowStart.h"
#include "model/CarryPlan.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/TripCheck.h"
#include "tripfile/TripFile.h"

#include <QFileDevice>
#include <QIODevice>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

namespace CommandLine {

namespace {

enum class Action
{
    None,
    ListPurchases,
    ListLayout,
    ListWeights,
    ExportLayout,
    ExportPurchases,
    ListNutrition,
    ListShopping,
    ExportShopping,
    ListCarry,
    ExportCarry
};

struct Request
{
    bool blnHelp = false;
    bool blnVersion = false;
    Action action = Action::None;
    QString strTrip;
    QString strOutput;
    std::optional<qint16> intShift;
};

// A mistake in the command line itself: reported with the usage, exit 2.
struct UsageError
{
    QString strReason;
};

bool writeAll(QIODevice& device, const QByteArray& bytes)
{
    if (device.write(bytes) != bytes.size())
        return false;
    if (auto* file = qobject_cast<QFileDevice*>(&device))
        return file->flush();
    return true;
}

void say(QIODevice& err, const QString& strText)
{
    writeAll(err, (strText + QLatin1Char('\n')).toUtf8());
}

int usageError(QIODevice& err, const QString& strReason)
{
    say(err, QStringLiteral("torbel: ") + strReason);
    writeAll(err, usage().toUtf8());
    return ExitUsage;
}

int failure(QIODevice& err, const QString& strMessage, const QString& strDetail = QString())
{
    say(err, strMessage);
    if (!strDetail.isEmpty())
        say(err, strDetail);
    return ExitFailure;
}

QString quoted(const QString& strText)
{
    return QStringLiteral("«") + strText + QStringLiteral("»");
}

Action listAction(const QString& strWhat)
{
    if (strWhat == QLatin1String("purchases"))
        return Action::ListPurchases;
    if (strWhat == QLatin1String("layout"))
        return Action::ListLayout;
    if (strWhat == QLatin1String("weights"))
        return Action::ListWeights;
    if (strWhat == QLatin1String("nutrition"))
        return Action::ListNutrition;
    if (strWhat == QLatin1String("shopping"))
        return Action::ListShopping;
    if (strWhat == QLatin1String("carry"))
        return Action::ListCarry;
    throw UsageError{
        QStringLiteral("неизвестный список %1: нужен purchases, layout, weights, nutrition, shopping или carry")
            .arg(quoted(strWhat))};
}

Action exportAction(const QString& strWhat)
{
    if (strWhat == QLatin1String("layout"))
        return Action::ExportLayout;
    if (strWhat == QLatin1String("purchases"))
        return Action::ExportPurchases;
    if (strWhat == QLatin1String("shopping"))
        return Action::ExportShopping;
    if (strWhat == QLatin1String("carry"))
        return Action::ExportCarry;
    throw UsageError{
        QStringLiteral("неизвестный документ %1: нужен layout, purchases, shopping или carry").arg(quoted(strWhat))};
}

qint16 shiftNumber(const QString& strText)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    const int intShift = digits.match(strText).hasMatch() ? strText.toInt() : 0;
    if (intShift < 1 || intShift > 32767)
        throw UsageError{QStringLiteral("номер смены %1 должен быть целым числом от 1").arg(quoted(strText))};
    return static_cast<qint16>(intShift);
}

Request parse(const QStringList& arguments)
{
    Request r;
    QStringList positional;
    QString strList, strExport, strShift;
    bool blnList = false, blnExport = false, blnShift = false, blnOutput = false;
    bool blnOptionsEnd = false;

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (blnOptionsEnd || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            blnOptionsEnd = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            r.blnHelp = true;
            continue;
        }
        if (arg == QLatin1String("--version")) {
            r.blnVersion = true;
            continue;
        }

        const qsizetype intEq = arg.startsWith(QLatin1String("--")) ? arg.indexOf(QLatin1Char('=')) : -1;
        const QString strName = intEq < 0 ? arg : arg.left(intEq);
        struct Valued
        {
            const char* name;
            bool& seen;
            QString& value;
        };
        const Valued valued[] = {{"--list", blnList, strList},
                                 {"--export", blnExport, strExport},
                                 {"--shift", blnShift, strShift},
                                 {"--output", blnOutput, r.strOutput}};
        const Valued* option = nullptr;
        for (const Valued& v : valued) {
            if (strName == QLatin1String(v.name))
                option = &v;
        }
        if (!option)
            throw UsageError{QStringLiteral("неизвестный параметр %1").arg(quoted(arg))};
        if (option->seen)
            throw UsageError{QStringLiteral("параметр %1 задан дважды").arg(strName)};
        option->seen = true;
        if (intEq >= 0) {
            option->value = arg.mid(intEq + 1);
        } else if (i + 1 < arguments.size()) {
            option->value = arguments.at(++i);
        } else {
            throw UsageError{QStringLiteral("после %1 нужно значение").arg(strName)};
        }
    }

    if (r.blnHelp || r.blnVersion)
        return r;

    if (blnList && blnExport)
        throw UsageError{QStringLiteral("--list и --export нельзя задавать вместе")};
    if (!blnList && !blnExport)
        throw UsageError{QStringLiteral("не сказано, что делать: нужен --list или --export")};
    r.action = blnList ? listAction(strList) : exportAction(strExport);

    if (positional.isEmpty())
        throw UsageError{QStringLiteral("не задан файл раскладки")};
    if (positional.size() > 1)
        throw UsageError{QStringLiteral("лишний аргумент %1").arg(quoted(positional.at(1)))};
    r.strTrip = positional.first();
    if (r.strTrip.isEmpty())
        throw UsageError{QStringLiteral("имя файла раскладки пусто")};

    if (blnExport && !blnOutput)
        throw UsageError{QStringLiteral("для --export нужен --output ФАЙЛ.docx")};
    if (!blnExport && blnOutput)
        throw UsageError{QStringLiteral("--output задаётся только с --export")};
    if (blnOutput && r.strOutput.isEmpty())
        throw UsageError{QStringLiteral("имя файла после --output пусто")};

    if (blnShift) {
        if (r.action == Action::ListLayout || r.action == Action::ListWeights || r.action == Action::ListNutrition ||
            r.action == Action::ListCarry || r.action == Action::ExportCarry)
            throw UsageError{QStringLiteral("--shift задаётся только для списков закупок и для --export")};
        r.intShift = shiftNumber(strShift);
    }
    return r;
}

} // namespace

bool wanted(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg.size() < 2 || !arg.startsWith(QLatin1Char('-')))
            continue;
        int intValues = 0;
        if (!WindowStart::isToolkitOption(arg, intValues))
            return true;
        i += intValues;
    }
    return false;
}

bool exports(const QStringList& arguments)
{
    try {
        const Action action = parse(arguments).action;
        return action == Action::ExportLayout || action == Action::ExportPurchases ||
               action == Action::ExportShopping || action == Action::ExportCarry;
    } catch (const UsageError&) {
        return false;
    }
}

QString usage()
{
    return QStringLiteral(
        "Использование:\n"
        "  torbel [ФАЙЛ.trb]\n"
        "      открыть окна программы (и в них раскладку из файла)\n"
        "  torbel --list purchases ФАЙЛ.trb [--shift N]\n"
        "      список закупок на весь поход или на дни дежурной смены N:\n"
        "      наименование, количество, единица; в конце строка «ВСЕГО:»\n"
        "  torbel --list layout ФАЙЛ.trb\n"
        "      раскладка: день, дата, смена, меню, трапеза, наименование, количество, единица\n"
        "  torbel --list weights ФАЙЛ.trb\n"
        "      вес на человека по дням: дата, обед, ужин, завтрак, сутки; в конце total и общий вес, гр\n"
        "  torbel --list nutrition ФАЙЛ.trb\n"
        "      питание на участника по дням: день, дата, ккал, белки, жиры, углеводы, вес, г,\n"
        "      продуктов без данных; в конце «в среднем»\n"
        "  torbel --list shopping ФАЙЛ.trb [--shift N]\n"
        "      закупка упаковками: наименование, количество, единица, упаковка, упаковок,\n"
        "      стоимость, остаток; в конце «ИТОГО:» (и «без цены: N», если цены известны не у всех)\n"
        "      и «На участника:»\n"
        "  torbel --list carry ФАЙЛ.trb\n"
        "      раздача по рюкзакам: номер, участник, продукт, штук, граммы; «ВСЕГО:» и груз участника;\n"
        "      в конце «не распределено»: продукт, количество, единица\n"
        "  torbel --export layout|purchases|shopping ФАЙЛ.trb --output ДОКУМЕНТ.docx|ДОКУМЕНТ.pdf [--shift N]\n"
        "      записать документ раскладки, списка закупок или закупки упаковками, не открывая его\n"
        "      (PDF, когда имя файла кончается на .pdf)\n"
        "  torbel --export carry ФАЙЛ.trb --output ДОКУМЕНТ.docx|ДОКУМЕНТ.pdf\n"
        "      записать документ раздачи по рюкзакам\n"
        "  torbel --help | --version\n"
        "Столбцы списков разделены табуляцией, текст в UTF-8.\n"
        "Коды выхода: 0 успех, 1 ошибка чтения, проверки или записи, 2 ошибка в командной строке.\n");
}

namespace {

int runWith(GlobalVariable& g, const QStringList& arguments, QIODevice& out, QIODevice& err, Exporter exporter)
{
    Request r;
    try {
        r = parse(arguments);
    } catch (const UsageError& e) {
        return usageError(err, e.strReason);
    }
    if (r.blnHelp)
        return writeAll(out, usage().toUtf8()) ? ExitOk : ExitFailure;
    if (r.blnVersion)
        return writeAll(out, (programTitle() + QLatin1Char('\n')).toUtf8()) ? ExitOk : ExitFailure;

    // The trip as the main window opens it: read whole, applied only when all is good.
    {
        QString strMessage;
        QString strDetail;
        if (!TripFile::load(g, r.strTrip, strMessage, &strDetail))
            return failure(err, strMessage, r.strTrip + QStringLiteral(": ") + strDetail);
    }
    g.strFileName = r.strTrip;

    // And checked as the layout button checks it.
    const TripCheck::Result check = TripCheck::check(g.dtDataBegin, g.dtDataEnd, g.intCountPeople, g.intCountSmena);
    if (!check.ok())
        return failure(err, check.strMessage);
    g.intCountDay = check.intCountDay;
    try {
        g.objRasklad.Build(g.intCountDay, g.intPeriod);
    } catch (const ModelError&) {
        return failure(err, QStringLiteral("Некорректные данные!"));
    }

    if (r.intShift && *r.intShift > g.intCountSmena) {
        return usageError(err, QStringLiteral("смены %1 нет: в походе смен %2").arg(*r.intShift).arg(g.intCountSmena));
    }
    const bool blnViewAll = !r.intShift.has_value();
    const qint16 intSmen = r.intShift.value_or(1);

    QByteArray bytes;
    try {
        switch (r.action) {
        case Action::ListPurchases:
            bytes = TripListing::purchasesTsv(g, blnViewAll, intSmen);
            break;
        case Action::ListLayout:
            bytes = TripListing::toTsv(TripListing::layout(g));
            break;
        case Action::ListWeights:
            bytes = TripListing::toTsv(TripListing::weights(g));
            break;
        case Action::ListNutrition:
            bytes = TripListing::toTsv(NutritionListing::nutrition(g));
            break;
        case Action::ListShopping:
            bytes = TripListing::toTsv(NutritionListing::shopping(g, blnViewAll, intSmen));
            break;
        case Action::ListCarry: {
            CarryPlan plan;
            try {
                plan = CarryPlan::make(g, g.intCountDay);
            } catch (const OverflowError&) {
                return failure(err, CarryPlan::TooManyText);
            }
            // A participant at a time: a split of a full catalog among 30 can run to a
            // million lines, more than a list of them should hold at once.
            for (qsizetype j = 0; j < plan.packs.size(); ++j) {
                if (!writeAll(out, TripListing::toTsv(plan.packRows(j))))
                    return failure(err, QStringLiteral("Ошибка записи в стандартный вывод!"));
            }
            bytes = TripListing::toTsv(plan.unknownRows());
            break;
        }
        case Action::ExportLayout:
        case Action::ExportPurchases:
        case Action::ExportShopping:
        case Action::ExportCarry: {
            QString strMessage;
            const TripExport::Document doc = r.action == Action::ExportLayout     ? TripExport::Document::Layout
                                             : r.action == Action::ExportShopping ? TripExport::Document::Shopping
                                             : r.action == Action::ExportCarry    ? TripExport::Document::Carry
                                                                                  : TripExport::Document::Purchases;
            if (!exporter)
                return failure(err, QStringLiteral("Документы в этой части программы не пишутся."));
            if (!exporter(g, doc, blnViewAll, intSmen, r.strOutput, strMessage))
                return failure(err, strMessage);
            return ExitOk;
        }
        case Action::None:
            break;
        }
    } catch (const CostOverflowError&) {
        return failure(err, QStringLiteral("Стоимость закупки слишком велика, чтобы её показать."));
    } catch (const OverflowError&) {
        return failure(err, QStringLiteral("Количество или вес слишком велики, чтобы их показать."));
    } catch (const std::exception&) {
        return failure(err, QStringLiteral("Раскладка не согласуется с параметрами похода."));
    }
    if (!writeAll(out, bytes))
        return failure(err, QStringLiteral("Ошибка записи в стандартный вывод!"));
    return ExitOk;
}

} // namespace

int run(const QStringList& arguments, QIODevice& out, QIODevice& err, Exporter exporter)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    return runWith(g, arguments, out, err, exporter);
}

void runAndExit(const QStringList& arguments, QIODevice& out, QIODevice& err, Exporter exporter)
{
    // Never freed: the process ends here, and freeing a full catalog string by string
    // takes about as long as writing its list.
    auto* g = new GlobalVariable;
    InitGlobalVariable(*g);
    const int intCode = runWith(*g, arguments, out, err, exporter);
    std::fflush(nullptr);
    std::_Exit(intCode);
}

} // namespace CommandLine
