#include "qt/windows/alarm_window.h"

#include "alerts/alarms.h"
#include "qt/windows/binders.h"
#include "qt/windows/window_metrics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace fenlark::qt {

AlarmWindow::AlarmWindow(Alarms &alarms, QWidget &over) : QWidget(&over, Qt::Tool)
{
    setObjectName(QStringLiteral("Alarms"));
    setWindowTitle(QString::fromLatin1(Alarms::kCaption));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(windowFont(Face::SansSerif, 9.75));

    auto *layout = new QVBoxLayout(this);
    auto *queue = new QListView(this);
    bind(*queue, alarms.AlarmList);
    queue->setMaximumHeight(queue->fontMetrics().height() * 4 + 8);
    layout->addWidget(queue);

    const QFont bold = windowFont(Face::SansSerif, 9.75, true);
    for (Label *control : {&alarms.AlarmId, &alarms.AlarmOrigin, &alarms.AlarmTime}) {
        auto *label = new QLabel(this);
        bind(*label, *control);
        label->setFont(bold);
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
    for (Button *control : {&alarms.Show, &alarms.Acknowledge}) {
        auto *button = new QPushButton(this);
        bind(*button, *control);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    resize(Twips::forScreen().size(6000, 4200));
}

void AlarmWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

} // namespace fenlark::qt
