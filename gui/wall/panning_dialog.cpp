#include "wall/panning_dialog.h"

#include "common/dialog_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

// Resources of a static library are registered by hand.
static void initWallResources() {
    Q_INIT_RESOURCE(wall);
}

namespace mlgui {

namespace {

struct ArrowLook {
    const char* name;
    const char* hint;
    const char* icon;
    int row;
    int column;
};

// Where each button sits and what it says: the hint names the way the picture
// moves on the wall, the name the way the shown region moves over the source.
ArrowLook lookOf(mlc::PanButton button) {
    switch (button) {
    case mlc::PanButton::Down:
        return {"PanDownBTN", "Pan up", ":/wall/arrow_up.svg", 0, 1};
    case mlc::PanButton::Right:
        return {"PanRightBTN", "Pan left", ":/wall/arrow_left.svg", 1, 0};
    case mlc::PanButton::Left:
        return {"PanLeftBTN", "Pan right", ":/wall/arrow_right.svg", 1, 2};
    case mlc::PanButton::Up:
        break;
    }
    return {"PanUpBTN", "Pan down", ":/wall/arrow_down.svg", 2, 1};
}

} // namespace

TPanningFRM::TPanningFRM(mlc::WallModel& model, mlc::WallHistory& history, const mlc::WallRect& selection,
                         std::function<bool()> writeWall, std::function<void()> repaint, QWidget* parent)
    : QDialog(parent), panning_(model, history, selection, std::move(writeWall)),
      repaint_(std::move(repaint)) {
    initWallResources();
    setObjectName("PanningFRM");
    setWindowTitle(dialogCaption("Global panning"));

    auto* target = new QGroupBox(" Pan &what ", this);
    target->setObjectName("Target");
    all_ = new QRadioButton("All", target);
    all_->setObjectName("AllRBN");
    selected_ = new QRadioButton("Selected", target);
    selected_->setObjectName("SelectedRBN");
    selected_->setChecked(true);
    auto* targetLayout = new QHBoxLayout(target);
    targetLayout->addWidget(all_);
    targetLayout->addWidget(selected_);

    auto* speedLabel = new QLabel("Panning &speed:", this);
    speed_ = new QComboBox(this);
    speed_->setObjectName("Speed");
    speed_->setEditable(true);
    speed_->setInsertPolicy(QComboBox::NoInsert);
    speed_->addItems({"10.00%", "1.00%", "0.10%", "0.01%"});
    speed_->lineEdit()->setMaxLength(6);
    speed_->setCurrentText("0.10%");
    speedLabel->setBuddy(speed_);
    panning_.setSpeedText("0.10%");

    auto* explanation = new QLabel("The speed setting specifies a panning step size as a percentage of the "
                                   "entire videowall size. For fine panning choose small speeds.",
                                   this);
    explanation->setObjectName("ExplanationLBL");
    explanation->setWordWrap(true);

    auto* pad = new QGroupBox(this);
    pad->setObjectName("PanBOX");
    pad->setAccessibleName("Panning arrows");
    auto* padLayout = new QGridLayout(pad);
    for (const mlc::PanButton button : mlc::kPanButtons) {
        QToolButton* arrowButton = makeArrow(button);
        const ArrowLook look = lookOf(button);
        padLayout->addWidget(arrowButton, look.row, look.column);
    }

    auto* close = new QPushButton("&Close", this);
    close->setObjectName("CloseBTN");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(speedLabel);
    speedRow->addWidget(speed_, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(target);
    left->addLayout(speedRow);
    left->addWidget(explanation);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(pad);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);

    connect(all_, &QRadioButton::toggled, this, [this](bool on) {
        panning_.setTarget(on ? mlc::PanTarget::All : mlc::PanTarget::Selected);
        updateArrows();
    });
    connect(speed_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        panning_.setSpeedText(text.toStdString());
        updateArrows();
    });
    updateArrows();
}

QToolButton* TPanningFRM::makeArrow(mlc::PanButton button) {
    const ArrowLook look = lookOf(button);
    auto* b = new QToolButton(this);
    b->setObjectName(look.name);
    b->setToolTip(look.hint);
    b->setAccessibleName(look.hint);
    b->setProperty("tag", static_cast<int>(button));
    b->setAutoRaise(true);
    b->setIcon(QIcon(look.icon));
    b->setIconSize(QSize(32, 32));
    connect(b, &QToolButton::clicked, this, [this, button] { pan(button); });
    arrows_[static_cast<std::size_t>(button)] = b;
    return b;
}

QToolButton* TPanningFRM::arrow(mlc::PanButton button) const {
    return arrows_[static_cast<std::size_t>(button)];
}

void TPanningFRM::updateArrows() {
    for (const mlc::PanButton button : mlc::kPanButtons)
        arrow(button)->setEnabled(panning_.enabled(button));
}

void TPanningFRM::pan(mlc::PanButton button) {
    panning_.pan(button);
    if (repaint_)
        repaint_();
    updateArrows();
}

} // namespace mlgui
