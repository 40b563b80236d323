#pragma once

#include "text_matcher.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kivo {

// The Find dialog: what to find, whether letter case matters, and a line that says how the last
// search came out. It stays above the window without holding it up, and keeps its text when it
// is closed and opened again.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* window);

    QString text() const;
    LetterCase letterCase() const;

    // Shown again, with the text selected to be typed over.
    void showWithTextSelected();
    // The line under the buttons, as plain text.
    void showLine(const QString& line);

signals:
    void findNext();
    void findPrevious();

private:
    QLineEdit* txtFindWhat_ = nullptr;
    QCheckBox* chkMatchCase_ = nullptr;
    QLabel* lblFindResult_ = nullptr;
};

} // namespace kivo
