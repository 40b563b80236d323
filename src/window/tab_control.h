#pragma once

#include <QWidget>

#include <vector>

class QTabBar;

namespace kivo {

// Tabs in one row over pages that all share the control's whole rectangle, tab row included,
// so that every control on a page is placed in the tab control's own coordinates. Only the page
// in front is shown.
class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    QWidget* addPage(const QString& caption);
    void setCurrentIndex(int index);
    QTabBar* tabBar() const { return bar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showCurrentPage();

    QTabBar* bar_;
    std::vector<QWidget*> pages_;
};

} // namespace kivo
