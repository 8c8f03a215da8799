// The desktop windows over one running program: creates the windows, shows, hides and
// raises them as the program loads, unloads and raises its windows, and ends the event loop when
// the program ends. It also makes alarms heard and new messages known (AlarmSignals).
#pragma once

#include "app/application.h"

#include <QAudioDevice>
#include <QTimer>

#include <memory>

class QSettings;
class QWidget;

namespace fenlark::qt {

class AlarmSignals;
class AlarmWindow;
class ComPortWindow;
class EarlierLogsWindow;
class ImageCanvas;
class MainWindow;
class MapWindow;
class MessageTableWindow;
class WelcomeWindow;

// Where the alarm settings are kept (none: for this run only) and the device the alarm sound plays
// on (a null device: silence).
struct Alerting {
    QSettings *settings = nullptr;
    QAudioDevice sound;
};

class DesktopShell {
public:
    enum class OnEnd { QuitEventLoop, HideWindows };

    // `canvas` must be the canvas the program draws its map on.
    DesktopShell(Application &app, ImageCanvas &canvas, OnEnd onEnd = OnEnd::QuitEventLoop,
                 const Alerting &alerting = {});
    ~DesktopShell();
    DesktopShell(const DesktopShell &) = delete;
    DesktopShell &operator=(const DesktopShell &) = delete;

    MainWindow &mainWindow() { return *m_main; }
    ComPortWindow &comPortWindow() { return *m_comPort; }
    MapWindow &mapWindow() { return *m_map; }
    AlarmSignals &alarmSignals() { return *m_signals; }
    QWidget &window(Window window);

    // The size and place of the main window, the map and the table as the last run left them,
    // kept in the user's own settings.
    void restoreWindows(const QSettings &settings);
    void keepWindows(QSettings &settings);

private:
    void windowChanged(Window window, WindowEvent event);
    void ended();

    Application &m_app;
    OnEnd m_onEnd;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<ComPortWindow> m_comPort;
    std::unique_ptr<MapWindow> m_map;
    std::unique_ptr<AlarmWindow> m_alarms;
    std::unique_ptr<EarlierLogsWindow> m_earlierLogs;
    std::unique_ptr<WelcomeWindow> m_welcome;
    std::unique_ptr<MessageTableWindow> m_table;
    std::unique_ptr<AlarmSignals> m_signals;
    QTimer m_markExpiry;
    QTimer m_statusRefresh;
};

} // namespace fenlark::qt
