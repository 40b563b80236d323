#include "tab_control.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace kivo {

namespace {
constexpr int kTabRowHeight = 20; // about 295 twips
}

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    setFocusProxy(bar_);
    connect(bar_, &QTabBar::currentChanged, this, &TabControl::showCurrentPage);
}

QWidget* TabControl::addPage(const QString& caption) {
    auto* page = new QWidget(this);
    page->setAccessibleName(caption);
    page->setGeometry(rect());
    pages_.push_back(page);
    bar_->addTab(caption);
    bar_->raise(); // the pages lie under the tab row; the row must still take the clicks
    showCurrentPage();
    return page;
}

void TabControl::setCurrentIndex(int index) {
    bar_->setCurrentIndex(index);
}

void TabControl::showCurrentPage() {
    const auto current = static_cast<std::size_t>(bar_->currentIndex());
    for (std::size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(i == current);
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), kTabRowHeight);
    for (auto* page : pages_)
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, kTabRowHeight - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->sizeHint();
    frame.tabBarRect = QRect(0, 0, bar_->sizeHint().width(), kTabRowHeight);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

} // namespace kivo
