// TItemDetailsFRM: the name, activation time and time mode of one sequence item.
#pragma once

#include "sequencer/sequencer.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace mlgui {

class TItemDetailsFRM : public QDialog {
    Q_OBJECT
public:
    explicit TItemDetailsFRM(const mlc::ItemDetails& details, QWidget* parent = nullptr);

    // What the dialog shows now; mode -1 when no mode is chosen.
    mlc::ItemDetails details() const;

    // Shows the dialog modally; on Ok `details` takes what was entered.
    static bool edit(mlc::ItemDetails& details, QWidget* parent);

private:
    QLineEdit* name_ = nullptr;
    QSpinBox* hours_ = nullptr;
    QSpinBox* minutes_ = nullptr;
    QSpinBox* seconds_ = nullptr;
    QComboBox* mode_ = nullptr;
};

} // namespace mlgui
