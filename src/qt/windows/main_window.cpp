#include "qt/windows/main_window.h"

#include "alerts/new_marks.h"
#include "qt/windows/binders.h"
#include "qt/windows/growing_area.h"
#include "qt/latin1.h"
#include "qt/windows/list_control_model.h"
#include "qt/windows/window_metrics.h"
#include "view/form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace fenlark::qt {
namespace {

using Across = GrowingArea::Across;
using Down = GrowingArea::Down;

// The window's inner area, in twips.
constexpr int kAreaWidth = 14970;
constexpr int kAreaHeight = 9060;

constexpr double kFontPoints = 9.75;

// Frames hold their controls in layouts with little room to spare, as the frames are small.
template <typename Layout> Layout *tightLayout(QWidget &frame)
{
    auto *layout = new Layout(&frame);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    return layout;
}

// Every text box of the window only shows what the program wrote: the operator can select and
// copy its text but not change it.
QLineEdit *displayBox(QWidget *parent, TextBox &control)
{
    auto *edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    bind(*edit, control);
    return edit;
}

QLineEdit *centredBox(QWidget *parent, TextBox &control)
{
    QLineEdit *edit = displayBox(parent, control);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QLabel *label(QWidget *parent, Label &control,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *widget = new QLabel(parent);
    widget->setAlignment(align);
    bind(*widget, control);
    return widget;
}

// The list heading's runs of blanks put "Msg ID" over the left list and "Rx Time" over the right
// one once the caption wraps; it must wrap only at those runs, never inside "Msg ID" or "Rx Time".
class ColumnHeading : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        static const QRegularExpression singleBlank(QStringLiteral("(?<=\\S) (?=\\S)"));
        QString shown = text();
        shown.replace(singleBlank, QString(QChar(0x00A0)));
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, shown);
    }
};

// A selector turns with the wheel only once the operator has clicked or tabbed into it: the wheel
// over a window that scrolls scrolls it, rather than changing the selectors it passes over.
class WheelWhenFocused : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget *>(watched)->hasFocus())
            return false;
        event->ignore(); // handed on to the scroll area
        return true;
    }
};

} // namespace

MainWindow::MainWindow(Form1 &form, const NewMarks &marks, QWidget *parent)
    : QMainWindow(parent), m_form(form)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(Form1::kCaption));
    setFont(windowFont(Face::SansSerif, kFontPoints));

    // The area opens at its designed size and grows with the window; on a screen too small for
    // it the scroll area reaches every control.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Form1Scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    const QSize designed = Twips::forScreen().size(kAreaWidth, kAreaHeight);
    auto *area = new GrowingArea(designed, scroll);
    area->setObjectName(QStringLiteral("Form1Area"));
    scroll->setWidget(area);
    setCentralWidget(scroll);

    buildMenus();
    buildTopControls(*area);
    buildDisplayFrame(*area);
    buildLogFrame(*area);
    buildHistoryFrame(*area);
    buildSelectorFrame(*area);
    buildFrequencyFrame(*area);
    buildListFrame(*area, marks);
    buildStatusBar();
    resize(designed.width(), designed.height() + menuBar()->sizeHint().height() +
                                 statusBar()->sizeHint().height());

    m_timer = new QTimer(this);
    bind(*m_timer, m_form.Timer1);
    m_timer->stop();
}

void MainWindow::setLoaded(bool loaded)
{
    if (loaded) {
        if (m_form.Timer1.enabled())
            m_timer->start();
        show();
        raise();
        activateWindow();
    } else {
        m_timer->stop();
        hide();
    }
}

void MainWindow::newMarksChanged()
{
    for (ListControlModel *model : m_messageLists)
        model->emphasisChanged();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_form.Quitbutton_Click();
}

