#!/usr/bin/env python3
"""Checks that the project's documents stay true: every relative link and anchor in README.md,
CONTRIBUTING.md and docs/*.md resolves; every script and CMake preset they name exists; every
CTest label of a build tree is described in the table of docs/testing.md's section "Tiers", and
every label described there exists.

    scripts/check-docs.py SOURCE_DIR [BUILD_DIR]

Without BUILD_DIR the labels are not compared. Exits 1 and says what is wrong."""
import json
import re
import sys
from pathlib import Path

root = Path(sys.argv[1]).resolve()
build = Path(sys.argv[2]).resolve() if len(sys.argv) > 2 else None
pages = [root / "README.md", root / "CONTRIBUTING.md", *sorted((root / "docs").glob("*.md"))]
faults = []


def slug(heading):
    """The anchor a heading gets on the usual forges: lower case, punctuation dropped, spaces
    to hyphens."""
    text = re.sub(r"[`*_]", "", heading.strip().lower())
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(page):
    found, seen = set(), {}
    fenced = False
    for line in page.read_text(encoding="utf-8").splitlines():
        if line.startswith("```"):
            fenced = not fenced
        if fenced:
            continue
        match = re.match(r"#{1,6} (.*)", line)
        if match:
            base = slug(match.group(1))
            count = seen.get(base, 0)
            seen[base] = count + 1
            found.add(base if count == 0 else f"{base}-{count}")
    return found


def prose(page):
    """The page without its fenced blocks."""
    lines, fenced = [], False
    for line in page.read_text(encoding="utf-8").splitlines():
        if line.startswith("```"):
            fenced = not fenced
            continue
        lines.append("" if fenced else line)
    return "\n".join(lines)


presets_file = json.loads((root / "CMakePresets.json").read_text(encoding="utf-8"))
presets = {p["name"] for kind in ("configurePresets", "buildPresets", "testPresets")
           for p in presets_file.get(kind, [])}

for page in pages:
    if not page.exists():
        faults.append(f"{page.relative_to(root)} is missing")
        continue
    name = page.relative_to(root)
    text = page.read_text(encoding="utf-8")
    for target in re.findall(r"\]\(([^)\s]+)\)", prose(page)):
        if re.match(r"[a-z]+:", target):
            continue  # an address outside the project
        path, _, anchor = target.partition("#")
        file = (page.parent / path).resolve() if path else page
        if not file.exists():
            faults.append(f"{name}: the link {target} leads nowhere")
        elif anchor and file.suffix == ".md" and anchor not in anchors(file):
            faults.append(f"{name}: the link {target} has no such heading")
    for script in re.findall(r"(?<![\w/.-])((?:scripts|bench|\.ci|packaging|ui/tests|web/tests)/[\w./-]+)", text):
        script = script.rstrip(".")
        if re.search(r"\.(sh|py|mjs)$|^\.ci/run$", script) and not (root / script).exists():
            faults.append(f"{name}: names {script}, which does not exist")
    for preset in re.findall(r"--preset[ =]([\w-]+)", text):
        if preset not in presets:
            faults.append(f"{name}: names the preset {preset}, which does not exist")

if build:
    # Read from the tree's test files: running CTest itself here, inside a CTest run, would write
    # over that run's log.
    labels = set()
    # (CTestTestfile.cmake, and the lists of GoogleTest's discovered tests.)
    for testfile in build.rglob("*.cmake"):
        if "CMakeFiles" in testfile.parts:
            continue
        text = testfile.read_text(encoding="utf-8", errors="replace")
        for quoted, bracketed, bare in re.findall(
                r'LABELS\s+(?:"([^"]*)"|\[=*\[(.*?)\]=*\]|([^\s)"\[]+))', text):
            listed = quoted or bracketed or bare
            labels.update(label for label in listed.split(";") if label)
    testing = root / "docs" / "testing.md"
    described = set()
    if testing.exists():
        # The table of the section "Tiers": its first column names each label.
        section = re.search(r"^## Tiers\n(.*?)(?=^## |\Z)", testing.read_text(encoding="utf-8"),
                            re.M | re.S)
        if section:
            described = set(re.findall(r"^\| `([\w-]+)` \|", section.group(1), re.M))
    for label in sorted(labels - described):
        faults.append(f"docs/testing.md: the label {label} is not described in its table of tiers")
    for label in sorted(described - labels):
        faults.append(f"docs/testing.md: describes the label {label}, which no test has")

for fault in faults:
    print(fault)
print(f"{len(pages)} pages checked: " + ("all true" if not faults else f"{len(faults)} faults"))
sys.exit(1 if faults else 0)
