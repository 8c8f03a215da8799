#include "qt/document_printer.h"

#include "qt/latin1.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace fenlark::qt {
namespace {

// Splits a line that is wider than the page at blanks (or anywhere, for a word wider than the
// page), so that no text runs off the paper.
QStringList wrapped(const QString &line, const QFontMetricsF &metrics, double width)
{
    if (metrics.horizontalAdvance(line) <= width)
        return {line};
    QStringList out;
    QString rest = line;
    while (!rest.isEmpty() && metrics.horizontalAdvance(rest) > width) {
        int cut = rest.size();
        while (cut > 1 && metrics.horizontalAdvance(rest.left(cut)) > width)
            --cut;
        const int blank = rest.lastIndexOf(QLatin1Char(' '), cut);
        if (blank > 0)
            cut = blank;
        out.append(rest.left(cut));
        rest = rest.mid(cut);
        if (rest.startsWith(QLatin1Char(' ')))
            rest.remove(0, 1);
    }
    if (!rest.isEmpty())
        out.append(rest);
    return out;
}

} // namespace

DocumentPrinter::DocumentPrinter(Dialogs &dialogs, Target target)
    : m_dialogs(dialogs), m_target(target)
{
}

void DocumentPrinter::setFontSize(int points)
{
    m_fontSize = points;
}

void DocumentPrinter::print(const std::string &text)
{
    // Each print ends its line; a CR LF inside the text starts a new one.
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        m_lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
}

void DocumentPrinter::endDoc()
{
    if (m_lines.empty())
        return;
    m_lastPdf.clear();
    if (m_target == Target::PdfFile)
        writePdf({});
    else if (!printOnDefaultPrinter())
        writePdf(QStringLiteral("No printer is installed"));
    m_lines.clear();
}

bool DocumentPrinter::printOnDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QFileInfo(pdfFileName(m_lines)).completeBaseName());
    QPainter painter;
    if (!painter.begin(&printer)) {
        writePdf(QStringLiteral("The printer ") + info.printerName() +
                 QStringLiteral(" did not accept the job"));
        return true;
    }
    layOut(printer, painter);
    painter.end();
    return true;
}

void DocumentPrinter::writePdf(const QString &reason)
{
    // "No printer is installed: the message was ..." or "The message was ...".
    auto sentence = [&reason](const QString &rest) {
        return fromQString(reason.isEmpty() ? rest.left(1).toUpper() + rest.mid(1)
                                            : reason + QStringLiteral(": ") + rest);
    };
    const QString path = QFileInfo(pdfFileName(m_lines)).absoluteFilePath();
    QPdfWriter writer(path);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("FenLark"));
    writer.setTitle(QFileInfo(path).completeBaseName());
    QPainter painter;
    if (!painter.begin(&writer)) {
        m_dialogs.notice(
            sentence(QStringLiteral("the message could not be written to the PDF file ") + path +
                     QStringLiteral(", so it was not printed.")));
        return;
    }
    layOut(writer, painter);
    painter.end();
    m_lastPdf = path;
    m_dialogs.notice(sentence(QStringLiteral("the message was written to the PDF file ") + path +
                              QStringLiteral(".")));
}

void DocumentPrinter::layOut(QPagedPaintDevice &device, QPainter &painter) const
{
    // The printer's own face and style, at the size the program set.
    QFont font(painter.font(), &device);
    if (m_fontSize > 0)
        font.setPointSize(m_fontSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double width = page.width();
    const double height = page.height();
    const double step = metrics.lineSpacing();
    double y = 0;
    for (const std::string &line : m_lines) {
        for (const QString &part : wrapped(toQString(line), metrics, width)) {
            if (y > 0 && y + step > height) {
                device.newPage();
                y = 0;
            }
            painter.drawText(QPointF(0, y + metrics.ascent()), part);
            y += step;
        }
    }
}

QString DocumentPrinter::pdfFileName(const std::vector<std::string> &lines)
{
    static const std::string kPrefix = "Message ";
    for (const std::string &line : lines) {
        if (line.rfind(kPrefix, 0) != 0)
            continue;
        QString id;
        for (std::size_t i = kPrefix.size(); i < line.size() && line[i] != ' '; ++i) {
            const char c = line[i];
            const bool plain =
                (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
            id += plain ? QLatin1Char(c) : QLatin1Char('_');
        }
        if (!id.isEmpty())
            return QStringLiteral("message-") + id + QStringLiteral(".pdf");
    }
    return QStringLiteral("message.pdf");
}

} // namespace fenlark::qt
