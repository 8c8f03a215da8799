#include "qt/alarm_signals.h"

#include "app/application.h"
#include "qt/latin1.h"

#include <QApplication>
#include <QSettings>
#include <QSoundEffect>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QUrl>

namespace fenlark::qt {

AlarmSignals::AlarmSignals(Application &app, QSettings *settings, const QAudioDevice &audio)
    : m_app(app), m_store(settings)
{
    if (!audio.isNull()) {
        m_sound = new QSoundEffect(audio, this);
        m_sound->setSource(QUrl(QStringLiteral("qrc:/fenlark/alarm.wav")));
    }
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(
            QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning), this);
        connect(m_tray, &QSystemTrayIcon::activated, this, [this] { m_app.raise(Window::Form1); });
        m_tray->show();
    }
    connect(&m_repeat, &QTimer::timeout, this, [this] { ring(); });
    apply(m_store ? readAlarmSettings(*m_store) : AlarmSettings{});
    newMarksChanged();
}

AlarmSignals::~AlarmSignals() = default;

void AlarmSignals::apply(const AlarmSettings &settings)
{
    m_settings = settings;
    m_app.alarms().setTypes(settings.types);
    m_repeat.setInterval(settings.repeatSeconds * 1000);
    if (!settings.sound)
        m_repeat.stop();
}

void AlarmSignals::ring()
{
    if (m_sound)
        m_sound->play();
}

void AlarmSignals::alarmRaised()
{
    if (m_settings.sound) {
        ring();
        m_repeat.start();
    }
    if (m_tray && !m_app.alarms().pending().empty()) {
        const Alarm &alarm = m_app.alarms().pending().front();
        m_tray->showMessage(QStringLiteral("FenLark alarm"),
                            toQString(alarm.msgid + " " + alarm.typeText),
                            QSystemTrayIcon::Warning);
    }
}

void AlarmSignals::alarmsCleared()
{
    m_repeat.stop();
    if (m_sound)
        m_sound->stop();
}

void AlarmSignals::newMarksChanged()
{
    if (m_tray)
        m_tray->setToolTip(
            QStringLiteral("FenLark: %1 new messages").arg(m_app.newMarks().count()));
}

void AlarmSignals::configure(QWidget *parent)
{
    AlarmSettingsDialog dialog(m_settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    apply(dialog.settings());
    if (m_store)
        writeAlarmSettings(*m_store, m_settings);
    // Sound switched on while alarms wait: they are heard from now on.
    if (m_settings.sound && !m_app.alarms().pending().empty() && !m_repeat.isActive())
        m_repeat.start();
}

} // namespace fenlark::qt
