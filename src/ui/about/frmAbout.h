#pragma once

#include <QWidget>

class Forms;
class KeyStore;
class QLabel;
class QPushButton;
struct GlobalVariable;

// The about box: name and version, help, the system information tool and the maker's
// mail and site links. The main window opens it with Forms::openFrom; closing it (OK,
// Escape or the frame) enables the main window again and destroys the box.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    frmAbout(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // Starts the system information tool, or says it cannot.
    void StartSysInfo();
    // Reads a value from the key store (the system's unless one was set).
    bool GetKeyValue(quint32 root, const QString& keyName, const QString& valueName, QString& keyVal) const;
    // The store StartSysInfo asks; it must outlive the box.
    void setKeyStore(const KeyStore& store) { m_keyStore = &store; }

    // The mailto: link the mail label opens: recipient, subject and greeting.
    static QUrl mailUrl();
    static QString versionText(); // "Version 3.1"

signals:
    // The window has closed; the main window takes over again (Forms wires it).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdOK_Click();
    void cmdHelp_Click();
    void lblMail_Click();
    void lblSite_Click();
    void showHover(QLabel* shadow);
    QString caption() const;

    GlobalVariable& m_g;
    Forms& m_forms;
    const KeyStore* m_keyStore;
    QLabel* lblVersion = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblMail[2] = {nullptr, nullptr};
    QLabel* lblSite[2] = {nullptr, nullptr};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};
