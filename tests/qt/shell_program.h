// A whole FenLark program with its desktop windows, offscreen, over the fake ports of the core's
// tests (fixed clock, scripted message boxes, a serial line fed by the test) in a temporary folder.
#pragma once

#include "qt/desktop_shell.h"
#include "qt/image_canvas.h"
#include "support/test_program.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace fenlark::test {

// Runs `act` once on the first modal box to open, from inside the box's own event loop.
void onModalBox(std::function<void(QWidget &box)> act);

class ShellProgram {
public:
    // Writes `settings` and station files for all four frequencies, builds the windows and starts
    // the program unless told not to.
    explicit ShellProgram(const std::string &settings = kPortZeroSettings, bool start = true);

    void receive(const std::string &text) { serial.send(text); }
    void receiveMessage(const std::string &id, const std::vector<std::string> &body = {});

    Form1 &form() { return app.form1(); }
    QWidget &window(Window w) { return shell.window(w); }

    // The widget of that object name in a window; fails the test when there is none.
    template <typename W> W &widget(const char *name, Window w = Window::Form1)
    {
        W *found = window(w).findChild<W *>(QString::fromLatin1(name));
        if (!found) {
            ADD_FAILURE() << "no widget named " << name;
            throw std::runtime_error(std::string("no widget named ") + name);
        }
        return *found;
    }

    // Shows a window and lets it lay out its widgets and then the rows of its lists.
    void showLaidOut(Window w)
    {
        window(w).show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Delivers the updates that the model's changes have queued for the widgets.
    static void flush() { QCoreApplication::sendPostedEvents(); }

    TempWorkingDir dir;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeSerial serial;
    RecordingPrinter printer;
    qt::ImageCanvas canvas;
    Application app;
    qt::DesktopShell shell;
};

} // namespace fenlark::test
