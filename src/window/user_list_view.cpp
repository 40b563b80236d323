#include "user_list_view.h"

#include <QAccessible>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kivo {
namespace {

int clampedToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

QItemSelectionModel::SelectionFlags UserListView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    const auto command = QListView::selectionCommand(index, event);
    if (!index.isValid() ||
        command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return command;
}

int UserListView::rows() const {
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex UserListView::row(int number) const {
    return model()->index(number, modelColumn(), rootIndex());
}

void UserListView::measureRows() {
    if (rows() == 0)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex first = row(0);
    rowSize_ = itemDelegateForIndex(first)->sizeHint(option, first).expandedTo({1, 1});
}

int UserListView::rowsInView() const {
    return std::max(1, viewport()->height() / rowSize_.height());
}

int UserListView::verticalOffset() const {
    const int value = verticalScrollBar()->value();
    return perItem() ? clampedToInt(std::int64_t{value} * rowSize_.height()) : value;
}

int UserListView::horizontalOffset() const {
    const QScrollBar* bar = horizontalScrollBar();
    return isRightToLeft() ? bar->maximum() - bar->value() : bar->value();
}

QRect UserListView::rowRect(int number) const {
    const std::int64_t top = std::int64_t{number} * rowSize_.height() - verticalOffset();
    return {-horizontalOffset(), clampedToInt(top), std::max(rowSize_.width(), viewport()->width()),
            rowSize_.height()};
}

int UserListView::rowAt(int y) const {
    const std::int64_t inContents = std::int64_t{y} + verticalOffset();
    if (inContents < 0)
        return -1;
    const std::int64_t number = inContents / rowSize_.height();
    return number < rows() ? static_cast<int>(number) : -1;
}

QRect UserListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() ||
        index.column() != modelColumn())
        return {};
    return rowRect(index.row());
}

QModelIndex UserListView::indexAt(const QPoint& point) const {
    const int number = rowAt(point.y());
    if (number < 0 || !rowRect(number).contains(point))
        return {};
    return row(number);
}

void UserListView::doItemsLayout() {
    // Showing or hiding a scroll bar resizes the viewport: not a reason to lay out again.
    const State before = state();
    setState(ExpandingState);
    measureRows();
    QAbstractItemView::doItemsLayout();
    setState(before);
}

void UserListView::updateGeometries() {
    const int count = rows();
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    if (count == 0 || geometry().isEmpty()) {
        vertical->setRange(0, 0);
        horizontal->setRange(0, 0);
        QAbstractItemView::updateGeometries();
        return;
    }
    const int height = rowSize_.height();
    const int shown = viewport()->height();
    const std::int64_t contentsHeight = std::int64_t{count} * height;
    if (perItem()) {
        const int page = contentsHeight > shown ? rowsInView() : count;
        vertical->setSingleStep(1);
        vertical->setPageStep(page);
        vertical->setRange(0, count - page);
    } else {
        vertical->setSingleStep(height);
        vertical->setPageStep(shown);
        vertical->setRange(0, clampedToInt(std::max<std::int64_t>(0, contentsHeight - shown)));
    }
    // The rows are as wide as the first one's text, or the viewport. With both scroll bars
    // shown as needed, one appearing must not make the other appear for its room alone.
    const int contentsWidth = rowSize_.width();
    horizontal->setSingleStep(contentsWidth);
    horizontal->setPageStep(viewport()->width());
    const bool bothAsNeeded = verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
                              horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded;
    const QSize room = contentsRect().marginsRemoved(viewportMargins()).size();
    const int widthLeft =
        contentsHeight > room.height() ? room.width() - vertical->width() : room.width();
    if (bothAsNeeded && contentsWidth <= widthLeft)
        horizontal->setRange(0, 0);
    else
        horizontal->setRange(0, std::max(0, contentsWidth - viewport()->width()));
    QAbstractItemView::updateGeometries();
}

void UserListView::updateFrom(int number) {
    const int top = std::max(0, rowRect(number).top());
    if (top < viewport()->height())
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

void UserListView::rowsInserted(const QModelIndex& parent, int first, int last) {
    QAbstractItemView::rowsInserted(parent, first, last);
    if (parent != rootIndex())
        return;
    if (first == 0)
        measureRows();
    updateGeometries();
    updateFrom(first);
}

void UserListView::rowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) {
    QAbstractItemView::rowsAboutToBeRemoved(parent, first, last);
    if (parent != rootIndex())
        return;
    updateFrom(first);
    // The rows are still there: the scroll bars are set once they are gone.
    scheduleDelayedItemsLayout();
}

void UserListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                               const QList<int>& roles) {
    if (topLeft.isValid() && topLeft.row() == 0 && topLeft.parent() == rootIndex()) {
        measureRows();
        updateGeometries();
    }
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
}

void UserListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row());
        QAccessible::updateAccessibility(&event);
    }
    QAbstractItemView::currentChanged(current, previous);
}

void UserListView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    if (QAccessible::isActive()) {
        const auto tell = [this](const QItemSelection& rows, QAccessible::Event change) {
            if (rows.isEmpty() || rows.first().isEmpty())
                return;
            QAccessibleEvent event(this, change);
            event.setChild(rows.first().top());
            QAccessible::updateAccessibility(&event);
        };
        tell(selected, QAccessible::SelectionAdd);
        tell(deselected, QAccessible::SelectionRemove);
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}

void UserListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const QRect rect = visualRect(index);
    if (!rect.isValid())
        return;
    const QRect area = viewport()->rect();
    if (hint == EnsureVisible && area.contains(rect)) {
        viewport()->update(rect);
        return;
    }
    if (hint == EnsureVisible && rect.top() < area.top())
        hint = PositionAtTop;
    else if (hint == EnsureVisible && rect.bottom() > area.bottom())
        hint = PositionAtBottom;
    if (hint == EnsureVisible) // in view from top to bottom, only wider than the viewport
        return;
    QScrollBar* vertical = verticalScrollBar();
    const int number = index.row();
    if (perItem()) {
        const int fitting = std::min(rowsInView(), number + 1);
        if (hint == PositionAtTop)
            vertical->setValue(number);
        else if (hint == PositionAtBottom)
            vertical->setValue(number - fitting + 1);
        else
            vertical->setValue(number - fitting / 2);
        return;
    }
    const int value = vertical->value();
    if (hint == PositionAtTop)
        vertical->setValue(value + rect.top());
    else if (hint == PositionAtBottom)
        vertical->setValue(value + std::min(rect.top(), rect.bottom() - area.height() + 1));
    else
        vertical->setValue(value + rect.top() - (area.height() - rect.height()) / 2);
}

QModelIndex UserListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers) {
    const int count = rows();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return row(0);
    const int at = current.row();
    // A page moves by the rows in view less one, so that one row stays in sight.
    const int page = std::max(1, rowsInView() - 1);
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        return row(std::max(0, at - 1));
    case MoveDown:
    case MoveNext:
        return row(std::min(count - 1, at + 1));
    case MovePageUp:
        return row(std::max(0, at - page));
    case MovePageDown:
        return row(std::min(count - 1, at + page));
    case MoveHome:
        return row(0);
    case MoveEnd:
        return row(count - 1);
    case MoveLeft:
    case MoveRight:
        break;
    }
    return current;
}

void UserListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    if (!selectionModel())
        return;
    const QRect area = rect.normalized();
    QItemSelection selection;
    if (area.width() == 1 && area.height() == 1) {
        const QModelIndex hit = indexAt(area.topLeft());
        if (hit.isValid() && (model()->flags(hit) & Qt::ItemIsEnabled))
            selection.select(hit, hit);
    } else {
        const QModelIndex top = indexAt(area.topLeft());
        const QModelIndex bottom = indexAt(area.bottomRight());
        if (top.isValid() && bottom.isValid())
            selection.select(top, bottom);
    }
    selectionModel()->select(selection, command);
}

QRegion UserListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const QRect area = viewport()->rect();
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex() || range.left() > modelColumn() ||
            range.right() < modelColumn())
            continue;
        // Clipped to the viewport before the rows become pixels: a range may span millions.
        const int first = std::max(range.top(), std::max(0, rowAt(0)));
        const int lastInView = rowAt(area.bottom());
        const int last = lastInView < 0 ? range.bottom() : std::min(range.bottom(), lastInView);
        if (first > last)
            continue;
        region += rowRect(first).united(rowRect(last)).intersected(area);
    }
    return region;
}

void UserListView::paintEvent(QPaintEvent* event) {
    const int count = rows();
    if (count == 0 || !itemDelegate())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QPainter painter(viewport());
    // The rows the damaged area crosses, and no others: an area below the last row (the gap a
    // list scrolled to its end leaves) crosses none.
    const QRect area = event->rect();
    const std::int64_t offset = verticalOffset();
    const auto first =
        static_cast<int>(std::max<std::int64_t>(0, (area.top() + offset) / rowSize_.height()));
    const auto last = static_cast<int>(
        std::min<std::int64_t>(count - 1, (area.bottom() + offset) / rowSize_.height()));

    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QModelIndex hover = viewport()->underMouse()
                                  ? indexAt(viewport()->mapFromGlobal(QCursor::pos()))
                                  : QModelIndex();
    const QItemSelectionModel* selections = selectionModel();
    const QStyle::State state = option.state;
    const bool enabled = state.testFlag(QStyle::State_Enabled);
    const bool editing = this->state() == EditingState;
    for (int number = first; number <= last; ++number) {
        const QModelIndex index = row(number);
        option.rect = rowRect(number);
        option.state = state;
        option.state.setFlag(QStyle::State_Selected, selections && selections->isSelected(index));
        if (enabled) {
            const bool itemEnabled = model()->flags(index).testFlag(Qt::ItemIsEnabled);
            option.state.setFlag(QStyle::State_Enabled, itemEnabled);
            option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal
                                                            : QPalette::Disabled);
        }
        if (focus && index == current) {
            option.state |= QStyle::State_HasFocus;
            option.state.setFlag(QStyle::State_Editing, editing);
        }
        option.state.setFlag(QStyle::State_MouseOver, index == hover);
        if (alternatingRowColors()) {
            option.features.setFlag(QStyleOptionViewItem::Alternate, (number & 1) != 0);
            QStyleOptionViewItem background = option;
            background.state &= ~QStyle::State_Selected;
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &background, &painter, this);
        }
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void UserListView::resizeEvent(QResizeEvent* event) {
    QAbstractItemView::resizeEvent(event);
}

void UserListView::scrollContentsBy(int dx, int dy) {
    // A step of the vertical scroll bar is a whole row.
    if (perItem())
        dy = clampedToInt(std::int64_t{dy} * rowSize_.height());
    QAbstractItemView::scrollContentsBy(dx, dy);
}

} // namespace kivo
