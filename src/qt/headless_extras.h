// What the Qt build adds to the headless driver: the map drawn on an image, printing to PDF
// files, pictures of windows (the map always; every window when the real windows are built too,
// offscreen), and the event loop that `wait` runs.
#pragma once

#include "headless/headless_main.h"

#include <QImage>

namespace fenlark::qt {

class ImageCanvas;

// `withWindows`: build the desktop windows over the program (needs a QApplication) so that
// `snapshot` can take a picture of any window.
headless::Extras headlessExtras(bool withWindows);

// The map window's picture without its window: the drawing with the title label on it.
QImage mapPicture(ImageCanvas &canvas, const std::string &title);

} // namespace fenlark::qt
