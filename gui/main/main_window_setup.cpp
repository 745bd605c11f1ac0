// The configuration wizard (New), the preferences dialog and the router's own
// configuration window, wired into the main window.
//
// The wizard's Finish runs the window's own actions on the grid's selection:
// Autoset enlargement on the chosen block, Copy on it, Paste over the whole wall
// (which sends the wall).
#include "main/main_form.h"

#include "router/router_dialog.h"
#include "setup/autostart_entry.h"
#include "setup/preferences_form.h"
#include "setup/wizard_form.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>

namespace mlgui {

namespace {

class SetupActions : public QObject {
public:
    SetupActions(TMainFRM& window, mlc::UserInterface& ui, std::string programDir, std::string programName)
        : QObject(&window), window_(window), ui_(ui), programDir_(std::move(programDir)),
          programName_(std::move(programName)),
          autodetect_(window.binding(), window.settings(), window.wall(), window.op()),
          routerDialog_([&window](const std::string& title, const std::string& text) {
              QMessageBox box(QMessageBox::Information, QString::fromStdString(title),
                              QString::fromStdString(text), QMessageBox::Ok, &window);
              box.setObjectName(QStringLiteral("RouterConfigurationFRM"));
              box.exec();
          }) {}

    void newWall() {
        TWizardFRM wizard(WizardContext{window_.wall(), window_.settings(), window_.lists(), autodetect_,
                                        window_.op(), finishSteps()},
                          &window_);
        wizard.exec();
    }

    void preferences() {
        mlc::PreferencesServices services;
        services.configureRouter = [this] { window_.devices().configureRouter(); };
        services.setTestMode = [this](bool on) { window_.devices().setTestMode(on); };
        services.autostartPath = mlc::autostartEntryPath(programName_);
        services.programPath = QCoreApplication::applicationFilePath().toStdString();
        services.configDir = programDir_;
        {
            TPreferencesFRM dialog(PreferencesContext{window_.settings(), window_.wall(), window_.lists(),
                                                      autodetect_, window_.devices().router(), ui_,
                                                      window_.op(), programDir_, services},
                                   &window_);
            dialog.exec();
        }
        // Whatever closed the dialog: the port, the grid and the router follow the settings.
        window_.ApplyConfiguration();
        window_.UpdateCaption();
        window_.repaintGrid();
    }

private:
    void runOn(QAction* action, const mlc::WallRect& rect) {
        window_.setSelection(rect);
        action->trigger();
    }

    mlc::WizardFinishSteps finishSteps() {
        MainActions& a = window_.actions();
        return mlc::WizardFinishSteps{
            [this] {
                window_.ApplyConfiguration();
                window_.UpdateCaption();
                QCoreApplication::processEvents();
            },
            [this, &a](const mlc::WallRect& block) { runOn(a.AutosetEnlargmentACTN, block); },
            [this, &a](const mlc::WallRect& block) { runOn(a.ClipboardCopyACTN, block); },
            [this, &a](const mlc::WallRect& wall) { runOn(a.ClipboardPasteACTN, wall); }};
    }

    TMainFRM& window_;
    mlc::UserInterface& ui_;
    std::string programDir_;
    std::string programName_;
    mlc::WallAutodetect autodetect_;
    mlc::RouterDialogHandler routerDialog_;
};

} // namespace

void TMainFRM::connectSetupActions() {
    auto* setup = new SetupActions(*this, *this, setup_.programDir, setup_.programName);
    connect(actions_.NewACTN, &QAction::triggered, setup, [setup] { setup->newWall(); });
    connect(actions_.PreferencesACTN, &QAction::triggered, setup, [setup] { setup->preferences(); });
    actions_.NewACTN->setEnabled(true);
    actions_.PreferencesACTN->setEnabled(true);
}

} // namespace mlgui
