// The monitor dialog's preview ("Demo"): the part of the selected input's demo
// picture that the monitor shows, stretched into the preview frame.
#pragma once

#include "dialogs/slider_values.h"

#include <QImage>
#include <QWidget>

namespace mlgui {

class DemoPreview : public QWidget {
    Q_OBJECT
public:
    explicit DemoPreview(QWidget* parent = nullptr);

    // Redraws with a picture (a null one leaves the frame black) and an enlargement.
    void DrawPreview(const QImage& picture, const mlc::Enlargement& enlargement);
    // What is shown, at the preview's own size.
    const QImage& picture() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage canvas_;
};

} // namespace mlgui
