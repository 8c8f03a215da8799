#include "qt/desktop_shell.h"

#include "qt/alarm_signals.h"
#include "qt/windows/alarm_window.h"
#include "qt/windows/com_port_window.h"
#include "qt/windows/earlier_logs_window.h"
#include "qt/windows/main_window.h"
#include "qt/windows/map_window.h"
#include "qt/windows/message_table_window.h"
#include "qt/windows/welcome_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QScreen>
#include <QSettings>

namespace fenlark::qt {
namespace {

void bringToFront(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

// Marks outlive their 24 hours while nothing happens; the lists and the tray catch up this often.
constexpr int kMarkExpiryMs = 60 * 1000;
constexpr int kStatusRefreshMs = 1000;

} // namespace

DesktopShell::DesktopShell(Application &app, ImageCanvas &canvas, OnEnd onEnd,
                           const Alerting &alerting)
    : m_app(app), m_onEnd(onEnd),
      m_main(std::make_unique<MainWindow>(app.form1(), app.newMarks())),
      m_comPort(std::make_unique<ComPortWindow>(app.comPortForm())),
      m_map(std::make_unique<MapWindow>(app.form2(), canvas)),
      m_alarms(std::make_unique<AlarmWindow>(app.alarms(), *m_main)),
      m_earlierLogs(std::make_unique<EarlierLogsWindow>(app.earlierLogs(), *m_main)),
      m_welcome(std::make_unique<WelcomeWindow>(app.welcome(), *m_main)),
      m_table(std::make_unique<MessageTableWindow>(app.messageTable(), *m_main)),
      m_signals(std::make_unique<AlarmSignals>(app, alerting.settings, alerting.sound))
{
    m_app.setWindowObserver(
        [this](Window window, WindowEvent event) { windowChanged(window, event); });
    m_app.setEndObserver([this] { ended(); });
    m_app.setMarksObserver([this] {
        m_main->newMarksChanged();
        m_signals->newMarksChanged();
    });
    QObject::connect(&m_main->alarmsAction(), &QAction::triggered, m_main.get(),
                     [this] { m_signals->configure(m_main.get()); });
    m_markExpiry.setInterval(kMarkExpiryMs);
    QObject::connect(&m_markExpiry, &QTimer::timeout, [this] { m_app.newMarks().expire(); });
    m_markExpiry.start();
    // The receiver's input comes and goes by itself (a server away, a line unplugged): the status
    // bar asks how it stands this often.
    m_statusRefresh.setInterval(kStatusRefreshMs);
    QObject::connect(&m_statusRefresh, &QTimer::timeout, [this] { m_app.form1().refreshStatus(); });
    m_statusRefresh.start();
}

DesktopShell::~DesktopShell()
{
    m_app.setWindowObserver({});
    m_app.setEndObserver({});
    m_app.setMarksObserver({});
}

QWidget &DesktopShell::window(Window window)
{
    switch (window) {
    case Window::Form1:
        return *m_main;
    case Window::ComPortForm:
        return *m_comPort;
    case Window::Form2:
        return *m_map;
    case Window::Alarms:
        break;
    case Window::EarlierLogs:
        return *m_earlierLogs;
    case Window::Welcome:
        return *m_welcome;
    case Window::MessageTable:
        return *m_table;
    }
    return *m_alarms;
}

namespace {

const std::pair<const char *, Window> kKeptWindows[] = {
    {"windows/main", Window::Form1}, {"windows/map", Window::Form2},
    {"windows/table", Window::MessageTable}};

} // namespace

void DesktopShell::restoreWindows(const QSettings &settings)
{
    // Qt keeps a restored window on a screen that is there now, and no larger than it. A window
    // with nothing kept opens at its designed size, but on a screen smaller than that (1024x600,
    // or scaled twice) no larger than the screen (its frame is the window manager's to fit): its
    // scroll bars then reach every control.
    for (const auto &[key, kept] : kKeptWindows) {
        QWidget &widget = window(kept);
        if (!widget.restoreGeometry(settings.value(QString::fromLatin1(key)).toByteArray()))
            if (const QScreen *screen = widget.screen())
                widget.resize(widget.size().boundedTo(screen->availableGeometry().size()));
    }
}

void DesktopShell::keepWindows(QSettings &settings)
{
    for (const auto &[key, kept] : kKeptWindows)
        settings.setValue(QString::fromLatin1(key),
                          window(kept).saveGeometry());
}

void DesktopShell::windowChanged(Window window, WindowEvent event)
{
    if (window == Window::Form1 && event != WindowEvent::Raised) {
        m_main->setLoaded(event == WindowEvent::Loaded);
        return;
    }
    if (window == Window::Alarms) {
        // The alarm window comes up over the main window and leaves it the keyboard.
        if (event == WindowEvent::Unloaded) {
            m_alarms->hide();
            m_signals->alarmsCleared();
        } else {
            if (!m_alarms->isVisible())
                m_alarms->placeOver(*m_main);
            m_alarms->show();
            m_alarms->raise();
            m_signals->alarmRaised();
        }
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
    m_alarms->hide();
    m_earlierLogs->hide();
    m_welcome->hide();
    m_table->hide();
    m_signals->alarmsCleared();
    // No further event is handled: the event loop (and any nested one) returns now.
    if (m_onEnd == OnEnd::QuitEventLoop)
        QCoreApplication::exit(0);
}

} // namespace fenlark::qt
