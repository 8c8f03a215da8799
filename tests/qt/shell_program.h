// What the Qt tests share: the rows of a list, a watch on modal boxes, and a whole FenLark program
// with its desktop windows, offscreen, over the fake ports of the core's tests (fixed clock,
// scripted message boxes, a serial line fed by the test) in a temporary folder.
#pragma once

#include "qt/desktop_shell.h"
#include "qt/image_canvas.h"
#include "qt/latin1.h"
#include "support/test_program.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace fenlark::test {

// The rows of a list or selector's model, separated by blanks.
std::string rows(const QAbstractItemModel &model);

// Runs `act` once on the first modal box to open, from inside the box's own event loop.
void onModalBox(std::function<void(QWidget &box)> act);

// Handles events, waiting for each, until `done` holds; what it waits for is already on its way.
template <typename Condition> void handleEventsUntil(Condition done)
{
    for (int events = 0; !done() && events < 10000; ++events)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(done());
}

// A program on this device in a temporary folder, its other ports faked.
struct ProgramOn {
    explicit ProgramOn(SerialDevice &device)
        : app(Platform{clock, dialogs, printer, device, canvas})
    {
        writeFile("fenlark.ini", kPortZeroSettings);
        for (const char *tag : {"424", "490", "518", "4209"})
            writeFile(std::string(tag) + ".txt", makeStationFile(tag));
        app.start();
    }
    int filed() { return app.state().msgcount; }
    bool told(std::size_t count, const char *words)
    {
        return dialogs.notices.size() == count && dialogs.notices.back().find(words) != npos;
    }
    static constexpr auto npos = std::string::npos;
    TempWorkingDir dir;
    FakeDialogs dialogs;
    FakeClock clock;
    RecordingPrinter printer;
    RecordingCanvas canvas;
    Application app;
};

class ShellProgram {
public:
    // A program in a folder with the port-0 settings and station files for all four frequencies,
    // with its windows built; its map is drawn on a canvas of the map window's size at the
    // screen's resolution unless another is given; it runs on the given serial device and dialogs
    // in place of the fakes, and is started unless told not to.
    explicit ShellProgram(QSize canvasSize = {}, bool start = true, SerialDevice *device = nullptr,
                          Dialogs *boxes = nullptr);

    void receive(const std::string &text) { serial.send(text); }
    void receiveMessage(const std::string &id, const std::vector<std::string> &body = {});

    Form1 &form() { return app.form1(); }
    State &state() { return app.state(); }
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
    // What a widget shows, as the core's text.
    template <typename W> std::string shown(const char *name, Window w = Window::Form1)
    {
        return qt::fromQString(widget<W>(name, w).text());
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
