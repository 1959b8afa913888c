#!/usr/bin/env python3
"""Writes src/lang/LangPackData.cpp: resources/lang.xml as a byte array, so
that every build (the native one too) carries the language pack.

Usage: tools/embed-lang.py [--check]

Run it after every change to resources/lang.xml and commit both files; the
unit tests fail while the two disagree. The output depends on nothing but the
input's bytes. With --check nothing is written: the exit status is 1 when the
file is out of date.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "resources", "lang.xml")
TARGET = os.path.join(HERE, "..", "src", "lang", "LangPackData.cpp")
PER_LINE = 20


def render(data):
    lines = [
        "// Written by tools/embed-lang.py from resources/lang.xml; do not edit.",
        '#include "lang/LangPackData.h"',
        "",
        "namespace s::lang {",
        "",
        "const size_t kLangPackXmlSize = %d;" % len(data),
        "",
        "// One byte more than the file: a NUL, so the text also ends like a C string.",
        "const unsigned char kLangPackXml[] = {",
    ]
    for start in range(0, len(data), PER_LINE):
        chunk = data[start:start + PER_LINE]
        lines.append("    " + ",".join(str(b) for b in chunk) + ",")
    lines += ["    0,", "};", "", "}  // namespace s::lang", ""]
    return "\n".join(lines).encode("ascii")


def main(argv):
    with open(SOURCE, "rb") as f:
        data = f.read()
    wanted = render(data)
    try:
        with open(TARGET, "rb") as f:
            current = f.read()
    except OSError:
        current = None
    if "--check" in argv:
        if current != wanted:
            print("%s is out of date: run tools/embed-lang.py" % os.path.normpath(TARGET))
            return 1
        return 0
    if current != wanted:
        with open(TARGET, "wb") as f:
            f.write(wanted)
    print("%s: %d bytes" % (os.path.normpath(TARGET), len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
