#!/usr/bin/env python3
"""Cuts a face down to the characters the shipped language files use.

    subset_face.py <face file> <font number> <output> <language file>...

A CJK face holds tens of thousands of glyphs; the game needs only those its
texts show, so a new or changed text brings its own glyphs at the next build.
The face's own names and licence stay in the cut face.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def characters(paths):
    """Every character of the files' values (comments and keys are ASCII)."""
    found = set()
    for path in paths:
        with open(path, encoding="utf-8-sig") as source:
            for line in source:
                if line.lstrip().startswith(";") or "=" not in line:
                    continue
                found.update(ord(c) for c in line.split("=", 1)[1].strip())
    return found


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    face, number, output, languages = argv[1], int(argv[2]), argv[3], argv[4:]
    font = TTFont(face, fontNumber=number, lazy=False)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.layout_features = ["*"]
    options.notdef_outline = True
    options.hinting = False
    options.desubroutinize = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(characters(languages)))
    subsetter.subset(font)
    font.save(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
