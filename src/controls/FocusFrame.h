#pragma once

#include <QMargins>
#include <QWidget>

// The focus mark around a standard control that draws none of its own (the borderless search
// box): a ring just outside the control, shown while it has the keyboard focus.
class FocusFrame : public QWidget
{
    Q_OBJECT
public:
    // The ring runs `margins` outside the target, inside the target's parent.
    FocusFrame(QWidget* target, QMargins margins);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QWidget* m_target;
    QMargins m_margins;
};
