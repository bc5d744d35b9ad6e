// Linked into a program to time its start-up as a whole process: the program quits
// as soon as its first window has been painted. Both the program's own main() and the
// minimal window program get the same probe, so the two are measured alike.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_bSeen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_bSeen = true;
            // The rest of this paint (the window's children) finishes before the loop
            // gets to the quit.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    bool m_bSeen = false;
};

void installProbe()
{
    auto* probe = new FirstPaint(qApp);
    qApp->installEventFilter(probe);
    // A window that never paints is a failure of the measurement, not a hang.
    QTimer::singleShot(20000, qApp, [] {
        std::fputs("start-up probe: no window was painted\n", stderr);
        std::exit(3);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
