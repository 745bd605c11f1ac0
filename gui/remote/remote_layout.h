// Where the keys lie on the remote control picture (gui/resources/remote/remote.svg,
// whose key groups carry the same names). The same places serve as plain key
// areas when the picture cannot be loaded.
#pragma once

#include <QRect>
#include <QSize>

namespace mlgui {

// The picture's size in pixels.
QSize remotePictureSize();
// The area of the key with that tag (1..35); an empty rectangle for any other tag.
QRect remoteKeyArea(int tag);
// The close key, which has no tag.
QRect remoteCloseArea();

} // namespace mlgui
