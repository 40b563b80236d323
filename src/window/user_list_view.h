#pragma once

#include <QListView>

namespace kivo {

// A single-selection list box the user cannot empty: once an entry is selected, one stays
// selected until the program empties the list. A plain list view clears its selection on a click
// below the last entry, and on Ctrl+click or Ctrl+Space on the selected entry.
class UserListView : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const auto command = QListView::selectionCommand(index, event);
        if (!index.isValid() ||
            command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
            return QItemSelectionModel::NoUpdate;
        return command;
    }
};

} // namespace kivo
