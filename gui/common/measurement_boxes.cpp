#include "common/measurement_boxes.h"

#include "common/dialog_parts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace mlgui {

MeasurementBoxes::MeasurementBoxes(const Captions& captions, QWidget* parent)
    : QWidget(parent), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->addWidget(new QLabel(QStringLiteral("Horizontal:"), this), 0, 0, 1, 2);
    grid_->addWidget(new QLabel(QStringLiteral("Vertical:"), this), 0, 2, 1, 2);
    const std::array<const char*, mlc::kMeasureBoxCount> names{"HBorder", "VBorder", "HMonitor", "VMonitor"};
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i) {
        boxes_[i] = new QLineEdit(this);
        boxes_[i]->setObjectName(QString::fromLatin1(names[i]));
        captions_[i] = new QLabel(QString::fromUtf8(captions[i]), this);
        captions_[i]->setBuddy(boxes_[i]);
        // Border boxes on the first line, monitor boxes on the second; horizontal left.
        const int row = i < 2 ? 1 : 2;
        const int column = i % 2 == 0 ? 0 : 2;
        grid_->addWidget(captions_[i], row, column);
        grid_->addWidget(boxes_[i], row, column + 1);
        connect(boxes_[i], &QLineEdit::textChanged, this, &MeasurementBoxes::textsChanged);
    }
}

mlc::MeasureTexts MeasurementBoxes::texts() const {
    mlc::MeasureTexts texts;
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i)
        texts[i] = boxes_[i]->text().toStdString();
    return texts;
}

void MeasurementBoxes::setTexts(const mlc::MeasureTexts& texts) {
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i)
        if (boxes_[i]->text().toStdString() != texts[i])
            boxes_[i]->setText(qt(texts[i]));
}

void MeasurementBoxes::setBoxesEnabled(bool enabled) {
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i) {
        boxes_[i]->setEnabled(enabled);
        captions_[i]->setEnabled(enabled);
    }
}

void MeasurementBoxes::addRow(QWidget* horizontal, QWidget* vertical) {
    const int row = grid_->rowCount();
    grid_->addWidget(horizontal, row, 0, 1, 2);
    grid_->addWidget(vertical, row, 2, 1, 2);
}

} // namespace mlgui
