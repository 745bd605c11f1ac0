#include "setup/wizard_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

// The setup pictures live in this static library: their resource file must be
// registered by name before first use.
static void initSetupResources() {
    Q_INIT_RESOURCE(setup);
}

namespace mlgui {

namespace {

QPixmap setupPicture(QSize size, qreal ratio) {
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QSvgRenderer(QStringLiteral(":/setup/wizard.svg")).render(&painter, QRectF(QPointF(0, 0), size));
    return picture;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TWizardFRM::TWizardFRM(WizardContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    initSetupResources();
    setObjectName("WizardFRM");
    setWindowTitle("Marlune Control Center - Configuration wizard");
    buildControls();
    mlc::WizardContext flow;
    flow.portCount = [this] { return context_.autodetect.portCount(); };
    flow.configuredPort = context_.settings.SerialPortNumber;
    flow.inputNames = context_.lists.InputSources.Names;
    flow.configured = mlc::measurementsOf(context_.wall);
    flow.detect = [this](int port) { return detect(port); };
    flow_ = std::make_unique<mlc::WizardFlow>(std::move(flow), context_.op);
    showPage();
}

TWizardFRM::~TWizardFRM() = default;

void TWizardFRM::buildControls() {
    auto* picture = new QLabel(this);
    picture->setObjectName("SetupIMG");
    picture->setAccessibleName("Configuration wizard picture");
    picture->setPixmap(setupPicture(QSize(160, 300), devicePixelRatioF()));
    picture->setAlignment(Qt::AlignTop);

    info_ = new QLabel(this);
    info_->setObjectName("InfoLBL");
    info_->setWordWrap(true);
    info_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    info_->setMinimumWidth(340);
    comboLabel_ = new QLabel(this);
    comboLabel_->setObjectName("ComboLBL");
    combo_ = new QComboBox(this);
    combo_->setObjectName("Combo");
    comboLabel_->setBuddy(combo_);
    connect(combo_, &QComboBox::currentIndexChanged, this, &TWizardFRM::comboChanged);

    // Boxes in the order of mlc::MeasureBox: HBorder, VBorder, HMonitor, VMonitor.
    const std::array<const char*, mlc::kMeasureBoxCount> names{"HBorder", "VBorder", "HMonitor", "VMonitor"};
    const std::array<const char*, mlc::kMeasureBoxCount> captions{
        "&Left border:", "&Top border:", "Monitor (&X):", "Monitor (&Y):"};
    auto* grid = new QGridLayout;
    measureLabels_[4] = new QLabel("Horizontal:", this);
    measureLabels_[5] = new QLabel("Vertical:", this);
    grid->addWidget(measureLabels_[4], 0, 0, 1, 2);
    grid->addWidget(measureLabels_[5], 0, 2, 1, 2);
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i) {
        measures_[i] = new QLineEdit(this);
        measures_[i]->setObjectName(names[i]);
        measureLabels_[i] = new QLabel(captions[i], this);
        measureLabels_[i]->setBuddy(measures_[i]);
        // Border boxes on the first line, monitor boxes on the second; horizontal left.
        const int row = i < 2 ? 1 : 2;
        const int column = i % 2 == 0 ? 0 : 2;
        grid->addWidget(measureLabels_[i], row, column);
        grid->addWidget(measures_[i], row, column + 1);
    }

    hint_ = new QPushButton("&Hint", this);
    hint_->setObjectName("HintBTN");
    previous_ = new QPushButton("<< &Previous", this);
    previous_->setObjectName("PrevBTN");
    next_ = new QPushButton(mlc::kNextCaption, this);
    next_->setObjectName("NextBTN");
    next_->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelBTN");
    connect(hint_, &QPushButton::clicked, this,
            [this] { context_.op.showMessage(mlc::MessageKind::Information, mlc::kMeasuringHint); });
    connect(previous_, &QPushButton::clicked, this, &TWizardFRM::previousClicked);
    connect(next_, &QPushButton::clicked, this, &TWizardFRM::nextClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* page = new QVBoxLayout;
    page->addWidget(info_, 1);
    page->addWidget(comboLabel_);
    page->addWidget(combo_);
    page->addLayout(grid);
    page->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(page, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint_);
    buttons->addStretch();
    buttons->addWidget(previous_);
    buttons->addWidget(next_);
    buttons->addSpacing(12);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setMinimumSize(560, 380);
}

void TWizardFRM::showPage() {
    const mlc::WizardPage& page = flow_->page();
    loading_ = true;
    info_->setText(qt(page.info));
    comboLabel_->setText(qt(page.comboLabel));
    comboLabel_->setVisible(page.comboShown);
    combo_->setVisible(page.comboShown);
    combo_->clear();
    for (const std::string& item : page.comboItems)
        combo_->addItem(qt(item));
    combo_->setCurrentIndex(page.comboIndex);
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i)
        measures_[i]->setVisible(page.measuresShown);
    for (QLabel* label : measureLabels_)
        label->setVisible(page.measuresShown);
    showMeasures();
    hint_->setVisible(page.measuresShown);
    previous_->setEnabled(page.previousEnabled);
    next_->setText(qt(page.nextCaption));
    next_->setEnabled(page.nextEnabled);
    loading_ = false;
}

void TWizardFRM::showMeasures() {
    const mlc::WizardPage& page = flow_->page();
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i) {
        measures_[i]->setText(qt(page.measures[i]));
        measures_[i]->setEnabled(page.measuresEnabled);
        measureLabels_[i]->setEnabled(page.measuresEnabled);
    }
}

mlc::WizardInput TWizardFRM::input() const {
    mlc::WizardInput in;
    in.comboIndex = combo_->currentIndex();
    for (std::size_t i = 0; i < mlc::kMeasureBoxCount; ++i)
        in.measures[i] = measures_[i]->text().toStdString();
    return in;
}

mlc::DetectionOutcome TWizardFRM::detect(int port) {
    // Out of the way of the progress window while the units are probed, and back
    // before the results are told. QDialog's own hide would end the modal loop, so
    // the plain widget is hidden.
    return context_.autodetect.run(port, [this](bool probing) { QWidget::setVisible(!probing); });
}

void TWizardFRM::nextClicked() {
    flow_->next(input());
    if (flow_->finished()) {
        mlc::finishWizard(*flow_->result(), context_.wall, context_.settings, context_.finish);
        accept();
        return;
    }
    showPage();
}

void TWizardFRM::previousClicked() {
    flow_->previous(input());
    showPage();
}

void TWizardFRM::comboChanged(int index) {
    if (loading_ || flow_->page().step != 3)
        return;
    flow_->comboChanged(index);
    showMeasures();
}

} // namespace mlgui
