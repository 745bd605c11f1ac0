#include "monitor/monitor_form.h"

#include "common/dialog_buttons.h"
#include "monitor/demo_preview.h"
#include "monitor/value_slider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace mlgui {

namespace {

const std::array<const char*, mlc::kSettingsBoxCount> kBoxNames = {
    "ZoomBOX", "ImageBOX", "ColorBOX", "RgbBOX", "VideoBOX", "EffectsBOX", "OsdBOX"};

QLabel* boldValue(const char* name, QWidget* parent) {
    QLabel* label = heading(QString(), parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TMonitorFRM::TMonitorFRM(MonitorDialogContext context, int column, int row, PictureProvider pictures,
                         QWidget* parent)
    : QDialog(parent), context_(context), pictures_(std::move(pictures)),
      column_(std::clamp(column, 1, mlc::kMaxColumns)), row_(std::clamp(row, 1, mlc::kMaxRows)) {
    buildWidgets();
    FormCreate();
}

void TMonitorFRM::buildWidgets() {
    setObjectName("MonitorFRM");

    auto* monitorBox = new QGroupBox(" Monitor ", this);
    monitorBox->setObjectName("MonitorBOX");
    auto* monitorGrid = new QGridLayout(monitorBox);
    rowValue_ = boldValue("Row", monitorBox);
    columnValue_ = boldValue("Column", monitorBox);
    idValue_ = boldValue("ID", monitorBox);
    int cell = 0;
    for (auto [text, value] : {std::pair{"Row", rowValue_}, {"Col", columnValue_}, {"ID", idValue_}}) {
        monitorGrid->addWidget(new QLabel(text, monitorBox), 0, cell);
        monitorGrid->addWidget(value, 0, cell + 1);
        cell += 2;
    }

    auto* sourceBox = new QGroupBox(" V&ideo source ", this);
    sourceBox->setObjectName("VideoSourceBOX");
    videoMatrixSource_ = makeList("VideoMatrixSource", "Video source", sourceBox);
    (new QVBoxLayout(sourceBox))->addWidget(videoMatrixSource_);

    auto* inputBox = new QGroupBox(QString::fromUtf8(mlc::kMonitorControls[0].label), this);
    inputBox->setObjectName("ActiveInputBOX");
    (new QVBoxLayout(inputBox))->addWidget(controlWidget(0));

    boxSelector_ = new QListWidget(this);
    boxSelector_->setObjectName("BoxSelector");
    boxSelector_->setAccessibleName("Settings box");
    boxSelector_->setToolTip("Select here which settings box to show");
    for (const char* item : mlc::kSettingsBoxItems)
        boxSelector_->addItem(item);
    boxSelector_->setFixedWidth(boxSelector_->sizeHintForColumn(0) + 2 * boxSelector_->frameWidth() + 8);

    boxes_ = new QStackedWidget(this);
    boxes_->addWidget(buildZoomBox());
    for (int i = 1; i < mlc::kSettingsBoxCount; ++i) {
        auto* group = new QGroupBox(mlc::kSettingsBoxCaptions[static_cast<std::size_t>(i)], boxes_);
        group->setObjectName(kBoxNames[static_cast<std::size_t>(i)]);
        buildBox(static_cast<mlc::SettingsBox>(i), group);
        boxes_->addWidget(group);
    }

    auto* defaultsBox = new QGroupBox(" Defaults ", this);
    defaultsBox->setObjectName("DefaultsBOX");
    auto* defaultsRow = new QHBoxLayout(defaultsBox);
    QPushButton* saveDefaults = namedButton("DefaultSaveBTN", "S&et new defaults", defaultsBox);
    QPushButton* readDefaults = namedButton("DefaultReadBTN", "Reset to &defaults", defaultsBox);
    defaultsRow->addWidget(saveDefaults);
    defaultsRow->addWidget(readDefaults);
    const DialogButtons buttons = dialogButtons(this, {defaultsBox}, "App&ly");
    applyButton_ = buttons.apply;
    // Enter means Ok wherever the focus is.
    for (QPushButton* b : {saveDefaults, readDefaults, buttons.ok, buttons.cancel, buttons.apply})
        b->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(monitorBox);
    top->addWidget(sourceBox, 1);
    top->addWidget(inputBox, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(boxSelector_);
    middle->addWidget(boxes_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons.row);

    connect(boxSelector_, &QListWidget::currentRowChanged, this, &TMonitorFRM::ShowSettingsBox);
    connect(saveDefaults, &QPushButton::clicked, this, &TMonitorFRM::DefaultSaveBTNClick);
    connect(readDefaults, &QPushButton::clicked, this, &TMonitorFRM::DefaultReadBTNClick);
    connect(applyButton_, &QPushButton::clicked, this, [this] { ApplySettings(); });
}

QWidget* TMonitorFRM::buildZoomBox() {
    auto* group = new QGroupBox(mlc::kSettingsBoxCaptions[0], boxes_);
    group->setObjectName(kBoxNames[0]);
    auto* grid = new QGridLayout(group);
    auto addSlider = [&](ValueSlider::Kind kind, const char* name, const char* text, int row) {
        auto* slider = new ValueSlider(kind, name, plainText(text), group);
        auto* label = new QLabel(text, group);
        label->setBuddy(slider);
        grid->addWidget(label, row, 0);
        grid->addWidget(slider, row, 1);
        return slider;
    };
    grid->addWidget(heading("Zoom factor:", group), 0, 0, 1, 2);
    xZoom_ = addSlider(ValueSlider::Kind::Magnification, "XZoom", "Horizontal (&W):", 1);
    yZoom_ = addSlider(ValueSlider::Kind::Magnification, "YZoom", "Vertical (&H):", 2);
    grid->addWidget(heading("Panning:", group), 3, 0, 1, 2);
    xPos_ = addSlider(ValueSlider::Kind::Percent, "XPos", "Horizontal (&X):", 4);
    yPos_ = addSlider(ValueSlider::Kind::Percent, "YPos", "Vertical (&Y):", 5);
    demo_ = new DemoPreview(group);
    grid->addWidget(demo_, 0, 2, 6, 1, Qt::AlignTop | Qt::AlignHCenter);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);

    connect(xZoom_, &ValueSlider::valueChanged, this, [this] { ZoomChange(mlc::Axis::Horizontal, true); });
    connect(yZoom_, &ValueSlider::valueChanged, this, [this] { ZoomChange(mlc::Axis::Vertical, true); });
    connect(xPos_, &ValueSlider::valueChanged, this, [this] { ZoomChange(mlc::Axis::Horizontal, false); });
    connect(yPos_, &ValueSlider::valueChanged, this, [this] { ZoomChange(mlc::Axis::Vertical, false); });
    return group;
}

// One control of the table: a slider with value box, a list or a check box, with
// the change handler its kind calls.
QWidget* TMonitorFRM::controlWidget(std::size_t index) {
    const mlc::MonitorControl& control = mlc::kMonitorControls[index];
    const QString name = control.name;
    QWidget* widget = nullptr;
    switch (control.kind) {
    case mlc::ControlKind::Percent: {
        auto* slider = new ValueSlider(ValueSlider::Kind::Percent, name, plainText(control.label), this);
        connect(slider, &ValueSlider::valueChanged, this, &TMonitorFRM::sliderOrListChanged);
        widget = slider;
        break;
    }
    case mlc::ControlKind::List: {
        auto* list = makeList(name, plainText(control.label), this);
        // Only the input and the colour temperature change what the dialog shows.
        if (name == "InputSource" || name == "ColorTemp")
            connect(list, &QComboBox::currentIndexChanged, this, &TMonitorFRM::sliderOrListChanged);
        if (name == "InputSource")
            connect(list, &QComboBox::currentIndexChanged, this, [this] {
                if (!loading_)
                    DrawPreview();
            });
        widget = list;
        break;
    }
    case mlc::ControlKind::Check:
        widget = new QCheckBox(QString::fromUtf8(control.label), this);
        widget->setObjectName(name);
        break;
    }
    controls_[index] = widget;
    return widget;
}

void TMonitorFRM::buildBox(mlc::SettingsBox box, QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    int row = 0;
    QLabel* sharpnessLabel = nullptr;
    for (std::size_t i = 0; i < mlc::kMonitorControlCount; ++i) {
        const mlc::MonitorControl& control = mlc::kMonitorControls[i];
        if (control.box != box)
            continue;
        QWidget* widget = controlWidget(i);
        widget->setParent(group);
        if (control.kind == mlc::ControlKind::Check) {
            grid->addWidget(widget, row++, 0, 1, 2);
            continue;
        }
        // The filter list takes the sharpness slider's place and label.
        if (control.rule == mlc::ControlRule::ShownForRgb && sharpnessLabel) {
            labels_[i] = sharpnessLabel;
            grid->addWidget(widget, row - 1, 1);
            continue;
        }
        auto* label = new QLabel(QString::fromUtf8(control.label), group);
        label->setObjectName(QString(control.name) + "LBL");
        label->setBuddy(widget);
        labels_[i] = label;
        if (control.rule == mlc::ControlRule::ShownForVideo)
            sharpnessLabel = label;
        grid->addWidget(label, row, 0);
        grid->addWidget(widget, row++, 1);
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
}

void TMonitorFRM::FormCreate() {
    setWindowTitle(dialogCaption("Monitor settings"));
    const mlc::TWallMonitor& monitor = context_.wall.Monitors.at(column_, row_);
    rowValue_->setNum(row_);
    columnValue_->setNum(column_);
    idValue_->setNum(monitor.DeviceId);

    videoMatrixSource_->clear();
    for (std::size_t i = 0; i < mlc::kMonitorControlCount; ++i)
        if (mlc::kMonitorControls[i].kind == mlc::ControlKind::List)
            fillList(static_cast<QComboBox*>(controls_[i]), mlc::kMonitorControls[i].list(context_.lists));

    {
        LoadingScope loading(loading_);
        enlargement_ = mlc::EnlargementOf(monitor.Settings);
        fillRouterList(videoMatrixSource_, context_.devices.router, context_.settings.ActivateVideoRouter,
                       monitor.Settings.VideoMatrixSource);
        showValues(mlc::LoadControls(monitor.Settings, context_.lists));
        applyButton_->setEnabled(!context_.settings.InhibitSerialCommunication);
        showEnlargement();
    }
    ShowSettingsBox(0);
    DrawPreview();
    UpdateControlStates();
}

mlc::ControlValues TMonitorFRM::values() const {
    mlc::ControlValues values{};
    for (std::size_t i = 0; i < mlc::kMonitorControlCount; ++i) {
        switch (mlc::kMonitorControls[i].kind) {
        case mlc::ControlKind::Percent:
            values[i] = static_cast<ValueSlider*>(controls_[i])->value();
            break;
        case mlc::ControlKind::List:
            values[i] = static_cast<QComboBox*>(controls_[i])->currentIndex();
            break;
        case mlc::ControlKind::Check:
            values[i] = static_cast<QCheckBox*>(controls_[i])->isChecked() ? 1 : 0;
            break;
        }
    }
    return values;
}

void TMonitorFRM::showValues(const mlc::ControlValues& values) {
    for (std::size_t i = 0; i < mlc::kMonitorControlCount; ++i) {
        switch (mlc::kMonitorControls[i].kind) {
        case mlc::ControlKind::Percent:
            static_cast<ValueSlider*>(controls_[i])->setValue(values[i]);
            break;
        case mlc::ControlKind::List:
            static_cast<QComboBox*>(controls_[i])->setCurrentIndex(static_cast<int>(values[i]));
            break;
        case mlc::ControlKind::Check:
            static_cast<QCheckBox*>(controls_[i])->setChecked(values[i] != 0);
            break;
        }
    }
}

void TMonitorFRM::showEnlargement() {
    const mlc::ZoomPanShown shown = mlc::ShownZoomPan(enlargement_);
    xZoom_->setValue(shown.XMagnification);
    yZoom_->setValue(shown.YMagnification);
    xPos_->setValue(shown.XPan);
    yPos_->setValue(shown.YPan);
}

int TMonitorFRM::listPosition(const char* name) const {
    return static_cast<QComboBox*>(controls_[mlc::MonitorControlIndex(*mlc::FindMonitorControl(name))])
        ->currentIndex();
}

int TMonitorFRM::routerInput() const {
    return context_.settings.ActivateVideoRouter ? videoMatrixSource_->currentIndex() : -1;
}

mlc::TMonitorSettings TMonitorFRM::collect(const mlc::TMonitorSettings& base) const {
    return mlc::CollectMonitorSettings(base, enlargement_, values(), routerInput());
}

void TMonitorFRM::ShowSettingsBox(int index) {
    if (index >= 0 && index < boxes_->count())
        boxes_->setCurrentIndex(index);
    const QSignalBlocker blocker(boxSelector_);
    boxSelector_->setCurrentRow(index < boxSelector_->count() ? index : -1);
}

void TMonitorFRM::sliderOrListChanged() {
    if (!loading_)
        UpdateControlStates();
}

void TMonitorFRM::ZoomChange(mlc::Axis axis, bool zoomMoved) {
    if (loading_)
        return;
    const bool horizontal = axis == mlc::Axis::Horizontal;
    const double pan = (horizontal ? xPos_ : yPos_)->value();
    if (zoomMoved)
        mlc::ZoomSliderMoved(enlargement_, axis, (horizontal ? xZoom_ : yZoom_)->value(), pan);
    else
        mlc::PanSliderMoved(enlargement_, axis, pan);
    DrawPreview();
}

void TMonitorFRM::UpdateControlStates() {
    const mlc::MonitorControlStates states =
        mlc::UpdateControlStates(context_.lists, listPosition("InputSource"), listPosition("ColorTemp"));
    for (std::size_t i = 0; i < mlc::kMonitorControlCount; ++i) {
        const mlc::MonitorControl& control = mlc::kMonitorControls[i];
        const mlc::ControlState state = mlc::StateOf(control.rule, states);
        controls_[i]->setVisible(state.visible);
        controls_[i]->setEnabled(state.enabled);
        if (!labels_[i])
            continue;
        if (state.visible) {
            labels_[i]->setBuddy(controls_[i]); // the shared sharpness label follows the shown control
            labels_[i]->setEnabled(state.enabled);
        }
        if (control.rule == mlc::ControlRule::AlwaysHidden)
            labels_[i]->hide();
    }
}

void TMonitorFRM::DrawPreview() {
    const int input = listPosition("InputSource");
    demo_->DrawPreview(pictures_ && input >= 0 ? pictures_(input) : QImage(), enlargement_);
}

void TMonitorFRM::DefaultSaveBTNClick() {
    context_.wall.DefaultSettings = collect(context_.wall.DefaultSettings);
}

void TMonitorFRM::DefaultReadBTNClick() {
    {
        LoadingScope loading(loading_);
        const mlc::TMonitorSettings& defaults = context_.wall.DefaultSettings;
        enlargement_ = mlc::EnlargementOf(defaults);
        if (context_.settings.ActivateVideoRouter)
            videoMatrixSource_->setCurrentIndex(
                defaults.VideoMatrixSource < videoMatrixSource_->count() ? defaults.VideoMatrixSource : -1);
        showValues(mlc::LoadControls(defaults, context_.lists));
        showEnlargement();
    }
    UpdateControlStates();
    DrawPreview();
}

// The values are taken before anything is sent. The change handlers stay live while
// the progress window lets events through, so what the operator edits meanwhile is
// kept for the next OK or Apply instead of showing on sliders the dialog ignores.
void TMonitorFRM::accept() {
    if (ApplySettings() != mlc::ApplyOutcome::Busy)
        QDialog::accept();
}

mlc::ApplyOutcome TMonitorFRM::ApplySettings() {
    return mlc::ApplySettings(context_.wall, context_.history, context_.devices,
                              context_.settings.ActivateVideoRouter, column_, row_,
                              collect(context_.wall.Monitors.at(column_, row_).Settings));
}

} // namespace mlgui
