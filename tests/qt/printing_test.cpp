// Printing to a PDF document: what the document says, in which order and over how many pages; its
// file name; and the PDF file that stands in for a missing printer.
#include "qt/document_printer.h"
#include "support/test_program.h"

#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

using qt::DocumentPrinter;

std::string absolute(const char *file)
{
    return QFileInfo(QString::fromLatin1(file)).absoluteFilePath().toStdString();
}

TEST(Printing, APdfDocumentHoldsEveryLineInOrderOverAsManyPagesAsItTakes)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    TempWorkingDir dir;
    FakeDialogs dialogs;
    DocumentPrinter printer(dialogs, DocumentPrinter::Target::PdfFile);

    std::string words = "W100", body, lines;
    for (int i = 101; i < 160; ++i)
        words += " W" + std::to_string(i);
    for (int i = 1001; i <= 1150; ++i) {
        body += "\r\nLINE " + std::to_string(i);
        lines += "\nLINE " + std::to_string(i);
    }
    printer.setFontSize(12);
    printer.print("Message EA42 Received twice");
    printer.print(words); // wider than the page
    printer.print(body);  // a CR LF inside a text starts a new line
    printer.endDoc();
    EXPECT_EQ(printer.lastPdfFile().toStdString(), absolute("message-EA42.pdf"));
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{"The message was written to the PDF file " +
                                                        absolute("message-EA42.pdf") + "."});

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {printer.lastPdfFile(), QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(-1));
    QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_GE(text.count(QLatin1Char('\f')), 3) << "a form feed ends each page";
    const int wrapped = text.count(QRegularExpression(QStringLiteral("\nW")));
    EXPECT_GE(wrapped, 2) << "the long line wraps";
    // Each of its lines starts at the margin: the blank it was wrapped at is not carried over.
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), printer.lastPdfFile(), QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(-1));
    const QString boxes = QString::fromUtf8(pdftotext.readAllStandardOutput());
    std::vector<std::pair<double, QString>> placed;
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    for (const auto &m : word.globalMatch(boxes))
        placed.emplace_back(m.captured(1).toDouble(), m.captured(2));
    ASSERT_FALSE(placed.empty());
    const double margin = std::min_element(placed.begin(), placed.end())->first;
    EXPECT_EQ(std::count_if(placed.begin(), placed.end(),
                            [margin](const auto &w) {
                                return w.second.startsWith('W') && w.first < margin + 0.5;
                            }),
              wrapped);
    // Joined again at the blanks where it was wrapped, it has every word.
    text.remove(QLatin1Char('\f'))
        .replace(QRegularExpression(QStringLiteral("(?<=\\d)\n+(?=W)")), " ");
    EXPECT_EQ(text.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join('\n').toStdString(),
              "Message EA42 Received twice\n" + words + lines);
}

TEST(Printing, WithoutAPrinterTheDocumentGoesToAPdfFileAndTheOperatorIsTold)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed here";
    TempWorkingDir dir;
    FakeDialogs dialogs;
    DocumentPrinter printer(dialogs, DocumentPrinter::Target::DefaultPrinter);
    printer.print("Message AB12 Received once");
    printer.endDoc();
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{"No printer is installed: the message was "
                                                        "written to the PDF file " +
                                                        absolute("message-AB12.pdf") + "."});
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("message-AB12.pdf")));
}

TEST(Printing, TheFileIsNamedByTheMessagesIdentifierInPlainCharacters)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"", "Message EA42 Received twice on"}, "message-EA42.pdf"},
        {{"Message KA5* Received once"}, "message-KA5_.pdf"},
        {{"Message ../x Received once"}, "message-___x.pdf"},
        {{"no identifier here"}, "message.pdf"},
    };
    for (const auto &[lines, name] : cases)
        EXPECT_EQ(DocumentPrinter::pdfFileName(lines).toStdString(), name) << lines.back();
}

} // namespace
} // namespace fenlark::test
