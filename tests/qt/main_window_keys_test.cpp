// The main window's keys and size (offscreen): each key runs its entry's own handler with its
// questions, the alarm question leaves Return at No; enlarged, the view and the lists grow with
// every control inside; smaller than designed, a scroll area reaches every control; the size and
// place are kept for the next run.
#include "qt/windows/message_box_dialogs.h"
#include "shell_program.h"

#include <QComboBox>
#include <QMainWindow>
#include <QWheelEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
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

TEST(MainWindowSize, EnlargedTheViewAndListsGrowAndEveryControlStaysInside)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    QWidget& main = program.window(Window::Form1);
    auto& scroll = program.widget<QScrollArea>("Form1Scroll");
    QWidget& area = *scroll.widget();
    const QSize designed = area.size();
    auto& view = program.widget<QWidget>("Text1");
    auto& list = program.widget<QWidget>("MessageList");
    const QRect view0 = view.geometry();
    const int list0 = list.height();
    for (const QSize extra : {QSize(300, 200), QSize(0, 401), QSize(650, 0)}) {
        main.resize(main.size() + extra);
        QCoreApplication::processEvents();
        ASSERT_EQ(area.size(), designed + extra);
        EXPECT_EQ(view.geometry(), view0.adjusted(0, 0, extra.width(), extra.height() / 2));
        EXPECT_GE(list.height(), list0 + extra.height() - extra.height() / 2);
        for (const QWidget* control : area.findChildren<QWidget*>()) {
            const QRect place(control->mapTo(&area, QPoint()), control->size());
            if (control->isVisible() && !control->objectName().isEmpty()) {
                EXPECT_TRUE(area.rect().contains(place))
                    << control->objectName().toStdString() << " at " << extra.width();
            }
        }
        main.resize(main.size() - extra);
        QCoreApplication::processEvents();
        EXPECT_EQ(view.geometry(), view0);
    }

    // A small screen: the area keeps its designed size and the scroll bars reach all of it.
    main.resize(designed.width() * 2 / 3, designed.height() * 2 / 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(area.size(), designed);
    EXPECT_EQ(scroll.horizontalScrollBar()->maximum(),
              designed.width() - scroll.viewport()->width());
    EXPECT_EQ(scroll.verticalScrollBar()->maximum(),
              designed.height() - scroll.viewport()->height());
    // The wheel over a selector the operator has not chosen is left to the scroll area (an event
    // not accepted goes on to the parents); it turns the selector once it has the focus.
    auto *types = main.findChild<QComboBox *>(QStringLiteral("MessageTypeList"));
    ASSERT_NE(types, nullptr);
    auto wheel = [&] {
        const QPointF at(types->width() / 2.0, types->height() / 2.0);
        QWheelEvent event(at, types->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(types, &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(wheel());
    EXPECT_EQ(types->currentIndex(), 0);
    types->setFocus();
    EXPECT_TRUE(wheel());
    EXPECT_EQ(types->currentIndex(), 1);
}

TEST(MainWindowSize, SizeAndPlaceAreKeptForTheNextRun)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("user.conf")), QSettings::IniFormat);
    const QRect kept(30, 40, 700, 500);
    {
        // Nothing kept yet, on a screen narrower than the design (offscreen: 800 wide): the
        // window opens within the screen, and its scroll bars reach the rest.
        ShellProgram program;
        program.shell.restoreWindows(settings);
        program.showLaidOut(Window::Form1);
        const QWidget& main = program.window(Window::Form1);
        const QSize screen = main.screen()->availableGeometry().size();
        ASSERT_LT(screen.width(), program.widget<QScrollArea>("Form1Scroll").widget()->width());
        EXPECT_LE(main.width(), screen.width());
        EXPECT_LE(main.height(), screen.height());
    }
    {
        ShellProgram program;
        program.showLaidOut(Window::Form1);
        program.window(Window::Form1).setGeometry(kept);
        program.shell.keepWindows(settings);
    }
    ShellProgram program;
    program.shell.restoreWindows(settings);
    program.showLaidOut(Window::Form1);
    EXPECT_EQ(program.window(Window::Form1).geometry(), kept);
}

} // namespace
} // namespace fenlark::test
