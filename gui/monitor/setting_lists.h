// The list controls the monitor settings dialog and the quick menu share, and the
// demo pictures they preview.
#pragma once

#include "router/video_router.h"
#include "wall/match_lists.h"

#include <QImage>
#include <QString>

#include <functional>

class QComboBox;
class QWidget;

namespace mlgui {

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
