#include "shell_program.h"

#include "qt/windows/window_metrics.h"

#include <QApplication>
#include <QTimer>

namespace fenlark::test {

std::string rows(const QAbstractItemModel &model)
{
    std::string out;
    for (int i = 0; i < model.rowCount(); ++i)
        out += (i ? " " : "") + qt::fromQString(model.index(i, 0).data().toString());
    return out;
}

void onModalBox(std::function<void(QWidget &box)> act)
{
    // A timer of no interval runs at every turn of whichever event loop runs, the box's included.
    auto *watch = new QTimer;
    watch->setInterval(0);
    QObject::connect(watch, &QTimer::timeout, [watch, act] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        watch->stop();
        watch->deleteLater();
        act(*box);
    });
    watch->start();
}

ShellProgram::ShellProgram(QSize canvasSize, bool start, SerialDevice *device, Dialogs *boxes)
    : canvas(canvasSize.isValid()
                 ? canvasSize
                 : qt::Twips::forScreen().size(qt::kMapWidthTwips, qt::kMapHeightTwips)),
      app(Platform{clock, boxes ? *boxes : dialogs, printer, device ? *device : serial, canvas}),
      shell(app, canvas, qt::DesktopShell::OnEnd::HideWindows)
{
    writeFile("fenlark.ini", kPortZeroSettings);
    for (const char *tag : {"424", "490", "518", "4209"})
        writeFile(std::string(tag) + ".txt", makeStationFile(tag));
    if (start)
        app.start();
    flush();
}

void ShellProgram::receiveMessage(const std::string &id, const std::vector<std::string> &body)
{
    std::string text = "ZCZC " + id + "\r\n";
    for (const std::string &line : body)
        text += line + "\r\n";
    receive(text + "NNNN\r\n");
}

} // namespace fenlark::test
