// The printer: the lines of one document are collected and then laid out line by line on the
// default printer's pages, or written to a PDF file in the working folder where no printer is
// installed (and always by the headless driver). The operator is told where a PDF went.
#pragma once

#include "forms/ports.h"

#include <QString>

#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace fenlark::qt {

class DocumentPrinter : public Printer {
public:
    enum class Target { DefaultPrinter, PdfFile };
    DocumentPrinter(Dialogs &dialogs, Target target);

    void setFontSize(int points) override;
    void print(const std::string &text) override;
    void endDoc() override;

    // The PDF file written for the last document (absolute), empty when it went to a printer.
    const QString &lastPdfFile() const { return m_lastPdf; }

    // The file name a document is written under: "message-EA42.pdf" after the identifier that
    // follows "Message " in its first such line, "message.pdf" when there is none.
    static QString pdfFileName(const std::vector<std::string> &lines);

private:
    bool printOnDefaultPrinter();
    void writePdf(const QString &reason);
    void layOut(QPagedPaintDevice &device, QPainter &painter) const;

    Dialogs &m_dialogs;
    Target m_target;
    int m_fontSize = 0; // points; 0 until set, then kept for the rest of the run
    std::vector<std::string> m_lines;
    QString m_lastPdf;
};

} // namespace fenlark::qt
