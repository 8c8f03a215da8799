// The location map, Form2: the map's picture (kept on the canvas's image) under its title label
// and its close button. Closing it by its frame is "Close Map". Resized, it draws the picture
// again as large as it fits with the map's aspect.
#pragma once

#include <QPoint>
#include <QSize>
#include <QTimer>
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
    void resizeEvent(QResizeEvent *event) override;

private:
    // Draws the picture again at the size the window gives it, once the resizing has paused.
    void redrawPicture();

    QWidget *m_picture = nullptr;
    QWidget *m_title = nullptr;
    QPoint m_titlePlace; // at the designed size, from the picture's top left
    QSize m_designed;    // the picture's designed size, whose aspect the map keeps
    QTimer m_redraw;
    QWidget *m_close = nullptr;
    QPoint m_closeMargin;
    Form2 &m_form;
    ImageCanvas &m_canvas;
};

} // namespace fenlark::qt
