#include "qt/windows/com_port_window.h"

#include "config/com_port_form.h"
#include "qt/windows/binders.h"
#include "qt/windows/window_metrics.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace fenlark::qt {

ComPortWindow::ComPortWindow(ComPortForm &form, QWidget *parent)
    : QWidget(parent, Qt::Window), m_form(form)
{
    setObjectName(QStringLiteral("ComPortForm"));
    setWindowTitle(QString::fromLatin1(ComPortForm::kCaption));
    setFont(windowFont(Face::SansSerif, 9.75));

    auto *grid = new QGridLayout(this);
    int row = 0;
    auto choice = [&](Label &caption, DropDown &list) {
        auto *label = new QLabel(this);
        bind(*label, caption);
        auto *combo = new QComboBox(this);
        bind(*combo, list);
        label->setBuddy(combo);
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        ++row;
    };
    choice(form.Label1, form.comportcombo);
    choice(form.Label2, form.BaudRatecombo);
    choice(form.Label3, form.DataBitsCombo);
    choice(form.Label4, form.StopBitsCombo);
    choice(form.errcharlabel, form.Combo1);

    auto *parity = new QVBoxLayout;
    for (OptionButton *option : {&form.ParityNo, &form.ParityEven, &form.ParityOdd}) {
        auto *radio = new QRadioButton(this);
        bind(*radio, *option);
        parity->addWidget(radio);
    }
    parity->addStretch();
    grid->addLayout(parity, 0, 2, row, 1);

    auto *current = new QLabel(this);
    bind(*current, form.Label5);
    current->setWordWrap(true);
    grid->addWidget(current, row++, 0, 1, 3);

    auto *buttons = new QHBoxLayout;
    for (Button *control : {&form.setnsave, &form.LeaveAlone}) {
        auto *button = new QPushButton(this);
        bind(*button, *control);
        buttons->addWidget(button);
    }
    grid->addLayout(buttons, row, 0, 1, 3);
    grid->setColumnMinimumWidth(1, 120);
}

void ComPortWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_form.closeRequested();
}

} // namespace fenlark::qt
