#include "qt/windows/map_window.h"

#include "map/form2.h"
#include "qt/windows/binders.h"
#include "qt/image_canvas.h"
#include "qt/windows/window_metrics.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace fenlark::qt {
namespace {

// Where the picture goes: as large as the window lets it be, with its own aspect, centred.
QRect place(QSize picture, QRect window)
{
    QRect target(QPoint(), picture.scaled(window.size(), Qt::KeepAspectRatio));
    target.moveCenter(window.center());
    return target;
}

// Shows the canvas's image, drawn at the window's size (scaled to fit meanwhile), centred.
class MapPicture : public QWidget {
public:
    MapPicture(ImageCanvas &canvas, QWidget *parent) : QWidget(parent), m_canvas(canvas)
    {
        setObjectName(QStringLiteral("MapPicture"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        const QImage &image = m_canvas.image();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(place(image.size(), rect()), image);
    }

private:
    ImageCanvas &m_canvas;
};

} // namespace

MapWindow::MapWindow(Form2 &form, ImageCanvas &canvas, QWidget *parent)
    : QWidget(parent, Qt::Window), m_form(form), m_canvas(canvas)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromLatin1(Form2::kCaption));
    const Twips t = Twips::forScreen();
    resize(t.size(kMapWidthTwips, kMapHeightTwips));
    setMinimumSize(size() / 2);

    auto *picture = new MapPicture(canvas, this);
    m_picture = picture;
    picture->setGeometry(rect());
    m_canvas.setChangeListener([picture] { picture->update(); });

    m_designed = size();
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(100);
    connect(&m_redraw, &QTimer::timeout, this, [this] { redrawPicture(); });

    auto *title = new QLabel(this);
    title->setGeometry(t.rect(270, 135, 12345, 465));
    m_title = title;
    m_titlePlace = title->pos();
    title->setFont(windowFont(Face::SansSerif, 12, true));
    QPalette darkGreen = title->palette();
    darkGreen.setColor(QPalette::WindowText, QColor(0, 128, 0));
    title->setPalette(darkGreen);
    bind(*title, form.Maplabel);

    auto *close = new QPushButton(this);
    close->setGeometry(t.rect(11835, 7290, 960, 600));
    m_close = close;
    m_closeMargin = QPoint(width(), height()) - close->geometry().topLeft();
    bind(*close, form.closemap);
}

void MapWindow::resizeEvent(QResizeEvent *)
{
    // The picture fills the window, the title stays at its place over it; the close button keeps
    // its distance from the bottom right.
    m_picture->setGeometry(rect());
    m_title->move(place(m_designed, rect()).topLeft() + m_titlePlace);
    m_close->move(QPoint(width(), height()) - m_closeMargin);
    m_redraw.start();
}

void MapWindow::redrawPicture()
{
    const QSize fits = place(m_designed, rect()).size();
    if (fits != m_canvas.image().size())
        m_canvas.redrawAt(fits);
}

MapWindow::~MapWindow()
{
    m_canvas.setChangeListener({});
}

void MapWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_form.closemap_Click();
}

} // namespace fenlark::qt
