// A spin box that shows its value with at least two digits (07, 42), as device IDs
// and clock times are shown.
#pragma once

#include <QSpinBox>

namespace mlgui {

class TwoDigitSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    }
};

} // namespace mlgui
