// The main window on screen: every control as a widget with its caption, fonts, colours, hints and
// place; clicks reaching the model; the model's changes reaching the widgets.
#include "forms/control_registry.h"
#include "qt/main_window.h"
#include "shell_program.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMetaMethod>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

std::string latin1(const QString &text)
{
    return text.toLatin1().toStdString();
}

// What the widget of a control shows, in the terms of the model: a caption, a text or a list.
struct WidgetShows {
    QObject &widget;

    std::string caption(const std::string &kind) const
    {
        if (auto *w = qobject_cast<QPushButton *>(&widget))
            return latin1(w->text());
        if (auto *w = qobject_cast<QAction *>(&widget))
            return latin1(w->text());
        if (auto *w = qobject_cast<QLabel *>(&widget))
            return latin1(w->text());
        if (auto *w = qobject_cast<QGroupBox *>(&widget))
            return latin1(w->title());
        if (auto *w = qobject_cast<QMenu *>(&widget))
            return latin1(w->title());
        if (auto *w = qobject_cast<QRadioButton *>(&widget))
            return latin1(w->text());
        if (auto *w = qobject_cast<QCheckBox *>(&widget))
            return latin1(w->text());
        return "(" + kind + " is shown by a " + widget.metaObject()->className() + ")";
    }
    std::string text() const
    {
        if (auto *w = qobject_cast<QLineEdit *>(&widget))
            return latin1(w->text());
        if (auto *w = qobject_cast<QPlainTextEdit *>(&widget))
            return latin1(w->toPlainText());
        return std::string("(a text box shown by a ") + widget.metaObject()->className() + ")";
    }
    int rows() const
    {
        if (auto *w = qobject_cast<QListView *>(&widget))
            return w->model()->rowCount();
        if (auto *w = qobject_cast<QComboBox *>(&widget))
            return w->count();
        return -1;
    }
};

TEST(MainWindowControls, EveryControlHasAWidgetNamedAfterItShowingItsCaption)
{
    ShellProgram program;
    ControlRegistry registry;
    program.form().registerControls(registry);
    QWidget &window = program.window(Window::Form1);
    std::vector<std::string> withoutWidget;
    for (const std::string &name : registry.names()) {
        SCOPED_TRACE(name);
        QObject *widget = window.findChild<QObject *>(QString::fromLatin1(name.c_str()));
        if (!widget) {
            withoutWidget.push_back(name);
            continue;
        }
        const WidgetShows shows{*widget};
        std::visit(
            [&](auto *control) {
                using T = std::remove_pointer_t<decltype(control)>;
                if constexpr (std::is_same_v<T, TextBox>) {
                    EXPECT_EQ(shows.text(), control->text());
                } else if constexpr (std::is_same_v<T, ListBox> || std::is_same_v<T, DropDown>) {
                    EXPECT_EQ(shows.rows(), control->count());
                } else if constexpr (std::is_same_v<T, Timer>) {
                    auto *timer = qobject_cast<QTimer *>(widget);
                    ASSERT_NE(timer, nullptr);
                    EXPECT_EQ(timer->interval(), 32000);
                    EXPECT_TRUE(timer->isActive());
                } else if constexpr (!std::is_same_v<T, MSComm>) {
                    EXPECT_EQ(shows.caption(name), control->caption());
                }
            },
            *registry.find(name));
    }
    // The serial port control is the serial device, not a widget.
    EXPECT_EQ(withoutWidget, std::vector<std::string>{"MSComm1"});
}