void MainWindow::buildMenus()
{
    // The keys of the entries used most; each runs the entry's own handler, questions and all.
    const std::pair<MenuItem *, QKeySequence> keys[] = {
        {&m_form.mnusave, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {&m_form.mnuQuit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {&m_form.mnuprint_msg, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {&m_form.mnudel_msg, QKeySequence(Qt::Key_Delete)},
        {&m_form.mnutable, QKeySequence(Qt::CTRL | Qt::Key_T)}};
    auto menu = [&](MenuTitle &title, std::initializer_list<MenuItem *> items) {
        QMenu *widget = menuBar()->addMenu(QString());
        bind(*widget, title);
        for (MenuItem *item : items) {
            QAction *action = widget->addAction(QString());
            bind(*action, *item);
            for (const auto &[keyed, key] : keys)
                if (keyed == item)
                    action->setShortcut(key);
        }
        return widget;
    };
    menu(m_form.mnufile, {&m_form.mnusave, &m_form.mnuload, &m_form.mnuearlier,
                          &m_form.mnucapture, &m_form.mnuQuit});
    menu(m_form.mnumessage, {&m_form.mnuprint_msg, &m_form.mnudel_msg, &m_form.mnutable});
    m_configureMenu = menu(m_form.mnuconfiguration, {&m_form.mnuComPort});
    m_alarmsAction = m_configureMenu->addAction(QStringLiteral("&Alarms\u2026"));
    m_alarmsAction->setObjectName(QStringLiteral("mnuAlarms"));
    menu(m_form.mnuhelp, {&m_form.mnuAbout, &m_form.mnuhelpmsg});
}

void MainWindow::buildStatusBar()
{
    // What the last save, purge or delete did on the left; the receiver and the new messages
    // on the right.
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(true);
    bar->addWidget(label(bar, m_form.StatusNote), 1);
    bar->addPermanentWidget(label(bar, m_form.StatusReceiver));
    bar->addPermanentWidget(label(bar, m_form.StatusNew));
}

void MainWindow::buildTopControls(GrowingArea &area)
{
    const Twips t = Twips::forScreen();
    const QFont bold = windowFont(Face::SansSerif, kFontPoints, true);

    auto *body = new QPlainTextEdit(&area);
    body->setReadOnly(true);
    body->setTabChangesFocus(true);
    area.place(*body, t.rect(0, 120, 10695, 3375), Across::Grow, Down::View);
    body->setFont(windowFont(Face::Verdana, 9, true));
    body->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bind(*body, m_form.Text1);

    QLineEdit *shown = displayBox(&area, m_form.Text6);
    area.place(*shown, t.rect(360, 3720, 1680, 240), Across::Stay, Down::Middle);
    shown->setFont(bold);
    shown->setFrame(false); // 240 twips leave no room for a frame around bold text

    QLabel *type = label(&area, m_form.Label6);
    area.place(*type, t.rect(2160, 3720, 8025, 240), Across::Grow, Down::Middle);
    type->setFont(bold);
    QLabel *station = label(&area, m_form.Label15);
    area.place(*station, t.rect(2160, 4095, 8025, 240), Across::Grow, Down::Middle);
    station->setFont(bold);

    auto button = [&](Button &control, QRect place, Down down) {
        auto *widget = new QPushButton(&area);
        area.place(*widget, place, Across::Move, down);
        bind(*widget, control);
    };
    button(m_form.print_message, t.rect(11040, 225, 1320, 420), Down::Top);
    button(m_form.Delmsg, t.rect(11040, 840, 1320, 420), Down::Top);
    button(m_form.Quitbutton, t.rect(11040, 1440, 1320, 420), Down::Top);
    button(m_form.Mapbutton, t.rect(9630, 7605, 1500, 420), Down::Middle);

    QLabel *status = label(&area, m_form.Label1);
    area.place(*status, t.rect(5040, 8160, 3495, 255), Across::Stay, Down::Bottom);

    QLineEdit *echo = displayBox(&area, m_form.Text9);
    area.place(*echo, t.rect(2760, 8505, 8295, 345), Across::Grow, Down::Bottom);
    echo->setFont(bold);
    QPalette darkGreen = echo->palette();
    darkGreen.setColor(QPalette::Text, QColor(0, 128, 0));
    echo->setPalette(darkGreen);

    QLineEdit *lastNew = displayBox(&area, m_form.Text11);
    area.place(*lastNew, t.rect(720, 8520, 1575, 360), Across::Stay, Down::Bottom);
}

void MainWindow::buildDisplayFrame(GrowingArea &area)
{
    auto *frame = new QGroupBox(&area);
    area.place(*frame, Twips::forScreen().rect(10920, 2040, 1500, 1815), Across::Move, Down::Top);
    bind(*frame, m_form.Frame5);
    auto *layout = tightLayout<QVBoxLayout>(*frame);
    for (OptionButton *option : {&m_form.Option3, &m_form.Option4, &m_form.Option5}) {
        auto *radio = new QRadioButton(frame);
        bind(*radio, *option);
        layout->addWidget(radio);
    }
}

void MainWindow::buildLogFrame(GrowingArea &area)
{
    auto *frame = new QGroupBox(&area);
    area.place(*frame, Twips::forScreen().rect(12600, 225, 2175, 4395), Across::Move, Down::Top);
    bind(*frame, m_form.Frame2);
    auto *layout = tightLayout<QVBoxLayout>(*frame);

    auto button = [&](Button &control) {
        auto *widget = new QPushButton(frame);
        bind(*widget, control);
        layout->addWidget(widget);
    };
    button(m_form.purge);
    QLabel *olderThan = label(frame, m_form.Label7, Qt::AlignCenter);
    olderThan->setWordWrap(true);
    layout->addWidget(olderThan);

    // The purge age: a list one row high whose row in view is the age used.
    auto *ageRow = new QHBoxLayout;
    auto *age = new QListView(frame);
    bind(*age, m_form.purgeage);
    age->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    age->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    age->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = age->fontMetrics().height() + 4;
    age->setFixedSize(age->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 24,
                      rowHeight + 2 * age->frameWidth());
    ageRow->addStretch();
    ageRow->addWidget(age);
    ageRow->addWidget(label(frame, m_form.Label8));
    ageRow->addStretch();
    layout->addLayout(ageRow);

    button(m_form.Command1);
    button(m_form.Command2);
    layout->addWidget(centredBox(frame, m_form.Text12));
    auto *autosave = new QCheckBox(frame);
    bind(*autosave, m_form.autosave);
    layout->addWidget(autosave, 0, Qt::AlignHCenter);
}

void MainWindow::buildHistoryFrame(GrowingArea &area)
{
    auto *frame = new QGroupBox(&area);
    area.place(*frame, Twips::forScreen().rect(315, 4905, 3495, 3135), Across::Stay,
               Down::Middle);
    bind(*frame, m_form.Frame4);
    auto *grid = tightLayout<QGridLayout>(*frame);
    grid->addWidget(centredBox(frame, m_form.Text5), 0, 0, 1, 4);
    grid->addWidget(centredBox(frame, m_form.Text2), 1, 0, 1, 4);
    grid->addWidget(label(frame, m_form.Label9), 2, 0, 1, 2);
    grid->addWidget(centredBox(frame, m_form.Text10), 2, 2, 1, 2);
    grid->addWidget(centredBox(frame, m_form.Text3), 3, 0);
    grid->addWidget(label(frame, m_form.Label10, Qt::AlignCenter), 3, 1);
    grid->addWidget(centredBox(frame, m_form.Text4), 3, 2);
    grid->addWidget(label(frame, m_form.Label11), 3, 3);
    grid->addWidget(label(frame, m_form.Label12), 4, 0, 1, 2);
    grid->addWidget(centredBox(frame, m_form.Text13), 4, 2, 1, 2);
    grid->addWidget(centredBox(frame, m_form.Text7), 5, 0);
    grid->addWidget(label(frame, m_form.Label13, Qt::AlignCenter), 5, 1);
    grid->addWidget(centredBox(frame, m_form.Text8), 5, 2);
    grid->addWidget(label(frame, m_form.Label14), 5, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
}

void MainWindow::buildSelectorFrame(GrowingArea &area)
{
    auto *frame = new QGroupBox(&area);
    // The selectors take the extra width: long station names fit.
    area.place(*frame, Twips::forScreen().rect(3915, 4905, 5490, 3135), Across::Grow,
               Down::Middle);
    bind(*frame, m_form.Frame1);
    auto *grid = tightLayout<QGridLayout>(*frame);
    grid->setHorizontalSpacing(6);
    const QFont bold = windowFont(Face::SansSerif, kFontPoints, true);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    auto selector = [&](DropDown &control, int row) {
        auto *combo = new QComboBox(frame);
        combo->setFont(bold);
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->installEventFilter(new WheelWhenFocused(combo));
        combo->setMaxVisibleItems(27);
        bind(*combo, control);
        grid->addWidget(combo, row, 1);
    };
    grid->addWidget(label(frame, m_form.Label2, right), 0, 0);
    selector(m_form.MessageTypeList, 0);
    grid->addWidget(label(frame, m_form.Label3, right), 1, 0);
    selector(m_form.StationList, 1);
    grid->addWidget(label(frame, m_form.Label5), 2, 0, 1, 2);
    grid->addWidget(label(frame, m_form.TxTimeslabel), 3, 0, 1, 2);
    grid->addWidget(label(frame, m_form.Label4, right), 4, 0);
    selector(m_form.NavAreaList, 4);
    grid->setColumnStretch(1, 1);
}

void MainWindow::buildFrequencyFrame(GrowingArea &area)
{
    auto *frame = new QGroupBox(&area);
    area.place(*frame, Twips::forScreen().rect(9585, 4905, 1545, 2355), Across::Move,
               Down::Middle);
    bind(*frame, m_form.Frame6);
    auto *layout = tightLayout<QVBoxLayout>(*frame);
    for (OptionButton &member : m_form.Frequency) {
        auto *radio = new QRadioButton(frame);
        bind(*radio, member);
        layout->addWidget(radio);
    }
}

void MainWindow::buildListFrame(GrowingArea &area, const NewMarks &marks)
{
    auto *frame = new QGroupBox(&area);
    area.place(*frame, Twips::forScreen().rect(11340, 4905, 3255, 3930), Across::Move,
               Down::Lists);
    bind(*frame, m_form.Frame3);
    auto *layout = tightLayout<QVBoxLayout>(*frame);
    // The blanks in the caption put "Msg ID" over the left list and "Rx Time" over the right.
    auto *heading = new ColumnHeading(frame);
    heading->setAlignment(Qt::AlignCenter);
    heading->setWordWrap(true);
    bind(*heading, m_form.Label17);
    layout->addWidget(heading);
    auto *lists = new QHBoxLayout;
    std::size_t i = 0;
    for (ListBox *control : {&m_form.MessageList2, &m_form.MessageList}) {
        auto *view = new QListView(frame);
        // Regular weight, so that the new messages stand out in bold.
        view->setFont(windowFont(Face::SansSerif, 12));
        ListControlModel &model = bind(*view, *control);
        model.setEmphasis([&marks](const std::string &msgid) { return marks.isNew(msgid); });
        m_messageLists[i++] = &model;
        lists->addWidget(view);
    }
    layout->addLayout(lists, 1);
}

} // namespace fenlark::qt
