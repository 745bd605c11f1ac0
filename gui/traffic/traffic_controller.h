// The serial traffic window (Serial traffic in the Tools menu): opens it, keeps
// the record of what it showed while it is closed, selects a unit's monitor when
// its row is double-clicked and saves the packets shown.
#pragma once

#include "main/main_actions.h"
#include "traffic/traffic_record.h"

#include <QObject>

#include <memory>

namespace mlc {
class ControlCenter;
class UserInterface;
} // namespace mlc

namespace mlgui {

class TTrafficFRM;
class WallGridView;

struct TrafficContext {
    mlc::ControlCenter& center;  // the wall, the program folder, UpdateCaption
    mlc::DriverBinding& binding; // the plug-in's traffic tap
    mlc::Operator& op;
    mlc::UserInterface& ui; // the file dialog of Save...
    WallGridView& grid;     // a unit's monitor is selected there
    QWidget& window;        // the traffic window's parent
};

class TrafficController : public QObject {
    Q_OBJECT
public:
    TrafficController(const MainActions& actions, TrafficContext context);
    ~TrafficController() override;

private:
    void showWindow();
    void selectUnit(int unit);
    void save();

    TrafficContext context_;
    mlc::TrafficRecord record_;
    std::unique_ptr<TTrafficFRM> form_; // goes before the record it shows
};

} // namespace mlgui
