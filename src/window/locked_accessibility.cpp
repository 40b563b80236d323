#include "locked_accessibility.h"

#include "locked_check_box.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

namespace kivo {
namespace {

// The locked check box: read as a check box with its state, and only ever focused.
class LockedCheckBoxAccessible : public QAccessibleWidget {
public:
    explicit LockedCheckBoxAccessible(LockedCheckBox* box)
        : QAccessibleWidget(box, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return box()->text().remove(u'&');
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = box()->isChecked();
        return state;
    }
    // QAccessibleWidget's actions, focus alone: no toggle or press is offered, and one asked for
    // by name is not one it knows, so it does nothing.

private:
    LockedCheckBox* box() const { return static_cast<LockedCheckBox*>(widget()); }
};

// A read-only box: its text to read, select and move through, as Qt's own line edit offers it,
// but no editable-text interface and no value to set.
class ReadOnlyBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyBoxAccessible(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value && box()->echoMode() == QLineEdit::Normal)
            return box()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTextInterface, on the box's own text, caret and selection.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        if (start > end || box()->echoMode() != QLineEdit::Normal)
            return {};
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(box()->text().size()); }
    QRect characterRect(int offset) const override {
        // Measured from the caret, the one place in the text the box reports.
        const QString shown = box()->text();
        if (offset < 0 || offset >= shown.size())
            return {};
        const QFontMetrics metrics(box()->font());
        const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                      metrics.horizontalAdvance(shown.left(box()->cursorPosition()));
        const QRect character(x, caret.y(), metrics.horizontalAdvance(shown.at(offset)),
                              metrics.height());
        return character.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset; // a line edit's text has no attributes
        return {};
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* lockedControlsFactory(const QString&, QObject* object) {
    if (auto* check = qobject_cast<LockedCheckBox*>(object))
        return new LockedCheckBoxAccessible(check);
    // A line edit locked when its interface is first asked for: the window locks its boxes as it
    // makes them. Qt's own interface stays for any other line edit (the file dialog's, say).
    if (auto* box = qobject_cast<QLineEdit*>(object); box && box->isReadOnly())
        return new ReadOnlyBoxAccessible(box);
    return nullptr;
}

} // namespace

void installLockedAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(lockedControlsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace kivo
