// TMonitorFRM: every picture setting of one monitor. Nothing is sent while the
// operator edits; OK and Apply store the values into the wall and write the
// monitor (mlc::ApplySettings). The rules live in center/dialogs/; this class
// builds the widgets from the control table, moves values between them and the
// record, and calls the rules.
#pragma once

#include "common/dialog_parts.h"
#include "dialogs/monitor_apply.h"
#include "dialogs/monitor_controls.h"
#include "files/settings_file.h"
#include "monitor/monitor_dialog_parts.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace mlgui {

class DemoPreview;
class ValueSlider;

class TMonitorFRM : public QDialog {
    Q_OBJECT
public:
    // Edits Monitors[column, row] of the context's wall.
    TMonitorFRM(MonitorDialogContext context, int column, int row, PictureProvider pictures,
                QWidget* parent = nullptr);

    int MonitorColumn() const { return column_; }
    int MonitorRow() const { return row_; }
    const mlc::Enlargement& enlargement() const { return enlargement_; }

    // OK and Apply: store and send. Public for the main window's tests.
    mlc::ApplyOutcome ApplySettings();
    // OK: applies, and closes unless another device exchange refused it.
    void accept() override;
    void ShowSettingsBox(int index);

private:
    void buildWidgets();
    QWidget* buildZoomBox();
    void buildBox(mlc::SettingsBox box, QGroupBox* group);
    QWidget* controlWidget(std::size_t index);

    void FormCreate();
    // A percent slider, the input or the colour temperature changed: the control states follow.
    void sliderOrListChanged();
    void ZoomChange(mlc::Axis axis, bool zoomMoved);
    void UpdateControlStates();
    void DrawPreview();
    void DefaultSaveBTNClick();
    void DefaultReadBTNClick();

    mlc::ControlValues values() const;
    void showValues(const mlc::ControlValues& values);
    void showEnlargement();
    int routerInput() const;
    mlc::TMonitorSettings collect(const mlc::TMonitorSettings& base) const;
    int listPosition(const char* name) const;

    MonitorDialogContext context_;
    PictureProvider pictures_;
    int column_;
    int row_;
    mlc::Enlargement enlargement_;
    bool loading_ = false;

    std::array<QWidget*, mlc::kMonitorControlCount> controls_{};
    std::array<QLabel*, mlc::kMonitorControlCount> labels_{};
    ValueSlider* xZoom_ = nullptr;
    ValueSlider* yZoom_ = nullptr;
    ValueSlider* xPos_ = nullptr;
    ValueSlider* yPos_ = nullptr;
    DemoPreview* demo_ = nullptr;
    QComboBox* videoMatrixSource_ = nullptr;
    QListWidget* boxSelector_ = nullptr;
    QStackedWidget* boxes_ = nullptr;
    QLabel* rowValue_ = nullptr;
    QLabel* columnValue_ = nullptr;
    QLabel* idValue_ = nullptr;
    QPushButton* applyButton_ = nullptr;
};

} // namespace mlgui
