#!/usr/bin/env python3
"""Checks that the program's data files are whole after a kill.

    check-data-files.py BEFORE_DIR AFTER_DIR VOCABULARY_FILE

BEFORE_DIR holds the files as they were before the program ran, AFTER_DIR as
the kill left them. Every configuration file must be a whole file whose
bytes differ from before only in the fields the edits change; every INI file
must parse, and every value in it must be its value before or a whole value
the program writes (a string of VOCABULARY_FILE, the program's strings, or
the end of one, or a number). Settings files are written key by key, so a
file between two such writes passes. Prints the number of files checked;
exits 1 with the reasons when a file is not whole.
"""
import os
import re
import sys

CONFIG_FILE_SIZE = 1 + 1892
# Byte ranges of the file (flag byte first) that the edits change: the DPI
# stages and their switches, the axis sensitivities, the button functions up
# to the macro modes.
IMAGE_OFFSET = 1
EDITABLE = [
    (IMAGE_OFFSET + 7, IMAGE_OFFSET + 39),    # dpiCode50, dpiCode100, stageEnabled
    (IMAGE_OFFSET + 169, IMAGE_OFFSET + 171),  # axisSensitivityX, axisSensitivityY
    (IMAGE_OFFSET + 177, IMAGE_OFFSET + 329),  # buttonFunction .. macroMode
]
AXIS = (IMAGE_OFFSET + 169, IMAGE_OFFSET + 170)
AXIS_RANGE = range(1, 12)
FLAG_VALUES = (0, 1)
CONFIG_NAME = re.compile(r"^config[0-5]?\.bin$")
INI_NAME = re.compile(r"^(str[0-5]?\.ini|record\.ini)$")
NUMBER = re.compile(r"^-?\d+$")
NUMBERED = re.compile(r"^(.*\S)\s+\d+$")


def decode(data):
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le", errors="strict")
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    return data.decode("utf-8", errors="strict")


def parse_ini(data):
    """{(section, key): value} of a file; raises ValueError when a line is
    neither blank, a section, a key, nor a comment."""
    text = decode(data)
    values, section = {}, None
    for line in re.split(r"\r\n|\n|\r", text):
        stripped = line.strip()
        if not stripped or stripped.startswith(";"):
            continue
        if stripped.startswith("["):
            if "]" not in stripped:
                raise ValueError("broken section line %r" % line)
            section = stripped[1:stripped.index("]")].strip().lower()
            continue
        if "=" not in stripped:
            raise ValueError("line without '=': %r" % line)
        key, value = stripped.split("=", 1)
        values.setdefault((section, key.strip().lower()), value.strip())
    return values


def known(text, vocabulary):
    """A string of the program, or the end of one: the linker stores a
    string that ends another only once, inside the longer one."""
    return text in vocabulary or any(word.endswith(text) for word in vocabulary)


def whole_value(value, vocabulary):
    if NUMBER.match(value) or known(value, vocabulary):
        return True
    numbered = NUMBERED.match(value)  # "Profile 2"
    return bool(numbered and known(numbered.group(1), vocabulary))


def check_config(name, before, after, problems):
    if len(after) != CONFIG_FILE_SIZE:
        problems.append("%s: %d bytes, not %d" % (name, len(after), CONFIG_FILE_SIZE))
        return
    if after[0] not in FLAG_VALUES:
        problems.append("%s: flag byte %d" % (name, after[0]))
    for i in AXIS:
        if after[i] not in AXIS_RANGE and (before is None or after[i] != before[i]):
            problems.append("%s: axis sensitivity %d at byte %d" % (name, after[i], i))
    if before is None or len(before) != CONFIG_FILE_SIZE:
        return
    for i in range(1, CONFIG_FILE_SIZE):
        if after[i] != before[i] and not any(lo <= i < hi for lo, hi in EDITABLE):
            problems.append("%s: byte %d changed from %d to %d, which no edit touches" %
                            (name, i, before[i], after[i]))
            return


def check_ini(name, before, after, vocabulary, problems):
    try:
        values = parse_ini(after)
    except (ValueError, UnicodeDecodeError) as error:
        problems.append("%s: does not parse: %s" % (name, error))
        return
    try:
        old = parse_ini(before) if before is not None else {}
    except (ValueError, UnicodeDecodeError):
        old = {}
    for where, value in values.items():
        if old.get(where) == value or whole_value(value, vocabulary):
            continue
        problems.append("%s: [%s] %s=%r is neither its value before nor a whole value" %
                        (name, where[0], where[1], value))


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def main():
    before_dir, after_dir, vocabulary_file = sys.argv[1:4]
    with open(vocabulary_file, encoding="utf-8", errors="replace") as f:
        vocabulary = {line.rstrip("\n").strip() for line in f}
    problems, checked = [], 0
    for name in sorted(os.listdir(after_dir)):
        path = os.path.join(after_dir, name)
        if not os.path.isfile(path):
            continue
        before, after = read(os.path.join(before_dir, name)), read(path)
        if CONFIG_NAME.match(name):
            check_config(name, before, after, problems)
        elif INI_NAME.match(name):
            check_ini(name, before, after, vocabulary, problems)
        else:
            continue
        checked += 1
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1
    print(checked)
    return 0


if __name__ == "__main__":
    sys.exit(main())
