// mlcenter: the desktop control program.
#include "app/end_requests.h"
#include "app/program_folder.h"
#include "common/qt_operator.h"
#include "main/main_form.h"
#include "resources/resources.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

const char* kUsage = "Usage: mlcenter [--config-dir DIR]\n"
                     "\n"
                     "The Marlune Control Center: the desktop program that arranges, sends, reads back\n"
                     "and sequences a videowall of Marlune units on one serial line.\n"
                     "\n"
                     "  --config-dir DIR  keep the settings file (mlcenter.INI) and the automatic files\n"
                     "                    lastused.MLV, lastused.MLS and lastused.MLD in DIR (created\n"
                     "                    when missing). Without it they live beside the program, or,\n"
                     "                    for an installed program or one whose folder cannot be written,\n"
                     "                    in $XDG_CONFIG_HOME/mlcenter/ (by default ~/.config/mlcenter/).\n"
                     "  --help            this text\n"
                     "  --version         the program's version\n"
                     "\n"
                     "The driver LVDRIVER.so, the router library libMATRIXSW.so and the definitions\n"
                     "mlcenter.PGC are the ones beside the program file (an installed program's real\n"
                     "file, not the link in /usr/bin). LVDRIVER_PORTS chooses the serial ports (COM1\n"
                     "first), for example the emulator's terminal: see mlcenter(1).\n";

struct Options {
    std::optional<std::string> configDir;
};

// Reads our own options before the toolkit starts, so that --help works without a display.
std::optional<Options> parse(int argc, char* argv[], int& exitCode) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            exitCode = 0;
            return std::nullopt;
        }
        if (arg == "--version") {
            std::printf("mlcenter %s\n", MARLUNE_VERSION);
            exitCode = 0;
            return std::nullopt;
        }
        if (arg == "--config-dir" || arg.rfind("--config-dir=", 0) == 0) {
            const bool joined = arg.size() > std::strlen("--config-dir");
            if (!joined && i + 1 >= argc) {
                std::fputs("mlcenter: --config-dir needs a folder\n", stderr);
                exitCode = 2;
                return std::nullopt;
            }
            options.configDir = joined ? arg.substr(std::strlen("--config-dir=")) : std::string(argv[++i]);
            continue;
        }
        // The toolkit's own options (-platform, -display, -style ...) pass through.
        if (arg.rfind("--", 0) == 0) {
            std::fprintf(stderr, "mlcenter: unknown option %s\n\n%s", arg.c_str(), kUsage);
            exitCode = 2;
            return std::nullopt;
        }
    }
    return options;
}

bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(name); value && *value)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    int exitCode = 0;
    const std::optional<Options> options = parse(argc, argv, exitCode);
    if (!options)
        return exitCode;
    if (!displayAvailable()) {
        std::fputs("mlcenter: no display to show the window on ($DISPLAY is not set).\n"
                   "Start it on a desktop, or use mlctl from a terminal.\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mlcenter"));
    QApplication::setApplicationVersion(QStringLiteral(MARLUNE_VERSION));
    // The desktop entry and icon that an installed program comes with.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.marlune.mlcenter"));
    mlgui::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/mlcenter.svg")));

    const QFileInfo program(QApplication::applicationFilePath());
    const mlc::ProgramFolder folder =
        mlc::ResolveProgramFolder(program.absolutePath().toStdString(), MARLUNE_INSTALLED_DIR,
                                  options->configDir, [](const char* name) { return std::getenv(name); });
    if (!folder.problem.empty())
        QMessageBox::warning(nullptr, QString::fromLatin1(mlc::kProgramTitle),
                             QString::fromStdString(folder.problem) +
                                 QStringLiteral("\nThe program goes on, but the wall, the sequence and the "
                                                "settings will not be kept when it ends."));

    // Asked to end by a signal or the session's end, the program ends as after closing
    // the window, without questions; also while start-up shows a box.
    mlgui::EndRequests endRequests;
    mlgui::MainFormSetup setup;
    setup.programDir = folder.path;
    setup.programName = program.completeBaseName().toStdString();
    mlgui::TMainFRM window(std::move(setup));
    if (window.shouldTerminate())
        return 1;
    endRequests.follow(window);
    window.show();
    return endRequests.exec();
}