TEST(MainWindowControls, CaptionsMenusAndAccessKeysAreThoseOfTheDesign)
{
    ShellProgram program;
    auto *window = static_cast<QMainWindow *>(&program.window(Window::Form1));
    EXPECT_EQ(latin1(window->windowTitle()), "FENLARK Navtex Message Display");

    std::vector<std::string> menus;
    for (QAction *title : window->menuBar()->actions()) {
        std::string menu = latin1(title->text()) + ":";
        for (QAction *entry : title->menu()->actions())
            menu += " [" + latin1(entry->text()) + "]";
        menus.push_back(menu);
    }
    EXPECT_EQ(menus, (std::vector<std::string>{
                         "&File: [&Save messages] [&Load messages] [&Capture file load] [&Quit]",
                         "&Message: [&Print] [&Delete]",
                         "&Configure: [ComPort]",
                         "&Help: [&About] [&Help]",
                     }));

    const std::vector<std::pair<const char *, const char *>> buttons{
        {"print_message", "&Print Msg"},
        {"Delmsg", " &Delete Msg"},
        {"Quitbutton", "&Quit"},
        {"Mapbutton", "&Map"},
        {"purge", "Purge"},
        {"Command1", "&Save"},
        {"Command2", "&Load"}};
    for (const auto &[name, caption] : buttons)
        EXPECT_EQ(latin1(program.widget<QPushButton>(name).text()), caption) << name;
    EXPECT_EQ(latin1(program.widget<QLabel>("Label17").text()),
              "               ordered by                Msg ID              Rx Time");
    EXPECT_EQ(latin1(program.widget<QRadioButton>("Frequency(3)").text()), "4209.5 kHz");
}

TEST(MainWindowControls, FontsColoursHintsAndAlignments)
{
    ShellProgram program;
    const QFont body = program.widget<QPlainTextEdit>("Text1").font();
    EXPECT_TRUE(body.bold());
    EXPECT_DOUBLE_EQ(body.pointSizeF(), 9.0);
    EXPECT_TRUE(body.families().contains(QStringLiteral("Verdana")));
    EXPECT_EQ(program.widget<QPlainTextEdit>("Text1").verticalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOn);

    auto &echo = program.widget<QLineEdit>("Text9");
    EXPECT_TRUE(echo.font().bold());
    EXPECT_EQ(echo.palette().color(QPalette::Text), QColor(0, 128, 0));

    for (const char *bold :
         {"Text6", "Label6", "Label15", "MessageTypeList", "StationList", "NavAreaList"}) {
        auto &widget = program.widget<QWidget>(bold);
        EXPECT_TRUE(widget.font().bold()) << bold;
        EXPECT_DOUBLE_EQ(widget.font().pointSizeF(), 9.75) << bold;
    }
    EXPECT_FALSE(program.widget<QLabel>("Label9").font().bold());
    EXPECT_DOUBLE_EQ(program.widget<QLabel>("Label9").font().pointSizeF(), 9.75);
    for (const char *list : {"MessageList", "MessageList2"}) {
        const QFont font = program.widget<QListView>(list).font();
        EXPECT_TRUE(font.bold()) << list;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.0) << list;
        EXPECT_EQ(latin1(program.widget<QListView>(list).toolTip()),
                  "Click on message ID to display");
    }
    EXPECT_EQ(latin1(program.widget<QCheckBox>("autosave").toolTip()),
              "automatic save at 00, 06, 12 and 18:57");
    EXPECT_EQ(latin1(program.widget<QComboBox>("MessageTypeList").toolTip()),
              "click on one message type or select 'all'");
    EXPECT_EQ(latin1(program.widget<QComboBox>("NavAreaList").toolTip()), "Select Navarea");

    for (const char *right : {"Label2", "Label3", "Label4"})
        EXPECT_TRUE(program.widget<QLabel>(right).alignment() & Qt::AlignRight) << right;
    for (const char *centred : {"Text5", "Text2", "Text3", "Text4", "Text7", "Text8", "Text12"})
        EXPECT_TRUE(program.widget<QLineEdit>(centred).alignment() & Qt::AlignHCenter) << centred;
}

