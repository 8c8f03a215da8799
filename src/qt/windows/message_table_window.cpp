#include "qt/windows/message_table_window.h"

#include "browse/message_table_form.h"
#include "qt/windows/binders.h"
#include "qt/windows/table_control_model.h"
#include "qt/windows/window_metrics.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace fenlark::qt {

MessageTableWindow::MessageTableWindow(MessageTableForm& form, QWidget& owner)
    : QWidget(&owner, Qt::Window), m_form(form)
{
    setObjectName(QStringLiteral("MessageTable"));
    setWindowTitle(QString::fromLatin1(MessageTableForm::kCaption));
    setFont(windowFont(Face::SansSerif, 9.75));
    auto* layout = new QVBoxLayout(this);

    auto* filters = new QHBoxLayout;
    auto* searchLabel = new QLabel(this);
    bind(*searchLabel, form.SearchLabel);
    auto* search = new QLineEdit(this);
    bind(*search, form.Search);
    searchLabel->setBuddy(search);
    auto* follow = new QCheckBox(this);
    bind(*follow, form.FollowSelectors);
    filters->addWidget(searchLabel);
    filters->addWidget(search, 1);
    filters->addWidget(follow);
    layout->addLayout(filters);

    auto* table = new QTableView(this);
    bind(*table, form.Messages);
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    const QFontMetrics metrics = table->fontMetrics();
    // Room for what each column usually holds.
    const int widths[] = {8, 20, 26, 10, 19, 19, 6, 7, 5};
    for (int column = 0; column < 9; ++column)
        table->setColumnWidth(column, metrics.horizontalAdvance(QLatin1Char('0')) * widths[column]);
    layout->addWidget(table, 1);

    auto* buttons = new QHBoxLayout;
    auto* count = new QLabel(this);
    bind(*count, form.Count);
    buttons->addWidget(count, 1);
    for (Button* control : {&form.Show, &form.CloseTable}) {
        auto* button = new QPushButton(this);
        button->setAutoDefault(false);
        bind(*button, *control);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    resize(Twips::forScreen().size(13500, 6000));
}

void MessageTableWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_form.CloseTable_Click();
}

} // namespace fenlark::qt
