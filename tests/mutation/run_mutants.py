#!/usr/bin/env python3
"""Puts single faults into the game's code one at a time and runs the whole test suite on each.

Every mutant in mutants.txt names a file, a piece of its code text and what replaces it. For
each one the runner checks that the text occurs exactly once (otherwise the mutant is reported
"not applied": the code has moved on and the list needs a look), writes the fault into the
working tree, builds incrementally in its own build folder, runs the suite until the first
failing test (the tests named by the mutant first, then all the others) and puts the file back
byte for byte. A mutant is "killed" when a test fails or the suite hangs, "survived" when the
whole suite passes, "not compiled" when the fault does not build.

    tests/mutation/run_mutants.py                 # every mutant
    tests/mutation/run_mutants.py --only a,b      # some of them
    tests/mutation/run_mutants.py --check         # only whether each one still applies

The table goes to stdout and to <build folder>/report.md.
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
LIST = Path(__file__).resolve().parent / "mutants.txt"
KEYS = {"id", "room", "in", "find", "put", "tests", "occurrence", "expect", "what"}


@dataclass
class Mutant:
    id: str
    room: str = ""
    path: str = ""
    find: str = ""
    put: str = ""
    tests: str = ""
    occurrence: int = 0  # 0: the text must occur exactly once
    expect: str = ""     # why no test can catch it, for a fault known to be equivalent
    what: str = ""       # what the player would feel
    result: str = ""
    killer: str = ""
    seconds: float = 0.0
    extra: dict = field(default_factory=dict)


def parse_list(path):
    """Blocks of "key: value" lines separated by blank lines; a line starting with two spaces
    continues the value before it on a new line; "#" starts a comment line."""
    mutants, current, last = [], {}, None

    def close():
        if current:
            unknown = set(current) - KEYS
            if unknown or "id" not in current:
                sys.exit(f"{path}: bad block {current.get('id', '?')}: {sorted(unknown)}")
            m = Mutant(id=current["id"], room=current.get("room", ""),
                       path=current.get("in", ""), find=current.get("find", ""),
                       put=current.get("put", ""), tests=current.get("tests", ""),
                       occurrence=int(current.get("occurrence", "0")),
                       expect=current.get("expect", ""), what=current.get("what", ""))
            mutants.append(m)

    for raw in path.read_text(encoding="utf-8").splitlines():
        if raw.startswith("#"):
            continue
        if not raw.strip():
            close()
            current, last = {}, None
            continue
        if raw.startswith("  ") and last:
            current[last] += "\n" + raw[2:]
            continue
        key, sep, value = raw.partition(":")
        if not sep:
            sys.exit(f"{path}: not a 'key: value' line: {raw!r}")
        key = key.strip()
        current[key] = value[1:] if value.startswith(" ") else value
        last = key
    close()
    ids = [m.id for m in mutants]
    if len(ids) != len(set(ids)):
        sys.exit(f"{path}: an id is used twice")
    return mutants


def locate(mutant, text):
    """The index where the mutant's text starts, or a reason why it cannot be applied."""
    starts = [m.start() for m in re.finditer(re.escape(mutant.find), text)]
    if not starts:
        return None, "text not found"
    if mutant.occurrence:
        if mutant.occurrence > len(starts):
            return None, f"only {len(starts)} occurrences"
        return starts[mutant.occurrence - 1], ""
    if len(starts) > 1:
        return None, f"text found {len(starts)} times"
    return starts[0], ""


class Tree:
    """Applies one mutant at a time and always puts the file back, even after a crash of the
    runner (the original is kept beside the build until it has been restored)."""

    def __init__(self, build):
        self.backup = build / "mutation-original.json"
        if self.restore():
            print("restored a file an interrupted run had left mutated")

    def restore(self):
        if not self.backup.exists():
            return False
        saved = json.loads(self.backup.read_text(encoding="utf-8"))
        (ROOT / saved["path"]).write_bytes(saved["bytes"].encode("latin-1"))
        self.backup.unlink()
        return True

    def apply(self, mutant, start):
        target = ROOT / mutant.path
        original = target.read_bytes()
        self.backup.write_text(json.dumps({"path": mutant.path,
                                           "bytes": original.decode("latin-1")}),
                               encoding="utf-8")
        text = original.decode("utf-8")
        mutated = text[:start] + mutant.put + text[start + len(mutant.find):]
        target.write_bytes(mutated.encode("utf-8"))


def run(cmd, log, timeout=None):
    """Runs a command in its own process group; its output goes to the log. The exit status,
    or None when it ran out of time (the whole group is then killed)."""
    with open(log, "ab") as out:
        out.write(("\n$ " + " ".join(cmd) + "\n").encode())
        out.flush()
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy")
        proc = subprocess.Popen(cmd, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT,
                                start_new_session=True, env=env)
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
            return None


def configure(build, log):
    # Without debug information the test programs link faster; a fault that only warns still
    # builds.
    cmd = ["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
           "-DJIGSAW_WARNINGS_AS_ERRORS=OFF"]
    if shutil.which("ccache"):
        cmd += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    if run(cmd, log) != 0:
        sys.exit(f"configuring failed; see {log}")


def build_tree(build, jobs, log):
    return run(["cmake", "--build", str(build), "-j", str(jobs)], log) == 0