TEST(MainWindowControls, PlacesFollowTheTwipsTableAtTheScreensResolution)
{
    ShellProgram program;
    const QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    auto px = [](int twips, double dpi) {
        return static_cast<int>(std::lround(twips * dpi / 1440));
    };
    struct Place {
        const char *name;
        int left, top, width, height;
    };
    for (const Place &p :
         {Place{"Text1", 0, 120, 10695, 3375}, Place{"Text9", 2760, 8505, 8295, 345},
          Place{"Frame3", 11340, 4905, 3255, 3930}, Place{"Mapbutton", 9630, 7605, 1500, 420}}) {
        const QRect r = program.widget<QWidget>(p.name).geometry();
        EXPECT_EQ(r.left(), px(p.left, dpiX)) << p.name;
        EXPECT_EQ(r.top(), px(p.top, dpiY)) << p.name;
        EXPECT_EQ(r.right() + 1, px(p.left + p.width, dpiX)) << p.name;
        EXPECT_EQ(r.bottom() + 1, px(p.top + p.height, dpiY)) << p.name;
    }
    const QWidget *area = static_cast<QMainWindow &>(program.window(Window::Form1)).centralWidget();
    EXPECT_EQ(area->size(), QSize(px(14970, dpiX), px(9060, dpiY)));
}

TEST(MainWindowClicks, ButtonsMenuEntriesAndOptionsRunTheirHandlers)
{
    ShellProgram program;
    QTest::mouseClick(&program.widget<QPushButton>("Mapbutton"), Qt::LeftButton);
    EXPECT_TRUE(program.app.isLoaded(Window::Form2));
    EXPECT_TRUE(program.window(Window::Form2).isVisible());

    program.widget<QAction>("mnuAbout").trigger();
    ASSERT_EQ(program.dialogs.notices.size(), 1u);
    EXPECT_EQ(program.dialogs.notices[0],
              "FenLark Navtex Message Display, version 2.4, 3 November 2008");

    QTest::mouseClick(&program.widget<QRadioButton>("Option5"), Qt::LeftButton);
    EXPECT_TRUE(program.form().Option5.value());
    EXPECT_FALSE(program.form().Option3.value());
    EXPECT_FALSE(program.widget<QRadioButton>("Option3").isChecked());
    // A click on the chosen button leaves it chosen on screen as in the model.
    QTest::mouseClick(&program.widget<QRadioButton>("Option5"), Qt::LeftButton);
    EXPECT_TRUE(program.widget<QRadioButton>("Option5").isChecked());

    QTest::mouseClick(&program.widget<QCheckBox>("autosave"), Qt::LeftButton);
    EXPECT_EQ(program.form().autosave.value(), 0);
    EXPECT_FALSE(program.widget<QCheckBox>("autosave").isChecked());
    EXPECT_FALSE(program.form().Timer1.enabled());
    EXPECT_FALSE(program.window(Window::Form1).findChild<QTimer *>("Timer1")->isActive());
}

TEST(MainWindowClicks, TimerTicksRunTheAutosave)
{
    ShellProgram program;
    program.receiveMessage("AB12", {"BODY"});
    program.clock.set(2026, 12, 5, 12, 57, 10);
    auto *timer = program.window(Window::Form1).findChild<QTimer *>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    // One tick, as the timer's interval ending would give it.
    QMetaMethod::fromSignal(&QTimer::timeout).invoke(timer, Qt::DirectConnection);
    EXPECT_NE(readFile("navtex.txt").find("AB12"), std::string::npos);
}

