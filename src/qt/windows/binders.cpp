#include "qt/windows/binders.h"

#include "qt/deferred_call.h"
#include "qt/latin1.h"
#include "qt/windows/list_control_model.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <functional>

namespace fenlark::qt {
namespace {

// The state every control has: enabled, visible and its pop-up hint.
void syncCommon(QWidget &widget, const Control &control)
{
    if (widget.isEnabled() != control.enabled())
        widget.setEnabled(control.enabled());
    if (widget.isHidden() == control.visible())
        widget.setHidden(!control.visible());
    const QString tip = toQString(control.toolTip());
    if (widget.toolTip() != tip)
        widget.setToolTip(tip);
}

// Observes one control for as long as its widget lives and writes the control's state to the
// widget, at once or at the next turn of the event loop.
class ControlBinding : public QObject {
public:
    enum class When { Now, Deferred };

    ControlBinding(QObject &widget, Control &control, When when, std::function<void()> sync)
        : QObject(&widget), m_control(control), m_sync(std::move(sync)),
          m_deferred(when == When::Deferred ? new DeferredCall(this, m_sync) : nullptr)
    {
        widget.setObjectName(toQString(control.name()));
        m_control.setObserver([this] { changed(); });
        m_sync();
    }
    ~ControlBinding() override { m_control.setObserver({}); }

    // After the operator's action has gone to the control: the control may have kept its state
    // (and so said nothing), so the widget is written again.
    void syncNow()
    {
        if (m_deferred && m_deferred->pending())
            m_deferred->runNow();
        else
            m_sync();
    }

private:
    void changed()
    {
        if (m_deferred)
            m_deferred->request();
        else
            m_sync();
    }

    Control &m_control;
    std::function<void()> m_sync;
    DeferredCall *m_deferred;
};

struct ApplyingGuard {
    explicit ApplyingGuard(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~ApplyingGuard() { m_flag = m_was; }
    bool &m_flag;
    bool m_was;
};

// Observes a list control's entries and position as well as its own state.
class ListBinding : public QObject {
public:
    ListBinding(QObject &widget, ListControl &control)
        : QObject(&widget), m_control(control), m_model(new ListControlModel(control, this)),
          m_sync(new DeferredCall(this, [this] { sync(); }))
    {
        widget.setObjectName(toQString(control.name()));
        m_control.setObserver([this] { m_sync->request(); });
        m_control.setListObserver([this](const ListChange &change) { changed(change); });
    }
    ~ListBinding() override
    {
        m_control.setObserver({});
        m_control.setListObserver({});
    }

    ListControlModel *model() const { return m_model; }
    void syncNow()
    {
        if (m_sync->pending())
            m_sync->runNow();
        else
            sync();
    }

protected:
    // Writes position, top row and state to the widget; the model has been refreshed.
    // `currentMoved`: the current entry changed or the rows were read afresh; `topMoved`: the
    // control's top row changed.
    virtual void writeWidget(bool currentMoved, bool topMoved) = 0;
    // True while the control's state is being written to the view: whatever the view signals
    // meanwhile is not the operator's doing.
    bool applying() const { return m_applying; }

private:
    void changed(const ListChange &change)
    {
        using Kind = ListChange::Kind;
        {
            // The views react to rows coming and going (a selection moves with its row, a combo
            // box makes its first row current); none of that is the operator's doing.
            const ApplyingGuard guard(m_applying);
            m_model->apply(change);
        }
        if (change.kind == Kind::CurrentChanged || change.kind == Kind::TextChanged)
            m_currentMoved = true;
        if (change.kind == Kind::TopChanged)
            m_topMoved = true;
        // Even a single inserted row, shown at once, may have moved what the view has current.
        m_sync->request();
    }
    void sync()
    {
        const ApplyingGuard guard(m_applying);
        const bool refreshed = m_model->stale();
        m_model->refresh();
        const bool currentMoved = m_currentMoved || refreshed;
        const bool topMoved = m_topMoved;
        m_currentMoved = m_topMoved = false;
        writeWidget(currentMoved, topMoved);
    }

