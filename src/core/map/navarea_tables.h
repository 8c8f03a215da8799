// The location map's tables per NAVAREA list position (navareaindex 0-24): extents, boundaries.
#pragma once

#include "map/map_point.h"

#include <array>
#include <cstddef>
#include <span>

namespace fenlark {

inline constexpr std::size_t kNavAreaCount = 25;

// The part of the map shown for a NAVAREA, in map minutes: the drawing area's left edge is x1, top
// y1, right x2 and bottom y2 (so y1 > y2: north is up). A few extents run on east past 180 degrees
// (x = 21600).
struct MapExtent {
    int x1;
    int y1;
    int x2;
    int y2;
};

inline constexpr std::array<MapExtent, kNavAreaCount> kMapExtents{{
    {8700, 4620, 12600, 2820},   // 0 I
    {7200, 3600, 13200, -600},   // 1 II
    {10200, 3300, 13800, 1500},  // 2 III
    {10800, 3600, 15000, 1200},  // 3 IIIb
    {1200, 4800, 10200, 900},    // 4 IV
    {3600, 2400, 9000, 0},       // 5 IVb
    {5400, 600, 10200, -3000},   // 6 V
    {4800, -1800, 10200, -4500}, // 7 VI
    {9000, 0, 15900, -3600},     // 8 VII
    {12600, 2100, 16800, -2100}, // 9 VIII
    {12300, 2700, 15300, 600},   // 10 IX
    {15000, 300, 22800, -3300},  // 11 X
    {15600, 2400, 21600, -1200}, // 12 XIa
    {15600, 3300, 21600, 600},   // 13 XIb
    {0, 4800, 7200, 1200},       // 14 XIIa
    {0, 3000, 7200, -600},       // 15 XIIb
    {13800, 5400, 21600, 1800},  // 16 XIII
    {19800, 300, 26400, -4200},  // 17 XIV
    {3600, -900, 7800, -4200},   // 18 XV
    {3600, 600, 7200, -1800},    // 19 XVI
    {0, 5100, 4800, 3600},       // 20 XVII
    {3000, 5100, 9000, 3600},    // 21 XVIII
    {8400, 5100, 13800, 3600},   // 22 XIX
    {12000, 5100, 19200, 3600},  // 23 XX
    {17400, 5100, 22800, 3600},  // 24 XXI
}};

// A vertex of a NAVAREA boundary line in degrees, north and east positive. Longitudes above 180
// continue east past 180 degrees (260 is 100 degrees west, drawn at x = 26400).
struct BoundaryVertex {
    double lat;
    double lon;
};

using BoundaryPolyline = std::span<const BoundaryVertex>;
using BoundaryPolylines = std::span<const BoundaryPolyline>;

// The map point of a boundary vertex: x = (lon + 180) * 60, y = lat * 60, with no wrap at 180.
constexpr MapPoint boundaryPoint(BoundaryVertex v) {
    return {(v.lon + 180.0) * 60.0, v.lat * 60.0};
}

namespace boundary_data {

inline constexpr BoundaryVertex k0a[] = {{48.5, -5}, {48.5, -35}, {66, -35}};
inline constexpr BoundaryVertex k0b[] = {{65, 11}, {65, -5}, {75, -5}, {75, -19}};
inline constexpr BoundaryPolyline k0[] = {k0a, k0b};

inline constexpr BoundaryVertex k1a[] = {{48.5, -5}, {48.5, -35}, {7, -35},
                                         {7, -20},   {-6, -20},   {-6, 12}};
inline constexpr BoundaryPolyline k1[] = {k1a};

inline constexpr BoundaryVertex k4a[] = {{66, -35}, {7, -35}};
inline constexpr BoundaryVertex k4b[] = {{67, -62.5}, {67, -53.5}};
inline constexpr BoundaryPolyline k4[] = {k4a, k4b};

inline constexpr BoundaryVertex k5a[] = {{66, -35}, {7, -35}, {7, -48}, {5, -52}};
inline constexpr BoundaryPolyline k5[] = {k5a};

inline constexpr BoundaryVertex k6a[] = {{-80, -20}, {7, -20}, {7, -48}, {5, -52}};
inline constexpr BoundaryVertex k6b[] = {{-36, -20}, {-36, -53}, {-35, -54}};
inline constexpr BoundaryPolyline k6[] = {k6a, k6b};

inline constexpr BoundaryVertex k7a[] = {{-36, -20}, {-36, -53}, {-35, -54}};
inline constexpr BoundaryVertex k7b[] = {{-74, -20}, {7, -20}};
inline constexpr BoundaryVertex k7c[] = {{-55, -68}, {-67, -68}};
inline constexpr BoundaryPolyline k7[] = {k7a, k7b, k7c};

inline constexpr BoundaryVertex k8a[] = {{-36, -20}, {-36, -53}, {-35, -54}};
inline constexpr BoundaryVertex k8b[] = {{-74, -20}, {7, -20}};
inline constexpr BoundaryVertex k8c[] = {{-6, -20}, {-6, 12}};
inline constexpr BoundaryVertex k8d[] = {
    {-80, 80}, {-30, 80}, {-30, 55}, {-10.5, 55}, {-10.5, 40.2}};
inline constexpr BoundaryPolyline k8[] = {k8a, k8b, k8c, k8d};

inline constexpr BoundaryVertex k9a[] = {
    {-80, 80}, {-30, 80}, {-30, 55}, {-10.5, 55}, {-10.5, 40.2}};
inline constexpr BoundaryVertex k9b[] = {{-30, 55}, {-30, 95}, {6, 95}, {10, 98}};
inline constexpr BoundaryVertex k9c[] = {{11.8, 51}, {11.8, 63}, {23.5, 67.8}};
inline constexpr BoundaryPolyline k9[] = {k9a, k9b, k9c};

inline constexpr BoundaryVertex k10a[] = {{11.8, 51}, {11.8, 63}, {23.5, 67.8}};
inline constexpr BoundaryPolyline k10[] = {k10a};

inline constexpr BoundaryVertex k11a[] = {{-80, 80},  {-30, 80},  {-30, 95},  {-12, 95},
                                          {-12, 127}, {-10, 127}, {-10, 141}, {0, 141},
                                          {0, 170},   {-29, 170}, {-45, 160}, {-65, 160}};
inline constexpr BoundaryPolyline k11[] = {k11a};

inline constexpr BoundaryVertex k12a[] = {{-30, 55}, {-30, 95}, {6, 95}, {10, 98}};
inline constexpr BoundaryVertex k12b[] = {{11.8, 51}, {11.8, 63}, {23.5, 67.8}};
inline constexpr BoundaryVertex k12c[] = {{-80, 80}, {-30, 80}, {-30, 95}, {-12, 95}};
inline constexpr BoundaryVertex k12d[] = {{-12, 95},  {-12, 127}, {-10, 127},
                                          {-10, 141}, {0, 141},   {0, 180}};
inline constexpr BoundaryPolyline k12[] = {k12a, k12b, k12c, k12d};

inline constexpr BoundaryVertex k13a[] = {{45.2, 180}, {45.2, 141}, {42.2, 137}, {42.2, 131}};
inline constexpr BoundaryPolyline k13[] = {k13a};

// Used for both 14 (XIIa) and 15 (XIIb).
inline constexpr BoundaryVertex k14a[] = {{0, -180}, {0, -120}, {-3.5, -120}, {-3.5, -80}};
inline constexpr BoundaryVertex k14b[] = {{-3.5, -120}, {-30, -120}};
inline constexpr BoundaryVertex k14c[] = {{67, -170}, {67, -166}, {58, -180}};
inline constexpr BoundaryPolyline k14[] = {k14a, k14b, k14c};

inline constexpr BoundaryVertex k16a[] = {{-12, 95}, {-12, 127}};
inline constexpr BoundaryVertex k16b[] = {{45.2, 180}, {45.2, 141}, {42.2, 137}, {42.2, 131}};
inline constexpr BoundaryPolyline k16[] = {k16a, k16b};

inline constexpr BoundaryVertex k17a[] = {{0, 141}, {0, 170}, {-29, 170}, {-45, 160}, {-70, 160}};
inline constexpr BoundaryVertex k17b[] = {{0, 170}, {0, 260}};
inline constexpr BoundaryPolyline k17[] = {k17a, k17b};

inline constexpr BoundaryVertex k18a[] = {{-55, -68}, {-67, -68}};
inline constexpr BoundaryVertex k18b[] = {{-80, -120}, {0, -120}};
inline constexpr BoundaryVertex k18c[] = {{-18.6, -120}, {-18.6, -70.5}};
inline constexpr BoundaryPolyline k18[] = {k18a, k18b, k18c};

inline constexpr BoundaryVertex k19a[] = {{-18.6, -120}, {-18.6, -70.5}};
inline constexpr BoundaryVertex k19b[] = {{-3.4, -120}, {-3.4, -80}};
inline constexpr BoundaryVertex k19c[] = {{-30, -120}, {10, -120}};
inline constexpr BoundaryPolyline k19[] = {k19a, k19b, k19c};

inline constexpr BoundaryVertex k20a[] = {{90, -169}, {67, -169}};
inline constexpr BoundaryVertex k20b[] = {{67, -174.5}, {67, -163}};
inline constexpr BoundaryVertex k20c[] = {{90, -120}, {77.3, -120}};
inline constexpr BoundaryVertex k20d[] = {{76, -120}, {74.2, -120}};
inline constexpr BoundaryVertex k20e[] = {{71.6, -120}, {69.5, -120}};
inline constexpr BoundaryPolyline k20[] = {k20a, k20b, k20c, k20d, k20e};

inline constexpr BoundaryVertex k21a[] = {{90, -120}, {77.3, -120}};
inline constexpr BoundaryVertex k21b[] = {{76, -120}, {74.2, -120}};
inline constexpr BoundaryVertex k21c[] = {{71.6, -120}, {69.5, -120}};
inline constexpr BoundaryVertex k21d[] = {{67, -62.5}, {67, -53.5}};
inline constexpr BoundaryVertex k21e[] = {{90, -35}, {83.5, -35}};
inline constexpr BoundaryPolyline k21[] = {k21a, k21b, k21c, k21d, k21e};

inline constexpr BoundaryVertex k22a[] = {{90, 30}, {71, 30}, {71, 32}, {70, 32}};
inline constexpr BoundaryVertex k22b[] = {{75, 5}, {65, 5}, {65, 11.5}};
inline constexpr BoundaryVertex k22c[] = {{75, 5}, {75, -20}};
inline constexpr BoundaryPolyline k22[] = {k22a, k22b, k22c};

inline constexpr BoundaryVertex k23a[] = {{90, 125}, {73.5, 125}};
inline constexpr BoundaryVertex k23b[] = {{90, 30}, {70.5, 30}};
inline constexpr BoundaryPolyline k23[] = {k23a, k23b};

inline constexpr BoundaryVertex k24a[] = {{90, 125}, {73.5, 125}};
inline constexpr BoundaryPolyline k24[] = {k24a};

} // namespace boundary_data

// The boundary polylines drawn for each navareaindex; III (2) and IIIb (3) have none.
inline constexpr std::array<BoundaryPolylines, kNavAreaCount> kNavAreaBoundaries{{
    boundary_data::k0,
    boundary_data::k1,
    {},
    {},
    boundary_data::k4,
    boundary_data::k5,
    boundary_data::k6,
    boundary_data::k7,
    boundary_data::k8,
    boundary_data::k9,
    boundary_data::k10,
    boundary_data::k11,
    boundary_data::k12,
    boundary_data::k13,
    boundary_data::k14,
    boundary_data::k14,
    boundary_data::k16,
    boundary_data::k17,
    boundary_data::k18,
    boundary_data::k19,
    boundary_data::k20,
    boundary_data::k21,
    boundary_data::k22,
    boundary_data::k23,
    boundary_data::k24,
}};

} // namespace fenlark
