// TQuickMenuFRM: a few common settings for a block of monitors. It opens with the
// current cell's values; OK and Apply write the same input, router input, zoom and
// five image values into every monitor of the selection and send them in one
// device exchange (mlc::ApplyQuickSettings). Each monitor keeps its pan position.
#pragma once

#include "common/dialog_parts.h"
#include "dialogs/monitor_apply.h"
#include "dialogs/slider_values.h"
#include "files/settings_file.h"
#include "monitor/monitor_dialog_parts.h"

#include <QDialog>
#include <QHash>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace mlgui {

class ValueSlider;

class TQuickMenuFRM : public QDialog {
    Q_OBJECT
public:
    // `column`, `row`: the grid's current cell, whose values the dialog shows.
    TQuickMenuFRM(MonitorDialogContext context, int column, int row, const mlc::WallRect& selection,
                  QWidget* parent = nullptr);

    const mlc::WallRect& Selection() const { return selection_; }
    // OK and Apply.
    mlc::ApplyOutcome QuickApply();
    // OK: applies, and closes unless another device exchange refused it.
    void accept() override;

private:
    void buildWidgets();
    void FormCreate();
    void UpdateControlStates();
    void ZoomChange(mlc::Axis axis);
    mlc::QuickSettings values() const;

    MonitorDialogContext context_;
    int column_;
    int row_;
    mlc::WallRect selection_;
    mlc::Enlargement enlargement_;
    bool loading_ = false;

    QComboBox* inputSource_ = nullptr;
    QComboBox* videoMatrixSource_ = nullptr;
    ValueSlider* xZoom_ = nullptr;
    ValueSlider* yZoom_ = nullptr;
    // Brightness, Contrast, Saturation, Hue, Gamma.
    std::array<ValueSlider*, 5> image_{};
    QHash<const QWidget*, QLabel*> labels_; // each control's label, greyed with it
    QPushButton* applyButton_ = nullptr;
};

} // namespace mlgui
