#include "qt/windows/earlier_logs_window.h"

#include "qt/windows/binders.h"
#include "qt/windows/window_metrics.h"
#include "storage/earlier_logs.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace fenlark::qt {

EarlierLogsWindow::EarlierLogsWindow(EarlierLogs &form, QWidget &over)
    : QDialog(&over), m_form(form)
{
    setObjectName(QStringLiteral("EarlierLogs"));
    setWindowTitle(QString::fromLatin1(EarlierLogs::kCaption));
    setFont(windowFont(Face::SansSerif, 9.75));
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(this);
    bind(*caption, form.LogsLabel);
    layout->addWidget(caption);
    auto *list = new QListView(this);
    bind(*list, form.LogList);
    // A double-click opens the log, as choosing it and "&Open" do.
    connect(list, &QListView::doubleClicked, this, [this] { m_form.Open.click(); });
    layout->addWidget(list, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (Button *control : {&form.Open, &form.Cancel}) {
        auto *button = new QPushButton(this);
        button->setAutoDefault(false);
        bind(*button, *control);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    resize(Twips::forScreen().size(5400, 3600));
}

void EarlierLogsWindow::reject() { m_form.Cancel_Click(); }

void EarlierLogsWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_form.Cancel_Click();
}

} // namespace fenlark::qt
