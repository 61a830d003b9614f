"""Prints what the shapefile reader sees in a set, as JSON, for the writer's tests."""
import json
import sys

import shapefile

with shapefile.Reader(sys.argv[1], encoding="cp932") as reader:
    summary = {
        "shapeType": reader.shapeType,
        "bbox": list(reader.bbox),
        "numRecords": len(reader),
        "fields": [list(f) for f in reader.fields[1:]],
        "shapes": [{"type": s.shapeType, "points": [list(p) for p in s.points], "parts": list(s.parts)}
                   for s in reader.shapes()],
        "records": [[None if v is None else str(v) for v in r] for r in reader.records()],
    }
print(json.dumps(summary, ensure_ascii=False))
