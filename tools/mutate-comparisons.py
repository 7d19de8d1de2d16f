#!/usr/bin/env python3
"""Flips chosen comparison operators of the core, one at a time, and sees whether a test fails.

Each site of the sites file is mutated in place (< <-> <=, > <-> >=), the core test binaries
that cover its folder are rebuilt incrementally and run (first failure stops a binary), and the
file is put back, whatever happens: on an error, Ctrl-C or SIGTERM the original bytes are
written back, and a copy kept in the build folder restores them at the next start should the
script itself be killed.

  tools/mutate-comparisons.py list FILE...          candidate sites, in the sites-file format
  tools/mutate-comparisons.py run --build DIR       the whole sample of tools/mutation-sites.txt
      [--sites FILE] [--only TEXT] [--jobs N] [--results FILE]

The build folder must be a configured headless build (-DBUILD_GUI=OFF) of this source tree.
Run it niced on a shared machine: nice -n 10 tools/mutate-comparisons.py run --build build-rel

Sites file: one site per line, "path:N: text" or "path:N@K: text", where text is the whole
line with its indentation stripped, N picks the N-th comparison on that line and K the K-th
line of the file with that text (both from 1). Lines starting with # are comments.
"""

import argparse
import hashlib
import json
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

SOURCE = Path(__file__).resolve().parent.parent
# A comparison as clang-format writes it: blanks on both sides, which no template bracket,
# shift, arrow or spaceship has.
COMPARISON = re.compile(r"(?<=\s)(<=|>=|<|>)(?=\s)")
FLIPPED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
# The test binaries that cover each folder of the core; those missing from a build are skipped.
# The quick ones come first, as the first failure ends a mutant's run.
TESTS = {
    "andor": ["test_pattern_core", "test_andor_core", "test_andor_classic"],
    "wang": ["test_pattern_core", "test_wang_core"],
}
BACKUP_NAME = "mutation-backup.json"


@dataclass
class Site:
    path: str
    nth: int
    kth: int
    text: str

    def label(self) -> str:
        return f"{self.path}:{self.nth}@{self.kth}: {self.text}"


def code_part(line: str) -> str:
    """The line without a trailing // comment (no string in the core holds //)."""
    at = line.find("//")
    return line if at < 0 else line[:at]


def comparisons(line: str):
    stripped = line.lstrip()
    if stripped.startswith(("#", "//", "*", "/*")):
        return []
    return list(COMPARISON.finditer(code_part(line) + "\n"))


def list_sites(files):
    for name in files:
        path = Path(name)
        relative = path.resolve().relative_to(SOURCE).as_posix()
        seen = {}
        for line in path.read_text().splitlines():
            text = line.strip()
            seen[text] = seen.get(text, 0) + 1
            for nth, _ in enumerate(comparisons(line), start=1):
                kth = seen[text]
                place = f"{nth}" if kth == 1 else f"{nth}@{kth}"
                print(f"{relative}:{place}: {text}")


def read_sites(sites_file: Path):
    sites = []
    pattern = re.compile(r"^([^:\s]+):(\d+)(?:@(\d+))?: (.*)$")
    for number, line in enumerate(sites_file.read_text().splitlines(), start=1):
        if not line.strip() or line.startswith("#"):
            continue
        match = pattern.match(line)
        if not match:
            sys.exit(f"{sites_file}:{number}: not a site: {line}")
        path, nth, kth, text = match.groups()
        sites.append(Site(path, int(nth), int(kth or 1), text.strip()))
    return sites


def mutate(original: str, site: Site):
    """The file's text with the site's operator flipped, and a description; None if absent."""
    lines = original.splitlines(keepends=True)
    found = 0
    for index, line in enumerate(lines):
        if line.strip() != site.text:
            continue
        found += 1
        if found != site.kth:
            continue
        matches = comparisons(line)
        if site.nth > len(matches):
            return None
        match = matches[site.nth - 1]
        operator = match.group(1)
        lines[index] = line[: match.start()] + FLIPPED[operator] + line[match.end():]
        return "".join(lines), index + 1, f"{operator} -> {FLIPPED[operator]}"
    return None


class Restorer:
    """Keeps a file's original bytes on disk while it is mutated, and writes them back."""

    def __init__(self, build: Path):
        self.backup = build / BACKUP_NAME

    def recover(self):
        if not self.backup.exists():
            return
        saved = json.loads(self.backup.read_text())
        Path(saved["path"]).write_text(saved["text"])
        self.backup.unlink()
        print(f"restored {saved['path']} from an interrupted run", flush=True)

    def hold(self, path: Path, text: str):
        self.backup.write_text(json.dumps({"path": str(path), "text": text}))

    def put_back(self, path: Path, text: str):
        path.write_text(text)
        self.backup.unlink(missing_ok=True)


def digest(text: str) -> str:
    return hashlib.sha256(text.encode()).hexdigest()


def run_child(command, timeout=None, cwd=None):
    """Runs a command in its own process group, killed whole on timeout or interruption."""
    child = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             text=True, start_new_session=True)
    try:
        output, _ = child.communicate(timeout=timeout)
        return child.returncode, output, False
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        output, _ = child.communicate()
        return None, output, True
    except BaseException:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        raise


