// A slider with a value box beside it, as the settings dialogs use them: percent
// sliders (0..100 %, step 1) and zoom sliders (magnification 0.75..16 x, step 0.1).
// The value box holds the value; the slider follows it, and moving the slider sets
// it. The box shows whole numbers without decimals and keeps a value read from a
// unit (50.196 %) as it is, so opening and confirming a dialog changes nothing.
#pragma once

#include <QWidget>

class QSlider;
class QDoubleSpinBox;

namespace mlgui {

class ValueSlider : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Percent, Magnification };
    // `name` becomes the object name, `accessibleText` the slider's and box's accessible name.
    ValueSlider(Kind kind, const QString& name, const QString& accessibleText, QWidget* parent = nullptr);

    double value() const;
    // Reports valueChanged like a change by the operator does (the dialogs guard
    // their own loading).
    void setValue(double value);

    QSlider* slider() const { return slider_; }
    QDoubleSpinBox* valueBox() const { return box_; }

signals:
    void valueChanged(double value);

private:
    void followBox(double value);

    Kind kind_;
    QSlider* slider_;
    QDoubleSpinBox* box_;
};

} // namespace mlgui
