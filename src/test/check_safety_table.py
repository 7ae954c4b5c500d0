#!/usr/bin/env python3
"""Every row of docs/safety.md names at least one test, and every test it names exists.

Arguments: the source folder, then optionally ctest and the build folder, for
rows naming ctest entries ("ctest: name, name").
"""
import pathlib
import re
import subprocess
import sys

root = pathlib.Path(sys.argv[1])
table = (root / "docs/safety.md").read_text()
sources = {}
for directory in ("src/test/cpp", "sim/test", "src/test/fuzz"):
    for path in (root / directory).glob("*.cpp"):
        sources[path.name] = sources.get(path.name, "") + path.read_text()

ctests = None
if len(sys.argv) > 3:
    listing = subprocess.run([sys.argv[2], "-N"], cwd=sys.argv[3], capture_output=True, text=True).stdout
    ctests = set(re.findall(r"Test +#\d+: (\S+)", listing))

problems = []
rows = [line for line in table.splitlines() if line.startswith("| ") and not line.startswith("| input")]
for row in rows:
    cells = [c.strip() for c in row.strip("|").split("|")]
    refs = cells[-1]
    found = 0
    for target in re.findall(r"fuzz: (\w+_fuzz)", refs):
        found += 1
        if target + ".cpp" not in sources:
            problems.append(f"no fuzz target {target}.cpp: {row}")
    for file, names in re.findall(r"(\w+_test): ([\w., ]+?)(?:;|$)", refs):
        source = sources.get(file + ".cpp")
        if source is None:
            problems.append(f"no test file {file}.cpp: {row}")
            continue
        found += 1
        for name in re.findall(r"(\w+)\.(\w+)", names):
            if not re.search(rf"TEST(_F)?\({name[0]}, {name[1]}\)", source):
                problems.append(f"no test {name[0]}.{name[1]} in {file}.cpp")
    for names in re.findall(r"ctest: ([\w, ]+?)(?:;|$)", refs):
        for name in re.findall(r"\w+", names):
            found += 1
            if ctests is not None and name not in ctests:
                problems.append(f"no ctest entry {name}: {row}")
    if found == 0:
        problems.append(f"row without a test: {row}")

for problem in problems:
    print(problem)
print(f"{len(rows)} rows, {len(problems)} problem(s)")
sys.exit(1 if problems else 0)
