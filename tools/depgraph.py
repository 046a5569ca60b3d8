#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's own libraries and programs and what each links directly,
read from CMake's --graphviz output of a fresh configure of the source tree.

    python3 tools/depgraph.py SOURCE              prints the graph as text
    python3 tools/depgraph.py SOURCE --check FILE fails when FILE's graph block differs

The README's layout section carries the text between the markers
"<!-- depgraph -->" and "<!-- /depgraph -->"; --check keeps it true.
"""
import os, re, subprocess, sys, tempfile

OURS = re.compile(r'^(aurivent_[a-z]+|Aurivent|auriventd|AuriventStart|AuriventSensors)$')
# Build helpers that are not part of the program.
LEFT_OUT = {"aurivent_imagegen", "aurivent_scenes", "aurivent_testsupport", "aurivent_bench"}


def edges(source):
    # A configure of its own: a build folder in use is never touched.
    with tempfile.TemporaryDirectory() as tmp:
        dot = os.path.join(tmp, "g.dot")
        subprocess.run(["cmake", "-S", source, "-B", os.path.join(tmp, "b"), "-G", "Ninja",
                        "--graphviz=" + dot], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        text = open(dot).read()
    names = dict(re.findall(r'"(node\d+)" \[ label = "([^"]+)"', text))
    keep = {n: l for n, l in names.items() if OURS.match(l) and l not in LEFT_OUT}
    out = {}
    for a, b in re.findall(r'"(node\d+)" -> "(node\d+)"', text):
        if a in keep and b in keep:
            out.setdefault(keep[a], set()).add(keep[b])
    for label in keep.values():
        out.setdefault(label, set())
    return out


def render(graph):
    # Each target with what it links directly, programs first, then libraries
    # from the top of the graph down (a library comes after all that link it).
    order, seen = [], set()

    def visit(n):
        if n in seen:
            return
        seen.add(n)
        for d in sorted(graph[n]):
            visit(d)
        order.append(n)
    for n in sorted(graph):
        visit(n)
    order.reverse()
    width = max(len(n) for n in order)
    return "\n".join(f"{n.ljust(width)}  -> {', '.join(sorted(graph[n])) or '(outside libraries only)'}"
                     for n in order) + "\n"


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    text = render(edges(sys.argv[1]))
    if len(sys.argv) == 4 and sys.argv[2] == "--check":
        doc = open(sys.argv[3]).read()
        m = re.search(r"<!-- depgraph -->\n```text\n(.*?)```\n<!-- /depgraph -->", doc, re.S)
        if not m:
            sys.exit(f"{sys.argv[3]}: no depgraph block")
        if m.group(1) != text:
            sys.stdout.write("The README's graph differs from the build's; the build's is:\n" + text)
            sys.exit(1)
        print("the README's graph is the build's")
        return
    sys.stdout.write(text)


main()