def first_failure(log):
    """The name of the first test ctest reported as failed in the log's last run."""
    text = Path(log).read_text(encoding="utf-8", errors="replace")
    last = text.rfind("\n$ ")
    for line in text[last:].splitlines():
        hit = re.search(r"Test\s+#\d+:\s+(\S+)\s+\.*\**\s*(Failed|Timeout|Exception|SEGFAULT|"
                        r"Subprocess aborted|Child aborted|\*\*\*)", line)
        if hit:
            return hit.group(1)
    return "?"


def run_suite(build, mutant, jobs, log, budget):
    """'killed' with the failing test, or 'survived'. The named tests run first."""
    ctest = ["ctest", "--test-dir", str(build), "-j", str(jobs), "--stop-on-failure",
                "--output-on-failure"]
    rounds = [["-R", mutant.tests], ["-E", mutant.tests]] if mutant.tests else [[]]
    started = time.monotonic()
    for selection in rounds:
        left = budget - (time.monotonic() - started)
        status = run(ctest + selection, log, timeout=max(left, 60))
        if status is None:
            return "killed", "the suite hung (timeout)"
        if status != 0:
            return "killed", first_failure(log)
    return "survived", ""


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=str(ROOT / "build" / "mutation"))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--only", default="", help="comma-separated mutant ids")
    parser.add_argument("--room", default="", help="only the mutants of rooms matching this")
    parser.add_argument("--check", action="store_true", help="only check that they apply")
    parser.add_argument("--budget", type=float, default=0,
                        help="seconds a mutant's suite may take before it counts as hung "
                             "(default: three times the clean suite)")
    args = parser.parse_args()

    mutants = parse_list(LIST)
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in mutants if m.id in wanted]
    if args.room:
        mutants = [m for m in mutants if re.search(args.room, m.room)]

    build = Path(args.build)
    build.mkdir(parents=True, exist_ok=True)
    tree = Tree(build)
    log = build / "mutation.log"

    applicable = []
    for m in mutants:
        source = ROOT / m.path
        if not source.is_file():
            m.result, m.killer = "not applied", "no such file"
            continue
        start, why = locate(m, source.read_text(encoding="utf-8"))
        if start is None:
            m.result, m.killer = "not applied", why
            continue
        applicable.append((m, start))
    if args.check:
        for m in mutants:
            print(f"{m.id:40} {m.result or 'applies'} {m.killer}", flush=True)
        return 1 if any(m.result for m in mutants) else 0

    def interrupted(signum, frame):
        tree.restore()
        sys.exit(f"stopped by signal {signum}; the working tree is restored")
    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)

    log.write_text("", encoding="utf-8")
    configure(build, log)
    print("building and running the clean suite ...", flush=True)
    started = time.monotonic()
    if not build_tree(build, args.jobs, log):
        sys.exit(f"the clean tree does not build; see {log}")
    built = time.monotonic()
    if run(["ctest", "--test-dir", str(build), "-j", str(args.jobs)], log) != 0:
        sys.exit(f"the clean suite fails; see {log}")
    suite = time.monotonic() - built
    budget = args.budget or max(3 * suite, 300)
    print(f"clean suite: {suite:.0f} s; a mutant's suite counts as hung after {budget:.0f} s",
          flush=True)

    for n, (m, start) in enumerate(applicable, 1):
        began = time.monotonic()
        try:
            tree.apply(m, start)
            if not build_tree(build, args.jobs, log):
                m.result = "not compiled"
            else:
                m.result, m.killer = run_suite(build, m, args.jobs, log, budget)
        finally:
            tree.restore()
        m.seconds = time.monotonic() - began
        print(f"[{n}/{len(applicable)}] {m.id}: {m.result} {m.killer} ({m.seconds:.0f} s)",
              flush=True)
    # The last restored file is rebuilt, so the folder ends as clean as it started.
    build_tree(build, args.jobs, log)

    report = make_report(mutants, time.monotonic() - started)
    (build / "report.md").write_text(report, encoding="utf-8")
    print(report)
    return 0


def make_report(mutants, seconds):
    rows = ["| # | mutant | room | fault in | result | caught by / why not |",
            "|---|---|---|---|---|---|"]
    for n, m in enumerate(mutants, 1):
        why = m.killer
        if m.result == "survived" and m.expect:
            why = "equivalent: " + m.expect
        rows.append(f"| {n} | {m.id} | {m.room} | {m.path} | {m.result} | {why} |")
    killed = sum(m.result == "killed" for m in mutants)
    survived = [m for m in mutants if m.result == "survived"]
    equivalent = sum(bool(m.expect) for m in survived)
    counted = killed + len(survived) - equivalent
    rate = 100.0 * killed / counted if counted else 0.0
    not_applied = sum(m.result == "not applied" for m in mutants)
    not_compiled = sum(m.result == "not compiled" for m in mutants)
    summary = (f"\n{len(mutants)} mutants: {killed} killed, {len(survived)} survived "
               f"({equivalent} of them equivalent), {not_compiled} not compiled, "
               f"{not_applied} not applied. Kill rate of the faults that change behaviour: "
               f"{killed}/{counted} = {rate:.1f} %. Run time {seconds / 60:.0f} min.\n")
    return "\n".join(rows) + "\n" + summary


if __name__ == "__main__":
    sys.exit(main())
