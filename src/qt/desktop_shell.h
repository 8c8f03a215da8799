// The desktop windows over one running program: creates the three windows, shows, hides and
// raises them as the program loads, unloads and raises its windows, and ends the event loop when
// the program ends.
#pragma once

#include "app/application.h"

#include <memory>

class QWidget;

namespace fenlark::qt {

class ComPortWindow;
class ImageCanvas;
class MainWindow;
class MapWindow;

class DesktopShell {
public:
    enum class OnEnd { QuitEventLoop, HideWindows };

    // `canvas` must be the canvas the program draws its map on.
    DesktopShell(Application &app, ImageCanvas &canvas, OnEnd onEnd = OnEnd::QuitEventLoop);
    ~DesktopShell();
    DesktopShell(const DesktopShell &) = delete;
    DesktopShell &operator=(const DesktopShell &) = delete;

    MainWindow &mainWindow() { return *m_main; }
    ComPortWindow &comPortWindow() { return *m_comPort; }
    MapWindow &mapWindow() { return *m_map; }
    QWidget &window(Window window);

private:
    void windowChanged(Window window, WindowEvent event);
    void ended();

    Application &m_app;
    OnEnd m_onEnd;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<ComPortWindow> m_comPort;
    std::unique_ptr<MapWindow> m_map;
};

} // namespace fenlark::qt
