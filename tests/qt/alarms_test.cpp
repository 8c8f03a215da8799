// Alarms and new messages on screen (offscreen): the alarm window, its Show button, the bold new
// rows, the alarm settings dialog, and a machine without audio.
#include "qt/alarm_signals.h"
#include "shell_program.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

std::string latin1(const QString &text)
{
    return text.toLatin1().toStdString();
}

void clickRow(QListView &view, int row)
{
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(row, 0)).center());
}

TEST(AlarmWindow, ComesUpOverTheMainWindowWithTheAlarmsTextsAndButtons)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    program.receiveMessage("XD01", {"MAYDAY RELAY", "POSITION 5000N"});
    program.receiveMessage("XD02");
    ShellProgram::flush();
    QWidget &window = program.window(Window::Alarms);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_EQ(window.parentWidget(), &program.window(Window::Form1));
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));

    clickRow(program.widget<QListView>("AlarmList", Window::Alarms), 1);
    ShellProgram::flush();
    const std::pair<const char *, const char *> labels[] = {
        {"AlarmBand", "SEARCH AND RESCUE"},
        {"AlarmId", "Message XD01"},
        {"AlarmOrigin", "- SAR/ Piracy Info from  Station X of area 1 (518)     (CALLX)"},
        {"AlarmTime", "Received 05/12/26 at 12:40:01 UTC"},
        {"Show", "&Show"},
        {"Acknowledge", "&Acknowledge"},
        {"AcknowledgeAll", "Acknowledge a&ll"}};
    for (const auto &[name, text] : labels) {
        QWidget &widget = program.widget<QWidget>(name, Window::Alarms);
        auto *label = qobject_cast<QLabel *>(&widget);
        EXPECT_EQ(latin1(label ? label->text() : static_cast<QPushButton &>(widget).text()), text);
    }
    EXPECT_EQ(latin1(program.widget<QPlainTextEdit>("AlarmText", Window::Alarms).toPlainText()),
              "MAYDAY RELAY\nPOSITION 5000N");

    // Its close control is refused; each alarm goes by its own acknowledgement.
    window.close();
    for (int left = 1; left >= 0; --left) {
        EXPECT_TRUE(window.isVisible());
        QTest::mouseClick(&program.widget<QPushButton>("Acknowledge", Window::Alarms),
                          Qt::LeftButton);
        EXPECT_EQ(program.app.alarms().pending().size(), static_cast<std::size_t>(left));
    }
    EXPECT_FALSE(window.isVisible());
}

TEST(AlarmWindow, OpensCentredBelowTheMenuWhereverTheMainWindowIsAndAcknowledgeAllEndsIt)
{
    // Station X's long name makes the alarm's texts wider than the window's first size.
    ShellProgram program({}, false);
    std::string stations = makeStationFile("518");
    const std::string name = "Station X of area 1 (518)";
    stations.replace(stations.find(name), name.size(),
                     "Station X of area 1 whose name is far longer than most stations' (518)");
    writeFile("518.txt", stations);
    program.app.start();
    program.showLaidOut(Window::Form1);
    auto &main = static_cast<QMainWindow &>(program.window(Window::Form1));
    QWidget &alarms = program.window(Window::Alarms);
    program.app.alarms().setTypes({true, false, false, false});
    int number = 1;
    for (const QPoint at : {QPoint(40, 30), QPoint(600, 350)}) {
        main.move(at);
        program.receiveMessage("XD0" + std::to_string(number++));
        ShellProgram::flush(); // the texts reach the labels,
        ShellProgram::flush(); // and the window takes the size they need
        ASSERT_TRUE(alarms.isVisible());
        const QPoint offset = alarms.frameGeometry().center() - main.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << at.x();
        EXPECT_GT(alarms.frameGeometry().top(), main.menuBar()->mapToGlobal(QPoint()).y() +
                                                    main.menuBar()->height() - 1);
        const QPoint opened = alarms.pos();
        program.receiveMessage("XA0" + std::to_string(number++));
        ShellProgram::flush();
        EXPECT_EQ(alarms.pos(), opened); // the window stays where it is
        EXPECT_EQ(program.shown<QLabel>("AlarmBand", Window::Alarms), "NAVIGATIONAL WARNING");
        QTest::mouseClick(&program.widget<QPushButton>("AcknowledgeAll", Window::Alarms),
                          Qt::LeftButton);
        EXPECT_TRUE(program.app.alarms().pending().empty());
        EXPECT_FALSE(alarms.isVisible());
    }
}

