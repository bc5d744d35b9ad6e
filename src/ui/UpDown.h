#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <functional>

class QToolButton;

// A spinner of two arrow buttons bound to a text box: it holds a whole number in a
// range, the arrows step it by one, and the bound text box shows every new value.
// Setting the value from code raises valueChanged at once when the value differs, the
// way the arrows do; setting the same value raises nothing.
class UpDown : public QWidget
{
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return m_value; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

    // A value outside the range is brought to its nearer end. A range given upside
    // down is swapped.
    void setValue(int value);
    void setRange(int minimum, int maximum);
    void setMinimum(int minimum) { setRange(minimum, qMax(minimum, m_max)); }
    void setMaximum(int maximum) { setRange(qMin(m_min, maximum), maximum); }

    // The text box that shows every new value from now on. Null unbinds.
    void setBuddy(QLineEdit* buddy);
    QLineEdit* buddy() const { return m_buddy; }

    // Moves the spinner alone: no valueChanged and the bound text box keeps its text.
    void setValueSilently(int value);

    // How an arrow takes what was typed into the bound box and not yet taken, before it
    // steps: the box's own check, which sets the spinner. False (the text was refused)
    // stops the step. Without one, a typed text is stepped over.
    void setTakeTyped(std::function<bool()> takeTyped);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void stepUp();
    void stepDown();

signals:
    void valueChanged(int value);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int bounded(int value) const { return qBound(m_min, value, m_max); }
    void apply(int value, bool notify);
    void updateArrows();
    bool hasTyped() const;
    bool takeTyped();

    QToolButton* m_up;
    QToolButton* m_down;
    QPointer<QLineEdit> m_buddy;
    std::function<bool()> m_takeTyped;
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};
