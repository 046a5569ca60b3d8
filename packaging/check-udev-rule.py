#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the syntax of udev rule files as udev reads them, since udevd only
logs a broken line and skips it: a rule with a typo installs fine and then
silently grants nothing.

    packaging/check-udev-rule.py FILE...

Every problem is printed as FILE:LINE: what; the exit status is 1 when there
is any. Each line is a comment, empty, or KEY[{ATTR}]OP"VALUE" items joined
by commas; match keys take == or !=, assignment keys =, += , -= or :=.
"""
import re
import sys

# key: (operators allowed, attribute: "required" | "optional" | "none")
MATCH = {"==", "!="}
ASSIGN = {"=", "+=", "-=", ":="}
KEYS = {
    "ACTION": (MATCH, "none"),
    "DEVPATH": (MATCH, "none"),
    "KERNEL": (MATCH, "none"),
    "KERNELS": (MATCH, "none"),
    "SUBSYSTEM": (MATCH, "none"),
    "SUBSYSTEMS": (MATCH, "none"),
    "DRIVER": (MATCH, "none"),
    "DRIVERS": (MATCH, "none"),
    "ATTRS": (MATCH, "required"),
    "TAGS": (MATCH, "none"),
    "CONST": (MATCH, "required"),
    "TEST": (MATCH, "optional"),
    "PROGRAM": (MATCH, "none"),
    "RESULT": (MATCH, "none"),
    "NAME": (MATCH | ASSIGN, "none"),
    "SYMLINK": (MATCH | ASSIGN, "none"),
    "ATTR": (MATCH | ASSIGN, "required"),
    "SYSCTL": (MATCH | ASSIGN, "required"),
    "ENV": (MATCH | ASSIGN, "required"),
    "TAG": (MATCH | ASSIGN, "none"),
    "IMPORT": (MATCH, "required"),
    "OPTIONS": (ASSIGN, "none"),
    "OWNER": (ASSIGN, "none"),
    "GROUP": (ASSIGN, "none"),
    "MODE": (ASSIGN, "none"),
    "SECLABEL": (ASSIGN, "required"),
    "RUN": (ASSIGN, "optional"),
    "LABEL": ({"="}, "none"),
    "GOTO": ({"="}, "none"),
}
ITEM = re.compile(r'([A-Z]+)(\{([^{}"]*)\})?(==|!=|\+=|-=|:=|=)"((?:[^"\\]|\\.)*)"')


def check_line(text):
    """The problems of one rule line (continuations already joined)."""
    problems = []
    pos = 0
    while True:
        match = ITEM.match(text, pos)
        if not match:
            return problems + [f'column {pos + 1}: not KEY{{ATTR}}OP"VALUE": "{text[pos:pos + 30]}"']
        key, braces, _, op, value = match.groups()
        if key not in KEYS:
            problems.append(f"column {pos + 1}: unknown key {key}")
        else:
            ops, attribute = KEYS[key]
            if op not in ops:
                problems.append(f"column {pos + 1}: {key} does not take the operator {op}")
            if attribute == "required" and not braces:
                problems.append(f"column {pos + 1}: {key} needs an attribute in braces")
            if attribute == "none" and braces:
                problems.append(f"column {pos + 1}: {key} takes no attribute")
            if key == "MODE" and not re.fullmatch(r"0?[0-7]{3}", value):
                problems.append(f'column {pos + 1}: MODE "{value}" is not an octal mode')
        pos = match.end()
        while pos < len(text) and text[pos] in " \t":
            pos += 1
        if pos == len(text):
            return problems
        if text[pos] != ",":
            return problems + [f'column {pos + 1}: a comma expected before "{text[pos:pos + 20]}"']
        pos += 1
        while pos < len(text) and text[pos] in " \t":
            pos += 1
        if pos == len(text):
            return problems + ["a comma at the end of the rule"]


def check_file(path):
    problems = []
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    number = 0
    while number < len(lines):
        start = number
        text = lines[number]
        number += 1
        while text.endswith("\\") and number < len(lines):
            text = text[:-1] + lines[number]
            number += 1
        stripped = text.strip()
        if not stripped or stripped.startswith("#"):
            continue
        problems += [f"{path}:{start + 1}: {p}" for p in check_line(stripped)]
    return problems


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    problems = []
    for path in sys.argv[1:]:
        problems += check_file(path)
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