TEST(AlarmWindow, ShowBringsTheMessageIntoTheView)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    program.receiveMessage("XD01", {"MAYDAY RELAY"});
    program.receiveMessage("AB01"); // the last message, which the mode "Last" would show
    ShellProgram::flush();
    QTest::mouseClick(&program.widget<QPushButton>("Show", Window::Alarms), Qt::LeftButton);
    ShellProgram::flush();
    EXPECT_EQ(latin1(program.widget<QLineEdit>("Text6").text()), "Message XD01");
    EXPECT_EQ(latin1(program.widget<QPlainTextEdit>("Text1").toPlainText()), "\nMAYDAY RELAY");
    EXPECT_TRUE(program.widget<QRadioButton>("Option5").isChecked());
    const QListView &list = program.widget<QListView>("MessageList2");
    EXPECT_EQ(latin1(list.currentIndex().data().toString()), "XD01");
}

TEST(NewMessages, OnlyNewRowsHaveABoldFont)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    program.receiveMessage("AB01");
    ShellProgram::flush();
    clickRow(program.widget<QListView>("MessageList"), 0); // seen
    program.receiveMessage("AB02");
    ShellProgram::flush();
    for (const char *name : {"MessageList", "MessageList2"}) {
        const QAbstractItemModel &rows = *program.widget<QListView>(name).model();
        ASSERT_EQ(rows.rowCount(), 2) << name;
        EXPECT_FALSE(rows.index(0, 0).data(Qt::FontRole).value<QFont>().bold()) << name;
        EXPECT_TRUE(rows.index(1, 0).data(Qt::FontRole).value<QFont>().bold()) << name;
    }
}

TEST(AlarmSettings, TheDialogSetsTheAlarmsAndKeepsThemInTheUsersOwnSettings)
{
    ShellProgram program;
    QAction &entry = program.widget<QAction>("mnuAlarms");
    EXPECT_EQ(entry.text(), QStringLiteral("&Alarms\u2026"));
    const auto tick = [](const char *box, int repeat) {
        onModalBox([box, repeat](QWidget &dialog) {
            dialog.findChild<QCheckBox *>(QString::fromLatin1(box))->setChecked(true);
            dialog.findChild<QSpinBox *>(QStringLiteral("repeatSeconds"))->setValue(repeat);
            static_cast<QDialog &>(dialog).accept();
        });
    };
    tick("typeB", 7);
    entry.trigger();
    EXPECT_EQ(program.app.alarms().types(), (AlarmTypes{false, true, false, false}));

    const QString file = QString::fromStdString((program.dir.path() / "user.conf").string());
    {
        QSettings store(file, QSettings::IniFormat);
        qt::AlarmSignals kept(program.app, &store, QAudioDevice());
        tick("number00", 9);
        kept.configure(nullptr);
    }
    QSettings store(file, QSettings::IniFormat);
    qt::AlarmSignals later(program.app, &store, QAudioDevice());
    EXPECT_EQ(later.settings().repeatSeconds, 9);
    EXPECT_EQ(program.app.alarms().types(), (AlarmTypes{false, false, false, true}));
    EXPECT_EQ(readFile("fenlark.ini"), kPortZeroSettings);
}

TEST(AlarmSound, AMachineWithoutAudioRunsOnSilently)
{
    ShellProgram program; // its shell has no audio device
    EXPECT_FALSE(program.shell.alarmSignals().audible());
    program.receiveMessage("XD01");
    ShellProgram::flush();
    EXPECT_TRUE(program.shell.alarmSignals().ringing());
    program.receiveMessage("AB02");
    EXPECT_EQ(program.app.state().msgcount, 2);
    EXPECT_TRUE(program.dialogs.notices.empty());
    EXPECT_TRUE(program.dialogs.questions.empty());

    // Where there is audio, the sound played is the WAV file the program carries.
    QFile sound(QStringLiteral(":/fenlark/alarm.wav"));
    ASSERT_TRUE(sound.open(QIODevice::ReadOnly));
    const QByteArray header = sound.read(12);
    EXPECT_TRUE(header.startsWith("RIFF") && header.endsWith("WAVE"));
    EXPECT_GT(sound.size(), 10000);
}

} // namespace
} // namespace fenlark::test
