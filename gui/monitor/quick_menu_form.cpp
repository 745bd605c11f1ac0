#include "monitor/quick_menu_form.h"

#include "common/dialog_buttons.h"
#include "dialogs/monitor_controls.h"
#include "monitor/value_slider.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mlgui {

namespace {

// The image sliders: the monitor dialog's controls of these names (their fields and
// rules), with labels of the quick menu's own mnemonics, and where each value goes.
struct ImageSlider {
    const char* name;
    const char* label;
    std::int32_t mlc::QuickSettings::*value;
};
constexpr ImageSlider kImageSliders[] = {
    {"Brightness", "&Brightness:", &mlc::QuickSettings::Brightness},
    {"Contrast", "Co&ntrast:", &mlc::QuickSettings::Contrast},
    {"Saturation", "&Saturation (composite / S-VHS):", &mlc::QuickSettings::Saturation},
    {"Hue", "Hu&e (composite / S-VHS):", &mlc::QuickSettings::Hue},
    {"Gamma", "Ga&mma:", &mlc::QuickSettings::Gamma},
};

const mlc::MonitorControl& controlOf(const ImageSlider& slider) {
    return *mlc::FindMonitorControl(slider.name);
}

} // namespace

TQuickMenuFRM::TQuickMenuFRM(MonitorDialogContext context, int column, int row,
                             const mlc::WallRect& selection, QWidget* parent)
    : QDialog(parent), context_(context), column_(std::clamp(column, 1, mlc::kMaxColumns)),
      row_(std::clamp(row, 1, mlc::kMaxRows)), selection_(selection) {
    buildWidgets();
    FormCreate();
}

void TQuickMenuFRM::buildWidgets() {
    setObjectName("QuickMenuFRM");
    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* text, QWidget* widget) {
        auto* label = new QLabel(text, this);
        label->setObjectName(widget->objectName() + "LBL");
        label->setBuddy(widget);
        labels_.insert(widget, label);
        grid->addWidget(label, row, 0);
        grid->addWidget(widget, row++, 1);
    };
    auto list = [&](const char* name, const char* text) {
        auto* box = makeList(name, plainText(text), this);
        addRow(text, box);
        return box;
    };
    auto slider = [&](ValueSlider::Kind kind, const char* name, const char* text) {
        auto* s = new ValueSlider(kind, name, plainText(text), this);
        addRow(text, s);
        return s;
    };

    grid->addWidget(heading("Input connectors:", this), row++, 0, 1, 2);
    inputSource_ = list("InputSource", "Active in&put:");
    videoMatrixSource_ = list("VideoMatrixSource", "V&ideo source:");
    grid->addWidget(heading("Zoom factor:", this), row++, 0, 1, 2);
    xZoom_ = slider(ValueSlider::Kind::Magnification, "XZoom", "Horizontal (&W):");
    yZoom_ = slider(ValueSlider::Kind::Magnification, "YZoom", "Vertical (&H):");
    grid->addWidget(heading("Image quality:", this), row++, 0, 1, 2);
    for (std::size_t i = 0; i < image_.size(); ++i)
        image_[i] = slider(ValueSlider::Kind::Percent, kImageSliders[i].name, kImageSliders[i].label);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 260);

    const DialogButtons buttons = dialogButtons(this, {}, "&Apply");
    applyButton_ = buttons.apply;
    // Enter means Ok wherever the focus is, as in the monitor dialog.
    for (QPushButton* b : {buttons.ok, buttons.cancel, buttons.apply})
        b->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons.row);

    connect(inputSource_, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_)
            UpdateControlStates();
    });
    connect(xZoom_, &ValueSlider::valueChanged, this, [this] { ZoomChange(mlc::Axis::Horizontal); });
    connect(yZoom_, &ValueSlider::valueChanged, this, [this] { ZoomChange(mlc::Axis::Vertical); });
    connect(applyButton_, &QPushButton::clicked, this, [this] { QuickApply(); });
}

void TQuickMenuFRM::FormCreate() {
    setWindowTitle(dialogCaption("Quick videowall settings"));
    videoMatrixSource_->clear();
    fillList(inputSource_, context_.lists.InputSources);
    const mlc::TMonitorSettings& reference = context_.wall.Monitors.at(column_, row_).Settings;
    {
        LoadingScope loading(loading_);
        enlargement_ = mlc::EnlargementOf(reference);
        fillRouterList(videoMatrixSource_, context_.devices.router, context_.settings.ActivateVideoRouter,
                       reference.VideoMatrixSource);
        labels_.value(videoMatrixSource_)->setEnabled(videoMatrixSource_->isEnabled());
        inputSource_->setCurrentIndex(
            mlc::OpeningListPosition(reference.SourceInput, context_.lists.InputSources.Names.size()));
        const mlc::ControlValues loaded = mlc::LoadControls(reference, context_.lists);
        for (std::size_t i = 0; i < image_.size(); ++i)
            image_[i]->setValue(loaded[mlc::MonitorControlIndex(controlOf(kImageSliders[i]))]);
        applyButton_->setEnabled(!context_.settings.InhibitSerialCommunication);
        const mlc::ZoomPanShown shown = mlc::ShownZoomPan(enlargement_);
        xZoom_->setValue(shown.XMagnification);
        yZoom_->setValue(shown.YMagnification);
    }
    UpdateControlStates();
}

void TQuickMenuFRM::UpdateControlStates() {
    const mlc::MonitorControlStates states =
        mlc::UpdateControlStates(context_.lists, inputSource_->currentIndex(), -1);
    for (std::size_t i = 0; i < image_.size(); ++i) {
        const bool enabled = mlc::StateOf(controlOf(kImageSliders[i]).rule, states).enabled;
        image_[i]->setEnabled(enabled);
        // Greyed with its slider, as in the monitor dialog.
        labels_.value(image_[i])->setEnabled(enabled);
    }
}

void TQuickMenuFRM::ZoomChange(mlc::Axis axis) {
    if (loading_)
        return;
    if (axis == mlc::Axis::Horizontal)
        enlargement_.XZoom = mlc::ZoomFromMagnification(xZoom_->value());
    else
        enlargement_.YZoom = mlc::ZoomFromMagnification(yZoom_->value());
}

mlc::QuickSettings TQuickMenuFRM::values() const {
    mlc::QuickSettings v;
    v.SourceInput = inputSource_->currentIndex();
    v.VideoMatrixSource = context_.settings.ActivateVideoRouter ? videoMatrixSource_->currentIndex() : -1;
    v.XZoom = enlargement_.XZoom;
    v.YZoom = enlargement_.YZoom;
    for (std::size_t i = 0; i < image_.size(); ++i)
        v.*kImageSliders[i].value = mlc::StoredPercent(image_[i]->value());
    return v;
}

void TQuickMenuFRM::accept() {
    if (QuickApply() != mlc::ApplyOutcome::Busy)
        QDialog::accept();
}

// As in the monitor dialog, edits made while the block is being sent are kept.
mlc::ApplyOutcome TQuickMenuFRM::QuickApply() {
    return mlc::ApplyQuickSettings(context_.wall, context_.history, context_.devices,
                                   context_.settings.ActivateVideoRouter, selection_, values());
}

} // namespace mlgui
