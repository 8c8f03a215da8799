#include "map/form2.h"

#include "app/application.h"
#include "common/text.h"
#include "forms/control_registry.h"
#include "map/navarea_tables.h"
#include "map/outline_file.h"
#include "map/station_position.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace fenlark {
namespace {

constexpr Rgb kOutlineGrey{192, 192, 192};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

// Outline points east of 160 degrees east (x 20400) are never joined to points west of it, so the
// wrap from 180 east to 180 west is never drawn as a line across the map.
constexpr int kZoneEdge = 20400;

// The station's name from its entry: before the remark in parentheses, or from the fifth
// character on. Nothing when a "(" stands among the first three characters.
std::optional<std::string> stationLabel(const std::string& entry)
{
    const std::size_t paren = entry.find('(');
    if (paren == std::string::npos)
        return std::string(mid(entry, 5));
    const std::size_t p = paren + 1; // 1-based
    if (p < 4)
        return std::nullopt;
    return std::string(mid(entry, 4, p - 4));
}

} // namespace

Form2::Form2(Application& app) : m_app(app)
{
    closemap.setHandler([this] { closemap_Click(); });
}

void Form2::resetToDesign() { Maplabel.setCaption("map title"); }

void Form2::registerControls(ControlRegistry& r) { r.add(Maplabel), r.add(closemap); }

void Form2::Form_Load()
{
    Canvas& canvas = m_app.canvas();
    const State& s = m_app.state();
    Form1& form1 = m_app.form1();
    const std::size_t area =
        static_cast<std::size_t>(std::clamp<int>(s.navareaindex, 0, kNavAreaCount - 1));

    canvas.clear();
    const MapExtent& e = kMapExtents[area];
    canvas.setScale(e.x1, e.y1, e.x2, e.y2);
    const double w = std::abs(e.x1 - e.x2);

    canvas.setForeColor(kOutlineGrey);
    int previousZone = 0;
    bool first = true; // a file's first point never continues a line from the origin
    readOutline(kOutlineFileName, [&](const OutlineRecord& r) {
        const int x = outlineX(r.longitude);
        const int y = r.latitude;
        const int zone = x < kZoneEdge ? 1 : 0;
        if (first || r.code > 1000 || zone != previousZone)
            canvas.pset(x, y);
        else
            canvas.lineTo(x, y);
        previousZone = zone;
        first = false;
    });

    canvas.setFillSolid(true);
    std::optional<MapPoint> current;
    for (int k = 1; k < kStationSlots; ++k) {
        const std::size_t slot = static_cast<std::size_t>(k);
        if (s.stations.stnlat[slot].size() <= 2)
            continue;
        const auto point = stationPoint(s.stations.stnlat[slot], s.stations.stnlon[slot]);
        if (!point)
            continue;
        if (k == s.curstation)
            current = MapPoint{point->x, std::round(point->y)};
        canvas.setFillColor(kRed);
        canvas.circle(point->x, point->y, w / 250, kRed);
        canvas.setForeColor(kBlack);
        if (const auto label = stationLabel(s.stations.stnentry[slot]))
            canvas.print(*label);
    }
    if (current) {
        canvas.setFillColor(kGreen);
        canvas.circle(current->x, current->y, w / 250, kGreen);
    }
    canvas.setFillSolid(false);

    std::string title = " Navarea " + form1.NavAreaList.text();
    for (const OptionButton& button : form1.Frequency)
        if (button.value())
            title += ": Stations on " + button.caption();
    Maplabel.setCaption(title);

    canvas.setForeColor(kBlue);
    for (const BoundaryPolyline& polyline : kNavAreaBoundaries[area]) {
        if (polyline.empty())
            continue;
        const MapPoint first = boundaryPoint(polyline.front());
        canvas.pset(first.x, first.y);
        for (std::size_t i = 1; i < polyline.size(); ++i) {
            const MapPoint p = boundaryPoint(polyline[i]);
            canvas.lineTo(p.x, p.y);
        }
    }
}

void Form2::closemap_Click() { m_app.closeMap(); }

} // namespace fenlark