    ListControl &m_control;
    ListControlModel *m_model;
    DeferredCall *m_sync;
    bool m_currentMoved = true;
    bool m_topMoved = true;
    bool m_applying = false;
};

class ListBoxBinding : public ListBinding {
public:
    ListBoxBinding(QListView &view, ListBox &box) : ListBinding(view, box), m_view(view), m_box(box)
    {
        view.setModel(model());
        view.setSelectionMode(QAbstractItemView::SingleSelection);
        view.setEditTriggers(QAbstractItemView::NoEditTriggers);
        view.setUniformItemSizes(true);
        // A click or a key that changes the selection chooses the entry; merely giving the list
        // the focus (which makes its first row current without selecting it) chooses nothing.
        QObject::connect(view.selectionModel(), &QItemSelectionModel::selectionChanged, this,
                         [this] { selectionChanged(); });
        // A click on the entry that is current already chooses it again. The press that moves the
        // selection has chosen its entry already, so its click does nothing more.
        QObject::connect(&view, &QAbstractItemView::pressed, this, [this] {
            m_pressChose = m_selectionChose;
            m_selectionChose = false;
        });
        QObject::connect(&view, &QAbstractItemView::clicked, this,
                         [this](const QModelIndex &index) { clicked(index); });
        QObject::connect(view.verticalScrollBar(), &QScrollBar::valueChanged, this,
                         [this] { scrolled(); });
        syncNow();
    }

private:
    void writeWidget(bool currentMoved, bool topMoved) override
    {
        syncCommon(m_view, m_box);
        QItemSelectionModel *selection = m_view.selectionModel();
        const QSignalBlocker blockSelection(selection);
        // The scroll bar's signals move the view's contents, so they are not blocked; scrolling
        // done here is not reported back as the operator's (applying() is true).
        const int rows = model()->rowCount();
        if (topMoved && m_box.topIndex() >= 0 && m_box.topIndex() < rows)
            m_view.scrollTo(model()->index(m_box.topIndex()), QAbstractItemView::PositionAtTop);
        const int current = m_box.listIndex();
        if (current >= 0 && current < rows) {
            const QModelIndex index = model()->index(current);
            if (selection->currentIndex() != index || !selection->isSelected(index))
                selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            if (currentMoved)
                m_view.scrollTo(index);
        } else if (selection->hasSelection() || selection->currentIndex().isValid()) {
            selection->clear();
        }
        // The selection model's signals were blocked: the view repaints the rows itself.
        m_view.viewport()->update();
    }
    void selectionChanged()
    {
        if (applying())
            return;
        const QModelIndexList rows = m_view.selectionModel()->selectedRows();
        if (rows.size() == 1) {
            m_selectionChose = true;
            m_box.choose(rows.front().row());
        }
        syncNow();
    }
    void clicked(const QModelIndex &index)
    {
        const bool pressChose = m_pressChose;
        m_pressChose = false;
        if (applying() || pressChose || !index.isValid() || index.row() != m_box.listIndex())
            return;
        m_box.choose(index.row());
        syncNow();
    }
    void scrolled()
    {
        if (applying())
            return;
        const QModelIndex top = m_view.indexAt(QPoint(1, 1));
        if (top.isValid())
            m_box.setTopIndex(top.row());
    }

    QListView &m_view;
    ListBox &m_box;
    bool m_selectionChose = false; // the selection moved since the last press
    bool m_pressChose = false;     // the last press moved the selection
};

class DropDownBinding : public ListBinding {
public:
    DropDownBinding(QComboBox &combo, DropDown &dropDown)
        : ListBinding(combo, dropDown), m_combo(combo), m_dropDown(dropDown)
    {
        combo.setModel(model());
        combo.setEditable(dropDown.editable());
        combo.setInsertPolicy(QComboBox::NoInsert);
        // `activated` comes only from the operator, and also when the chosen entry was current.
        QObject::connect(&combo, &QComboBox::activated, this, [this](int index) {
            m_dropDown.setListIndex(index);
            syncNow();
        });
        if (QLineEdit *edit = combo.lineEdit())
            QObject::connect(edit, &QLineEdit::textEdited, this, [this](const QString &text) {
                m_dropDown.setText(fromQString(text));
            });
        syncNow();
    }

private:
    void writeWidget(bool, bool) override
    {
        syncCommon(m_combo, m_dropDown);
        const QSignalBlocker block(m_combo);
        const int current = m_dropDown.listIndex();
        const int wanted = current < model()->rowCount() ? current : -1;
        if (m_combo.currentIndex() != wanted)
            m_combo.setCurrentIndex(wanted);
        if (m_dropDown.editable()) {
            const QString text = toQString(m_dropDown.text());
            if (m_combo.currentText() != text)
                m_combo.setEditText(text);
        }
    }

