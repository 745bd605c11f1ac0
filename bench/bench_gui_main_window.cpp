// Measures the desktop program's main window on the offscreen platform:
// - repainting the grid of a 16 x 16 wall at 1920 x 1080, every monitor showing
//   its part of the demo picture with its device ID, unselected and all selected;
// - program start to the first frame of the shown window, with the automatic
//   files present (a first run writes them); the serial port is one that does not
//   exist, so that its opening costs nothing;
// - the resident memory once the window is up.
//
//   bench_gui_main_window [--frames N]
#include "grid/demo_picture.h"
#include "grid/wall_grid_view.h"
#include "main/main_form.h"
#include "resident_memory.h"
#include "silent_operator.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

// Records when the grid first finished painting.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QElapsedTimer& clock) : clock_(clock) {}
    qint64 at = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || at >= 0 || inside_)
            return false;
        inside_ = true; // paint it now, then take the time
        QCoreApplication::sendEvent(watched, event);
        inside_ = false;
        at = clock_.nsecsElapsed();
        return true;
    }

private:
    QElapsedTimer& clock_;
    bool inside_ = false;
};

std::unique_ptr<mlgui::TMainFRM> openWindow(const QString& folder, bench::SilentOperator& op) {
    mlgui::MainFormSetup setup;
    setup.programDir = QDir(folder).absolutePath().toStdString() + "/";
    setup.op = &op;
    return std::make_unique<mlgui::TMainFRM>(std::move(setup));
}

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Milliseconds a frame: elapsed, and the processor time the program used (which
// other work on a shared machine does not inflate).
struct FrameTime {
    double elapsed;
    double cpu;
};

FrameTime repaintMs(QWidget& view, int frames) {
    view.repaint(); // warm-up: fonts, scaled picture paths
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = cpuMs();
    for (int i = 0; i < frames; ++i)
        view.repaint();
    return {clock.nsecsElapsed() / 1e6 / frames, (cpuMs() - cpuStart) / frames};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LVDRIVER_DEFINITIONS", MARLUNE_BIN_DIR "/mlcenter.PGC");
    int frames = 200;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--frames")
            frames = std::max(1, std::atoi(argv[i + 1]));

    QElapsedTimer startClock;
    startClock.start();
    QApplication app(argc, argv);
    const qint64 applicationReady = startClock.nsecsElapsed();

    QTemporaryDir folder;
    qputenv("LVDRIVER_PORTS", (folder.path() + "/no-port").toLocal8Bit());
    std::ofstream(folder.filePath("mlcenter.INI").toStdString())
        << "[General]\nRunWizardAtStartup=0\n[Videowall]\nWidth=16\nHeight=16\n";
    bench::SilentOperator op;
    openWindow(folder.path(), op).reset(); // the first run writes the automatic files

    // Start to the first frame, as the program does it: create, show, paint.
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<mlgui::TMainFRM> window = openWindow(folder.path(), op);
    FirstPaint firstPaint(clock);
    auto* windowGrid = window->findChild<mlgui::WallGridView*>(QStringLiteral("Videowall"));
    windowGrid->viewport()->installEventFilter(&firstPaint);
    window->resize(1920, 1080);
    window->show();
    while (firstPaint.at < 0 && clock.elapsed() < 10000)
        QApplication::processEvents();
    const double startMs = firstPaint.at / 1e6;
    const long rss = bench::residentKiB();

    // A grid of its own at 1920 x 1080 on the window's wall (enlarged over all 16 x 16).
    windowGrid->viewport()->removeEventFilter(&firstPaint);
    mlc::ControlCenter& center = window->center();
    mlgui::DemoPictures pictures;
    pictures.load({}, center.lists().InputSources.Ids.size());
    mlgui::WallGridView grid(center.wall(), center.settings(), pictures);
    grid.resize(1920, 1080);
    grid.resetSize();
    grid.show();
    QApplication::processEvents(); // exposed, so that repaint() paints
    grid.selectionModel()->clearSelection();
    const FrameTime plain = repaintMs(*grid.viewport(), frames);
    grid.setSelectionRect({1, 1, 16, 16});
    const FrameTime selected = repaintMs(*grid.viewport(), frames);

    std::printf("bench_gui_main_window (offscreen, %d frames)\n", frames);
    std::printf("  QApplication ready                      %8.1f ms\n", applicationReady / 1e6);
    std::printf("  window start to first shown frame       %8.1f ms (16 x 16, automatic files present)\n",
                startMs);
    std::printf("  resident memory after start             %8.1f MiB\n", rss / 1024.0);
    std::printf("  repaint 16 x 16 at 1920 x 1080          %8.2f ms a frame (%.2f ms processor time)\n",
                plain.elapsed, plain.cpu);
    std::printf("  repaint, whole wall selected (inverted) %8.2f ms a frame (%.2f ms processor time)\n",
                selected.elapsed, selected.cpu);
    return 0;
}
