#pragma once

#include <QPointer>
#include <QToolBar>

#include <vector>

class QToolButton;

namespace kivo {

// A toolbar that is one stop of the tab order, as keyboard and screen-reader users know
// toolbars: Tab lands on one of its buttons, the arrow keys move between the enabled buttons
// (disabled ones are skipped), and Space or Enter presses the button that has focus.
class KeyboardToolBar : public QToolBar {
    Q_OBJECT
public:
    using QToolBar::QToolBar;

protected:
    void actionEvent(QActionEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QToolButton*> enabledButtons() const;
    void keepOneTabStop();
    void moveFocus(QToolButton* from, int steps);

    QPointer<QToolButton> tabStop_; // the one button Tab lands on
};

} // namespace kivo
