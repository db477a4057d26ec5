#!/usr/bin/env python3
"""Decode the land polygons of a TopoJSON file into the plain-text polygon
list read by the world-map generator.

Usage: decode_topojson.py land-50m.json land.txt [source description]

Input: a TopoJSON topology (quantised, delta-encoded arcs) whose object "land"
holds Polygon or MultiPolygon geometries, as the npm package world-atlas
ships Natural Earth's land boundaries.

Output (text, LF line ends):
    # comment lines
    P <ring count>        one polygon: its outer ring first, then its holes
    R <point count>       one ring
    <lon> <lat>           one point per line, degrees east / north, 2 decimals
Rings are closed implicitly (the last point is not a copy of the first).
Consecutive points that are equal after rounding are written once.
"""
import json
import sys


def decode_arcs(topo):
    transform = topo.get("transform")
    arcs = []
    for arc in topo["arcs"]:
        points = []
        x = y = 0
        for p in arc:
            if transform:
                x += p[0]
                y += p[1]
                sx, sy = transform["scale"]
                tx, ty = transform["translate"]
                points.append((x * sx + tx, y * sy + ty))
            else:
                points.append((p[0], p[1]))
        arcs.append(points)
    return arcs


def ring_points(arcs, ring):
    """Join the arcs of one ring; a negative index ~i means arc i reversed.
    Each arc after the first repeats the previous arc's last point."""
    points = []
    for index in ring:
        arc = arcs[index] if index >= 0 else list(reversed(arcs[~index]))
        points.extend(arc if not points else arc[1:])
    return points


def rounded_ring(points):
    out = []
    for lon, lat in points:
        p = (round(lon, 2), round(lat, 2))
        if not out or out[-1] != p:
            out.append(p)
    if len(out) > 1 and out[0] == out[-1]:
        out.pop()
    return out


def polygons_of(geometry):
    kind = geometry["type"]
    if kind == "Polygon":
        yield geometry["arcs"]
    elif kind == "MultiPolygon":
        yield from geometry["arcs"]
    elif kind == "GeometryCollection":
        for g in geometry["geometries"]:
            yield from polygons_of(g)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    source, target = sys.argv[1], sys.argv[2]
    note = sys.argv[3] if len(sys.argv) > 3 else source
    with open(source, encoding="utf-8") as f:
        topo = json.load(f)
    arcs = decode_arcs(topo)
    lines = [
        "# Land polygons from Natural Earth (public domain), " + note,
        "# P <rings>: polygon (outer ring, then holes); R <n>: ring of n points; <lon> <lat> in degrees",
    ]
    polygon_count = point_count = 0
    for polygon in polygons_of(topo["objects"]["land"]):
        rings = [rounded_ring(ring_points(arcs, r)) for r in polygon]
        rings = [r for r in rings if len(r) >= 3]
        if not rings:
            continue
        polygon_count += 1
        lines.append("P %d" % len(rings))
        for ring in rings:
            lines.append("R %d" % len(ring))
            point_count += len(ring)
            lines.extend("%.2f %.2f" % (lon, lat) for lon, lat in ring)
    with open(target, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print("%d polygons, %d points written to %s" % (polygon_count, point_count, target))


if __name__ == "__main__":
    main()
