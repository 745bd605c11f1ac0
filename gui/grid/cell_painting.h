// How one cell of the wall grid is drawn: QPainter only, so tests render cells
// into images and look at the pixels.
#pragma once

#include "wall/monitor_settings.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace mlgui {

// How selected monitors are marked.
enum class Highlight { Invert = 0, Black = 1, White = 2 };
Highlight highlightFromSetting(int value); // unknown values invert

// What a monitor cell shows besides its settings.
struct MonitorCellLook {
    const QImage* picture = nullptr; // the demo picture of the monitor's input
    bool selected = false;
    bool focused = false;
    Highlight highlight = Highlight::Invert;
    QColor gridColor = Qt::white; // the plain fill of a monitor without enlargement
    bool showDeviceId = true;
    bool showIdBackground = true;
    QColor idBackground = Qt::white;
    QColor idText = Qt::black;
};

// A fixed cell: filled, a white line up the left and along the top, the text centred.
void paintFixedCell(QPainter& painter, const QRect& rect, const QString& text, const QColor& fixedColor,
                    const QColor& textColor);

// A monitor cell. `rect` is the whole cell (the grid widens it over the hidden
// grid line already when lines are off).
void paintMonitorCell(QPainter& painter, const QRect& rect, const mlc::TWallMonitor& monitor,
                      const MonitorCellLook& look);

// "07", "11", "176".
QString deviceIdText(int id);

// A colour of the settings file (0x00BBGGRR) and back.
QColor colorFromSetting(int value);
int settingFromColor(const QColor& color);

} // namespace mlgui
