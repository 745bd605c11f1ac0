// TPanningFRM: global panning. Moves the shown part of the picture on all
// monitors or on the selected ones, one step a click, each step sent at once.
#pragma once

#include "wall/panning.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QRadioButton;
class QToolButton;

namespace mlgui {

class TPanningFRM : public QDialog {
    Q_OBJECT
public:
    // selection: the grid's selection when the dialog opens; writeWall sends the
    // wall after each step; repaint redraws the grid.
    TPanningFRM(mlc::WallModel& model, mlc::WallHistory& history, const mlc::WallRect& selection,
                std::function<bool()> writeWall, std::function<void()> repaint, QWidget* parent = nullptr);

    QToolButton* arrow(mlc::PanButton button) const;

private:
    QToolButton* makeArrow(mlc::PanButton button);
    void updateArrows();
    void pan(mlc::PanButton button);

    mlc::GlobalPanning panning_;
    std::function<void()> repaint_;
    QRadioButton* all_ = nullptr;
    QRadioButton* selected_ = nullptr;
    QComboBox* speed_ = nullptr;
    std::array<QToolButton*, 5> arrows_{}; // by tag
};

} // namespace mlgui
