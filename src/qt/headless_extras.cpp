#include "qt/headless_extras.h"

#include "qt/desktop_shell.h"
#include "qt/document_printer.h"
#include "qt/image_canvas.h"
#include "qt/latin1.h"
#include "qt/windows/window_metrics.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace fenlark::qt {
namespace {

std::string writeImage(const QImage &image, const std::string &path)
{
    QImageWriter writer(toQString(path));
    if (!writer.write(image))
        return fromQString(writer.errorString());
    return {};
}

} // namespace

QImage mapPicture(ImageCanvas &canvas, const std::string &title)
{
    QImage picture = canvas.image().copy();
    QPainter painter(&picture);
    painter.setFont(windowFont(Face::SansSerif, 12, true));
    painter.setPen(QColor(0, 128, 0));
    const QRect place = Twips::forScreen().rect(270, 135, 12345, 465);
    painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, toQString(title));
    return picture;
}

headless::Extras headlessExtras(bool withWindows)
{
    headless::Extras extras;
    extras.makeCanvas = [] {
        return std::make_unique<ImageCanvas>(
            Twips::forScreen().size(kMapWidthTwips, kMapHeightTwips));
    };
    extras.makePrinter = [](Dialogs &dialogs) {
        return std::make_unique<DocumentPrinter>(dialogs, DocumentPrinter::Target::PdfFile);
    };
    extras.makeSnapshotWriter = [withWindows](Application &app,
                                              Canvas &canvas) -> headless::SnapshotWriter {
        auto *image = dynamic_cast<ImageCanvas *>(&canvas);
        std::shared_ptr<DesktopShell> shell;
        if (withWindows && image)
            shell = std::make_shared<DesktopShell>(app, *image, DesktopShell::OnEnd::HideWindows);
        return [shell, image, &app](Window window, const std::string &path) -> std::string {
            if (shell) {
                // Texts reach their widgets at the next turn of the event loop.
                QCoreApplication::sendPostedEvents();
                return writeImage(shell->window(window).grab().toImage(), path);
            }
            if (window == Window::Form2 && image)
                return writeImage(mapPicture(*image, app.form2().Maplabel.caption()), path);
            return "only the map can be pictured without the windows (run with --windows)";
        };
    };
    extras.runEventLoop = [](double seconds) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
        loop.exec();
    };
    return extras;
}

} // namespace fenlark::qt
