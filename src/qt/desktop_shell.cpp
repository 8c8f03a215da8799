#include "qt/desktop_shell.h"

#include "qt/com_port_window.h"
#include "qt/main_window.h"
#include "qt/map_window.h"

#include <QCoreApplication>

namespace fenlark::qt {
namespace {

void bringToFront(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

DesktopShell::DesktopShell(Application &app, ImageCanvas &canvas, OnEnd onEnd)
    : m_app(app), m_onEnd(onEnd), m_main(std::make_unique<MainWindow>(app.form1())),
      m_comPort(std::make_unique<ComPortWindow>(app.comPortForm())),
      m_map(std::make_unique<MapWindow>(app.form2(), canvas))
{
    m_app.setWindowObserver(
        [this](Window window, WindowEvent event) { windowChanged(window, event); });
    m_app.setEndObserver([this] { ended(); });
}

DesktopShell::~DesktopShell()
{
    m_app.setWindowObserver({});
    m_app.setEndObserver({});
}

QWidget &DesktopShell::window(Window window)
{
    switch (window) {
    case Window::Form1:
        return *m_main;
    case Window::ComPortForm:
        return *m_comPort;
    case Window::Form2:
        break;
    }
    return *m_map;
}

void DesktopShell::windowChanged(Window window, WindowEvent event)
{
    if (window == Window::Form1 && event != WindowEvent::Raised) {
        m_main->setLoaded(event == WindowEvent::Loaded);
        return;
    }
    QWidget &widget = this->window(window);
    if (event == WindowEvent::Unloaded) {
        widget.hide();
        return;
    }
    // The map is drawn before it is loaded, and shown as it was drawn.
    bringToFront(widget);
    widget.update();
}

void DesktopShell::ended()
{
    m_main->setLoaded(false);
    m_comPort->hide();
    m_map->hide();
    // No further event is handled: the event loop (and any nested one) returns now.
    if (m_onEnd == OnEnd::QuitEventLoop)
        QCoreApplication::exit(0);
}

} // namespace fenlark::qt
