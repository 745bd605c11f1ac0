#include "monitor/value_slider.h"

#include "dialogs/slider_values.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace mlgui {

namespace {

// Shows 50 as "50" and 50.196 as "50.196", with its unit.
class ValueBox : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

protected:
    QString textFromValue(double value) const override {
        QString text = locale().toString(value, 'f', decimals());
        const QChar point = locale().decimalPoint().at(0);
        if (text.contains(point)) {
            while (text.endsWith('0'))
                text.chop(1);
            if (text.endsWith(point))
                text.chop(1);
        }
        return text;
    }
};

// Slider positions per shown unit.
int sliderScale(ValueSlider::Kind kind) {
    return kind == ValueSlider::Kind::Percent ? 1 : 100;
}

} // namespace

ValueSlider::ValueSlider(Kind kind, const QString& name, const QString& accessibleText, QWidget* parent)
    : QWidget(parent), kind_(kind), slider_(new QSlider(Qt::Horizontal, this)), box_(new ValueBox(this)) {
    setObjectName(name);
    slider_->setObjectName(name + "Slider");
    box_->setObjectName(name + "Value");
    slider_->setAccessibleName(accessibleText);
    box_->setAccessibleName(accessibleText);

    const int scale = sliderScale(kind);
    if (kind == Kind::Percent) {
        box_->setRange(0, 100);
        box_->setDecimals(3);
        box_->setSingleStep(1);
        box_->setSuffix(" %");
        slider_->setRange(0, 100);
        slider_->setPageStep(10);
    } else {
        box_->setRange(mlc::kMinMagnification, mlc::kMaxMagnification);
        box_->setDecimals(2);
        box_->setSingleStep(0.1);
        box_->setSuffix(" x");
        box_->setValue(1);
        slider_->setRange(static_cast<int>(mlc::kMinMagnification * scale),
                          static_cast<int>(mlc::kMaxMagnification * scale));
        slider_->setSingleStep(10);
        slider_->setPageStep(100);
        slider_->setValue(scale);
    }
    box_->setKeyboardTracking(false);
    slider_->setMinimumWidth(160);
    box_->setMinimumWidth(box_->fontMetrics().horizontalAdvance("100.000 %") + 24);
    setFocusProxy(box_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider_, 1);
    layout->addWidget(box_);

    connect(slider_, &QSlider::valueChanged, this, [this, scale](int position) {
        // A box value between two slider steps stays until the slider really moves.
        if (std::lround(box_->value() * scale) != position)
            box_->setValue(static_cast<double>(position) / scale);
    });
    connect(box_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        followBox(value);
        emit valueChanged(value);
    });
}

double ValueSlider::value() const {
    return box_->value();
}

void ValueSlider::setValue(double value) {
    box_->setValue(value);
}

void ValueSlider::followBox(double value) {
    const QSignalBlocker blocker(slider_);
    slider_->setValue(static_cast<int>(std::lround(value * sliderScale(kind_))));
}

} // namespace mlgui
