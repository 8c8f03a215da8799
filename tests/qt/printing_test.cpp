// Printing the shown message to a PDF document: what the document says, in which order, and
// when nothing is printed.
#include "qt/document_printer.h"
#include "support/test_program.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

// The text of a PDF file as pdftotext reads it, one entry per line, blank lines left out; a form
// feed line ("\f") stands between pages.
std::vector<std::string> pdfLines(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    EXPECT_TRUE(pdftotext.waitForFinished(-1));
    std::vector<std::string> lines;
    for (QString line : QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\n')) {
        while (line.startsWith('\f')) {
            lines.push_back("\f");
            line.remove(0, 1);
        }
        if (!line.trimmed().isEmpty())
            lines.push_back(line.trimmed().toStdString());
    }
    while (!lines.empty() && lines.back() == "\f")
        lines.pop_back();
    return lines;
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        writeFile("fenlark.ini", kPortZeroSettings);
        for (const char *tag : {"424", "490", "518", "4209"})
            writeFile(std::string(tag) + ".txt", makeStationFile(tag));
        app.start();
    }
    void receiveAndShow(const std::string &id, const std::vector<std::string> &body)
    {
        std::string text = "ZCZC " + id + "\r\n";
        for (const std::string &line : body)
            text += line + "\r\n";
        serial.send(text + "NNNN\r\n");
        app.form1().Option5.choose();
        app.form1().MessageList.setListIndex(app.form1().MessageList.indexOf(id));
        ASSERT_EQ(app.form1().Text6.text(), "Message " + id);
    }

    TempWorkingDir dir;
    FakeClock clock; // 5 December 2026, 12:40:01
    FakeDialogs dialogs;
    FakeSerial serial;
    qt::DocumentPrinter printer{dialogs, qt::DocumentPrinter::Target::PdfFile};
    RecordingCanvas canvas;
    Application app{Platform{clock, dialogs, printer, serial, canvas}};
};

TEST_F(Printing, TheDocumentHoldsBothSummaryLinesAndThenTheBody)
{
    receiveAndShow("GB33", {"GALE WARNING THURSDAY", "VIKING", "SOUTHWESTERLY GALE FORCE 8"});
    app.form1().print_message.click();

    const QString file = QFileInfo(QStringLiteral("message-GB33.pdf")).absoluteFilePath();
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(printer.lastPdfFile(), file);
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{"The message was written to the PDF file " +
                                                        file.toStdString() + "."});
    EXPECT_EQ(pdfLines(file), (std::vector<std::string>{
                                  "Message GB33 Received once on 05/12/26 at 12:40:01",
                                  "Last replaced on 05/12/26 at 12:40:01 with 100% copy",
                                  "GALE WARNING THURSDAY",
                                  "VIKING",
                                  "SOUTHWESTERLY GALE FORCE 8",
                              }));
}

TEST_F(Printing, ALongBodyRunsOnOverPagesInOrder)
{
    std::vector<std::string> body;
    for (int i = 1; i <= 150; ++i)
        body.push_back("LINE " + std::to_string(1000 + i));
    receiveAndShow("EA42", body);
    app.form1().mnuprint_msg.click();

    std::vector<std::string> lines = pdfLines(QStringLiteral("message-EA42.pdf"));
    const auto pages = std::count(lines.begin(), lines.end(), "\f") + 1;
    EXPECT_GE(pages, 3);
    lines.erase(std::remove(lines.begin(), lines.end(), "\f"), lines.end());
    ASSERT_EQ(lines.size(), 152u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), body);
}

TEST_F(Printing, NothingHappensWithNoMessageShown)
{
    ASSERT_EQ(app.form1().Text6.text(), "");
    app.form1().print_message.click();
    EXPECT_TRUE(dialogs.notices.empty());
    EXPECT_TRUE(printer.lastPdfFile().isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("message.pdf")));
}

TEST(PrintingWithoutPrinter, TheDocumentGoesToAPdfFileAndTheOperatorIsTold)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed here";
    TempWorkingDir dir;
    FakeDialogs dialogs;
    qt::DocumentPrinter printer(dialogs, qt::DocumentPrinter::Target::DefaultPrinter);
    printer.setFontSize(12);
    printer.print("\r\n");
    printer.print("Message AB12 Received once on 05/12/26 at 12:40:01");
    printer.endDoc();
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].rfind("No printer is installed: the message was written to the "
                                       "PDF file ",
                                       0),
              0u)
        << dialogs.notices[0];
    EXPECT_TRUE(QFile::exists(QStringLiteral("message-AB12.pdf")));
}

TEST(PrintingFileName, NamesTheMessageByItsIdentifier)
{
    using qt::DocumentPrinter;
    EXPECT_EQ(DocumentPrinter::pdfFileName({"", "Message EA42 Received twice on"}),
              QStringLiteral("message-EA42.pdf"));
    EXPECT_EQ(DocumentPrinter::pdfFileName({"Message KA5* Received once"}),
              QStringLiteral("message-KA5_.pdf"));
    EXPECT_EQ(DocumentPrinter::pdfFileName({"Message ../x Received once"}),
              QStringLiteral("message-___x.pdf"));
    EXPECT_EQ(DocumentPrinter::pdfFileName({"no identifier here"}), QStringLiteral("message.pdf"));
}

} // namespace
} // namespace fenlark::test
