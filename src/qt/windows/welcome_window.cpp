#include "qt/windows/welcome_window.h"

#include "config/welcome.h"
#include "qt/windows/binders.h"
#include "qt/windows/window_metrics.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace fenlark::qt {

WelcomeWindow::WelcomeWindow(Welcome &form, QWidget &over) : QDialog(&over), m_form(form)
{
    setObjectName(QStringLiteral("Welcome"));
    setWindowTitle(QString::fromLatin1(Welcome::kCaption));
    setFont(windowFont(Face::SansSerif, 9.75));
    auto *grid = new QGridLayout(this);
    auto label = [this](Label &control) {
        auto *widget = new QLabel(this);
        widget->setWordWrap(true);
        bind(*widget, control);
        return widget;
    };
    auto option = [this](OptionButton &control) {
        auto *radio = new QRadioButton(this);
        bind(*radio, control);
        return radio;
    };
    auto field = [this](TextBox &control, const char *placeholder) {
        auto *edit = new QLineEdit(this);
        edit->setPlaceholderText(QString::fromLatin1(placeholder));
        bind(*edit, control);
        return edit;
    };
    QLabel *question = label(form.Question);
    question->setFont(windowFont(Face::SansSerif, 12, true));
    grid->addWidget(question, 0, 0, 1, 3);
    grid->addWidget(option(form.SerialInput), 1, 0);
    auto *devices = new QComboBox(this);
    bind(*devices, form.SerialDevices);
    grid->addWidget(devices, 1, 1, 1, 2);
    grid->addWidget(label(form.DeviceDetails), 2, 1, 1, 2);
    grid->addWidget(option(form.NrxReceiver), 3, 1);
    grid->addWidget(option(form.PlainReceiver), 3, 2);
    grid->addWidget(option(form.TcpInput), 4, 0);
    grid->addWidget(field(form.TcpHost, "host name or address"), 4, 1);
    grid->addWidget(field(form.TcpPort, "port"), 4, 2);
    grid->addWidget(option(form.UdpInput), 5, 0);
    grid->addWidget(field(form.UdpPort, "port"), 5, 1);
    grid->addWidget(option(form.NoReceiver), 6, 0, 1, 3);
    QLabel *problem = label(form.Problem);
    problem->setStyleSheet(QStringLiteral("color: #b00000"));
    grid->addWidget(problem, 7, 0, 1, 3);
    auto *carryOn = new QPushButton(this);
    carryOn->setDefault(true);
    bind(*carryOn, form.Continue);
    grid->addWidget(carryOn, 8, 2);
    grid->setColumnStretch(1, 1);
}

void WelcomeWindow::reject() { m_form.closeRequested(); }

void WelcomeWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_form.closeRequested();
}

} // namespace fenlark::qt