TEST(MainWindowModel, ReceptionShowsInTheWidgets)
{
    ShellProgram program;
    program.receive("ZCZC AB");
    program.flush();
    EXPECT_EQ(latin1(program.widget<QLineEdit>("Text9").text()), "ZCZC AB");

    program.receive("12\r\nGALE WARNING\r\nNNNN\r\n");
    program.flush();
    EXPECT_EQ(latin1(program.widget<QLineEdit>("Text9").text()), "");
    EXPECT_EQ(latin1(program.widget<QLabel>("Label1").text()), "Incoming Message       ");
    // Filing wrote "Last new: AB12" and the rebuild of the lists emptied it again: the widget
    // shows where the model ended.
    EXPECT_EQ(program.form().Text11.text(), "");
    EXPECT_EQ(latin1(program.widget<QLineEdit>("Text11").text()), "");
    auto &list = program.widget<QListView>("MessageList");
    ASSERT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(latin1(list.model()->index(0, 0).data().toString()), "AB12");

    program.form().Label6.setCaption("from the model");
    program.flush();
    EXPECT_EQ(latin1(program.widget<QLabel>("Label6").text()), "from the model");
}

TEST(MainWindowModel, TheTextBoxesOnlyShowTheirTextAndTabMovesOn)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    program.receiveMessage("AB12", {"GALE"});
    program.form().Option3.choose();
    program.flush();
    ASSERT_EQ(program.form().Text6.text(), "Message AB12");
    for (QLineEdit *box : program.window(Window::Form1).findChildren<QLineEdit *>()) {
        const QString shown = box->text();
        QTest::keyClicks(box, "X");
        EXPECT_EQ(box->text(), shown) << latin1(box->objectName());
    }
    EXPECT_EQ(program.form().Text6.text(), "Message AB12");

    auto &body = program.widget<QPlainTextEdit>("Text1");
    body.setFocus();
    QTest::keyClick(&body, Qt::Key_Tab);
    EXPECT_EQ(program.form().Text1.text(), "\r\nGALE");
    EXPECT_NE(program.window(Window::Form1).focusWidget(), &body);
    // The text can still be copied.
    body.setFocus();
    QTest::keyClick(&body, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&body, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(latin1(QGuiApplication::clipboard()->text()), "\nGALE");
}

// Three messages filed in this order: NE05, AB12, ZA01.
void fileThree(ShellProgram &program)
{
    program.receiveMessage("NE05", {"ONE"});
    program.receiveMessage("AB12", {"TWO"});
    program.receiveMessage("ZA01", {"THREE"});
    program.flush();
}

void clickRow(QListView &view, int row)
{
    view.scrollTo(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(row, 0)).center());
}

std::vector<std::string> rowsOf(QListView &view)
{
    std::vector<std::string> rows;
    for (int i = 0; i < view.model()->rowCount(); ++i)
        rows.push_back(latin1(view.model()->index(i, 0).data().toString()));
    return rows;
}

TEST(MainWindowSelection, ListClicksChooseAndTheOtherListFollows)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    fileThree(program);
    auto &byId = program.widget<QListView>("MessageList2");
    auto &byTime = program.widget<QListView>("MessageList");
    EXPECT_EQ(rowsOf(byId), (std::vector<std::string>{"AB12", "NE05", "ZA01"}));
    EXPECT_EQ(rowsOf(byTime), (std::vector<std::string>{"NE05", "AB12", "ZA01"}));

    QTest::mouseClick(&program.widget<QRadioButton>("Option5"), Qt::LeftButton);
    clickRow(byId, 2);
    program.flush();
    EXPECT_EQ(program.form().Text6.text(), "Message ZA01");
    EXPECT_EQ(latin1(program.widget<QLineEdit>("Text6").text()), "Message ZA01");
    EXPECT_EQ(listState(program.form().MessageList), "NE05 AB12 [ZA01]");
    EXPECT_EQ(byTime.selectionModel()->selectedRows().value(0).row(), 2);

    // The current entry clicked again is chosen again: the view that the test emptied is filled.
    program.form().Text6.setText({});
    clickRow(byId, 2);
    EXPECT_EQ(program.form().Text6.text(), "Message ZA01");
    clickRow(byTime, 0);
    EXPECT_EQ(program.form().Text6.text(), "Message NE05");
}

