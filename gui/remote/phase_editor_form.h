// TVPhaseEditorFRM: a service window that sends the vertical lock phase packet.
#pragma once

#include <QDialog>

class QLineEdit;

namespace mlc {
class ChainSettings;
}

namespace mlgui {

class TVPhaseEditorFRM : public QDialog {
    Q_OBJECT
public:
    explicit TVPhaseEditorFRM(mlc::ChainSettings& chain, QWidget* parent = nullptr);

    // Reads the box (nothing happens while it is empty), shows the value read as
    // "0x" and four digits, and sends it.
    void SendBTNClick();

private:
    mlc::ChainSettings& chain_;
    QLineEdit* phase_ = nullptr;
};

} // namespace mlgui
