#include "qt/windows/alarm_window.h"

#include "alerts/alarms.h"
#include "qt/deferred_call.h"
#include "qt/windows/binders.h"
#include "qt/windows/window_metrics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace fenlark::qt {

AlarmWindow::AlarmWindow(Alarms &alarms, QWidget &over) : QWidget(&over, Qt::Tool)
{
    setObjectName(QStringLiteral("Alarms"));
    setWindowTitle(QString::fromLatin1(Alarms::kCaption));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(windowFont(Face::SansSerif, 9.75));

    auto *layout = new QVBoxLayout(this);
    // A red band over the message says at a glance what kind of alarm it is.
    auto *band = new QLabel(this);
    bind(*band, alarms.AlarmBand);
    band->setAlignment(Qt::AlignCenter);
    band->setFont(windowFont(Face::SansSerif, 14, true));
    band->setAutoFillBackground(true);
    QPalette red = band->palette();
    red.setColor(QPalette::Window, QColor(200, 0, 0));
    red.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(red);
    band->setMargin(4);
    // Its height, like the labels', is set before any alarm fills it, so that the window opens at
    // the size it was placed with.
    band->setMinimumHeight(band->fontMetrics().height() + 2 * band->margin());

    auto *queue = new QListView(this);
    bind(*queue, alarms.AlarmList);
    queue->setMaximumHeight(queue->fontMetrics().height() * 4 + 8);
    layout->addWidget(queue);
    layout->addWidget(band);

    const QFont bold = windowFont(Face::SansSerif, 9.75, true);
    for (Label *control : {&alarms.AlarmId, &alarms.AlarmOrigin, &alarms.AlarmTime}) {
        auto *label = new QLabel(this);
        bind(*label, *control);
        label->setFont(bold);
        label->setMinimumHeight(label->fontMetrics().height());
        layout->addWidget(label);
    }
    auto *text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setTabChangesFocus(true);
    text->setFont(windowFont(Face::Verdana, 9, true));
    bind(*text, alarms.AlarmText);
    layout->addWidget(text, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (Button *control : {&alarms.Show, &alarms.Acknowledge, &alarms.AcknowledgeAll}) {
        auto *button = new QPushButton(this);
        bind(*button, *control);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    resize(Twips::forScreen().size(6000, 4200));
}

void AlarmWindow::placeOver(const QWidget &main)
{
    // Centred on the main window's frame, but never higher than the top of its inner area, so
    // that the menu stays in sight.
    // The alarm's texts reach their labels at the next turn of the event loop; written now, they
    // give the window the size it opens at (a long origin widens it).
    for (QObject *child : findChildren<QObject *>())
        if (auto *call = dynamic_cast<DeferredCall *>(child))
            call->runNow();
    layout()->activate(); // the size it opens at, not the one asked for before it was laid out
    // Before it is first shown its frame is not known yet: the main window's stands in for it.
    const QSize frame = testAttribute(Qt::WA_WState_Created)
                            ? frameGeometry().size() - size()
                            : main.frameGeometry().size() - main.size();
    QRect place(QPoint(), size() + frame);
    place.moveCenter(main.frameGeometry().center());
    if (const auto *window = qobject_cast<const QMainWindow *>(&main))
        place.moveTop(std::max(place.top(), window->centralWidget()->mapToGlobal(QPoint()).y()));
    move(place.topLeft());
}

void AlarmWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

} // namespace fenlark::qt
