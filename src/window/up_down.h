#pragma once

#include <QAbstractSlider>

class QLineEdit;
class QToolButton;

namespace kivo {

// A vertical up-down spinner bound to a buddy text box: whenever its value changes, by an arrow,
// a key or the program, the buddy shows the value in decimal.
class UpDown : public QAbstractSlider {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy);
    QLineEdit* buddy() const { return buddy_; }

    // Shows a stored value. One the spinner cannot hold still shows, as stored, in the buddy;
    // the spinner itself then stands at the nearest end of its range, so an arrow steps from
    // there. The buddy is always rewritten, so anything typed into it is replaced.
    void showStored(int stored);

    // Back to 0 with an empty buddy, for a view that has no user to show.
    void clearShown();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showValue();

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* buddy_ = nullptr;
};

} // namespace kivo
