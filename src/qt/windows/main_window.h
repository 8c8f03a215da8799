// The main window, Form1: builds a widget for every control of the window model, at its place
// in twips, and binds each to its control. It holds no state and runs no handler of its own.
#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QMenu;
class QTimer;

namespace fenlark {
class Form1;
class NewMarks;
}

namespace fenlark::qt {

class GrowingArea;
class ListControlModel;

class MainWindow : public QMainWindow {
public:
    // `marks`: the new messages, drawn bold in both message lists.
    MainWindow(Form1 &form, const NewMarks &marks, QWidget *parent = nullptr);

    // Loaded: shown with its timer running as the model says; unloaded: hidden, timer stopped.
    void setLoaded(bool loaded);
    // The Configure menu, where the desktop's own settings dialogs add their entries.
    QMenu *configureMenu() const { return m_configureMenu; }
    // The marks changed: the message lists are drawn again.
    void newMarksChanged();
    // "&Alarms…" of the Configure menu, which the alarm settings dialog answers.
    QAction &alarmsAction() { return *m_alarmsAction; }

protected:
    // Closing by the window's frame is the Quit button: the program asks about saving and ends.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildTopControls(GrowingArea &area);
    void buildDisplayFrame(GrowingArea &area);
    void buildLogFrame(GrowingArea &area);
    void buildHistoryFrame(GrowingArea &area);
    void buildSelectorFrame(GrowingArea &area);
    void buildFrequencyFrame(GrowingArea &area);
    void buildListFrame(GrowingArea &area, const NewMarks &marks);
    void buildStatusBar();

    Form1 &m_form;
    QTimer *m_timer = nullptr;
    QMenu *m_configureMenu = nullptr;
    QAction *m_alarmsAction = nullptr;
    std::array<ListControlModel *, 2> m_messageLists{};
};

} // namespace fenlark::qt
