#include "app/application.h"

namespace fenlark {

Application::Application(Platform platform)
    : m_platform(platform), m_form1(*this), m_comPortForm(*this), m_form2(*this),
      m_newMarks(platform.clock), m_alarms(*this), m_earlierLogs(*this),
      m_welcome(*this), m_messageTable(*this)
{
    m_newMarks.setObserver([this] {
        messagesChanged();
        m_form1.refreshStatus();
        if (m_marksObserver)
            m_marksObserver();
    });
}

void Application::messagesChanged() { m_messageTable.tableChanged(); }

Application::~Application() = default;

void Application::start()
{
    m_firstLoad = true;
    loadForm1();
    m_firstLoad = false;
}

void Application::loadForm1()
{
    if (m_ended)
        return;
    m_form1.resetToDesign();
    loaded(Window::Form1) = true;
    windowChanged(Window::Form1, WindowEvent::Loaded);
    m_form1.Form_Load();
}

void Application::unloadForm1()
{
    if (!loaded(Window::Form1))
        return;
    loaded(Window::Form1) = false;
    windowChanged(Window::Form1, WindowEvent::Unloaded);
}

void Application::showComPortForm()
{
    if (m_ended || loaded(Window::ComPortForm))
        return;
    m_comPortForm.resetToDesign();
    loaded(Window::ComPortForm) = true;
    windowChanged(Window::ComPortForm, WindowEvent::Loaded);
    m_comPortForm.Form_Load();
}

void Application::closeComPortForm()
{
    if (!loaded(Window::ComPortForm))
        return;
    loaded(Window::ComPortForm) = false;
    windowChanged(Window::ComPortForm, WindowEvent::Unloaded);
}

void Application::showMap()
{
    if (m_ended)
        return;
    if (loaded(Window::Form2)) {
        windowChanged(Window::Form2, WindowEvent::Raised);
        return;
    }
    m_form2.resetToDesign();
    loaded(Window::Form2) = true;
    m_form2.Form_Load();
    windowChanged(Window::Form2, WindowEvent::Loaded);
}

void Application::closeMap()
{
    if (!loaded(Window::Form2))
        return;
    loaded(Window::Form2) = false;
    windowChanged(Window::Form2, WindowEvent::Unloaded);
    if (loaded(Window::Form1))
        windowChanged(Window::Form1, WindowEvent::Raised);
}

void Application::showAlarms()
{
    if (m_ended)
        return;
    const bool wasLoaded = loaded(Window::Alarms);
    loaded(Window::Alarms) = true;
    windowChanged(Window::Alarms, wasLoaded ? WindowEvent::Raised : WindowEvent::Loaded);
}

void Application::closeAlarms()
{
    if (!loaded(Window::Alarms))
        return;
    loaded(Window::Alarms) = false;
    windowChanged(Window::Alarms, WindowEvent::Unloaded);
}

void Application::raise(Window window)
{
    if (!m_ended && isLoaded(window))
        windowChanged(window, WindowEvent::Raised);
}

void Application::showWindow(Window window)
{
    if (m_ended)
        return;
    if (loaded(window)) {
        windowChanged(window, WindowEvent::Raised);
        return;
    }
    loaded(window) = true;
    if (window == Window::EarlierLogs)
        m_earlierLogs.Form_Load();
    else if (window == Window::Welcome)
        m_welcome.Form_Load();
    else if (window == Window::MessageTable)
        m_messageTable.Form_Load();
    windowChanged(window, WindowEvent::Loaded);
}

void Application::closeWindow(Window window)
{
    if (!loaded(window))
        return;
    loaded(window) = false;
    windowChanged(window, WindowEvent::Unloaded);
}

bool Application::isLoaded(Window window) const
{
    return m_loaded[static_cast<std::size_t>(window)];
}

void Application::end()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_endObserver)
        m_endObserver();
}

void Application::windowChanged(Window window, WindowEvent event)
{
    if (m_windowObserver)
        m_windowObserver(window, event);
}

} // namespace fenlark
