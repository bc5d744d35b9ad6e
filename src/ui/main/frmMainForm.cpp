#include "ui/main/frmMainForm.h"

#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Numeric.h"
#include "model/Participants.h"
#include "model/RuDate.h"
#include "model/TripCheck.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "tripfile/TripFile.h"
#include "tripfile/TripTemplate.h"
#include "ui/Controls.h"
#include "ui/DocumentFormatMenu.h"
#include "ui/Forms.h"
#include "ui/TripUndo.h"
#include "ui/Twips.h"
#include "ui/UpDown.h"
#include "ui/about/frmAbout.h"
#include "ui/editor/frmMenu.h"
#include "ui/main/RecentTripsMenu.h"
#include "ui/main/RecoveryOffer.h"
#include "ui/main/frmCalendar.h"
#include "ui/tools/frmCarry.h"
#include "ui/tools/frmNutrition.h"
#include "ui/viewer/frmPrintOption.h"
#include "ui/viewer/frmRasklad.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <array>
#include <tuple>

namespace {

const QString kFilter = QStringLiteral("Раскладка (*.trb) |*.trb|Все файлы | *.*");
const QString kBadInput = QStringLiteral("Некорректное выражение!");
const QString kBadInputCaption = QStringLiteral("Error");

// A status bar panel: keeps its whole text (tests and tooltips read it) and shows as
// much as fits, cutting long paths in the middle instead of widening the window.
class StatusPanel : public QLabel
{
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }
    QSize sizeHint() const override { return {qMin(QLabel::sizeHint().width(), 400), QLabel::sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = contentsRect().adjusted(margin(), 0, -margin(), 0);
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width()));
    }
};

// A count typed into a field: a whole or decimal number ("7.5" or "7,5"), blanks around
// allowed, nothing else. Anything more is refused rather than read up to its first
// stray character.
std::optional<double> readCount(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)\\s*$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    QString s = text;
    s.replace(u',', u'.');
    try {
        return Numeric::leadingNumber(s);
    } catch (const ModelError&) {
        return std::nullopt;
    }
}

} // namespace

