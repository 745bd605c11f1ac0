// The bottom row of a dialog, named as the forms name them: other buttons at the
// left; "&Ok" (the default, accepts), "&Cancel" (rejects) and, where the dialog has
// one, its Apply button at the right. A dialog that must do something before it
// closes with Ok overrides accept().
#pragma once

#include <QString>

#include <initializer_list>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace mlgui {

QPushButton* namedButton(const char* name, const QString& text, QWidget* parent);

struct DialogButtons {
    QHBoxLayout* row = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* apply = nullptr; // "ApplyBTN", only with an Apply text; the dialog connects it
};

DialogButtons dialogButtons(QDialog* dialog, std::initializer_list<QWidget*> leading = {},
                            const QString& applyText = {});

} // namespace mlgui