def find_binaries(build: Path, folder: str):
    """The test binaries of a folder that the build defines, built or not yet."""
    rules = (build / "build.ninja").read_text()
    found = []
    for name in TESTS[folder]:
        output = re.search(rf"^build (tests/\S+/{name}): ", rules, re.MULTILINE)
        if output:
            found.append(build / output.group(1))
    return found


def all_binaries(build: Path, folders):
    binaries = []
    for folder in folders:
        binaries += [b for b in find_binaries(build, folder) if b not in binaries]
    return binaries


def build_targets(build: Path, binaries, jobs: int):
    names = [binary.name for binary in binaries]
    code, output, _ = run_child(["cmake", "--build", str(build), "-j", str(jobs), "--target",
                                 *names])
    return code == 0, output


def run_tests(binaries, timeouts):
    """'survived', or a reason the mutant was killed: the binary and its first failing test."""
    for binary in binaries:
        code, output, timed_out = run_child(
            [str(binary), "--gtest_fail_fast", "--gtest_brief=1"], timeout=timeouts[binary],
            cwd=binary.parent)
        if timed_out:
            return f"killed: {binary.name} timed out"
        if code != 0:
            failed = re.search(r"\[  FAILED  \] (\S+)", output)
            where = failed.group(1) if failed else f"exit status {code}"
            return f"killed: {binary.name} {where}"
    return "survived"


def baseline(build: Path, folders, jobs: int):
    """Builds the unmutated tests, checks that they pass and sets each binary's time limit."""
    binaries = all_binaries(build, folders)
    built, output = build_targets(build, binaries, jobs)
    if not built:
        sys.exit("the unmutated build fails:\n" + output[-3000:])
    timeouts = {}
    for binary in binaries:
        start = time.monotonic()
        code, output, _ = run_child([str(binary), "--gtest_brief=1"], cwd=binary.parent)
        if code != 0:
            sys.exit(f"{binary.name} fails before any mutation:\n" + output[-3000:])
        spent = time.monotonic() - start
        # A mutant that makes a search run away is killed by the limit, not waited for.
        timeouts[binary] = 3 * spent + 30
        print(f"baseline {binary.name}: {spent:.1f} s", flush=True)
    return timeouts


def run_sample(args):
    build = Path(args.build).resolve()
    restorer = Restorer(build)
    restorer.recover()
    sites = read_sites(Path(args.sites))
    if args.only:
        sites = [site for site in sites if args.only in site.label()]
    folders = sorted({site.path.split("/")[0] for site in sites})
    timeouts = baseline(build, folders, args.jobs)
    results = []
    out = open(args.results, "w") if args.results else None

    def stop(signum, _frame):
        raise KeyboardInterrupt(f"signal {signum}")

    signal.signal(signal.SIGTERM, stop)
    completed = False
    try:
        for number, site in enumerate(sites, start=1):
            path = SOURCE / site.path
            original = path.read_text()
            mutated = mutate(original, site)
            if mutated is None:
                outcome, line, change = "site not found", 0, ""
            else:
                text, line, change = mutated
                start = time.monotonic()
                restorer.hold(path, original)
                try:
                    path.write_text(text)
                    binaries = find_binaries(build, site.path.split("/")[0])
                    built, build_output = build_targets(build, binaries, args.jobs)
                    if built:
                        outcome = run_tests(binaries, timeouts)
                    else:
                        outcome = "build failed"
                finally:
                    restorer.put_back(path, original)
                if digest(path.read_text()) != digest(original):
                    sys.exit(f"{path} could not be restored")
                outcome += f" ({time.monotonic() - start:.0f} s)"
            entry = f"{site.path}:{line} {change}  {site.text}\n    {outcome}"
            results.append((site, outcome))
            print(f"[{number}/{len(sites)}] {entry}", flush=True)
            if out:
                out.write(entry + "\n")
                out.flush()
        completed = True
    finally:
        if out:
            out.close()
    # The build folder follows the restored sources again (after an interruption, the next
    # build does it: every restored file is newer than its mutant's objects).
    if completed:
        build_targets(build, all_binaries(build, folders), args.jobs)
    tried = [outcome for _, outcome in results if outcome.startswith(("killed", "survived"))]
    killed = sum(outcome.startswith("killed") for outcome in tried)
    print(f"\nkilled {killed} of {len(tried)} mutants"
          + (f" ({100.0 * killed / len(tried):.0f} %)" if tried else ""))
    for site, outcome in results:
        if not outcome.startswith("killed"):
            print(f"  {outcome.split(' (')[0]}: {site.label()}")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    listing = commands.add_parser("list", help="print the comparisons of files as sites")
    listing.add_argument("files", nargs="+")
    running = commands.add_parser("run", help="mutate every site, build, test and restore")
    running.add_argument("--build", required=True, help="configured headless build folder")
    running.add_argument("--sites", default=str(SOURCE / "tools" / "mutation-sites.txt"))
    running.add_argument("--only", help="only the sites whose line contains this text")
    running.add_argument("--jobs", type=int, default=2)
    running.add_argument("--results", help="also write each outcome to this file")
    args = parser.parse_args()
    if args.command == "list":
        list_sites(args.files)
    else:
        try:
            run_sample(args)
        except KeyboardInterrupt:
            sys.exit("interrupted; the mutated file is restored")


if __name__ == "__main__":
    main()
