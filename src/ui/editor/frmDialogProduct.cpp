#include "ui/editor/frmDialogProduct.h"

#include "model/CatalogText.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/SerifFont.h"
#include "ui/Twips.h"
#include "ui/editor/frmMenu.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString TitleAdd = QStringLiteral("Добавить");
const QString TitleChange = QStringLiteral("Изменить");

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

frmDialogProduct::frmDialogProduct(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmDialogProduct"));
    setWindowTitle(QStringLiteral("Продукт"));
    setFont(serifFont(10.5));

    // The separators lie under every control.
    auto line = [this](const char* name, int top) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QLatin1String(name));
        frame->setFrameShape(QFrame::HLine);
        frame->setFrameShadow(QFrame::Sunken);
        m_placer.place(frame, QRect(150, top, 4350, 30));
    };
    line("Line1", 600);
    line("Line2", 2550);

    auto label = [this](const char* name, const QString& text, const QRect& twips) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_placer.place(l, twips, TwipsPlacer::GrowRight);
        return l;
    };

    lblTitle = new QLabel(TitleAdd, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(serifFont(10.5, true));
    lblTitle->setAlignment(Qt::AlignCenter);

    label("Label2", QStringLiteral("Наименование:"), QRect(120, 600, 1572, 372));
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    m_placer.place(txtName, QRect(1800, 600, 1812, 360));

    label("Label3", QStringLiteral("Нормировка:"), QRect(120, 1080, 1572, 372));
    txtNorm = new QLineEdit(this);
    txtNorm->setObjectName(QStringLiteral("txtNorm"));
    m_placer.place(txtNorm, QRect(2640, 1080, 972, 360));

    label("Label4", QStringLiteral("Единицы измерения:"), QRect(120, 1560, 2172, 372));
    txtEd = new QComboBox(this);
    txtEd->setObjectName(QStringLiteral("txtEd"));
    txtEd->setEditable(true);
    txtEd->setInsertPolicy(QComboBox::NoInsert);
    // No completion: a typed "г" must stay "г", which is not a gram word.
    txtEd->setCompleter(nullptr);
    txtEd->addItems({QStringLiteral("гр"), QStringLiteral("л"), QStringLiteral("шт"), QStringLiteral("пач."),
                     QStringLiteral("уп-к"), QStringLiteral("пол-к")});
    txtEd->setEditText(QStringLiteral("гр"));
    m_placer.place(txtEd, QRect(2640, 1560, 972, 372));

    cmdEsc = new QPushButton(QStringLiteral("О&тмена"), this);
    cmdEsc->setObjectName(QStringLiteral("cmdEsc"));
    cmdEsc->setAutoDefault(false);
    m_placer.place(cmdEsc, QRect(1800, 2160, 852, 372));
    cmdClose = new QPushButton(QStringLiteral("&ОК"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    m_placer.place(cmdClose, QRect(2760, 2160, 852, 372));

    auto* credit = label("Label1", QStringLiteral("Product of R.K.Forge"), QRect(120, 2280, 1560, 200));
    credit->setFont(serifFont(7.5, true, true));
    m_placer.place(credit, QRect(120, 2280, 1560, 200), TwipsPlacer::GrowRight);

    setFixedSize(Twips::toPixels(this, 3750, 2580));

    setTabOrder(txtName, txtNorm);
    setTabOrder(txtNorm, cmdClose);
    setTabOrder(cmdClose, cmdEsc);
    setTabOrder(cmdEsc, txtEd);

    connect(txtName, &QLineEdit::textChanged, this, [this] { m_blnNameChanged = true; });
    connect(cmdClose, &QPushButton::clicked, this, &frmDialogProduct::cmdClose_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &frmDialogProduct::cmdEsc_Click);
}

bool frmDialogProduct::isAdding() const
{
    return lblTitle->text() == TitleAdd;
}

void frmDialogProduct::openAs(const QString& strTitle)
{
    lblTitle->setText(strTitle);
    // As wide as its text, from its design corner.
    lblTitle->adjustSize();
    lblTitle->move(Twips::toPixelsX(this, 1824), Twips::toPixelsY(this, 120));
    Forms::openFrom(m_forms.Menu(), *this);
}

void frmDialogProduct::OpenToAdd()
{
    openAs(TitleAdd);
    txtName->clear();
    txtNorm->clear();
    txtEd->setEditText(QString());
    // Only what the user types from now on is a changed name.
    m_blnNameChanged = false;
    txtName->setFocus();
}

void frmDialogProduct::OpenToChange()
{
    const frmMenu& menu = m_forms.Menu();
    openAs(TitleChange);
    try {
        const clsProduct& objProduct = m_g.objCatalog.GetProduct(menu.ActiveProduct());
        txtName->setText(objProduct.Name());
        txtNorm->setText(CatalogText::normField(objProduct.Norma()));
        txtEd->setEditText(objProduct.strProductEdin);
    } catch (const ModelError&) {
        txtName->clear();
        txtNorm->clear();
        txtEd->setEditText(QString());
    }
    m_blnNameChanged = false;
    txtName->setFocus();
    txtName->selectAll();
}

void frmDialogProduct::fail(const QString& strText, const QString& strCaption, QLineEdit* field)
{
    MessageBox::show(this, strText, strCaption);
    field->setFocus();
    field->selectAll();
}

bool frmDialogProduct::TestProductOption()
{
    const QString strName = txtName->text();
    // Only an empty name is missing; a name of blanks is kept as typed, like any other.
    if (strName.isEmpty()) {
        fail(QStringLiteral("Отсутствует наименование продукта!"), QStringLiteral("Error!"), txtName);
        return false;
    }
    if (hasLineBreak(strName)) {
        fail(QStringLiteral("Наименование продукта должно умещаться в одну строку!"),
             QStringLiteral("Неверный формат данных"), txtName);
        return false;
    }
    if (!CatalogText::readNorm(txtNorm->text())) {
        fail(QStringLiteral("Нормировка должна быть числом от -32768 до 32767!"),
             QStringLiteral("Неверный формат данных"), txtNorm);
        return false;
    }
    if (hasLineBreak(txtEd->currentText())) {
        MessageBox::show(this, QStringLiteral("Единица измерения должна умещаться в одну строку!"),
                         QStringLiteral("Неверный формат данных"));
        txtEd->setFocus();
        return false;
    }
    if (m_blnNameChanged) {
        const clsCatalog& objCatalog = m_g.objCatalog;
        for (int i = 1; i <= objCatalog.size(); ++i) {
            if (objCatalog.GetProduct(static_cast<qint16>(i)).Name() == strName) {
                MessageBox::show(this,
                                 QStringLiteral("Продукт с таким именем уже существует! Используйте другое название!"),
                                 QStringLiteral("Повторное значение"));
                cmdEsc_Click();
                return false;
            }
        }
    }
    return true;
}

void frmDialogProduct::cmdClose_Click()
{
    if (!TestProductOption())
        return;
    frmMenu& menu = m_forms.Menu();
    const qint16 intNorma = CatalogText::readNorm(txtNorm->text()).value_or(0);
    if (isAdding()) {
        try {
            if (m_g.objCatalog.size() >= clsCatalog::MaxSize)
                throw OverflowError("the catalog is full");
            clsProduct objProduct;
            objProduct.setName(txtName->text());
            objProduct.setNorma(intNorma); // a negative norm leaves the product at 0
            objProduct.strProductEdin = txtEd->currentText();
            m_g.edits.appendProducts({objProduct}, QStringLiteral("добавление продукта «%1»").arg(txtName->text()));
        } catch (const ModelError&) {
            MessageBox::show(this, QStringLiteral("Каталог заполнен: в нём не может быть больше 32767 продуктов."),
                             QStringLiteral("Ошибка!"));
            return;
        }
        closeBack();
        menu.VisibleCatalog();
        menu.EnableRename();
    } else {
        try {
            clsProduct objProduct = m_g.objCatalog.GetProduct(menu.ActiveProduct());
            const QString strOld = objProduct.Name();
            objProduct.setName(txtName->text());
            objProduct.setNorma(intNorma); // a negative norm keeps the old one
            objProduct.strProductEdin = txtEd->currentText();
            m_g.edits.setProduct(menu.ActiveProduct(), objProduct,
                                 QStringLiteral("изменение продукта «%1»").arg(strOld));
        } catch (const ModelError&) {
            // The product is gone with a reloaded catalog: nothing to change.
        }
        closeBack();
        menu.VisibleCatalog();
    }
    menu.Form_Activate();
}

void frmDialogProduct::cmdEsc_Click()
{
    closeBack();
    m_forms.Menu().Form_Activate();
}

void frmDialogProduct::reject()
{
    if (isVisible())
        cmdEsc_Click();
}

void frmDialogProduct::closeBack()
{
    Forms::closeBackTo(*this, m_forms.Menu());
}
