#include "app/application.h"

namespace fenlark {

Application::Application(Platform platform)
    : m_platform(platform), m_form1(*this), m_comPortForm(*this), m_form2(*this),
      m_newMarks(platform.clock), m_alarms(*this)
{
}

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
    m_form1Loaded = true;
    windowChanged(Window::Form1, WindowEvent::Loaded);
    m_form1.Form_Load();
}

void Application::unloadForm1()
{
    if (!m_form1Loaded)
        return;
    m_form1Loaded = false;
    windowChanged(Window::Form1, WindowEvent::Unloaded);
}

void Application::showComPortForm()
{
    if (m_ended || m_comPortFormLoaded)
        return;
    m_comPortForm.resetToDesign();
    m_comPortFormLoaded = true;
    windowChanged(Window::ComPortForm, WindowEvent::Loaded);
    m_comPortForm.Form_Load();
}

void Application::closeComPortForm()
{
    if (!m_comPortFormLoaded)
        return;
    m_comPortFormLoaded = false;
    windowChanged(Window::ComPortForm, WindowEvent::Unloaded);
}

void Application::showMap()
{
    if (m_ended)
        return;
    if (m_form2Loaded) {
        windowChanged(Window::Form2, WindowEvent::Raised);
        return;
    }
    m_form2.resetToDesign();
    m_form2Loaded = true;
    m_form2.Form_Load();
    windowChanged(Window::Form2, WindowEvent::Loaded);
}

void Application::closeMap()
{
    if (!m_form2Loaded)
        return;
    m_form2Loaded = false;
    windowChanged(Window::Form2, WindowEvent::Unloaded);
    if (m_form1Loaded)
        windowChanged(Window::Form1, WindowEvent::Raised);
}

void Application::showAlarms()
{
    if (m_ended)
        return;
    const bool wasLoaded = m_alarmsLoaded;
    m_alarmsLoaded = true;
    windowChanged(Window::Alarms, wasLoaded ? WindowEvent::Raised : WindowEvent::Loaded);
}

void Application::closeAlarms()
{
    if (!m_alarmsLoaded)
        return;
    m_alarmsLoaded = false;
    windowChanged(Window::Alarms, WindowEvent::Unloaded);
}

void Application::raise(Window window)
{
    if (!m_ended && isLoaded(window))
        windowChanged(window, WindowEvent::Raised);
}

bool Application::isLoaded(Window window) const
{
    switch (window) {
    case Window::Form1:
        return m_form1Loaded;
    case Window::ComPortForm:
        return m_comPortFormLoaded;
    case Window::Form2:
        return m_form2Loaded;
    case Window::Alarms:
        return m_alarmsLoaded;
    }
    return false;
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
