#!/usr/bin/env python3
"""Writes Sample.dxf: the surfaces of Sample.idf as a drawing to make surfaces from.

Walls and roofs become 3D faces (their corners in the file's order, so each
faces outside); floors become closed polylines at their height. Only the
standard library is used: the DXF is the plain text layout the host reads.
"""
import re
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent


def surfaces(idf_text):
    """(name, type, [(x, y, z), ...]) of every BuildingSurface:Detailed object."""
    text = re.sub(r"!.*", "", idf_text)
    for body in re.findall(r"BuildingSurface:Detailed\s*,(.*?);", text, re.S | re.I):
        fields = [f.strip() for f in body.split(",")]
        numbers = [float(f) for f in fields[10:] if f]
        yield fields[0], fields[1].lower(), [tuple(numbers[i:i + 3]) for i in range(0, len(numbers) - 2, 3)]


def entity(kind, layer, pairs):
    return [f"  0\n{kind}\n  8\n{layer}\n"] + [f"{code:>3}\n{value}\n" for code, value in pairs]


def face(name, corners):
    if len(corners) == 3:
        corners = corners + [corners[2]]
    pairs = []
    for i, (x, y, z) in enumerate(corners[:4]):
        pairs += [(10 + i, x), (20 + i, y), (30 + i, z)]
    return entity("3DFACE", name, pairs)


def floor(name, corners):
    pairs = [(90, len(corners)), (70, 1), (38, corners[0][2])]
    for x, y, _ in corners:
        pairs += [(10, x), (20, y)]
    return entity("LWPOLYLINE", name, pairs)


def main():
    out = ["  0\nSECTION\n  2\nENTITIES\n"]
    for name, kind, corners in surfaces((HERE / "Sample.idf").read_text()):
        layer = re.sub(r"[^A-Za-z0-9_-]", "_", name)
        flat = len({round(z, 9) for _, _, z in corners}) == 1
        out += floor(layer, corners) if kind == "floor" and flat else face(layer, corners)
    out.append("  0\nENDSEC\n  0\nEOF\n")
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else HERE / "Sample.dxf"
    target.write_text("".join(out))


if __name__ == "__main__":
    main()
