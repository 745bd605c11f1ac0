// TWizardFRM: the configuration wizard. Five pages driven by mlc::WizardFlow; this
// form only shows the page the flow describes and hands it what the controls hold.
#pragma once

#include "setup/wizard_flow.h"
#include "wall/match_lists.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace mlgui {

class MeasurementBoxes;

// What the wizard works on.
struct WizardContext {
    mlc::WallModel& wall;
    mlc::ProgramSettings& settings;
    const mlc::MatchLists& lists;
    mlc::WallAutodetect& autodetect;
    mlc::Operator& op;
    mlc::WizardFinishSteps finish; // the main window's own actions
};

class TWizardFRM : public QDialog {
    Q_OBJECT
public:
    explicit TWizardFRM(WizardContext context, QWidget* parent = nullptr);
    ~TWizardFRM() override;

    const mlc::WizardFlow& flow() const { return *flow_; }

private:
    void buildControls();
    void showPage();
    void showMeasures();
    mlc::WizardInput input() const;
    mlc::DetectionOutcome detect(int port);
    void nextClicked();
    void previousClicked();
    void comboChanged(int index);

    WizardContext context_;
    std::unique_ptr<mlc::WizardFlow> flow_;
    bool loading_ = false;

    QLabel* info_ = nullptr;
    QLabel* comboLabel_ = nullptr;
    QComboBox* combo_ = nullptr;
    MeasurementBoxes* measures_ = nullptr;
    QPushButton* hint_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
};

} // namespace mlgui
