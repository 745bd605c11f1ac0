// Pieces the monitor settings dialog and the quick menu share: what they work on,
// the list controls and the demo pictures they preview.
#pragma once

#include "dialogs/monitor_apply.h"
#include "files/settings_file.h"
#include "router/video_router.h"
#include "wall/match_lists.h"

#include <QImage>
#include <QString>

#include <functional>

class QComboBox;
class QWidget;

namespace mlgui {

// What both dialogs work on: the wall they store into, the lists they show, the
// settings (router, link) and the device exchange they send through.
struct MonitorDialogContext {
    mlc::WallModel& wall;
    mlc::WallHistory& history; // each OK and Apply is one step
    const mlc::MatchLists& lists;
    const mlc::ProgramSettings& settings;
    mlc::DeviceAccess devices;
};

// The demo picture of an input source (a null picture when there is none).
using PictureProvider = std::function<QImage(int input)>;

// A list control for long lists: its width does not depend on measuring every item.
QComboBox* makeList(const QString& name, const QString& accessibleName, QWidget* parent);
// Replaces the items with the list's display texts.
void fillList(QComboBox* box, const mlc::MatchListPair& list);
// The router inputs when the router is active, with the stored input selected (none
// when the router lacks it); otherwise empty and disabled.
void fillRouterList(QComboBox* box, mlc::VideoRouter& router, bool active, int stored);

} // namespace mlgui
