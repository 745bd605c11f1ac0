#include "setup/wizard_form.h"

#include "common/dialog_parts.h"
#include "common/measurement_boxes.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
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

} // namespace

TWizardFRM::TWizardFRM(WizardContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    initSetupResources();
    setObjectName("WizardFRM");
    setWindowTitle(dialogCaption("Configuration wizard"));
    buildControls();
    mlc::WizardFlowSetup flow;
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

    measures_ =
        new MeasurementBoxes({"&Left border:", "&Top border:", "Monitor (&X):", "Monitor (&Y):"}, this);

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
    page->addWidget(measures_);
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
    LoadingScope loading(loading_);
    info_->setText(qt(page.info));
    comboLabel_->setText(qt(page.comboLabel));
    comboLabel_->setVisible(page.comboShown);
    combo_->setVisible(page.comboShown);
    combo_->clear();
    for (const std::string& item : page.comboItems)
        combo_->addItem(qt(item));
    combo_->setCurrentIndex(page.comboIndex);
    measures_->setVisible(page.measuresShown);
    showMeasures();
    hint_->setVisible(page.measuresShown);
    previous_->setEnabled(page.previousEnabled);
    next_->setText(qt(page.nextCaption));
    next_->setEnabled(page.nextEnabled);
}

void TWizardFRM::showMeasures() {
    const mlc::WizardPage& page = flow_->page();
    measures_->setTexts(page.measures);
    measures_->setBoxesEnabled(page.measuresEnabled);
}

mlc::WizardInput TWizardFRM::input() const {
    return {combo_->currentIndex(), measures_->texts()};
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
