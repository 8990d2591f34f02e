#!/usr/bin/env python3
"""Makes a template folder of 1,000 files, 10 MB in all, a tenth of them
binary, for timing a template folder's run against cp -r of its files; or
of FILES files and BYTES bytes in all, shaped alike.

Usage: python3 bench/make_template_tree.py FOLDER [FILES BYTES]
"""
import os
import random
import sys

FILES, SIZE = 1000, 10 * 1000 * 1000
if len(sys.argv) == 4:
    FILES, SIZE = int(sys.argv[2]), int(sys.argv[3])

folder = sys.argv[1]
random.seed(23)
os.makedirs(os.path.join(folder, "files"))
with open(os.path.join(folder, "template.json"), "w") as manifest:
    manifest.write('{"title": "Bench tree", "options": [{"name": "flag", "kind": "yes-no"}]}\n')

each = SIZE // FILES
for index in range(FILES):
    subfolder = os.path.join(folder, "files", "part%02d" % (index % 10))
    os.makedirs(subfolder, exist_ok=True)
    if index % 10 == 9:
        # Binary: a NUL early on, then random bytes.
        path = os.path.join(subfolder, "blob%04d.bin" % index)
        data = b"\x89BIN\x00" + random.randbytes(each - 5)
    else:
        # Text: mostly plain lines, every eighth with placeholders, a block now and then.
        path = os.path.join(subfolder, "%%{name}_%04d.txt" % index)
        lines, length, number = [], 0, 0
        while length < each:
            number += 1
            if number % 8 == 0:
                line = "line %d of %%{name} (%%{name.identifier.upper}) %%{date}\n" % number
            elif number % 50 == 0:
                line = "%{if flag}\nflagged\n%{else}\nnot flagged\n%{endif}\n"
            else:
                line = "line %d: the quick brown fox jumps over the lazy dog, plainly.\n" % number
            lines.append(line)
            length += len(line)
        data = "".join(lines)[:each].encode()
    with open(path, "wb") as out:
        out.write(data)
