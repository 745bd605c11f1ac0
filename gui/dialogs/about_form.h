// The About box: two title pictures and a read-only notice.
#pragma once

#include <QDialog>

namespace mlgui {

class TAboutFRM : public QDialog {
    Q_OBJECT
public:
    explicit TAboutFRM(QWidget* parent = nullptr);
};

} // namespace mlgui
