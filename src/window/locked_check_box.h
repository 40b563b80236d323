#pragma once

#include <QCheckBox>

namespace kivo {

// A check box the user can focus and read but not change: clicks and the space bar leave it as
// the program set it with setChecked().
class LockedCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

} // namespace kivo
