#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <optional>

class clsCatalog;
class clsProduct;
class NameOrder;

// Texts of the ration editor's catalog grids and dialogs, without any widgets.
namespace CatalogText {

// tblProduct: name, norm after one blank (empty below 1), unit.
QStringList productRow(const clsProduct& objProduct);
// tblCatalog: name, then one blank, the norm and the unit run together.
QStringList catalogRow(const clsProduct& objProduct);

// Every catalog product in name order, as rows of tblProduct or tblCatalog.
QList<QStringList> productRows(const clsCatalog& objCatalog, const NameOrder& order);
QList<QStringList> catalogRows(const clsCatalog& objCatalog, const NameOrder& order);

// The norm as the product dialog shows it: no blank, empty below 1.
QString normField(qint16 intNorma);

// The norm typed in the product dialog: the leading number rounded half to even.
// No number gives 0; a value outside the 16-bit range gives nothing.
std::optional<qint16> readNorm(QStringView text);

// Caption of the day tab at position intDay: "День 3".
QString dayCaption(int intDay);

} // namespace CatalogText
