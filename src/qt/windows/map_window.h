// The location map, Form2: the map's picture (kept on the canvas's image) under its title label
// and its close button. Closing it by its frame is "Close Map".
#pragma once

#include <QWidget>

namespace fenlark {
class Form2;
}

namespace fenlark::qt {

class ImageCanvas;

class MapWindow : public QWidget {
public:
    MapWindow(Form2 &form, ImageCanvas &canvas, QWidget *parent = nullptr);
    ~MapWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Form2 &m_form;
    ImageCanvas &m_canvas;
};

} // namespace fenlark::qt
