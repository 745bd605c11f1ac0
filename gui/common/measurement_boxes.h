// The four measurement boxes of the wizard and the preferences dialog: border and
// monitor sizes, horizontal ones on the left and vertical ones on the right under
// the headings "Horizontal:" and "Vertical:", in the order of mlc::MeasureBox. The
// boxes are named HBorder, VBorder, HMonitor and VMonitor; each dialog has its own
// captions.
#pragma once

#include "setup/monitor_types.h"

#include <QWidget>

#include <array>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace mlgui {

class MeasurementBoxes : public QWidget {
    Q_OBJECT
public:
    using Captions = std::array<const char*, mlc::kMeasureBoxCount>;
    MeasurementBoxes(const Captions& captions, QWidget* parent);

    mlc::MeasureTexts texts() const;
    // Changes the boxes whose text differs.
    void setTexts(const mlc::MeasureTexts& texts);
    // The boxes and their captions take input or are greyed; the headings stay.
    void setBoxesEnabled(bool enabled);
    // A line under the boxes: one widget under the horizontal half, one under the vertical.
    void addRow(QWidget* horizontal, QWidget* vertical);

signals:
    // The operator or the program changed a box.
    void textsChanged();

private:
    QGridLayout* grid_;
    std::array<QLineEdit*, mlc::kMeasureBoxCount> boxes_{};
    std::array<QLabel*, mlc::kMeasureBoxCount> captions_{};
};

} // namespace mlgui
