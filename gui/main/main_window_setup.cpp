// The configuration wizard (New), the preferences dialog and the router's own
// configuration window, wired into the main window.
//
// The wizard's Finish runs the window's own actions on the grid's selection:
// Autoset enlargement on the chosen block, Copy on it, Paste over the whole wall.
// Where an action is not available (its area not wired, or Paste before the first
// Copy), the same core calls run through a WallActions of our own, so the result
// on the wall and the units is the same either way.
#include "main/main_form.h"

#include "app/wall_actions.h"
#include "router/router_dialog.h"
#include "setup/autostart_entry.h"
#include "setup/preferences_form.h"
#include "setup/wizard_form.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>

#include <memory>

namespace mlgui {

namespace {

class SetupActions : public QObject {
public:
    SetupActions(TMainFRM& window, mlc::UserInterface& ui, std::string programDir, std::string programName)
        : QObject(&window), window_(window), ui_(ui), programDir_(std::move(programDir)),
          programName_(std::move(programName)),
          autodetect_(window.binding(), window.settings(), window.wall(), window.op()),
          chain_(window.wall(), window.binding(), window.op()),
          wallActions_(window.wall(), chain_, window.op(),
                       mlc::WallActionHooks{[&window] { return window.devices().writeWall(); },
                                            {},
                                            {},
                                            [&window] {
                                                window.UpdateCaption();
                                                window.repaintGrid();
                                            }}),
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
        {
            TPreferencesFRM dialog(PreferencesContext{window_.settings(), window_.wall(), window_.lists(),
                                                      autodetect_, router_, ui_, window_.op(), programDir_,
                                                      services},
                                   &window_);
            dialog.exec();
        }
        // Whatever closed the dialog: the port, the grid and the router follow the settings.
        window_.ApplyConfiguration();
        window_.UpdateCaption();
        window_.repaintGrid();
    }

private:
    // Runs the window's action on `rect` when it can, else `fallback`; true for the action.
    bool onSelection(QAction* action, const mlc::WallRect& rect, const std::function<void()>& fallback) {
        window_.setSelection(rect);
        if (action->isEnabled()) {
            action->trigger();
            return true;
        }
        fallback();
        return false;
    }

    mlc::WizardFinishSteps finishSteps() {
        MainActions& a = window_.actions();
        return mlc::WizardFinishSteps{
            [this] {
                window_.ApplyConfiguration();
                window_.UpdateCaption();
                QCoreApplication::processEvents();
            },
            [this, &a](const mlc::WallRect& block) {
                onSelection(a.AutosetEnlargmentACTN, block, [&] { wallActions_.autosetEnlargement(block); });
            },
            [this, &a](const mlc::WallRect& block) {
                copiedByWindow_ = onSelection(a.ClipboardCopyACTN, block, [&] { wallActions_.copy(block); });
            },
            [this, &a](const mlc::WallRect& wall) {
                // Paste repeats the block the same Copy took.
                window_.setSelection(wall);
                if (copiedByWindow_ && a.ClipboardPasteACTN->isEnabled())
                    a.ClipboardPasteACTN->trigger();
                else
                    wallActions_.paste(wall);
            }};
    }

    TMainFRM& window_;
    mlc::UserInterface& ui_;
    std::string programDir_;
    std::string programName_;
    mlc::WallAutodetect autodetect_;
    mlc::ChainCommands chain_;
    mlc::WallActions wallActions_;
    // The router library is stateless on our side: this wrapper only calls it.
    mlc::MatrixSwRouter router_;
    mlc::RouterDialogHandler routerDialog_;
    bool copiedByWindow_ = false;
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
