// The "&Alarms…" dialog of the Configure menu: the alarm types added to type D, the sound and how
// often it repeats. They are the operator's own settings (QSettings), never "fenlark.ini".
#pragma once

#include "alerts/alarm_rules.h"

#include <QDialog>

class QCheckBox;
class QSettings;
class QSpinBox;

namespace fenlark::qt {

struct AlarmSettings {
    AlarmTypes types;
    bool sound = true;
    int repeatSeconds = 5; // from 2 to 60
    friend bool operator==(const AlarmSettings &, const AlarmSettings &) = default;
};

// Missing or unreadable values read as the defaults.
AlarmSettings readAlarmSettings(QSettings &settings);
void writeAlarmSettings(QSettings &settings, const AlarmSettings &alarm);

class AlarmSettingsDialog : public QDialog {
public:
    AlarmSettingsDialog(const AlarmSettings &shown, QWidget *parent);
    // What the dialog's controls say now.
    AlarmSettings settings() const;

private:
    QCheckBox *m_typeA;
    QCheckBox *m_typeB;
    QCheckBox *m_typeL;
    QCheckBox *m_numberZero;
    QCheckBox *m_sound;
    QSpinBox *m_repeat;
};

} // namespace fenlark::qt
