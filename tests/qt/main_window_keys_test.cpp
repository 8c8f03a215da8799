// The main window's keys and status bar (offscreen): each key runs its entry's own handler with
// its questions, the alarm question leaves Return at No, and the status bar shows the core's texts.
#include "qt/windows/message_box_dialogs.h"
#include "shell_program.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace fenlark::test {
namespace {

TEST(MainWindowKeys, EachKeyRunsItsEntrysHandlerWithItsQuestion)
{
    const struct {
        QKeyCombination key;
        std::vector<std::string> questions; // asked, each answered No
        std::function<bool(ShellProgram&)> ran;
    } cases[] = {
        {Qt::CTRL | Qt::Key_S,
         {},
         [](ShellProgram&) { return std::filesystem::exists("navtex.txt"); }},
        {Qt::CTRL | Qt::Key_P, {}, [](ShellProgram& p) { return p.printer.documents == 1; }},
        {QKeyCombination(Qt::Key_Delete),
         {"Delete displayed Message?"},
         [](ShellProgram& p) { return p.state().msgcount == 1; }},
        {Qt::CTRL | Qt::Key_T,
         {},
         [](ShellProgram& p) { return p.window(Window::MessageTable).isVisible(); }},
        {Qt::CTRL | Qt::Key_Q,
         {"Save messages first?"},
         [](ShellProgram& p) { return p.app.ended(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        ShellProgram program;
        program.showLaidOut(Window::Form1);
        program.receiveMessage("GA12", {"GALE"});
        ShellProgram::flush();
        ASSERT_EQ(program.form().Text6.text(), "Message GA12");
        for (std::size_t i = 0; i < c.questions.size(); ++i)
            program.dialogs.queue(false);
        QWidget& focus = program.widget<QWidget>("MessageList2"); // where the operator clicked
        focus.setFocus();
        QTest::keyClick(&focus, c.key.key(), c.key.keyboardModifiers());
        ShellProgram::flush();
        EXPECT_EQ(program.dialogs.questions, c.questions);
        EXPECT_TRUE(c.ran(program));
    }
}

TEST(MainWindowKeys, ReturnAtTheAlarmsQuitQuestionKeepsTheProgramRunning)
{
    qt::MessageBoxDialogs boxes;
    ShellProgram program({}, true, nullptr, &boxes);
    program.showLaidOut(Window::Form1);
    program.receiveMessage("XD01", {"MAYDAY RELAY"});
    ShellProgram::flush();
    QString asked;
    onModalBox([&](QWidget& box) {
        asked = static_cast<QMessageBox&>(box).text();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    QTest::keyClick(&program.window(Window::Form1), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(asked, QStringLiteral("Alarms are still unacknowledged. Quit all the same?"));
    EXPECT_FALSE(program.app.ended());
    EXPECT_TRUE(program.window(Window::Form1).isVisible());
}

} // namespace
} // namespace fenlark::test