TEST(MainWindowSelection, ADropDownSetToItsCurrentEntryStillRunsItsHandler)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    fileThree(program);
    QTest::mouseClick(&program.widget<QRadioButton>("Option5"), Qt::LeftButton);
    clickRow(program.widget<QListView>("MessageList"), 1);
    ASSERT_EQ(program.form().Text6.text(), "Message AB12");

    auto &types = program.widget<QComboBox>("MessageTypeList");
    ASSERT_EQ(types.currentIndex(), 0);
    emit types.activated(0); // the operator picks " All Messages" again
    EXPECT_EQ(program.form().Text6.text(), "") << "the type filter rebuilt the lists";
    program.flush();
    EXPECT_EQ(latin1(program.widget<QLineEdit>("Text6").text()), "");
    EXPECT_EQ(types.currentIndex(), 0);
    EXPECT_EQ(program.widget<QListView>("MessageList").model()->rowCount(), 3);

    auto &areas = program.widget<QComboBox>("NavAreaList");
    emit areas.activated(1);
    program.flush();
    auto &stations = program.widget<QComboBox>("StationList");
    ASSERT_EQ(stations.count(), 27);
    EXPECT_EQ(latin1(stations.itemText(1)), "A - Station A of area 2 (518)");
    EXPECT_EQ(stations.currentIndex(), 0);
    EXPECT_EQ(latin1(areas.currentText()), " II - North Atlantic");

    QTest::mouseClick(&program.widget<QRadioButton>("Frequency(0)"), Qt::LeftButton);
    program.flush();
    EXPECT_EQ(latin1(stations.itemText(1)), "A - Station A of area 2 (424)");
    EXPECT_FALSE(program.widget<QRadioButton>("Frequency(2)").isChecked());
}

TEST(MainWindowSelection, ScrollingThePurgeAgeSetsTheAgeInView)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    auto &ages = program.widget<QListView>("purgeage");
    ASSERT_EQ(ages.model()->rowCount(), 7);
    ages.verticalScrollBar()->setValue(3);
    EXPECT_EQ(program.form().purgeage.topIndex(), 3);
    // And the other way: the model's top row is scrolled into view.
    program.form().purgeage.setTopIndex(5);
    program.flush();
    EXPECT_EQ(ages.indexAt(QPoint(1, 1)).row(), 5);
}

TEST(MainWindowLifecycle, PortSettingsReplaceTheWindowAndItsFrameCloseLeavesThemUnchanged)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    program.widget<QAction>("mnuComPort").trigger();
    program.flush();
    EXPECT_FALSE(program.window(Window::Form1).isVisible());
    QWidget &dialog = program.window(Window::ComPortForm);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(latin1(dialog.windowTitle()), "FenLark - Com Port Settings");
    EXPECT_EQ(latin1(program.widget<QLabel>("Label5", Window::ComPortForm).text()),
              "Current setting: 0, 9600, n, 8, 1,  ~");
    EXPECT_EQ(latin1(program.widget<QComboBox>("BaudRatecombo", Window::ComPortForm).currentText()),
              "9600");

    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(program.app.isLoaded(Window::Form1));
    EXPECT_TRUE(program.window(Window::Form1).isVisible());
}

TEST(MainWindowLifecycle, ClosingTheWindowAsksAboutSavingAndEndsTheProgram)
{
    ShellProgram program;
    program.showLaidOut(Window::Form1);
    QTest::mouseClick(&program.widget<QPushButton>("Mapbutton"), Qt::LeftButton);
    program.window(Window::Form2).close();
    EXPECT_FALSE(program.app.isLoaded(Window::Form2));
    EXPECT_FALSE(program.window(Window::Form2).isVisible());

    program.dialogs.queue(false);
    program.window(Window::Form1).close();
    EXPECT_EQ(program.dialogs.questions, std::vector<std::string>{"Save messages first?"});
    EXPECT_TRUE(program.app.ended());
    EXPECT_FALSE(program.window(Window::Form1).isVisible());
}

} // namespace
} // namespace fenlark::test
