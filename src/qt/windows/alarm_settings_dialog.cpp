#include "qt/windows/alarm_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace fenlark::qt {
namespace {

constexpr int kMinRepeat = 2;
constexpr int kMaxRepeat = 60;

} // namespace

AlarmSettings readAlarmSettings(QSettings &settings)
{
    AlarmSettings alarm;
    settings.beginGroup(QStringLiteral("alarms"));
    alarm.types.navigationalWarnings = settings.value(QStringLiteral("typeA"), false).toBool();
    alarm.types.meteorologicalWarnings = settings.value(QStringLiteral("typeB"), false).toBool();
    alarm.types.furtherNavigationalWarnings =
        settings.value(QStringLiteral("typeL"), false).toBool();
    alarm.types.numberZero = settings.value(QStringLiteral("number00"), false).toBool();
    alarm.sound = settings.value(QStringLiteral("sound"), true).toBool();
    bool ok = false;
    const int repeat = settings.value(QStringLiteral("repeatSeconds")).toInt(&ok);
    if (ok)
        alarm.repeatSeconds = std::clamp(repeat, kMinRepeat, kMaxRepeat);
    settings.endGroup();
    return alarm;
}

void writeAlarmSettings(QSettings &settings, const AlarmSettings &alarm)
{
    settings.beginGroup(QStringLiteral("alarms"));
    settings.setValue(QStringLiteral("typeA"), alarm.types.navigationalWarnings);
    settings.setValue(QStringLiteral("typeB"), alarm.types.meteorologicalWarnings);
    settings.setValue(QStringLiteral("typeL"), alarm.types.furtherNavigationalWarnings);
    settings.setValue(QStringLiteral("number00"), alarm.types.numberZero);
    settings.setValue(QStringLiteral("sound"), alarm.sound);
    settings.setValue(QStringLiteral("repeatSeconds"), alarm.repeatSeconds);
    settings.endGroup();
    settings.sync();
}

AlarmSettingsDialog::AlarmSettingsDialog(const AlarmSettings &shown, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AlarmSettings"));
    setWindowTitle(QStringLiteral("FenLark - Alarms"));
    auto *layout = new QVBoxLayout(this);

    auto *types = new QGroupBox(QStringLiteral("Sound the alarm for"), this);
    auto *typeList = new QVBoxLayout(types);
    typeList->addWidget(
        new QLabel(QStringLiteral("D - search and rescue messages, always"), types));
    auto check = [&](const char *name, const QString &text, bool on) {
        auto *box = new QCheckBox(text, types);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(on);
        typeList->addWidget(box);
        return box;
    };
    m_typeA = check("typeA", QStringLiteral("&A - navigational warnings"),
                    shown.types.navigationalWarnings);
    m_typeB = check("typeB", QStringLiteral("&B - meteorological warnings"),
                    shown.types.meteorologicalWarnings);
    m_typeL = check("typeL", QStringLiteral("&L - further navigational warnings"),
                    shown.types.furtherNavigationalWarnings);
    m_numberZero = check("number00", QStringLiteral("message number &00"), shown.types.numberZero);
    layout->addWidget(types);

    auto *form = new QFormLayout;
    m_sound = new QCheckBox(QStringLiteral("&Sound until acknowledged"), this);
    m_sound->setObjectName(QStringLiteral("sound"));
    m_sound->setChecked(shown.sound);
    form->addRow(m_sound);
    m_repeat = new QSpinBox(this);
    m_repeat->setObjectName(QStringLiteral("repeatSeconds"));
    m_repeat->setRange(kMinRepeat, kMaxRepeat);
    m_repeat->setSuffix(QStringLiteral(" s"));
    m_repeat->setValue(shown.repeatSeconds);
    m_repeat->setEnabled(shown.sound);
    connect(m_sound, &QCheckBox::toggled, m_repeat, &QSpinBox::setEnabled);
    form->addRow(QStringLiteral("&Repeat every"), m_repeat);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

AlarmSettings AlarmSettingsDialog::settings() const
{
    AlarmSettings alarm;
    alarm.types.navigationalWarnings = m_typeA->isChecked();
    alarm.types.meteorologicalWarnings = m_typeB->isChecked();
    alarm.types.furtherNavigationalWarnings = m_typeL->isChecked();
    alarm.types.numberZero = m_numberZero->isChecked();
    alarm.sound = m_sound->isChecked();
    alarm.repeatSeconds = m_repeat->value();
    return alarm;
}

} // namespace fenlark::qt
