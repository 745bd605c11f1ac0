// TPreferencesFRM: the preferences dialog. Controls are filled from and stored
// through mlc::loadPreferences / mlc::storePreferences; which control depends on
// which is mlc::preferencesEnabling.
#pragma once

#include "app/user_interface.h"
#include "router/video_router.h"
#include "setup/preferences_rules.h"
#include "setup/wall_autodetect.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace mlgui {

class MeasurementBoxes;
class RemoteControlGroup;

// What the preferences dialog works on.
struct PreferencesContext {
    mlc::ProgramSettings& settings;
    mlc::WallModel& wall;
    const mlc::MatchLists& lists;
    mlc::WallAutodetect& autodetect;
    mlc::VideoRouter& router;
    mlc::UserInterface& ui; // file dialogs
    mlc::Operator& op;
    std::string programDir; // where the file dialogs start
    mlc::PreferencesServices services;
};

class TPreferencesFRM : public QDialog {
    Q_OBJECT
public:
    explicit TPreferencesFRM(PreferencesContext context, QWidget* parent = nullptr);

    // Ok: stores the form into the settings and the wall, then closes.
    void accept() override;

private:
    QWidget* buildLumivaneGroup();
    QWidget* buildGridGroup();
    QWidget* buildAutostartGroup();
    QWidget* buildRouterGroup();
    QWidget* buildCorrectionGroup();
    QWidget* buildSynchronisationGroup();
    void load();
    void fillForm(const mlc::PreferencesForm& f);
    mlc::PreferencesForm form() const;
    void updateEnabling();
    void monitorTypeChanged();
    void measuresChanged();
    void setPanelColour(std::int32_t bgr);
    void autodetectClicked();
    void imageBrowseClicked();
    void colourClicked();
    void sequenceBrowseClicked();

    PreferencesContext context_;
    mlc::PreferencesForm loaded_;
    bool loading_ = false;
    std::int32_t colour_ = 0;

    QComboBox* port_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QPushButton* autodetect_ = nullptr;
    QLabel* noPort_ = nullptr;
    QCheckBox* inhibit_ = nullptr;
    QComboBox* highlight_ = nullptr;
    QTableWidget* images_ = nullptr;
    QCheckBox* idBackground_ = nullptr;
    QPushButton* idColour_ = nullptr;
    QCheckBox* enlargementReset_ = nullptr;
    QCheckBox* autoRun_ = nullptr;
    QLineEdit* autoRunSequence_ = nullptr;
    QPushButton* autoRunBrowse_ = nullptr;
    QCheckBox* useVideoMatrix_ = nullptr;
    QPushButton* routerButton_ = nullptr;
    QCheckBox* marginCorrection_ = nullptr;
    QComboBox* monitorType_ = nullptr;
    QGroupBox* customGroup_ = nullptr;
    MeasurementBoxes* measures_ = nullptr;
    QLabel* hPercentage_ = nullptr;
    QLabel* vPercentage_ = nullptr;
    QCheckBox* startWizard_ = nullptr;
    QCheckBox* disableSourceInfo_ = nullptr;
    QCheckBox* quickSync_ = nullptr;
    QCheckBox* cacheRanges_ = nullptr;
    QCheckBox* verifyWrites_ = nullptr;
    RemoteControlGroup* remote_ = nullptr;
};

} // namespace mlgui
