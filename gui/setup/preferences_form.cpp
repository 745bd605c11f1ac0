#include "setup/preferences_form.h"

#include "common/dialog_buttons.h"
#include "common/dialog_parts.h"
#include "common/measurement_boxes.h"
#include "files/atomic_file.h"
#include "setup/remote_control_group.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mlgui {

namespace {

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QColor fromBgr(std::int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

std::int32_t toBgr(const QColor& colour) {
    return colour.red() | colour.green() << 8 | colour.blue() << 16;
}

} // namespace

TPreferencesFRM::TPreferencesFRM(PreferencesContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    setObjectName("PreferencesFRM");
    setWindowTitle(dialogCaption("Preferences"));

    startWizard_ = checkBox("StartWizard", "&Always launch videowall wizard at program startup", this);
    disableSourceInfo_ =
        checkBox("DisableSourceInfo", "Don't show source info when switching source signal", this);
    auto* left = new QVBoxLayout;
    left->addWidget(buildLumivaneGroup());
    left->addWidget(buildGridGroup(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildAutostartGroup());
    right->addWidget(buildRouterGroup());
    right->addWidget(buildCorrectionGroup());
    right->addWidget(startWizard_);
    right->addWidget(disableSourceInfo_);
    right->addWidget(buildSynchronisationGroup());
    remote_ = new RemoteControlGroup(this);
    right->addWidget(remote_);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(dialogButtons(this).row);

    load();
}

QWidget* TPreferencesFRM::buildLumivaneGroup() {
    auto* group = new QGroupBox(" Lumivane configuration ", this);
    port_ = new QComboBox(group);
    port_->setObjectName("ComPort");
    auto* portLabel = new QLabel("Specify the &serial port to use:", group);
    portLabel->setBuddy(port_);
    columns_ = new QSpinBox(group);
    rows_ = new QSpinBox(group);
    for (auto [box, name] : {std::pair{columns_, "Cols"}, std::pair{rows_, "Rows"}}) {
        box->setObjectName(name);
        box->setRange(1, mlc::kMaxColumns);
        box->setToolTip(box == columns_ ? "Columns" : "Rows");
        box->setAccessibleName(box->toolTip());
    }
    auto* structure = new QLabel("&Display structure:", group);
    structure->setBuddy(columns_);
    autodetect_ = namedButton("VideowallAutodetectBTN", "A&uto detect", group);
    noPort_ = new QLabel(mlc::kNoPortNotice, group);
    noPort_->setObjectName("NoPortLBL");
    noPort_->setWordWrap(true);
    inhibit_ = checkBox("InhibitTransmission", "Disconnect Lumivan&e chain (no more activity on serial port)",
                        group);
    connect(autodetect_, &QPushButton::clicked, this, &TPreferencesFRM::autodetectClicked);
    connect(inhibit_, &QCheckBox::toggled, this, &TPreferencesFRM::updateEnabling);

    auto* grid = new QGridLayout(group);
    grid->addWidget(portLabel, 0, 0);
    grid->addWidget(port_, 0, 1, 1, 4);
    grid->addWidget(structure, 1, 0);
    grid->addWidget(columns_, 1, 1);
    grid->addWidget(new QLabel("X", group), 1, 2);
    grid->addWidget(rows_, 1, 3);
    grid->addWidget(new QLabel("monitors", group), 1, 4);
    grid->addWidget(autodetect_, 2, 1, 1, 4, Qt::AlignRight);
    grid->addWidget(noPort_, 3, 0, 1, 5);
    grid->addWidget(inhibit_, 4, 0, 1, 5);
    return group;
}

QWidget* TPreferencesFRM::buildGridGroup() {
    auto* group = new QGroupBox(" Videowall grid display ", this);
    highlight_ = new QComboBox(group);
    highlight_->setObjectName("Highlight");
    highlight_->addItems({"Color inversion", "Solid black color", "Solid white color"});
    auto* highlightLabel = new QLabel("&Highlight selected monitors using:", group);
    highlightLabel->setBuddy(highlight_);

    images_ = new QTableWidget(0, 2, group);
    images_->setObjectName("Images");
    images_->setAccessibleName("Example image files");
    images_->setHorizontalHeaderLabels({"Source input", "File name"});
    images_->verticalHeader()->hide();
    images_->verticalHeader()->setDefaultSectionSize(18);
    images_->horizontalHeader()->resizeSection(0, 128);
    images_->horizontalHeader()->setStretchLastSection(true);
    images_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* imagesLabel = new QLabel("E&xample image files (use only BMP files):", group);
    imagesLabel->setBuddy(images_);
    auto* browse = namedButton("ImageBrowseBTN", "&Browse...", group);
    connect(browse, &QPushButton::clicked, this, &TPreferencesFRM::imageBrowseClicked);

    auto* idGroup = new QGroupBox(" Device ID visualization options ", group);
    idBackground_ = checkBox("IdBackground", "Show device ID on grid using bac&kground color:", idGroup);
    idColour_ = namedButton("IdBackgroundColor", "", idGroup);
    idColour_->setToolTip("Click to change");
    idColour_->setAccessibleName("Device ID background colour");
    idColour_->setFixedSize(48, 22);
    connect(idColour_, &QPushButton::clicked, this, &TPreferencesFRM::colourClicked);
    auto* idRow = new QHBoxLayout(idGroup);
    idRow->addWidget(idBackground_);
    idRow->addWidget(idColour_);
    idRow->addStretch();
    enlargementReset_ = checkBox("EnlargementReset",
                                 "Reset monitor settings to de&faults when auto-setting enlargement", group);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(highlightLabel);
    layout->addWidget(highlight_);
    layout->addWidget(imagesLabel);
    layout->addWidget(images_, 1);
    layout->addWidget(browse, 0, Qt::AlignRight);
    layout->addWidget(idGroup);
    layout->addWidget(enlargementReset_);
    return group;
}

QWidget* TPreferencesFRM::buildAutostartGroup() {
    auto* group = new QGroupBox(" Autostart ", this);
    autoRun_ = checkBox("AutoRun", mlc::autoRunCaption(), group);
    autoRunSequence_ = new QLineEdit(group);
    autoRunSequence_->setObjectName("AutoRunSequence");
    autoRunSequence_->setAccessibleName("Sequence played at start");
    autoRunBrowse_ = namedButton("AutoRunSequenceBrowseBTN", "B&rowse...", group);
    connect(autoRun_, &QCheckBox::toggled, this, &TPreferencesFRM::updateEnabling);
    connect(autoRunBrowse_, &QPushButton::clicked, this, &TPreferencesFRM::sequenceBrowseClicked);
    auto* layout = new QGridLayout(group);
    layout->addWidget(autoRun_, 0, 0, 1, 2);
    layout->addWidget(autoRunSequence_, 1, 0);
    layout->addWidget(autoRunBrowse_, 1, 1);
    return group;
}

QWidget* TPreferencesFRM::buildRouterGroup() {
    auto* group = new QGroupBox(" External video matrix hardware ", this);
    useVideoMatrix_ = checkBox("UseVideoMatrix", "Use external video &matrix hardware", group);
    routerButton_ = namedButton("RouterBTN", "Configure rout&er...", group);
    connect(useVideoMatrix_, &QCheckBox::toggled, this, &TPreferencesFRM::updateEnabling);
    connect(routerButton_, &QPushButton::clicked, this, [this] { context_.router.ConfigurePlugin(); });
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(useVideoMatrix_);
    layout->addStretch();
    layout->addWidget(routerButton_);
    return group;
}

QWidget* TPreferencesFRM::buildCorrectionGroup() {
    auto* group = new QGroupBox(" Monitor border correction ", this);
    marginCorrection_ = checkBox("MarginCorrectionEnable",
                                 "Enab&le monitor border correction when auto-setting enlargements", group);
    monitorType_ = new QComboBox(group);
    monitorType_->setObjectName("MonitorType");
    for (const mlc::TMonitorType& type : mlc::MonitorTypes)
        monitorType_->addItem(type.Name);
    auto* typeLabel = new QLabel("Monitor ty&pe:", group);
    typeLabel->setBuddy(monitorType_);
    connect(marginCorrection_, &QCheckBox::toggled, this, &TPreferencesFRM::monitorTypeChanged);
    connect(monitorType_, &QComboBox::currentIndexChanged, this, &TPreferencesFRM::monitorTypeChanged);

    customGroup_ = new QGroupBox(" Custom monitor settings ", group);
    measures_ = new MeasurementBoxes({"Border width:", "Border height:", "Monitor width:", "Monitor height:"},
                                     customGroup_);
    connect(measures_, &MeasurementBoxes::textsChanged, this, &TPreferencesFRM::measuresChanged);
    hPercentage_ = heading("100.00%", measures_);
    hPercentage_->setObjectName("HBorderPercentage");
    vPercentage_ = heading("100.00%", measures_);
    vPercentage_->setObjectName("VBorderPercentage");
    for (QLabel* label : {hPercentage_, vPercentage_})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The shown value is what a screen reader says; the description says what it is.
    hPercentage_->setAccessibleDescription("Horizontal border share");
    vPercentage_->setAccessibleDescription("Vertical border share");
    measures_->addRow(hPercentage_, vPercentage_);
    (new QVBoxLayout(customGroup_))->addWidget(measures_);

    auto* hint = namedButton("HintBTN", "H&int", group);
    connect(hint, &QPushButton::clicked, this,
            [this] { context_.op.showMessage(mlc::MessageKind::Information, mlc::kMeasuringHint); });
    auto* layout = new QGridLayout(group);
    layout->addWidget(marginCorrection_, 0, 0, 1, 3);
    layout->addWidget(typeLabel, 1, 0);
    layout->addWidget(monitorType_, 1, 1);
    layout->addWidget(hint, 1, 2);
    layout->addWidget(customGroup_, 2, 0, 1, 3);
    return group;
}

QWidget* TPreferencesFRM::buildSynchronisationGroup() {
    auto* group = new QGroupBox(" Synchronisation ", this);
    group->setObjectName("SynchronisationBOX");
    quickSync_ = checkBox("QuickSyncCHK", "Send only what changed (faster on large walls)", group);
    cacheRanges_ = checkBox("CacheRangesCHK", "Remember each unit's value ranges", group);
    verifyWrites_ = checkBox("VerifyWritesCHK", "Check the units after each wall write", group);
    auto* layout = new QVBoxLayout(group);
    for (QCheckBox* box : {quickSync_, cacheRanges_, verifyWrites_})
        layout->addWidget(box);
    return group;
}

void TPreferencesFRM::load() {
    const bool entryExists = mlc::fileExists(context_.services.autostartPath);
    loaded_ = mlc::loadPreferences(context_.settings, context_.wall, context_.lists,
                                   context_.autodetect.portCount(), entryExists);
    const mlc::PreferencesForm& f = loaded_;
    {
        LoadingScope loading(loading_);
        fillForm(f);
    }
    monitorTypeChanged();
    measuresChanged();
}

void TPreferencesFRM::fillForm(const mlc::PreferencesForm& f) {
    for (const std::string& name : f.ports)
        port_->addItem(qt(name));
    port_->setCurrentIndex(f.portIndex);
    noPort_->setVisible(f.ports.empty());
    images_->setRowCount(static_cast<int>(f.imageFiles.size()));
    for (std::size_t i = 0; i < f.imageFiles.size(); ++i) {
        auto* source = new QTableWidgetItem(qt(f.imageSources[i]));
        source->setFlags(source->flags() & ~Qt::ItemIsEditable);
        images_->setItem(static_cast<int>(i), 0, source);
        images_->setItem(static_cast<int>(i), 1, new QTableWidgetItem(qt(f.imageFiles[i])));
    }
    columns_->setValue(f.columns);
    rows_->setValue(f.rows);
    highlight_->setCurrentIndex(f.highlight);
    idBackground_->setChecked(f.idBackground);
    setPanelColour(f.idBackgroundColor);
    autoRun_->setChecked(f.autoRun);
    autoRunSequence_->setText(qt(f.autoRunSequence));
    useVideoMatrix_->setChecked(f.useVideoMatrix);
    inhibit_->setChecked(f.inhibitTransmission);
    enlargementReset_->setChecked(f.enlargementReset);
    marginCorrection_->setChecked(f.marginCorrection);
    startWizard_->setChecked(f.startWizard);
    disableSourceInfo_->setChecked(f.disableSourceInfo);
    quickSync_->setChecked(f.quickSync);
    cacheRanges_->setChecked(f.cacheRanges);
    verifyWrites_->setChecked(f.verifyWrites);
    remote_->load(f.remote);
    measures_->setTexts(f.measures);
    monitorType_->setCurrentIndex(f.monitorType);
}

mlc::PreferencesForm TPreferencesFRM::form() const {
    mlc::PreferencesForm f = loaded_;
    f.portIndex = port_->currentIndex();
    f.columns = columns_->value();
    f.rows = rows_->value();
    f.inhibitTransmission = inhibit_->isChecked();
    f.highlight = highlight_->currentIndex();
    for (std::size_t i = 0; i < f.imageFiles.size(); ++i)
        if (const QTableWidgetItem* item = images_->item(static_cast<int>(i), 1))
            f.imageFiles[i] = item->text().toStdString();
    f.idBackground = idBackground_->isChecked();
    f.idBackgroundColor = colour_;
    f.enlargementReset = enlargementReset_->isChecked();
    f.autoRun = autoRun_->isChecked();
    f.autoRunSequence = autoRunSequence_->text().toStdString();
    f.useVideoMatrix = useVideoMatrix_->isChecked();
    f.marginCorrection = marginCorrection_->isChecked();
    f.monitorType = monitorType_->currentIndex();
    f.measures = measures_->texts();
    f.startWizard = startWizard_->isChecked();
    f.disableSourceInfo = disableSourceInfo_->isChecked();
    f.quickSync = quickSync_->isChecked();
    f.cacheRanges = cacheRanges_->isChecked();
    f.verifyWrites = verifyWrites_->isChecked();
    f.remote = remote_->settings();
    return f;
}

void TPreferencesFRM::updateEnabling() {
    if (loading_)
        return;
    const mlc::PreferencesEnabling on = mlc::preferencesEnabling(form());
    autoRunSequence_->setEnabled(on.autoRunSequence);
    autoRunBrowse_->setEnabled(on.autoRunSequence);
    routerButton_->setEnabled(on.routerButton);
    autodetect_->setEnabled(on.autodetectButton);
    monitorType_->setEnabled(on.monitorType);
    customGroup_->setEnabled(on.measures);
}

void TPreferencesFRM::monitorTypeChanged() {
    if (loading_)
        return;
    mlc::PreferencesForm f = form();
    mlc::applyMonitorType(f);
    measures_->setTexts(f.measures);
    updateEnabling();
}

void TPreferencesFRM::measuresChanged() {
    if (loading_)
        return;
    using mlc::MeasureBox;
    const mlc::MeasureTexts texts = measures_->texts();
    const auto text = [&texts](MeasureBox box) { return texts[static_cast<std::size_t>(box)]; };
    hPercentage_->setText(
        qt(mlc::borderPercentageText(text(MeasureBox::HBorder), text(MeasureBox::HMonitor))));
    vPercentage_->setText(
        qt(mlc::borderPercentageText(text(MeasureBox::VBorder), text(MeasureBox::VMonitor))));
}

void TPreferencesFRM::setPanelColour(std::int32_t bgr) {
    colour_ = bgr;
    idColour_->setStyleSheet(
        QString("background-color: %1; border: 1px solid #2b3440;").arg(fromBgr(bgr).name()));
}

void TPreferencesFRM::autodetectClicked() {
    // The progress window lets events through while the units are probed: the dialog
    // takes no input meanwhile, or OK could store the form (and switch the driver's
    // test mode) in the middle of the probe.
    const mlc::DetectionOutcome outcome =
        context_.autodetect.run(port_->currentIndex() + 1, [this](bool probing) { setEnabled(!probing); });
    if (outcome.status != mlc::DetectionOutcome::Status::Found)
        return;
    columns_->setValue(outcome.shape.columns);
    rows_->setValue(outcome.shape.rows);
    // IDs follow what the boxes hold now, which may have limited the shape.
    const mlc::WallShape shown{columns_->value(), rows_->value()};
    mlc::applyDetectedIds(context_.wall, shown, mlc::AssignDetectedIds(shown, outcome.presentIds));
}

void TPreferencesFRM::imageBrowseClicked() {
    const int row = std::max(images_->currentRow(), 0);
    if (row >= images_->rowCount())
        return;
    QTableWidgetItem* item = images_->item(row, 1);
    const auto chosen =
        context_.ui.chooseFileToOpen({"Open image", "Bitmap files (*.bmp)|*.bmp",
                                      item ? item->text().toStdString() : "", context_.programDir, ""});
    if (chosen && item)
        item->setText(qt(*chosen));
}

void TPreferencesFRM::colourClicked() {
    const QColor chosen = QColorDialog::getColor(fromBgr(colour_), this, dialogCaption("Color"));
    if (chosen.isValid())
        setPanelColour(toBgr(chosen));
}

void TPreferencesFRM::sequenceBrowseClicked() {
    const auto chosen =
        context_.ui.chooseFileToOpen({"Open file", "Sequencer timeline (*.MLS)|*.MLS",
                                      autoRunSequence_->text().toStdString(), context_.programDir, "MLS"});
    if (chosen)
        autoRunSequence_->setText(qt(*chosen));
}

void TPreferencesFRM::accept() {
    mlc::PreferencesForm f = form();
    mlc::storePreferences(f, context_.settings, context_.wall, context_.services, context_.op);
    marginCorrection_->setChecked(f.marginCorrection);
    QDialog::accept();
}

} // namespace mlgui
