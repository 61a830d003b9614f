"""Prints what a DXF reader sees in a drawing, as JSON, for the writer's tests."""
import json
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
summary = {
    "acadver": doc.header["$ACADVER"],
    "codepage": doc.header.get("$DWGCODEPAGE", ""),
    "extmin": list(doc.header["$EXTMIN"])[:2],
    "extmax": list(doc.header["$EXTMAX"])[:2],
    "limmin": list(doc.header.get("$LIMMIN", (0, 0)))[:2],
    "limmax": list(doc.header.get("$LIMMAX", (0, 0)))[:2],
    "handseed": doc.header["$HANDSEED"],
    "errors": [f"{e.code}: {e.message}" for e in auditor.errors],
    "fixes": [f"{f.code}: {f.message}" for f in auditor.fixes],
    "layers": {layer.dxf.name: layer.dxf.color for layer in doc.layers},
    "layerOrder": [layer.dxf.name for layer in doc.layers],
    "entities": [],
    "blocks": {b.name: [[e.dxftype(), e.dxf.layer] for e in b]
               for b in doc.blocks if not b.name.lower().startswith(("*model_space", "*paper_space"))},
}
for e in doc.modelspace():
    item = {"type": e.dxftype(), "layer": e.dxf.layer, "colour": e.dxf.get("color", 256)}
    if e.dxftype() == "TEXT":
        item.update(text=e.dxf.text, halign=e.dxf.halign, valign=e.dxf.valign,
                    insert=list(e.dxf.insert)[:2], height=e.dxf.height)
    elif e.dxftype() == "MTEXT":
        item.update(text=e.text, attachment=e.dxf.attachment_point, insert=list(e.dxf.insert)[:2])
    elif e.dxftype() == "LWPOLYLINE":
        item.update(count=len(e), closed=e.closed, points=[list(p)[:2] for p in e.get_points("xy")])
    elif e.dxftype() == "CIRCLE":
        item.update(center=list(e.dxf.center)[:2], radius=e.dxf.radius)
    elif e.dxftype() == "LINE":
        item.update(start=list(e.dxf.start)[:2], end=list(e.dxf.end)[:2])
    elif e.dxftype() == "POLYLINE":
        item.update(count=len(e), points=[list(v.dxf.location)[:2] for v in e.vertices])
    summary["entities"].append(item)
print(json.dumps(summary, ensure_ascii=False))
