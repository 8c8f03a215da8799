// The location map as drawn on its image: the colours where they matter, stations left out, round
// circles, labels the right way up, and a picture that outlives the window being hidden.
#include "map/form2.h"
#include "qt/image_canvas.h"
#include "qt/map_window.h"
#include "shell_program.h"
#include "support/test_program.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>

namespace fenlark::test {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kGrey(192, 192, 192);

// Three times the map window at 96 dots per inch, so that a station's circle is 10 pixels across.
const QSize kImageSize(2589, 1605);

// NAVAREA I: x from 8700 to 12600, y from 4620 down to 2820.
QPoint pixelOf(double x, double y)
{
    return QPoint(static_cast<int>((x - 8700) * kImageSize.width() / 3900.0),
                  static_cast<int>((y - 4620) * kImageSize.height() / (2820.0 - 4620.0)));
}

// A station line: entry, call, latitude, longitude, transmission times.
std::string station(const std::string &entry, const std::string &lat, const std::string &lon)
{
    return entry + ",CALL," + lat + "," + lon + ",0000 0400\r\n";
}

// NAVAREA I has Alpha (60 N 5 E), Bravo (55 30 N 10 W) and Charlie with a latitude text too short
// to place it ("50", where 50 N 0 E would be); every other station of every area has no position.
std::string stationFile()
{
    std::string out;
    for (int area = 0; area < 25; ++area) {
        out += "NAVAREA " + std::to_string(area + 1) + "\r\n";
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string l(1, letter);
            if (area == 0 && letter == 'A')
                out += station("A - Alpha (Test)", "60 00 N", "005 00 E");
            else if (area == 0 && letter == 'B')
                out += station("B - Bravo", "55 30 N", "010 00 W");
            else if (area == 0 && letter == 'C')
                out += station("C - Charlie", "50", "000 00 E");
            else
                out += station(l + " - Station " + l, "", "");
        }
    }
    return out;
}

void appendRecord(std::string &file, int code, int latitude, int longitude)
{
    for (int v : {code, latitude, longitude}) {
        const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
        file += static_cast<char>(u & 0xff);
        file += static_cast<char>(u >> 8);
    }
}

class MapPicture : public ::testing::Test {
protected:
    MapPicture()
    {
        writeFile("fenlark.ini", kPortZeroSettings);
        const std::string stations = stationFile();
        for (const char *name : {"424.txt", "490.txt", "518.txt", "4209.txt"})
            writeFile(name, stations);
        // One outline line along 65 N from 20 W to 10 W.
        std::string outline;
        appendRecord(outline, 1001, 65 * 60, -20 * 60);
        appendRecord(outline, 1000, 65 * 60, -10 * 60);
        writeFile("mapper.pnt", outline);
        app.start();
    }

    // Whether any pixel within `radius` of `at` has the colour.
    bool near(QPoint at, const QColor &colour, int radius = 1)
    {
        const QImage &image = canvas.image();
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (image.pixelColor(at + QPoint(dx, dy)) == colour)
                    return true;
        return false;
    }
    int count(const QColor &colour, QRect area)
    {
        const QImage &image = canvas.image();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }
    // Pixels of the labels' black text (smoothed at its edges, so dark rather than black).
    int ink(QRect area)
    {
        const QImage &image = canvas.image();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() < 100 && c.green() < 100 && c.blue() < 100;
            }
        return n;
    }
    QColor at(QPoint p) { return canvas.image().pixelColor(p); }

    TempWorkingDir dir;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeSerial serial;
    RecordingPrinter printer;
    qt::ImageCanvas canvas{kImageSize};
    Application app{Platform{clock, dialogs, printer, serial, canvas}};
};

TEST_F(MapPicture, NavareaOneHasItsColoursWhereTheyMatter)
{
    app.form1().StationList.setListIndex(1); // Alpha is the current station
    app.form1().Mapbutton_Click();

    const QPoint alpha = pixelOf(10800 + 300, 3600);
    const QPoint bravo = pixelOf(10800 - 600, 3330);
    EXPECT_EQ(at(alpha), kGreen) << "the current station";
    // Up and left of the centre: the label runs right and down from it.
    EXPECT_EQ(at(bravo + QPoint(-3, -3)), kRed);
    EXPECT_TRUE(near(pixelOf(9300, 48.5 * 60), kBlue)) << "the boundary along 48.5 N, at 25 W";
    EXPECT_TRUE(near(pixelOf(10800 - 15 * 60, 65 * 60), kGrey)) << "the outline at 15 W";
    EXPECT_EQ(at(pixelOf(12300, 3000)), kWhite) << "50 N 25 E: nothing there";
    const QRect charlie(pixelOf(10800, 3000) - QPoint(12, 12), QSize(25, 25));
    EXPECT_EQ(count(kWhite, charlie), 25 * 25) << "a station with a short latitude is not drawn";
}

