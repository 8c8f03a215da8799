// How the desktop makes an alarm heard and new messages known: the alarm sound, repeated until
// the last alarm is acknowledged, and the system tray's notification and tooltip. Without an audio
// device the program runs on silently; without a tray there is no icon.
#pragma once

#include "qt/windows/alarm_settings_dialog.h"

#include <QAudioDevice>
#include <QObject>
#include <QTimer>

class QSettings;
class QSoundEffect;
class QSystemTrayIcon;
class QWidget;

namespace fenlark {
class Application;
}

namespace fenlark::qt {

class AlarmSignals : public QObject {
public:
    // `settings`: where the operator's alarm settings are kept; none keeps them for this run
    // only. `audio`: the device the sound plays on; a null device is silence.
    AlarmSignals(Application &app, QSettings *settings, const QAudioDevice &audio);
    ~AlarmSignals() override;

    // An alarm sounded: the sound starts again and the tray tells of it.
    void alarmRaised();
    // The last alarm was acknowledged.
    void alarmsCleared();
    // The number of new messages in the tray's tooltip.
    void newMarksChanged();
    // The "&Alarms…" dialog over `parent`; what it settles applies at once and is kept.
    void configure(QWidget *parent);

    const AlarmSettings &settings() const { return m_settings; }
    bool audible() const { return m_sound != nullptr; }
    bool ringing() const { return m_repeat.isActive(); }
    QSystemTrayIcon *tray() const { return m_tray; }

private:
    void apply(const AlarmSettings &settings);
    void ring();

    Application &m_app;
    QSettings *m_store;
    AlarmSettings m_settings;
    QSoundEffect *m_sound = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QTimer m_repeat;
};

} // namespace fenlark::qt
