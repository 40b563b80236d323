#include "keyboard_tool_bar.h"

#include <QActionEvent>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

namespace kivo {

void KeyboardToolBar::actionEvent(QActionEvent* event) {
    QToolBar::actionEvent(event);
    if (event->type() == QEvent::ActionAdded)
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(event->action())))
            button->installEventFilter(this);
    keepOneTabStop(); // a button added, enabled or disabled
}

std::vector<QToolButton*> KeyboardToolBar::enabledButtons() const {
    std::vector<QToolButton*> buttons;
    for (QAction* action : actions())
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action)))
            if (action->isEnabled() && action->isVisible())
                buttons.push_back(button);
    return buttons;
}

void KeyboardToolBar::keepOneTabStop() {
    const auto enabled = enabledButtons();
    if (std::ranges::find(enabled, tabStop_.data()) == enabled.end())
        tabStop_ = enabled.empty() ? nullptr : enabled.front();
    for (QAction* action : actions())
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action)))
            button->setFocusPolicy(button == tabStop_ ? Qt::TabFocus : Qt::NoFocus);
}

void KeyboardToolBar::moveFocus(QToolButton* from, int steps) {
    const auto enabled = enabledButtons();
    const auto here = std::ranges::find(enabled, from);
    const auto at = here - enabled.begin() + steps;
    if (here == enabled.end() || at < 0 || at >= std::ssize(enabled))
        return; // the ends do not wrap
    tabStop_ = enabled[std::size_t(at)];
    keepOneTabStop();
    tabStop_->setFocus(Qt::TabFocusReason);
}

bool KeyboardToolBar::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QToolButton*>(watched);
    if (!button || event->type() != QEvent::KeyPress)
        return QToolBar::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        moveFocus(button, -1);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        moveFocus(button, +1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: // Space the button handles itself
        button->click();
        return true;
    default:
        return QToolBar::eventFilter(watched, event);
    }
}

} // namespace kivo
