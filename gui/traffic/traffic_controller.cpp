#include "traffic/traffic_controller.h"

#include "app/control_center.h"
#include "grid/wall_grid_view.h"
#include "traffic/traffic_form.h"

namespace mlgui {

TrafficController::TrafficController(const MainActions& actions, TrafficContext context) : context_(context) {
    connect(actions.TrafficACTN, &QAction::triggered, this, &TrafficController::showWindow);
}

TrafficController::~TrafficController() = default;

void TrafficController::showWindow() {
    if (!form_) {
        form_ = std::make_unique<TTrafficFRM>(
            TrafficFormContext{record_, context_.center.wall(), context_.binding}, &context_.window);
        connect(form_.get(), &TTrafficFRM::unitActivated, this, &TrafficController::selectUnit);
        connect(form_.get(), &TTrafficFRM::saveRequested, this, &TrafficController::save);
    }
    form_->show();
    form_->raise();
    form_->activateWindow();
}

void TrafficController::selectUnit(int unit) {
    const auto place = mlc::FirstPlace(context_.center.wall(), unit);
    if (!place)
        return;
    context_.grid.setSelectionRect({place->first, place->second, place->first, place->second});
    context_.grid.setCurrentCell(place->first, place->second);
    context_.center.UpdateCaption();
}

void TrafficController::save() {
    mlc::SaveTrafficText(context_.ui, context_.op, context_.center.programDir(),
                         record_.logText(form_->filter()));
}

} // namespace mlgui
