// The demo pictures the grid shows for each input source: a picture file named in
// the settings, or the generated 640 x 480 colour-bar picture.
#pragma once

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace mlgui {

inline constexpr int kDemoPictureWidth = 640;
inline constexpr int kDemoPictureHeight = 480;

// Eight colour bars with the program's name and two lines about the picture.
QImage generateDemoPicture();

class DemoPictures {
public:
    // One picture per input source: the named file when it exists and can be read,
    // else the generated picture. Returns the files that exist but could not be read.
    std::vector<std::string> load(const std::vector<std::string>& files, std::size_t inputCount);

    std::size_t count() const { return pictures_.size(); }
    // The picture of an input; the generated one for an index without a picture.
    const QImage& picture(int input) const;

private:
    const QImage& generated() const;

    std::vector<QImage> pictures_;
    mutable QImage generated_;
};

} // namespace mlgui
