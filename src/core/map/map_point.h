// A point of the location map, in minutes of arc: x east from 180 degrees west, y north of the
// equator.
#pragma once

namespace fenlark {

// x = (longitude + 180) * 60, y = latitude * 60; x runs past 21600 for places east of 180 degrees.
struct MapPoint {
    double x;
    double y;
};

} // namespace fenlark
