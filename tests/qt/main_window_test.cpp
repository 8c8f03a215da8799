// The desktop windows: every widget against one golden listing (windows.expected beside this
// file), clicks reaching the model, the model's changes reaching the widgets, and the windows
// coming and going as the program loads and unloads them.
#include "shell_program.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fenlark::test {
namespace {

using qt::fromQString;

// One widget, action or timer in a line: name, kind, the properties that say what it shows and how
// it behaves (those at Qt's defaults left out), where it was placed by hand, and its font and text
// colour where they differ from what it inherits.
std::string describe(QObject &object)
{
    static const QStringList defaults{"", "false", "ScrollBarAsNeeded", "AlignLeading|AlignVCenter",
                                      "AlignLeft|AlignLeading"};
    std::ostringstream line;
    line << fromQString(object.objectName()) << ' ' << object.metaObject()->className();
    for (const char *name :
         {"windowTitle", "title", "text", "plainText", "currentText", "count", "alignment",
          "checked", "autoExclusive", "readOnly", "editable", "tabChangesFocus",
          "verticalScrollBarPolicy", "interval", "active", "toolTip", "shortcut"}) {
        const QString value = object.property(name).toString();
        if (object.property(name).isValid() && !defaults.contains(value))
            line << ' ' << name << '[' << value.toStdString() << ']';
    }
    auto *widget = qobject_cast<QWidget *>(&object);
    if (!widget)
        return line.str();
    if (auto *view = qobject_cast<QAbstractItemView *>(widget))
        line << " rows[" << view->model()->rowCount() << ']';
    if (auto *window = qobject_cast<QMainWindow *>(widget))
        line << " area " << window->centralWidget()->width() << 'x'
             << window->centralWidget()->height();
    const QRect r = widget->geometry();
    if (widget->isWindow() && !qobject_cast<QMenu *>(widget))
        line << (widget->minimumSize() == widget->maximumSize() ? " fixed " : " size ")
             << r.width() << 'x' << r.height();
    else if (!widget->isWindow() && !widget->parentWidget()->layout())
        line << " at " << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
    const QFont font = widget->font();
    const QFont inherited =
        widget->isWindow() ? QApplication::font(widget) : widget->parentWidget()->font();
    if (font.families() != inherited.families())
        line << " font[" << fromQString(font.families().join(QStringLiteral(", "))) << ']';
    if (font != inherited)
        line << ' ' << font.pointSizeF() << "pt" << (font.bold() ? " bold" : "");
    const QColor text = widget->palette().color(QPalette::Text);
    const QColor windowText = widget->palette().color(QPalette::WindowText);
    const QPalette palette =
        widget->isWindow() ? QApplication::palette(widget) : widget->parentWidget()->palette();
    if (text != palette.color(QPalette::Text) || windowText != palette.color(QPalette::WindowText))
        line << " colour " << text.name().toStdString() << '/' << windowText.name().toStdString();
    return line.str();
}

// Every named widget, action and timer under `object`, in the order they were made, indented
// under its named parent; Qt's own parts (named "qt_...") are left out.
void listWidgets(QObject &object, int depth, std::string &out)
{
    const QString name = object.objectName();
    const bool listed = !name.isEmpty() && !name.startsWith(QStringLiteral("qt_")) &&
                        !qobject_cast<QLayout *>(&object);
    if (listed)
        out += std::string(2 * static_cast<std::size_t>(depth), ' ') + describe(object) + '\n';
    for (QObject *child : object.children())
        listWidgets(*child, depth + listed, out);
}

TEST(DesktopWindows, EveryWidgetMatchesTheGoldenListing)
{
    ShellProgram program;
    std::string listing;
    program.showLaidOut(Window::Form1);
    listWidgets(program.window(Window::Form1), 0, listing);
    program.form().Mapbutton.click();
    program.flush();
    listWidgets(program.window(Window::Form2), 0, listing);
    program.form().mnuComPort.click();
    program.flush();
    listWidgets(program.window(Window::ComPortForm), 0, listing);
    EXPECT_EQ(listing, readFile(FENLARK_SOURCE_DIR "/tests/qt/windows.expected"));
}

TEST(DesktopWindows, ClicksReachTheModelAndItsChangesReachTheWidgets)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    program.receive("ZCZC AB");
    program.flush();
    EXPECT_EQ(program.shown<QLineEdit>("Text9"), "ZCZC AB");
    program.receive("12\r\nGALE\r\nWARNING\r\nNNNN\r\n");
    program.flush();
    EXPECT_EQ(program.shown<QLabel>("Label1"), "Incoming Message       ");

