// Binders: one per kind of control, each joining a Qt widget to its core control. The operator's
// actions on the widget go to the control (only on the widget's user signals); the control's
// changes come back through its observer and are written to the widget with its signals blocked.
// The widget's object name becomes the control's name. A binding lives as long as its widget and
// stops observing the control when the widget goes.
#pragma once

#include "forms/command_controls.h"
#include "forms/list_controls.h"
#include "forms/text_controls.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace fenlark::qt {

class ListControlModel;

// Texts and captions change often inside one handler (the receive echo once per character); they
// reach the widget once, at the next turn of the event loop.
void bind(QLineEdit &widget, TextBox &control);
void bind(QPlainTextEdit &widget, TextBox &control); // CR LF in the text, LF in the widget
void bind(QLabel &widget, Label &control);

void bind(QGroupBox &widget, Frame &control);
void bind(QMenu &widget, MenuTitle &control);
void bind(QPushButton &widget, Button &control);
void bind(QAction &widget, MenuItem &control);
// The control decides which member of the group is chosen; the widgets are not auto-exclusive.
void bind(QRadioButton &widget, OptionButton &control);
void bind(QCheckBox &widget, CheckBox &control);
// The timer runs while the control is enabled; each timeout is one tick of the control.
void bind(QTimer &timer, Timer &control);

// List boxes and drop-downs show their entries through a ListControlModel. A click that changes
// the selection sets the current position; scrolling sets the top row. The current entry is
// selected and scrolled into view when the control moves it. Every choice of the operator (click,
// key) reaches the control as its choose(). Returns the view's model.
ListControlModel &bind(QListView &widget, ListBox &control);
// Choosing an entry sets the position, also when it is the current one (the handler runs again);
// text typed into an editable selector becomes its text.
void bind(QComboBox &widget, DropDown &control);

} // namespace fenlark::qt