    QComboBox &m_combo;
    DropDown &m_dropDown;
};

} // namespace

void bind(QLineEdit &edit, TextBox &box)
{
    auto *binding = new ControlBinding(edit, box, ControlBinding::When::Deferred, [&edit, &box] {
        syncCommon(edit, box);
        const QString text = toQString(box.text());
        if (edit.text() != text) {
            const QSignalBlocker block(edit);
            edit.setText(text);
        }
    });
    QObject::connect(&edit, &QLineEdit::textEdited, binding,
                     [&box](const QString &text) { box.setText(fromQString(text)); });
}

void bind(QPlainTextEdit &edit, TextBox &box)
{
    auto *binding = new ControlBinding(edit, box, ControlBinding::When::Deferred, [&edit, &box] {
        syncCommon(edit, box);
        const QString text = toEditorText(box.text());
        if (edit.toPlainText() != text) {
            const QSignalBlocker block(edit);
            edit.setPlainText(text);
        }
    });
    QObject::connect(&edit, &QPlainTextEdit::textChanged, binding,
                     [&edit, &box] { box.setText(fromEditorText(edit.toPlainText())); });
}

void bind(QLabel &label, Label &control)
{
    label.setTextFormat(Qt::PlainText);
    new ControlBinding(label, control, ControlBinding::When::Deferred, [&label, &control] {
        syncCommon(label, control);
        const QString text = toQString(control.caption());
        if (label.text() != text)
            label.setText(text);
    });
}

void bind(QGroupBox &box, Frame &frame)
{
    new ControlBinding(box, frame, ControlBinding::When::Now, [&box, &frame] {
        syncCommon(box, frame);
        box.setTitle(toQString(frame.caption()));
    });
}

void bind(QMenu &menu, MenuTitle &title)
{
    new ControlBinding(menu, title, ControlBinding::When::Now, [&menu, &title] {
        menu.setTitle(toQString(title.caption()));
        menu.menuAction()->setEnabled(title.enabled());
        menu.menuAction()->setVisible(title.visible());
    });
}

void bind(QPushButton &button, Button &control)
{
    auto *binding =
        new ControlBinding(button, control, ControlBinding::When::Now, [&button, &control] {
            syncCommon(button, control);
            button.setText(toQString(control.caption()));
        });
    QObject::connect(&button, &QPushButton::clicked, binding, [binding, &control] {
        control.click();
        binding->syncNow();
    });
}

void bind(QAction &action, MenuItem &item)
{
    auto *binding = new ControlBinding(action, item, ControlBinding::When::Now, [&action, &item] {
        // The core's Latin-1 has no ellipsis: an entry that opens a window ends in three dots.
        QString text = toQString(item.caption());
        if (text.endsWith(QLatin1String("...")))
            text = text.chopped(3) + QChar(0x2026);
        action.setText(text);
        action.setEnabled(item.enabled());
        action.setVisible(item.visible());
    });
    QObject::connect(&action, &QAction::triggered, binding, [binding, &item] {
        item.click();
        binding->syncNow();
    });
}

void bind(QRadioButton &radio, OptionButton &option)
{
    radio.setAutoExclusive(false);
    auto *binding = new ControlBinding(radio, option, ControlBinding::When::Now, [&radio, &option] {
        syncCommon(radio, option);
        radio.setText(toQString(option.caption()));
        if (radio.isChecked() != option.value()) {
            const QSignalBlocker block(radio);
            radio.setChecked(option.value());
        }
    });
    QObject::connect(&radio, &QRadioButton::clicked, binding, [binding, &option] {
        option.choose();
        binding->syncNow();
    });
}

void bind(QCheckBox &check, CheckBox &control)
{
    auto *binding =
        new ControlBinding(check, control, ControlBinding::When::Now, [&check, &control] {
            syncCommon(check, control);
            check.setText(toQString(control.caption()));
            const bool ticked = control.value() == 1;
            if (check.isChecked() != ticked) {
                const QSignalBlocker block(check);
                check.setChecked(ticked);
            }
        });
    QObject::connect(&check, &QCheckBox::clicked, binding, [binding, &control] {
        control.click();
        binding->syncNow();
    });
}

void bind(QTimer &timer, Timer &control)
{
    timer.setInterval(control.interval());
    auto *binding =
        new ControlBinding(timer, control, ControlBinding::When::Now, [&timer, &control] {
            if (control.enabled() && !timer.isActive())
                timer.start();
            else if (!control.enabled() && timer.isActive())
                timer.stop();
        });
    QObject::connect(&timer, &QTimer::timeout, binding, [&control] { control.tick(); });
}

ListControlModel &bind(QListView &view, ListBox &box)
{
    return *(new ListBoxBinding(view, box))->model();
}

void bind(QComboBox &combo, DropDown &dropDown)
{
    new DropDownBinding(combo, dropDown);
}

} // namespace fenlark::qt