    // A click on the chosen option chooses it again: "Last" shows the message just filed.
    auto &last = program.widget<QRadioButton>("Option3");
    QTest::mouseClick(&last, Qt::LeftButton);
    program.flush();
    EXPECT_TRUE(last.isChecked());
    EXPECT_EQ(program.shown<QLineEdit>("Text6"), "Message AB12");
    EXPECT_EQ(fromQString(program.widget<QPlainTextEdit>("Text1").toPlainText()),
              "\nGALE\nWARNING");
    QTest::mouseClick(&program.widget<QRadioButton>("Option5"), Qt::LeftButton);
    EXPECT_FALSE(last.isChecked());

    // One tick of the timer inside the autosave minute saves; the check box stops the timer.
    auto *timer = program.window(Window::Form1).findChild<QTimer *>(QStringLiteral("Timer1"));
    program.clock.set(2026, 12, 5, 12, 57, 10);
    QMetaMethod::fromSignal(&QTimer::timeout).invoke(timer, Qt::DirectConnection);
    EXPECT_NE(readFile("navtex.txt").find("AB12"), std::string::npos);
    QTest::mouseClick(&program.widget<QCheckBox>("autosave"), Qt::LeftButton);
    EXPECT_FALSE(program.widget<QCheckBox>("autosave").isChecked());
    EXPECT_FALSE(timer->isActive());
    program.widget<QAction>("mnuAbout").trigger();
    EXPECT_EQ(program.dialogs.notices.size(), 1u);
}

void clickRow(QListView &view, int row)
{
    view.scrollTo(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(row, 0)).center());
}

TEST(DesktopWindows, AChoiceInAListOrSelectorRunsItsHandlerEvenWhenItWasCurrent)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    for (const char *id : {"NE05", "AB12", "ZA01"})
        program.receiveMessage(id, {"BODY"});
    program.flush();
    auto &byId = program.widget<QListView>("MessageList2");
    EXPECT_EQ(rows(*byId.model()), "AB12 NE05 ZA01");
    QTest::mouseClick(&program.widget<QRadioButton>("Option5"), Qt::LeftButton);
    clickRow(byId, 2);
    program.flush();
    EXPECT_EQ(program.shown<QLineEdit>("Text6"), "Message ZA01");
    EXPECT_EQ(listState(program.form().MessageList), "NE05 AB12 [ZA01]");
    EXPECT_TRUE(program.widget<QListView>("MessageList").selectionModel()->isRowSelected(2, {}));
    // The current entry clicked again is chosen again: the view that the test emptied is filled.
    program.form().Text6.setText({});
    clickRow(byId, 2);
    EXPECT_EQ(program.form().Text6.text(), "Message ZA01");
    emit program.widget<QComboBox>("MessageTypeList").activated(0); // " All Messages" again
    EXPECT_EQ(program.form().Text6.text(), "") << "the lists were rebuilt and the view emptied";

    // The purge age is the row scrolled into view, by the operator or by the program.
    auto &ages = program.widget<QListView>("purgeage");
    ages.verticalScrollBar()->setValue(3);
    EXPECT_EQ(program.form().purgeage.topIndex(), 3);
    for (int top : {5, 0}) {
        program.form().purgeage.setTopIndex(top);
        program.flush();
        EXPECT_EQ(ages.indexAt(QPoint(1, 1)).row(), top);
    }
}

TEST(DesktopWindows, ComeAndGoAsTheProgramLoadsAndUnloadsThem)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    QWidget &main = program.window(Window::Form1);
    QWidget &dialog = program.window(Window::ComPortForm);
    program.widget<QAction>("mnuComPort").trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(dialog.isVisible());
    dialog.close(); // as Leave Unchanged
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(main.isVisible());

    QTest::mouseClick(&program.widget<QPushButton>("Mapbutton"), Qt::LeftButton);
    EXPECT_TRUE(program.window(Window::Form2).isVisible());
    program.window(Window::Form2).close();
    EXPECT_FALSE(program.app.isLoaded(Window::Form2));
    EXPECT_FALSE(program.window(Window::Form2).isVisible());

    program.dialogs.queue(false);
    main.close();
    EXPECT_EQ(program.dialogs.questions, std::vector<std::string>{"Save messages first?"});
    EXPECT_TRUE(program.app.ended());
    EXPECT_FALSE(main.isVisible());
}

TEST(DesktopWindows, TheFirstStartWelcomesOverTheMainWindowAndEscapeLeavesIt)
{
    ShellProgram program({}, false);
    std::filesystem::remove("fenlark.ini");
    program.app.start();
    QWidget &welcome = program.window(Window::Welcome);
    EXPECT_TRUE(welcome.isVisible());
    EXPECT_TRUE(program.window(Window::Form1).isVisible());
    EXPECT_EQ(welcome.parentWidget(), &program.window(Window::Form1));
    QTest::keyClick(&welcome, Qt::Key_Escape);
    EXPECT_FALSE(welcome.isVisible());
    EXPECT_FALSE(program.window(Window::ComPortForm).isVisible());
    EXPECT_FALSE(std::filesystem::exists("fenlark.ini"));
}

} // namespace
} // namespace fenlark::test
