// The location map as drawn on its image: the colours where they matter, round circles, labels the
// right way up, a picture that outlives the window being hidden, and an endless line.
#include "qt/image_canvas.h"
#include "shell_program.h"

#include <QImage>
#include <QPainter>

#include <functional>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

// Three times the map window at 96 dots per inch, so that a station's circle is 10 pixels across.
const QSize kImageSize(2589, 1605);

// NAVAREA I: x from 8700 to 12600, y from 4620 down to 2820.
QPoint pixelOf(double x, double y)
{
    return QPoint(static_cast<int>((x - 8700) * kImageSize.width() / 3900.0),
                  static_cast<int>((y - 4620) * kImageSize.height() / (2820.0 - 4620.0)));
}

// How many pixels of the area pass the test.
int count(const QImage &image, QRect area, const std::function<bool(QColor)> &test)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y));
    return n;
}

TEST(MapPicture, ColoursWhereTheyMatterRoundCirclesLabelsRightAndDownAndAPictureThatStays)
{
    ShellProgram program(kImageSize, false);
    // Every NAVAREA has Alpha (60 N 5 E) and Bravo (55 30 N 10 W), its other stations no position;
    // the outline is one line along 65 N from 20 W to 10 W.
    std::string block = "NAVAREA\r\nA - Alpha,C,60 00 N,005 00 E,0000\r\n"
                        "B - Bravo,C,55 30 N,010 00 W,0000\r\n";
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        block += std::string(1, letter) + " - ,,,,\r\n";
    writeFile("518.txt", QByteArray::fromStdString(block).repeated(25).toStdString());
    std::string outline;
    for (int v : {1001, 65 * 60, -20 * 60, 1000, 65 * 60, -10 * 60})
        outline += {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)};
    writeFile("mapper.pnt", outline);
    program.app.start();
    program.form().StationList.setListIndex(1); // Alpha is the current station
    program.form().Mapbutton_Click();

    const QImage &image = program.canvas.image();
    auto is = [](QColor colour) { return [colour](QColor c) { return c == colour; }; };
    auto near = [](QPoint p) { return QRect(p - QPoint(1, 1), QSize(3, 3)); };
    const QPoint alpha = pixelOf(10800 + 300, 3600);
    const QPoint bravo = pixelOf(10800 - 600, 3330);
    EXPECT_EQ(image.pixelColor(alpha), QColor(Qt::green));
    EXPECT_GT(count(image, near(pixelOf(9300, 48.5 * 60)), is(Qt::blue)), 0) << "boundary at 25 W";
    EXPECT_GT(count(image, near(pixelOf(9900, 65 * 60)), is(QColor(192, 192, 192))), 0)
        << "outline";
    EXPECT_EQ(image.pixelColor(pixelOf(12300, 3000)), QColor(Qt::white)) << "50 N 25 E: nothing";
    // The radius is 1/250 of the map's width, 10.4 pixels on both axes (scaled with the map's own
    // axes it would be 13.9 pixels high). Up and left of the centre: the label is down and right.
    for (QPoint inside : {QPoint(-8, 0), QPoint(0, -8), QPoint(-6, -6)})
        EXPECT_EQ(image.pixelColor(bravo + inside), QColor(Qt::red))
            << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(0, -12), QPoint(-12, 0)})
        EXPECT_NE(image.pixelColor(bravo + outside), QColor(Qt::red))
            << outside.x() << "," << outside.y();
    // The labels' black text, smoothed at its edges, so dark rather than black.
    auto dark = [](QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; };
    EXPECT_GT(count(image, QRect(bravo + QPoint(12, 0), QSize(60, 20)), dark), 20);
    EXPECT_EQ(count(image, QRect(bravo + QPoint(12, -22), QSize(60, 20)), dark), 0);

    // The window shows the picture at a third of its size, also after being hidden and shown.
    program.flush();
    QWidget &window = program.window(Window::Form2);
    for (int shown = 0; shown < 2; ++shown, window.hide(), window.show())
        EXPECT_EQ(window.grab().toImage().pixelColor(alpha / 3), QColor(Qt::green))
            << "shown " << shown;
    // Twice as wide: the picture keeps its aspect, centred; twice as large: it is drawn twice
    // as large, the close button in its corner. Once the resizing pauses the map is drawn again
    // at the size shown.
    const QSize designed = window.size();
    auto &close = program.widget<QWidget>("closemap", Window::Form2);
    const QPoint corner = QPoint(designed.width(), designed.height()) - close.pos();
    const std::pair<QSize, QPoint> sizes[] = {
        {QSize(2 * designed.width(), designed.height()), alpha / 3 + QPoint(designed.width() / 2, 0)},
        {designed * 2, alpha * 2 / 3}};
    for (const auto &[size, where] : sizes) {
        window.resize(size);
        EXPECT_EQ(window.grab().toImage().pixelColor(where), QColor(Qt::green)) << size.width();
        EXPECT_EQ(QPoint(size.width(), size.height()) - close.pos(), corner);
        const QSize drawn = designed.scaled(size, Qt::KeepAspectRatio);
        handleEventsUntil([&] { return program.canvas.image().size() == drawn; });
        const QPoint centre = (alpha * drawn.width()) / kImageSize.width();
        EXPECT_EQ(program.canvas.image().pixelColor(centre), QColor(Qt::green)) << size.width();
        EXPECT_EQ(window.grab().toImage().pixelColor(where), QColor(Qt::green)) << size.width();
    }
}

TEST(MapCanvas, AnEndlessLineIsDrawnInPiecesThatMakeThePictureOfOne)
{
    // A zigzag along rows 8 pixels apart, each way in turn, from (0, 0) where a fresh canvas's
    // line begins; its segments are long enough that a lost one shows.
    const qsizetype perRow = 57, points = 3 * qt::ImageCanvas::kMaxPendingPoints + 5;
    const QSize size(400, static_cast<int>(points / perRow + 1) * 8);
    QPolygonF zigzag;
    for (qsizetype i = 0; i < points; ++i) {
        const qsizetype row = i / perRow, column = i % perRow;
        zigzag.append(
            QPointF(7.0 * (row % 2 ? perRow - 1 - column : column), 8.0 * row + 3.0 * (i % 2)));
    }
    qt::ImageCanvas canvas(size);
    canvas.setScale(0, 0, size.width(), size.height());
    for (qsizetype i = 1; i < zigzag.size(); ++i) {
        canvas.lineTo(zigzag[i].x(), zigzag[i].y());
        ASSERT_LE(canvas.pendingPoints(), qt::ImageCanvas::kMaxPendingPoints);
    }
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