TEST_F(MapPicture, StationCirclesAreRoundAndLabelsReadTheRightWayUp)
{
    app.form1().Mapbutton_Click();
    const QPoint bravo = pixelOf(10800 - 600, 3330);
    // The radius is 1/250 of the map's width: 10.4 pixels here, on both axes. Scaled with the
    // map's own axes it would be 13.9 pixels high.
    // (Points up and left of the centre: the label covers the lower right quarter.)
    for (QPoint inside : {QPoint(-8, 0), QPoint(0, -8), QPoint(-6, -6)})
        EXPECT_EQ(at(bravo + inside), kRed) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(0, -12), QPoint(-12, 0)})
        EXPECT_NE(at(bravo + outside), kRed) << outside.x() << "," << outside.y();

    // "Bravo" begins at the circle's centre and runs right and down from it.
    const QPoint alpha = pixelOf(10800 + 300, 3600);
    EXPECT_GT(ink(QRect(bravo + QPoint(12, 0), QSize(60, 20))), 20);
    EXPECT_EQ(ink(QRect(bravo + QPoint(12, -22), QSize(60, 20))), 0);
    // Alpha's label stops before its remark in parentheses: "Alpha " only.
    EXPECT_GT(ink(QRect(alpha + QPoint(12, 0), QSize(30, 20))), 10);
    EXPECT_EQ(ink(QRect(alpha + QPoint(75, 0), QSize(60, 20))), 0);
    EXPECT_EQ(app.form2().Maplabel.caption(),
              " Navarea  I - North Sea and Baltic: Stations on 518 kHz");
}

TEST_F(MapPicture, NavareaThreeDrawsNoBoundary)
{
    app.form1().NavAreaList.setListIndex(2);
    app.form1().Mapbutton_Click();
    EXPECT_EQ(count(kBlue, canvas.image().rect()), 0);
    app.form2().closemap_Click();
    app.form1().NavAreaList.setListIndex(0);
    app.form1().Mapbutton_Click();
    EXPECT_GT(count(kBlue, canvas.image().rect()), 1000) << "NAVAREA I does draw its boundary";
}

TEST(MapWindowPicture, TheWindowShowsTheDrawingAgainAfterBeingHidden)
{
    ShellProgram program;
    program.form().StationList.setListIndex(1);
    program.form().Mapbutton_Click();
    QWidget &window = program.window(Window::Form2);
    ASSERT_TRUE(window.isVisible());
    program.flush();
    // Every station of the test stations' files stands at 50 35 N 1 18 W.
    const QPoint station(static_cast<int>((10800 - 78 - 8700) * window.width() / 3900.0),
                         static_cast<int>((3035 - 4620) * window.height() / -1800.0));
    EXPECT_EQ(window.grab().toImage().pixelColor(station), kGreen);
    window.hide();
    window.show();
    EXPECT_EQ(window.grab().toImage().pixelColor(station), kGreen);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Location Map"));
}

TEST(MapCanvas, AnEndlessLineIsDrawnInPiecesThatMakeThePictureOfOne)
{
    // A zigzag along rows 8 pixels apart, each way in turn, from (0, 0) where a fresh canvas's
    // line begins; its segments are long enough that a lost one shows.
    const int perRow = 57;
    const qsizetype points = 3 * qt::ImageCanvas::kMaxPendingPoints + 5;
    const QSize size(400, static_cast<int>(points / perRow + 1) * 8);
    QPolygonF zigzag;
    for (qsizetype i = 0; i < points; ++i) {
        const qsizetype row = i / perRow;
        const qsizetype column = row % 2 ? perRow - 1 - i % perRow : i % perRow;
        zigzag.append(QPointF(7.0 * column, 8.0 * row + 3.0 * (i % 2)));
    }
    qt::ImageCanvas canvas(size);
    canvas.setScale(0, 0, size.width(), size.height());
    qsizetype mostPending = 0;
    for (qsizetype i = 1; i < zigzag.size(); ++i) {
        canvas.lineTo(zigzag[i].x(), zigzag[i].y());
        mostPending = std::max(mostPending, canvas.pendingPoints());
    }
    EXPECT_LE(mostPending, qt::ImageCanvas::kMaxPendingPoints);

    QImage inOnePiece(size, QImage::Format_RGB32);
    inOnePiece.fill(Qt::white);
    QPainter painter(&inOnePiece);
    QPen pen(Qt::black, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawPolyline(zigzag);
    painter.end();
    EXPECT_EQ(canvas.image(), inOnePiece);
}

} // namespace
} // namespace fenlark::test