frmMainForm::frmMainForm(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QMainWindow(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmMainForm"));
    // The program normally starts the trip state before the window; a window made on its
    // own starts it here, as the load of the first window does.
    if (m_g.strTitle.isEmpty())
        InitGlobalVariable(m_g);
    m_recovery = new RecoveryCopy(m_g, RecoveryOffer::folder(), this);

    buildControls();
    buildMenus();
    connect(&m_g.edits, &TripEditor::changed, this, &frmMainForm::tripChanged);
    // Every change, undo and redo included, is in the recovery copy within seconds; back at
    // the saved state there is nothing to recover.
    connect(&m_g.edits, &TripEditor::changed, m_recovery, [this] {
        if (m_g.blnChanged)
            m_recovery->noteChanged();
    });
    connect(&m_forms.Undo().stack(), &QUndoStack::cleanChanged, m_recovery, [this](bool blnClean) {
        if (blnClean && !m_g.blnChanged)
            m_recovery->forget();
    });

    statusBar()->setObjectName(QStringLiteral("StatusBarMain"));
    statusBar()->setSizeGripEnabled(true);
    addStatusPanel(QStringLiteral("Новая раскладка"));
    addStatusPanel(QStringLiteral("Файл:"));

    setWindowTitle(m_g.strTitle);
    resize(Twips::toPixels(this, 6600, 5400).expandedTo(minimumSizeHint()));
    // Last, so that the choice of document format ends the "Сервис" menu.
    DocumentFormatMenu::addTo(*m_menuService, objWord(m_g));
}

void frmMainForm::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto makeLabel = [&](const char* name, const QString& text) { return Controls::makeLabel(central, name, text); };
    auto makeField = [&](const char* name, int chars) {
        auto* t = new QLineEdit(central);
        t->setObjectName(QLatin1String(name));
        const QFontMetrics fm(t->font());
        t->setFixedWidth(fm.horizontalAdvance(QString(chars, u'0')) + 16);
        t->installEventFilter(this);
        return t;
    };
    auto makeButton = [&](const char* name, const QString& text, const QString& tip) {
        QPushButton* b = Controls::makeButton(central, name, text, tip);
        // A click that leaves a refused field is stopped here.
        b->installEventFilter(this);
        return b;
    };
    auto makeUpDown = [&](const char* name, QLineEdit* buddy, int max) {
        auto* u = new UpDown(central);
        u->setObjectName(QLatin1String(name));
        u->setRange(1, max);
        u->setValueSilently(1);
        u->setBuddy(buddy);
        return u;
    };

    auto* Label1 = makeLabel("Label1", QStringLiteral("Поход с"));
    m_txtDataBegin = makeField("txtDataBegin", 11);
    m_cmdDataBegin = makeButton("cmdDataBegin", QStringLiteral("..."), QStringLiteral("Дата начала похода"));
    auto* Label2 = makeLabel("Label2", QStringLiteral("по"));
    m_txtDataEnd = makeField("txtDataEnd", 11);
    m_cmdDataEnd = makeButton("cmdDataEnd", QStringLiteral("..."), QStringLiteral("Дата завершеня похода"));
    for (QPushButton* b : {m_cmdDataBegin, m_cmdDataEnd})
        b->setFixedWidth(qMax(b->fontMetrics().horizontalAdvance(b->text()) + 16, m_txtDataBegin->sizeHint().height()));

    auto* Label3 = makeLabel("Label3", QStringLiteral("Количество участников"));
    m_txtCountPeople = makeField("txtCountPeople", 4);
    m_updPeople = makeUpDown("UpDownPeople", m_txtCountPeople, 50);
    auto* Label4 = makeLabel("Label4", QStringLiteral("Число дежурных смен"));
    m_txtSmena = makeField("txtSmena", 4);
    m_updSmena = makeUpDown("UpDownSmena", m_txtSmena, 25);

    auto* Label5 = makeLabel("Label5", QStringLiteral("Описание:"));
    m_rtbDeffine = new QPlainTextEdit(central);
    m_rtbDeffine->setObjectName(QStringLiteral("rtbDeffine"));
    // Every key typed here is already the trip's: its undo is the trip's undo, not a
    // second history of the field's own.
    m_rtbDeffine->setUndoRedoEnabled(false);
    m_rtbDeffine->setToolTip(QStringLiteral("Описание раскладки"));
    m_rtbDeffine->setTabChangesFocus(true);
    m_rtbDeffine->setMinimumHeight(Twips::toPixelsY(this, 1200));

    m_cmdMenu = makeButton("cmdMenu", QStringLiteral("&Рацион"), QStringLiteral("Составление меню"));
    m_cmdRaklad = makeButton("cmdRaklad", QStringLiteral("Раск&ладка"), QStringLiteral("Раскладка"));
    m_cmdClose = makeButton("cmdClose", QStringLiteral("&Выход"), QStringLiteral("Завершить работу"));

    auto* dates = new QHBoxLayout;
    dates->addWidget(Label1);
    dates->addWidget(m_txtDataBegin);
    dates->addWidget(m_cmdDataBegin);
    dates->addSpacing(Twips::toPixelsX(this, 120));
    dates->addWidget(Label2);
    dates->addWidget(m_txtDataEnd);
    dates->addWidget(m_cmdDataEnd);
    dates->addStretch(1);

    // Each spinner sits close against its field, as one control.
    auto withSpinner = [](QLineEdit* field, UpDown* upd) {
        auto* box = new QHBoxLayout;
        box->setSpacing(0);
        box->addWidget(field);
        box->addWidget(upd);
        box->addStretch(1);
        return box;
    };
    auto* counts = new QGridLayout;
    counts->addWidget(Label3, 0, 0);
    counts->addLayout(withSpinner(m_txtCountPeople, m_updPeople), 0, 1);
    counts->addWidget(Label4, 1, 0);
    counts->addLayout(withSpinner(m_txtSmena, m_updSmena), 1, 1);
    counts->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdMenu);
    buttons->addWidget(m_cmdRaklad);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdClose);

    auto* all = new QVBoxLayout(central);
    all->addLayout(dates);
    all->addLayout(counts);
    all->addWidget(Label5);
    all->addWidget(m_rtbDeffine, 1);
    all->addLayout(buttons);

    Label1->setBuddy(m_txtDataBegin);
    Label3->setBuddy(m_txtCountPeople);
    Label4->setBuddy(m_txtSmena);
    Label5->setBuddy(m_rtbDeffine);
    setTabOrder(m_txtDataBegin, m_cmdDataBegin);
    setTabOrder(m_cmdDataBegin, m_txtDataEnd);
    setTabOrder(m_txtDataEnd, m_cmdDataEnd);
    setTabOrder(m_cmdDataEnd, m_txtCountPeople);
    setTabOrder(m_txtCountPeople, m_txtSmena);
    setTabOrder(m_txtSmena, m_rtbDeffine);
    setTabOrder(m_rtbDeffine, m_cmdMenu);
    setTabOrder(m_cmdMenu, m_cmdRaklad);
    setTabOrder(m_cmdRaklad, m_cmdClose);

    // An arrow first takes the typed count, with the field's checks.
    m_updPeople->setTakeTyped([this] { return txtCountPeople_LostFocus(); });
    m_updSmena->setTakeTyped([this] { return txtSmena_LostFocus(); });
    connect(m_updPeople, &UpDown::valueChanged, this, &frmMainForm::UpDownPeople_Change);
    connect(m_updSmena, &UpDown::valueChanged, this, &frmMainForm::UpDownSmena_Change);
    connect(m_rtbDeffine, &QPlainTextEdit::textChanged, this, &frmMainForm::rtbDeffine_Change);
    connect(m_cmdDataBegin, &QPushButton::clicked, this, &frmMainForm::cmdDataBegin_Click);
    connect(m_cmdDataEnd, &QPushButton::clicked, this, &frmMainForm::cmdDataEnd_Click);
    connect(m_cmdMenu, &QPushButton::clicked, this, &frmMainForm::cmdMenu_Click);
    connect(m_cmdRaklad, &QPushButton::clicked, this, &frmMainForm::cmdRaklad_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmMainForm::cmdClose_Click);
}

