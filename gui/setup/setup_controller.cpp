#include "setup/setup_controller.h"

#include "app/control_center.h"
#include "app/core_device_services.h"
#include "common/dialog_parts.h"
#include "grid/wall_grid_view.h"
#include "setup/autostart_entry.h"
#include "setup/preferences_form.h"
#include "setup/wizard_form.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace mlgui {

SetupController::SetupController(const MainActions& actions, SetupContext context)
    : actions_(actions), context_(std::move(context)),
      autodetect_(context_.devices.binding(), context_.center.settings(), context_.center.wall(),
                  context_.op),
      routerDialog_([&window = context_.window](const std::string& title, const std::string& text) {
          QMessageBox box(QMessageBox::Information, qt(title), qt(text), QMessageBox::Ok, &window);
          box.setObjectName(QStringLiteral("RouterConfigurationFRM"));
          box.exec();
      }) {
    connect(actions.NewACTN, &QAction::triggered, this, &SetupController::newWall);
    connect(actions.PreferencesACTN, &QAction::triggered, this, &SetupController::preferences);
}

void SetupController::newWall() {
    mlc::ControlCenter& center = context_.center;
    TWizardFRM wizard(WizardContext{center.wall(), center.settings(), center.lists(), autodetect_,
                                    context_.op, finishSteps()},
                      &context_.window);
    wizard.exec();
    // A new wall has no past: whatever the old one's steps were, and those the
    // wizard's Finish ran on the new one, cannot be taken back.
    center.history().clear();
}

void SetupController::preferences() {
    mlc::ControlCenter& center = context_.center;
    mlc::CoreDeviceServices& devices = context_.devices;
    mlc::PreferencesServices services;
    services.configureRouter = [&devices] { devices.configureRouter(); };
    services.setTestMode = [&devices](bool on) { devices.setTestMode(on); };
    services.autostartPath = mlc::autostartEntryPath(context_.programName);
    services.programPath = QCoreApplication::applicationFilePath().toStdString();
    services.configDir = center.programDir();
    {
        TPreferencesFRM dialog(PreferencesContext{center.settings(), center.wall(), center.lists(),
                                                  autodetect_, devices.router(), context_.ui, context_.op,
                                                  center.programDir(), services},
                               &context_.window);
        dialog.exec();
    }
    // Whatever closed the dialog: the port, the grid and the router follow the settings.
    center.ApplyConfiguration();
    center.UpdateCaption();
}

void SetupController::runOn(QAction* action, const mlc::WallRect& rect) {
    context_.grid.setSelectionRect(rect);
    action->trigger();
}

mlc::WizardFinishSteps SetupController::finishSteps() {
    return mlc::WizardFinishSteps{
        [this] {
            context_.center.ApplyConfiguration();
            context_.center.UpdateCaption();
            QCoreApplication::processEvents();
        },
        [this](const mlc::WallRect& block) { runOn(actions_.AutosetEnlargmentACTN, block); },
        [this](const mlc::WallRect& block) { runOn(actions_.ClipboardCopyACTN, block); },
        [this](const mlc::WallRect& wall) { runOn(actions_.ClipboardPasteACTN, wall); }};
}

} // namespace mlgui
