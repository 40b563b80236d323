#pragma once

#include <QListView>

namespace kivo {

// The list box of users. It is a QListView, so the system's accessibility sees a list, but it
// places its rows itself: every row is as high as the first, so where a row stands is one
// multiplication. QListView keeps a position per row and lays out every row again whenever one
// is added or removed, which at a million users costs tens of milliseconds for each user the
// board appends; here adding, removing or resetting rows costs the rows on screen.
//
// It is also a single-selection list the user cannot empty: once an entry is selected, one stays
// selected until the program empties the list. A plain list view clears its selection on a click
// below the last entry, and on Ctrl+click or Ctrl+Space on the selected entry.
class UserListView : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void rowsInserted(const QModelIndex& parent, int first, int last) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void updateGeometries() override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rows() const;
    // The first row's size as the delegate draws it: every row's height, and the width the
    // rows' contents are scrolled over.
    void measureRows();
    // The rows wholly in view at once, at least one.
    int rowsInView() const;
    // The row at a height in the viewport, or -1 past either end.
    int rowAt(int y) const;
    QRect rowRect(int row) const; // in the viewport's coordinates
    QModelIndex row(int number) const;
    bool perItem() const { return verticalScrollMode() == ScrollPerItem; }
    void updateFrom(int row);

    QSize rowSize_{1, 1};
};

} // namespace kivo
