#include "up_down.h"

#include "box_text.h"

#include <QLineEdit>
#include <QToolButton>

namespace kivo {

UpDown::UpDown(QWidget* parent)
    : QAbstractSlider(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    setOrientation(Qt::Vertical);
    // An up-down control moves one step whatever moves it. A slider's page is ten steps, and a
    // wheel notch three steps bounded by the page: a page of one makes both a single step.
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    for (auto* arrow : {up_, down_}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setIconSize({7, 4});
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(tr("Up"));
    down_->setAccessibleName(tr("Down"));
    connect(up_, &QToolButton::clicked, this, [this] { triggerAction(SliderSingleStepAdd); });
    connect(down_, &QToolButton::clicked, this, [this] { triggerAction(SliderSingleStepSub); });
    connect(this, &QAbstractSlider::valueChanged, this, &UpDown::showValue);
}

void UpDown::setBuddy(QLineEdit* buddy) {
    buddy_ = buddy;
}

void UpDown::showValue() {
    if (buddy_)
        showInBox(buddy_, QString::number(value()));
}

void UpDown::showStored(int stored) {
    setValue(stored); // QAbstractSlider keeps it within the range
    showValue();
    if (buddy_ && stored != value())
        showInBox(buddy_, QString::number(stored));
}

void UpDown::clearShown() {
    setValue(minimum());
    if (buddy_)
        buddy_->clear();
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QAbstractSlider::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace kivo