void frmMainForm::buildMenus()
{
    m_menuFile = menuBar()->addMenu(QStringLiteral("&Файл"));
    m_menuFile->setObjectName(QStringLiteral("menuMainFile"));
    QAction* open = m_menuFile->addAction(QStringLiteral("&Открыть..."));
    open->setObjectName(QStringLiteral("menuMainFileOpen"));
    open->setShortcut(QKeySequence::Open);
    m_actSave = m_menuFile->addAction(QStringLiteral("&Сохранить"));
    m_actSave->setObjectName(QStringLiteral("menuMainFileSave"));
    m_actSave->setShortcut(QKeySequence::Save);
    QAction* saveAs = m_menuFile->addAction(QStringLiteral("Сохранить &как..."));
    saveAs->setObjectName(QStringLiteral("menuMainFileSaveAs"));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // Added after the file commands, which keep their places.
    m_menuFile->addSeparator();
    QMenu* newTrip = m_menuFile->addMenu(QStringLiteral("&Новый поход"));
    newTrip->setObjectName(QStringLiteral("menuMainFileNew"));
    const std::array<std::tuple<const char*, QString, NewFrom>, 3> froms{
        std::tuple{"menuMainFileNewEmpty", QStringLiteral("С &пустым каталогом"), NewFrom::Empty},
        std::tuple{"menuMainFileNewSample", QStringLiteral("&Каталог и меню примера (Карелия)"), NewFrom::Sample},
        std::tuple{"menuMainFileNewFile", QStringLiteral("Каталог из &файла похода..."), NewFrom::File}};
    for (const auto& [name, text, from] : froms) {
        QAction* act = newTrip->addAction(text);
        act->setObjectName(QLatin1String(name));
        connect(act, &QAction::triggered, this, [this, from] { NewTrip(from); });
        if (from == NewFrom::Empty)
            act->setShortcut(QKeySequence::New);
    }
    m_recent = new RecentTripsMenu(*m_menuFile);
    connect(m_recent, &RecentTripsMenu::chosen, this, &frmMainForm::menuMainFileRecent_Click);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    edit->addAction(m_forms.Undo().undoAction());
    edit->addAction(m_forms.Undo().redoAction());

    // The tools beyond the layout: energy and cost, the carry split, the document back end.
    m_menuService = menuBar()->addMenu(QStringLiteral("&Сервис"));
    m_menuService->setObjectName(QStringLiteral("mnuService"));
    QAction* nutrition = m_menuService->addAction(QStringLiteral("&Питание и закупка..."));
    nutrition->setObjectName(QStringLiteral("mnuNutrition"));
    connect(nutrition, &QAction::triggered, this, &frmMainForm::mnuNutrition_Click);
    QAction* carry = m_menuService->addAction(QStringLiteral("&Раздача по рюкзакам..."));
    carry->setObjectName(QStringLiteral("mnuCarry"));
    connect(carry, &QAction::triggered, this, [this] {
        if (!m_blnRefusedClick && commitFocusedField()) {
            closeDateDialog();
            Forms::openFrom(*this, m_forms.Carry());
        }
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("Помо&щь"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* helpWindow = help->addAction(QStringLiteral("Помо&щь"));
    helpWindow->setObjectName(QStringLiteral("mnuHelpWindow"));
    helpWindow->setShortcut(QKeySequence::HelpContents);
    QAction* about = help->addAction(QStringLiteral("О &программе"));
    about->setObjectName(QStringLiteral("mnuAbout"));

    connect(m_menuFile, &QMenu::aboutToShow, this, &frmMainForm::menuMainFile_Open);
    connect(open, &QAction::triggered, this, &frmMainForm::menuMainFileOpen_Click);
    connect(m_actSave, &QAction::triggered, this, &frmMainForm::menuMainFileSave_Click);
    connect(saveAs, &QAction::triggered, this, [this] { menuMainFileSaveAs_Click(); });
    connect(helpWindow, &QAction::triggered, this, &frmMainForm::mnuHelpWindow_Click);
    connect(about, &QAction::triggered, this, &frmMainForm::mnuAbout_Click);
    updateSaveEnabled();
}

void frmMainForm::addStatusPanel(const QString& strText)
{
    auto* panel = new StatusPanel(strText, statusBar());
    panel->setToolTip(strText);
    panel->setMargin(2);
    statusBar()->addWidget(panel, m_panels.isEmpty() ? 1 : 2);
    m_panels.append(panel);
    for (qsizetype i = 0; i < m_panels.size(); ++i)
        m_panels[i]->setObjectName(QStringLiteral("StatusBarMainPanel%1").arg(i + 1));
}

QStringList frmMainForm::StatusPanelTexts() const
{
    QStringList texts;
    for (const QLabel* panel : m_panels)
        texts.append(panel->text());
    return texts;
}

// ---- fields ----

bool frmMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_blnRejecting) {
        // Switching to another program, opening a menu or entering the menu bar is no
        // leaving of the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            if (watched == m_txtDataBegin)
                txtDataBegin_LostFocus();
            else if (watched == m_txtDataEnd)
                txtDataEnd_LostFocus();
            else if (watched == m_txtCountPeople)
                txtCountPeople_LostFocus();
            else if (watched == m_txtSmena)
                txtSmena_LostFocus();
        }
    } else if (event->type() == QEvent::Shortcut && qobject_cast<QPushButton*>(watched)) {
        // A mnemonic leaves the field and presses the button in one gesture: a refused
        // field stops the press as well.
        if (!leaveFocusedField())
            return true;
    } else if (m_blnRefusedClick && qobject_cast<QPushButton*>(watched) &&
               (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                event->type() == QEvent::MouseButtonDblClick)) {
        // The click that left a refused field must not act on what was refused.
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMainForm::rejectField(QLineEdit& txt)
{
    m_blnRejecting = true;
    txt.clear();
    MessageBox::show(this, kBadInput, kBadInputCaption, MessageBox::OkOnly, MessageBox::Warning);
    txt.setFocus(Qt::OtherFocusReason);
    m_blnRejecting = false;
    if (!m_blnRefusedClick) {
        m_blnRefusedClick = true;
        QTimer::singleShot(0, this, [this] { m_blnRefusedClick = false; });
    }
}

bool frmMainForm::dateLostFocus(QLineEdit& txt, QDate TripSettings::*dtTarget)
{
    if (txt.text().isEmpty())
        return true;
    const std::optional<QDate> dt = RuDate::parseShort(txt.text());
    if (!dt) {
        rejectField(txt);
        return false;
    }
    changeSettings(dtTarget == &TripSettings::dtDataBegin ? QStringLiteral("дата начала")
                                                          : QStringLiteral("дата окончания"),
                   [&](TripSettings& s) { s.*dtTarget = *dt; });
    // Shown as it was understood: "1.7.02" becomes "01.07.2002".
    txt.setText(RuDate::shortDate(*dt));
    txt.setModified(false);
    return true;
}

bool frmMainForm::txtDataBegin_LostFocus()
{
    return dateLostFocus(*m_txtDataBegin, &TripSettings::dtDataBegin);
}

bool frmMainForm::txtDataEnd_LostFocus()
{
    return dateLostFocus(*m_txtDataEnd, &TripSettings::dtDataEnd);
}

bool frmMainForm::countLostFocus(QLineEdit& txt, int intLimit, qint16 TripSettings::*intTarget, UpDown& upd)
{
    const std::optional<double> value = readCount(txt.text());
    // The rounded count must be a value the spinner can hold: 0.4 or 50.6 are refused
    // rather than stored as 0 or 51.
    qint64 intValue = 0;
    if (value && *value > 0 && *value < intLimit)
        intValue = Numeric::roundHalfEven(*value);
    if (intValue < 1 || intValue >= intLimit) {
        rejectField(txt);
        return false;
    }
    if (intTarget == &TripSettings::intCountPeople && upd.value() != intValue) {
        // The spinner's change below makes the step, the shifts and participants following.
    } else if (intTarget == &TripSettings::intCountPeople) {
        TripSettings s = m_g;
        s.intCountPeople = static_cast<qint16>(intValue);
        const QScopedValueRollback own(m_blnOwnChange, true);
        m_g.edits.setCountPeople(s, QStringLiteral("число участников"));
    } else {
        changeSettings(QStringLiteral("число смен"),
                       [&](TripSettings& s) { s.*intTarget = static_cast<qint16>(intValue); });
    }
    txt.setText(QString::number(intValue));
    txt.setModified(false);
    if (&upd == m_updSmena)
        setSmenaSpinner(static_cast<qint16>(intValue));
    else
        upd.setValue(static_cast<int>(intValue));
    return true;
}

bool frmMainForm::txtCountPeople_LostFocus()
{
    return countLostFocus(*m_txtCountPeople, 51, &TripSettings::intCountPeople, *m_updPeople);
}

bool frmMainForm::txtSmena_LostFocus()
{
    return countLostFocus(*m_txtSmena, 26, &TripSettings::intCountSmena, *m_updSmena);
}

bool frmMainForm::commitFocusedField()
{
    QWidget* focus = QApplication::focusWidget();
    auto* field = qobject_cast<QLineEdit*>(focus);
    if (!field || !field->isModified())
        return true;
    if (field == m_txtDataBegin)
        return txtDataBegin_LostFocus();
    if (field == m_txtDataEnd)
        return txtDataEnd_LostFocus();
    if (field == m_txtCountPeople)
        return txtCountPeople_LostFocus();
    if (field == m_txtSmena)
        return txtSmena_LostFocus();
    return true;
}

bool frmMainForm::leaveFocusedField()
{
    QWidget* focus = QApplication::focusWidget();
    if (focus == m_txtDataBegin)
        return txtDataBegin_LostFocus();
    if (focus == m_txtDataEnd)
        return txtDataEnd_LostFocus();
    if (focus == m_txtCountPeople)
        return txtCountPeople_LostFocus();
    if (focus == m_txtSmena)
        return txtSmena_LostFocus();
    return true;
}

void frmMainForm::UpDownPeople_Change(int intValue)
{
    m_txtCountPeople->setText(QString::number(intValue));
    m_txtCountPeople->setModified(false);
    const auto intPeople = static_cast<qint16>(intValue);
    // Half the group, ties to even, at least one shift: 1..12 give 1 1 2 2 2 3 4 4 4 5 6 6.
    const auto intSmena = static_cast<qint16>(qMax<qint64>(1, Numeric::roundHalfEven(intValue / 2.0)));
    TripSettings s = m_g;
    s.intCountPeople = intPeople;
    s.intCountSmena = intSmena;
    {
        const QScopedValueRollback own(m_blnOwnChange, true);
        m_g.edits.setCountPeople(s, QStringLiteral("число участников"));
    }
    m_txtSmena->setText(QString::number(intSmena));
    m_txtSmena->setModified(false);
    setSmenaSpinner(intSmena);
}

void frmMainForm::setSmenaSpinner(qint16 intSmena)
{
    // The spinner's change resets the export dialog's shift; when the spinner already
    // shows the number the count may still have changed, so the reset is done here.
    if (m_updSmena->value() == intSmena)
        ResetPrintSmena();
    else
        m_updSmena->setValue(intSmena);
}

void frmMainForm::ResetPrintSmena()
{
    if (m_forms.hasPrintOption())
        m_forms.PrintOption().ResetSmena(m_g.intCountSmena);
}

void frmMainForm::UpDownSmena_Change(int intValue)
{
    m_txtSmena->setText(QString::number(intValue));
    m_txtSmena->setModified(false);
    changeSettings(QStringLiteral("число смен"),
                   [&](TripSettings& s) { s.intCountSmena = static_cast<qint16>(intValue); });
    ResetPrintSmena();
}

void frmMainForm::rtbDeffine_Change()
{
    if (m_blnRewriting)
        return;
    // A burst of typing is one step.
    changeSettings(
        QStringLiteral("описание похода"), [&](TripSettings& s) { s.strDeffine = m_rtbDeffine->toPlainText(); },
        DescriptionMergeKey);
}

void frmMainForm::SetDataBegin(const QDate& dt)
{
    m_txtDataBegin->setText(RuDate::shortDate(dt));
    m_txtDataBegin->setModified(false);
    changeSettings(QStringLiteral("дата начала"), [&](TripSettings& s) { s.dtDataBegin = dt; });
}

void frmMainForm::SetDataEnd(const QDate& dt)
{
    m_txtDataEnd->setText(RuDate::shortDate(dt));
    m_txtDataEnd->setModified(false);
    changeSettings(QStringLiteral("дата окончания"), [&](TripSettings& s) { s.dtDataEnd = dt; });
}

void frmMainForm::changeSettings(const QString& strWhat, const std::function<void(TripSettings&)>& edit,
                                 int intMergeKey)
{
    TripSettings s = m_g;
    edit(s);
    const QScopedValueRollback own(m_blnOwnChange, true);
    m_g.edits.setSettings(s, strWhat, intMergeKey);
}

void frmMainForm::tripChanged(unsigned parts)
{
    // The window's own fields already show what it changed; undo and redo come from elsewhere.
    if (m_blnOwnChange || !(parts & (TripEditor::SettingsPart | TripEditor::ParticipantsPart)))
        return;
    ReWriteOption();
    ResetPrintSmena();
}

// ---- checks and refresh ----

void frmMainForm::ShowFormatError(const QString& strMessage)
{
    MessageBox::show(this, strMessage, QStringLiteral("Неверный формат данных"), MessageBox::OkOnly,
                     MessageBox::Warning);
}

bool frmMainForm::TestOption()
{
    const TripCheck::Result r = TripCheck::check(m_g.dtDataBegin, m_g.dtDataEnd, m_g.intCountPeople, m_g.intCountSmena);
    if (!r.ok()) {
        ShowFormatError(r.strMessage);
        QLineEdit* txt = r.field == TripCheck::Field::DataBegin     ? m_txtDataBegin
                         : r.field == TripCheck::Field::CountPeople ? m_txtCountPeople
                                                                    : m_txtSmena;
        txt->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // The days follow the dates: with the change that set them, so that undo takes both.
    TripSettings s = m_g;
    s.intCountDay = r.intCountDay;
    const QScopedValueRollback own(m_blnOwnChange, true);
    m_g.edits.followSettings(s, QStringLiteral("продолжительность похода"));
    return true;
}

void frmMainForm::ReWriteOption()
{
    // The start-up dates, and any pair too far apart for a trip, are not shown.
    if (m_g.dtDataBegin.daysTo(m_g.dtDataEnd) >= 50) {
        clearStaleFields();
        return;
    }
    m_blnRewriting = true;
    m_txtDataBegin->setText(RuDate::shortDate(m_g.dtDataBegin));
    m_txtDataEnd->setText(RuDate::shortDate(m_g.dtDataEnd));
    m_txtCountPeople->setText(QString::number(m_g.intCountPeople));
    m_txtSmena->setText(QString::number(m_g.intCountSmena));
    for (QLineEdit* t : {m_txtDataBegin, m_txtDataEnd, m_txtCountPeople, m_txtSmena})
        t->setModified(false);
    // The spinners follow without their change handlers, which would put the default
    // number of shifts over the stored one.
    m_updPeople->setValueSilently(m_g.intCountPeople);
    m_updSmena->setValueSilently(m_g.intCountSmena);
    if (m_rtbDeffine->toPlainText() != m_g.strDeffine)
        m_rtbDeffine->setPlainText(m_g.strDeffine);
    m_blnRewriting = false;
}

void frmMainForm::clearStaleFields()
{
    // What is not refreshed must not show another trip (one opened since): leaving such a
    // field would write that trip's value into this one. A field that already agrees with
    // the trip, as one the user has just filled in, keeps its text.
    m_blnRewriting = true;
    const auto clear = [](QLineEdit* txt) {
        txt->clear();
        txt->setModified(false);
    };
    for (auto [txt, dt] : {std::pair{m_txtDataBegin, m_g.dtDataBegin}, std::pair{m_txtDataEnd, m_g.dtDataEnd}}) {
        if (!txt->text().isEmpty() && RuDate::parseShort(txt->text()) != dt)
            clear(txt);
    }
    for (auto [txt, intCount] :
         {std::pair{m_txtCountPeople, m_g.intCountPeople}, std::pair{m_txtSmena, m_g.intCountSmena}}) {
        if (!txt->text().isEmpty() && txt->text() != QString::number(intCount))
            clear(txt);
    }
    if (m_rtbDeffine->toPlainText() != m_g.strDeffine)
        m_rtbDeffine->setPlainText(m_g.strDeffine);
    m_blnRewriting = false;
}

// ---- files ----

void frmMainForm::menuMainFile_Open()
{
    updateSaveEnabled();
}

void frmMainForm::updateSaveEnabled()
{
    m_actSave->setEnabled(!m_g.strFileName.isEmpty());
}

void frmMainForm::ViewFileName()
{
    if (m_panels.size() > 1) {
        QLabel* first = m_panels.takeFirst();
        statusBar()->removeWidget(first);
        first->deleteLater();
        m_panels.first()->setObjectName(QStringLiteral("StatusBarMainPanel1"));
    }
    const QString strText = QStringLiteral("Файл: ") + m_g.strFileName;
    m_panels.first()->setText(strText);
    m_panels.first()->setToolTip(strText);
    statusBar()->setToolTip(strText);
    updateSaveEnabled();
}

bool frmMainForm::QuerySave()
{
    if (!m_g.blnChanged)
        return true;
    const MessageBox::Button answer = MessageBox::show(this, QStringLiteral("Сохранить раскладку?"), windowTitle(),
                                                       MessageBox::YesNo, MessageBox::Question);
    if (answer != MessageBox::Yes) {
        // The changes are given up knowingly: their copy goes with them.
        m_recovery->forget();
        return true;
    }
    if (!m_g.strFileName.isEmpty())
        return SaveRasklad();
    return menuMainFileSaveAs_Click();
}

bool frmMainForm::SaveRasklad()
{
    if (m_g.strFileName.isEmpty())
        return false;
    return saveTo(m_g.strFileName);
}

bool frmMainForm::saveTo(const QString& strPath)
{
    QString strMessage;
    if (!TripFile::save(m_g, strPath, strMessage)) {
        // The file on disk and the current file name stay as they were.
        MessageBox::show(this, strMessage, TripFile::errorTitle(), MessageBox::OkOnly, MessageBox::Critical);
        return false;
    }
    m_g.strFileName = strPath;
    m_g.blnChanged = false;
    m_forms.Undo().setSaved();
    m_recovery->forget();
    ViewFileName();
    m_recent->add(strPath);
    return true;
}

bool frmMainForm::LoadRasklad()
{
    if (m_g.strFileName.isEmpty())
        return false;
    QString strMessage;
    QString strDetail;
    if (!TripFile::load(m_g, m_g.strFileName, strMessage, &strDetail)) {
        // What was wrong and on which line, so the file can be mended.
        if (!strDetail.isEmpty())
            strMessage += QStringLiteral("\n\n") + strDetail.first(1).toUpper() + strDetail.mid(1);
        MessageBox::show(this, strMessage, TripFile::errorTitle(), MessageBox::OkOnly, MessageBox::Critical);
        return false;
    }
    ReWriteOption();
    ViewFileName();
    ResetPrintSmena();
    // The editor, once made, shows the new ration; before that it builds its tabs from
    // the ration when first shown.
    if (m_forms.hasMenu()) {
        m_forms.Menu().RebuildDayTabs();
        m_forms.Menu().VisibleCatalog();
    }
    return true;
}

bool frmMainForm::OpenFile(const QString& strPath)
{
    if (strPath.isEmpty())
        return false;
    const QString strOld = m_g.strFileName;
    m_g.strFileName = strPath;
    if (!LoadRasklad()) {
        m_g.strFileName = strOld;
        return false;
    }
    m_recent->add(strPath);
    return true;
}

void frmMainForm::menuMainFileRecent_Click(const QString& strPath)
{
    // Asked before the save question: a trip that cannot be opened is no reason to save.
    if (!QFileInfo::exists(strPath)) {
        MessageBox::show(this,
                         QStringLiteral("Файл не найден: %1\n\nОн убран из списка последних походов.")
                             .arg(QDir::toNativeSeparators(strPath)),
                         TripFile::errorTitle(), MessageBox::OkOnly, MessageBox::Warning);
        m_recent->remove(strPath);
        return;
    }
    if (!commitFocusedField() || !QuerySave())
        return;
    OpenFile(strPath);
}

bool frmMainForm::NewTrip(NewFrom from)
{
    if (m_blnRefusedClick || !commitFocusedField() || !QuerySave())
        return false;
    const auto refuse = [this](const QString& strText) {
        MessageBox::show(this, strText + QStringLiteral("\nОткрытый поход не изменён."), TripFile::errorTitle(),
                         MessageBox::OkOnly, MessageBox::Critical);
        return false;
    };
    TripData data = TripTemplate::make();
    if (from != NewFrom::Empty) {
        QString strPath = TripTemplate::samplePath();
        if (from == NewFrom::File) {
            const QString strDir = m_g.strFileName.isEmpty() ? QString() : QFileInfo(m_g.strFileName).absolutePath();
            strPath = FileDialog::getOpenFileName(this, QStringLiteral("Каталог из похода"), kFilter, strDir);
            if (strPath.isEmpty())
                return false;
        }
        TripData source;
        QString strError;
        if (!TripFile::readFile(strPath, source, strError))
            return refuse(TripFile::readErrorText() + QStringLiteral("\n\n%1\n%2").arg(strPath, strError));
        data = TripTemplate::make(&source, from == NewFrom::Sample);
    }
    QString strError;
    if (!TripFile::apply(std::move(data), m_g, strError))
        return refuse(strError);
    m_g.strFileName.clear();
    // A borrowed catalog is work the user would not want to lose unasked.
    m_g.blnChanged = from != NewFrom::Empty;
    // The empty trip is as good as saved: undoing back to it clears the mark again.
    if (m_g.blnChanged)
        m_forms.Undo().setNothingSaved();
    else
        m_forms.Undo().setSaved();
    ReWriteOption();
    ViewFileName();
    m_panels.first()->setText(QStringLiteral("Новая раскладка"));
    m_panels.first()->setToolTip(m_panels.first()->text());
    ResetPrintSmena();
    if (m_forms.hasMenu()) {
        m_forms.Menu().RebuildDayTabs();
        m_forms.Menu().VisibleCatalog();
    }
    return true;
}

void frmMainForm::menuMainFileOpen_Click()
{
    if (!commitFocusedField() || !QuerySave())
        return;
    const QString strDir = m_g.strFileName.isEmpty() ? QString() : QFileInfo(m_g.strFileName).absolutePath();
    const QString strPath = FileDialog::getOpenFileName(this, QStringLiteral("Открыть файл"), kFilter, strDir);
    OpenFile(strPath);
}

void frmMainForm::menuMainFileSave_Click()
{
    if (m_g.strFileName.isEmpty() || !commitFocusedField())
        return;
    SaveRasklad();
}

bool frmMainForm::menuMainFileSaveAs_Click()
{
    if (!commitFocusedField())
        return false;
    const QString strDir = m_g.strFileName;
    const QString strPath = FileDialog::getSaveFileName(this, QStringLiteral("Сохранить как ..."), kFilter, strDir);
    if (strPath.isEmpty())
        return false;
    return saveTo(strPath);
}

// ---- commands ----

void frmMainForm::mnuHelpWindow_Click()
{
    Help::showContents(this);
}

void frmMainForm::closeDateDialog()
{
    // After a refused date the date dialog stays open with this window usable. A window
    // opened from here must not find it still open: closing it later would enable this
    // window under that one, and the trip could change beneath the editor or the layout.
    if (m_forms.hasCalendar() && m_forms.Calendar().isVisible())
        m_forms.Calendar().reject();
}

void frmMainForm::mnuAbout_Click()
{
    // The about box takes the focus from the field: a refused field keeps it.
    if (!leaveFocusedField())
        return;
    closeDateDialog();
    Forms::openFrom(*this, m_forms.About());
}

void frmMainForm::mnuNutrition_Click()
{
    if (m_blnRefusedClick || !commitFocusedField())
        return;
    closeDateDialog();
    frmNutrition& nutrition = m_forms.Nutrition();
    nutrition.Init();
    Forms::openFrom(*this, nutrition);
}

void frmMainForm::cmdDataBegin_Click()
{
    if (m_blnRefusedClick)
        return;
    frmCalendar& cal = m_forms.Calendar();
    if (!m_txtDataBegin->text().isEmpty()) {
        if (const std::optional<QDate> dt = RuDate::parseShort(m_txtDataBegin->text()))
            cal.SetDate(*dt);
    }
    // The dialog sets one date at a time: the button pressed last decides which.
    m_g.blnDataBegin = true;
    m_g.blnDataEnd = false;
    Forms::openFrom(*this, cal);
    cal.SetStatus(QStringLiteral("Дата начала похода"));
}

void frmMainForm::cmdDataEnd_Click()
{
    if (m_blnRefusedClick)
        return;
    frmCalendar& cal = m_forms.Calendar();
    if (!m_txtDataEnd->text().isEmpty()) {
        if (const std::optional<QDate> dt = RuDate::parseShort(m_txtDataEnd->text()))
            cal.SetDate(*dt);
    }
    m_g.blnDataEnd = true;
    m_g.blnDataBegin = false;
    Forms::openFrom(*this, cal);
    cal.SetStatus(QStringLiteral("Дата окончания похода"));
}

void frmMainForm::cmdMenu_Click()
{
    if (m_blnRefusedClick)
        return;
    m_g.blnChanged = true;
    closeDateDialog();
    Forms::openFrom(*this, m_forms.Menu());
}

void frmMainForm::cmdRaklad_Click()
{
    if (m_blnRefusedClick || !commitFocusedField())
        return;
    if (!TestOption())
        return;
    try {
        m_g.objRasklad.Build(m_g.intCountDay, m_g.intPeriod);
    } catch (const ModelError&) {
        // A ration without daily menus (from a damaged file) cannot be laid out.
        ShowFormatError(QStringLiteral("Некорректные данные!"));
        return;
    }
    m_g.blnChanged = true;
    frmRasklad& rasklad = m_forms.Rasklad();
    rasklad.Init();
    closeDateDialog();
    Forms::openFrom(*this, rasklad);
}

void frmMainForm::cmdClose_Click()
{
    if (m_blnRefusedClick || !commitFocusedField() || !QuerySave())
        return;
    m_blnEnding = true;
    close();
}

void frmMainForm::closeEvent(QCloseEvent* event)
{
    if (!m_blnEnding) {
        // Closing by the frame asks as "&Выход" does: changed work is not lost silently.
        if (!commitFocusedField() || !QuerySave()) {
            event->ignore();
            return;
        }
        m_blnEnding = true;
    }
    event->accept();
    // The program ends with its first window: no other window stays behind.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->hide();
    }
}

// ---- recovery after a crash ----

bool frmMainForm::RestoreFrom(const QString& strCopy, const QString& strTripPath)
{
    const QString strOld = m_g.strFileName;
    m_g.strFileName = strCopy;
    if (!LoadRasklad()) {
        m_g.strFileName = strOld;
        return false;
    }
    // The copy stands for its own trip: a save goes to that file, never to the copy.
    m_g.strFileName = strTripPath;
    ViewFileName();
    if (strTripPath.isEmpty()) {
        m_panels.first()->setText(QStringLiteral("Новая раскладка"));
        m_panels.first()->setToolTip(m_panels.first()->text());
    }
    m_g.blnChanged = true;
    m_forms.Undo().setNothingSaved();
    // This run's own copy is on disk before the old one may go.
    m_recovery->noteChanged();
    return m_recovery->flush();
}
