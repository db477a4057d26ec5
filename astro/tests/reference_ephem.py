#!/usr/bin/python3
"""Reference values for the astronomy tests, computed once with PyEphem
(Debian package python3-ephem 4.1.4; its Moon is the truncated ELP 2000-82
theory, its Sun VSOP87) and pasted into test_reference.cpp.

Day numbers count days from 1900 January 0.5, which is also PyEphem's date
origin (ephem.Date(0) = 1899/12/31 12:00 UT), so a day number d is the
numeric value of an ephem.Date.

Our series take d as the time argument of the theory (dynamical time). To
compare the series themselves, PyEphem is evaluated at the UT instant whose
dynamical time is d, i.e. at d - DeltaT(d) / 86400.

Printed per instant:
  Moon: geocentric ecliptic longitude and latitude of the mean equinox of date
        (hlon, hlat), horizontal parallax asin(6378.14 km / distance), degrees;
  Sun:  apparent geocentric right ascension and declination of date, degrees,
        and distance in AU.
Then sidereal time at Greenwich (apparent, hours) at a few UT instants, and
topocentric checks: apparent geocentric RA/Dec and parallax of the Moon with
the observer's apparent local sidereal time, PyEphem's airless topocentric
azimuth, altitude, hour angle and declination of the same instant, and the
same four by plain vector geometry from the geocentric place.

Run: /usr/bin/python3 astro/tests/reference_ephem.py
"""
import math
import ephem

INSTANTS = [33970.25, 34512.8125, 35001.5, 35557.0625, 36000.375, 36524.5,
            36890.90625, 37402.1875, 37955.6, 38500.0, 39013.4375, 39640.75,
            40100.125, 40777.5625, 41200.3, 41833.0, 42370.6875, 42999.9,
            43588.15, 44200.5, 45012.25, 46000.8, 47111.4, 49000.0]


def tt_instant(d):
    t = d
    for _ in range(3):
        t = d - ephem.delta_t(ephem.Date(t)) / 86400.0
    return ephem.Date(t)


print("// d, Moon lon, Moon lat, Moon parallax, Sun RA, Sun Dec, Sun R")
for d in INSTANTS:
    t = tt_instant(d)
    m = ephem.Moon()
    m.compute(t, epoch=t)
    s = ephem.Sun()
    s.compute(t, epoch=t)
    par = math.asin(6378.14 / (m.earth_distance * ephem.meters_per_au / 1000.0))
    print("{%.5f, %.6f, %.6f, %.6f, %.6f, %.6f, %.7f}," % (
        d, math.degrees(m.hlon), math.degrees(m.hlat), math.degrees(par),
        math.degrees(s.g_ra), math.degrees(s.g_dec), s.earth_distance))

print("// Greenwich apparent sidereal time: day number (0 h UT), UT hours, LST hours")
for d, h in [(36524.5, 0.0), (40000.5, 6.5), (44000.5, 13.25), (47500.5, 21.75)]:
    o = ephem.Observer()
    o.lon, o.lat, o.elevation = '0', '0', 0
    o.pressure = 0
    o.date = ephem.Date(d + h / 24.0)
    print("{%.1f, %.4f, %.6f}," % (d, h, float(o.sidereal_time()) * 12 / math.pi))

print("// topocentric: lat deg, lon deg, height m, UT day number, geocentric RA deg, Dec deg,")
print("//   parallax deg, LST rad, then PyEphem's azimuth, altitude, topocentric hour angle and")
print("//   declination (deg), then the same four from plain vector geometry (see geometrie())")


def geometrie(lat, hgt, lst, ra, dec, par):
    """Topocentric place by subtracting the observer's geocentric vector (in
    Earth radii, ellipsoid b/a = 0.996647) from the Moon's: the exact
    geometry, in a form independent of the library's arc-tangent formulas.
    PyEphem's own topocentric place differs from this by up to 0.007 deg."""
    phi = math.radians(lat)
    u = math.atan(0.996647 * math.tan(phi))
    rs = 0.996647 * math.sin(u) + hgt / 6378140.0 * math.sin(phi)
    rc = math.cos(u) + hgt / 6378140.0 * math.cos(phi)
    R = 1.0 / math.sin(par)
    H = lst - ra
    x = R * math.cos(dec) * math.cos(H) - rc
    y = R * math.cos(dec) * math.sin(H)
    z = R * math.sin(dec) - rs
    Ht = math.atan2(y, x)
    dt = math.atan2(z, math.hypot(x, y))
    alt = math.asin(math.sin(phi) * math.sin(dt) + math.cos(phi) * math.cos(dt) * math.cos(Ht))
    az = math.atan2(-math.cos(dt) * math.sin(Ht),
                    math.sin(dt) * math.cos(phi) - math.cos(dt) * math.sin(phi) * math.cos(Ht))
    return (math.degrees(az) % 360.0, math.degrees(alt), math.degrees(Ht) % 360.0, math.degrees(dt))
# The first hour (on the quarter hour) from the given day on at which the Moon
# stands more than 25 degrees high, so that no refraction enters the check.
for lat, lon, hgt, start in [(48.85, 2.35, 35, 40100.5), (-33.9, 18.4, 10, 41200.5),
                             (60.2, 24.9, 20, 43588.5), (35.7, 139.7, 40, 45012.5),
                             (-23.5, -46.6, 760, 46000.5)]:
    o = ephem.Observer()
    o.lat, o.lon, o.elevation = str(lat), str(lon), hgt
    o.pressure = 0
    m = ephem.Moon()
    for k in range(200):
        d = start + k / 96.0
        o.date = ephem.Date(d)
        o.epoch = o.date
        m.compute(o)
        if m.alt > math.radians(25):
            break
    par = math.asin(6378.14 / (m.earth_distance * ephem.meters_per_au / 1000.0))
    lst = float(o.sidereal_time())
    ha = (math.degrees(lst - float(m.ra))) % 360.0
    g = geometrie(lat, hgt, lst, float(m.g_ra), float(m.g_dec), par)
    print("{%.2f, %.2f, %d, %.5f, %.6f, %.6f, %.6f, %.9f, %.6f, %.6f, %.6f, %.6f, %.6f, %.6f, %.6f, %.6f}," % (
        lat, lon, hgt, d, math.degrees(m.g_ra), math.degrees(m.g_dec), math.degrees(par), lst,
        math.degrees(m.az), math.degrees(m.alt), ha, math.degrees(m.dec), g[0], g[1], g[2], g[3]))
