#!/usr/bin/env python3
"""What each test catches, measured: for keeping the suite small and sharp.

  tools/test_value.py coverage BUILD OUT.json
      BUILD is a build configured with `--coverage -O0` (tools/dev.sh coverage makes one).
      Runs every CTest entry on its own, each writing its gcov counters under a folder of its
      own (GCOV_PREFIX), and records the lines and branches of src/ each one covers. An
      end-to-end program counts as its own translation (the batch that compiles them all is
      left out, so that one program's lines are not hidden behind the batch). Java: the
      runtime methods each runtime test group, runtime program and end-to-end program touches
      (the JVM's touched-method log). Prints, per test and per test file, what nothing else
      covers.
  tools/test_value.py mutants BUILD OUT.json [--count N] [--seed S] [--files GLOB...]
      Makes N mutants of src/ (comparison flipped, && and || swapped, a statement dropped, a
      constant changed; the same ones for the same seed and sources), builds each in BUILD
      (a plain build of its own: the sources are mutated in place and restored), and records
      which tests kill it: every unit test, golden program and the CLI test, and the first
      end-to-end program whose Java or report changes and whose screen then differs.
  tools/test_value.py report COVERAGE.json [MUTANTS.json]
      Prints the figures of earlier runs again, and the tests that cover nothing of their own
      and kill no mutant alone: the candidates for removal.
"""
import argparse
import collections
import glob
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIP_COVERAGE = {"e2e.compile", "e2e.mutants", "e2e.window"}  # batches, or a test needing a display


def ctest_entries(build):
    out = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"], check=True,
                         capture_output=True, text=True).stdout
    entries = []
    for t in json.loads(out)["tests"]:
        props = {p["name"]: p["value"] for p in t.get("properties", [])}
        env = dict(e.split("=", 1) for e in props.get("ENVIRONMENT", []))
        entries.append({"name": t["name"], "command": t.get("command"), "cwd": props.get("WORKING_DIRECTORY", build),
                        "env": env, "labels": props.get("LABELS", [])})
    return entries


def e2e_translation(build, name, out_dir):
    """The C++ side of an end-to-end program: its translation."""
    program = os.path.join(ROOT, "tests", "e2e", name + ".txt")
    return [os.path.join(build, "corvel"), "-q", "--no-javac", "-o", out_dir, program]


# ---- C++ coverage ----

def gcov_read(counters, build, lines, branches, executed):
    """Adds the lines and branches of src/ that gcov finds in `counters` (a .gcda or .gcno file):
    those that ran when `executed`, else every one."""
    res = subprocess.run(["gcov", "-j", "-t", "-b", "-o", os.path.dirname(counters), counters],
                         capture_output=True, text=True, cwd=build)
    for doc in res.stdout.splitlines():
        if not doc.strip().startswith("{"):
            continue
        for f in json.loads(doc).get("files", []):
            path = os.path.realpath(os.path.join(build, f["file"]))
            if not path.startswith(os.path.join(ROOT, "src") + os.sep):
                continue
            rel = os.path.relpath(path, ROOT)
            for ln in f["lines"]:
                if ln["count"] > 0 or not executed:
                    lines.add(f"{rel}:{ln['line_number']}")
                for k, b in enumerate(ln.get("branches", [])):
                    if b["count"] > 0 or not executed:
                        branches.add(f"{rel}:{ln['line_number']}:{k}")


def gcov_files(prefix, build):
    """Line and branch sets of src/ from the counters one test wrote under prefix."""
    lines, branches = set(), set()
    for gcda in glob.glob(os.path.join(prefix, build.lstrip("/"), "**", "*.gcda"), recursive=True):
        gcno = os.path.join("/", os.path.relpath(gcda, prefix))[:-5] + ".gcno"
        if not os.path.exists(gcno):
            continue
        local_gcno = gcda[:-5] + ".gcno"
        if not os.path.exists(local_gcno):
            os.symlink(gcno, local_gcno)
        gcov_read(gcda, build, lines, branches, executed=True)
    return lines, branches


def all_lines(build):
    """Every instrumented line and branch of src/ (the denominators)."""
    lines, branches = set(), set()
    for gcno in glob.glob(os.path.join(build, "**", "*.gcno"), recursive=True):
        gcov_read(gcno, build, lines, branches, executed=False)
    return lines, branches


# ---- Java method coverage ----

TOUCHED = ["-XX:+UnlockDiagnosticVMOptions", "-XX:+LogTouchedMethods", "-XX:+PrintTouchedMethodsAtExit"]


def touched(output):
    return {m for m in output.splitlines() if re.match(r"^KW[A-Z]_", m) and "$$Lambda" not in m}


def java_groups(build):
    """RuntimeTests' groups, each run alone through a small reflective driver."""
    src = open(os.path.join(ROOT, "tests", "runtime", "RuntimeTests.java"), encoding="utf-8").read()
    body = src[src.index("public static void main"):]
    body = body[:body.index("System.out.println(passed")]
    groups = re.findall(r"^\s+(\w+)\(\);", body, re.M)
    work = tempfile.mkdtemp()
    with open(os.path.join(work, "RunGroup.java"), "w") as f:
        f.write("public class RunGroup { public static void main(String[] a) throws Exception {"
                " var m = Class.forName(\"RuntimeTests\").getDeclaredMethod(a[0]); m.setAccessible(true);"
                " m.invoke(null); } }")
    cp = f"{build}/runtime/test-classes:{build}/SysLib:{work}"
    subprocess.run(["javac", "-d", work, "-cp", cp, os.path.join(work, "RunGroup.java")], check=True)
    result = {}
    for g in groups:
        res = subprocess.run(["java", *TOUCHED, "-Djava.awt.headless=true", "-cp", cp, "RunGroup", g],
                             capture_output=True, text=True, timeout=300)
        result[f"runtime.unit/{g}"] = touched(res.stdout)
    shutil.rmtree(work)
    return result


def java_programs(build):
    """The runtime's own programs and every compiled end-to-end program, run by the viewer."""
    result = {}
    folders = [os.path.join(build, "tests", batch, "*", "output folder") for batch in ("e2e programs", "e2e pixels")]
    for out in sorted(o for pattern in folders for o in glob.glob(pattern)):
        name = os.path.basename(os.path.dirname(out))
        label = ("e2e.pixels/" if "e2e pixels" in out else "e2e.") + name
        if not os.path.exists(os.path.join(out, name + ".class")):
            continue
        cmd = ["java", *TOUCHED, "-cp", out, "KWC_Viewer", "--headless", "--timeout-ms", "20000", "--dump-text", "-"]
        inp = os.path.join(ROOT, "tests", "e2e", name + ".in")
        if os.path.exists(inp):
            cmd += ["--input", inp]
        res = subprocess.run(cmd + [name + ".html"], cwd=out, capture_output=True, text=True, timeout=120)
        result[label] = touched(res.stdout)
    programs = os.path.join(ROOT, "tests", "runtime", "programs")
    for d in sorted(glob.glob(os.path.join(programs, "*"))):
        name = os.path.basename(d)
        work = tempfile.mkdtemp()
        shutil.copytree(os.path.join(build, "SysLib"), work, dirs_exist_ok=True)
        subprocess.run(["javac", "-encoding", "UTF-8", "-cp", work, "-d", work, os.path.join(d, name + ".java")],
                       capture_output=True)
        cmd = ["java", *TOUCHED, "-cp", work, "KWC_Viewer", "--headless", "--timeout-ms", "5000", "--dump-text", "-"]
        if os.path.exists(os.path.join(d, name + ".in")):
            cmd += ["--input", os.path.join(d, name + ".in")]
        if os.path.exists(os.path.join(d, name + ".args")):
            cmd += open(os.path.join(d, name + ".args")).read().split()
        shutil.copy(os.path.join(d, name + ".html"), work)
        res = subprocess.run(cmd + [name + ".html"], cwd=work, capture_output=True, text=True, timeout=120)
        result[f"runtime.programs/{name}"] = touched(res.stdout)
        shutil.rmtree(work)
    return result


def runtime_methods(build):
    out = subprocess.run(["javap", "-p", "-cp", os.path.join(build, "SysLib")] +
                         sorted(os.path.basename(c)[:-6] for c in glob.glob(os.path.join(build, "SysLib", "KW*.class"))),
                         capture_output=True, text=True).stdout
    return len([l for l in out.splitlines() if "(" in l and not l.strip().startswith("static {}")])


def unit_file_of(build):
    """Maps a GoogleTest suite to the test file that holds it."""
    mapping = {}
    for path in glob.glob(os.path.join(ROOT, "tests", "unit", "*.cpp")):
        for suite in re.findall(r"^TEST(?:_F|_P)?\((\w+),", open(path, encoding="utf-8").read(), re.M):
            mapping[suite] = os.path.relpath(path, ROOT)
    return mapping


def coverage(args):
    build = os.path.realpath(args.build)
    entries = [e for e in ctest_entries(build)
               if e["name"] not in SKIP_COVERAGE and re.search(args.only, e["name"])]
    prefix_root = tempfile.mkdtemp(prefix="corvel-cov-")
    # The end-to-end programs must be compiled for the Java side: one batch run, as ctest would.
    subprocess.run(["ctest", "--test-dir", build, "-R", "^e2e.compile$"], capture_output=True)
    cpp, timing = {}, {}
    for e in entries:
        name = e["name"]
        prefix = os.path.join(prefix_root, re.sub(r"[^\w.-]", "_", name))
        env = dict(os.environ, GCOV_PREFIX=prefix, GCOV_PREFIX_STRIP="0", **e["env"])
        cmd = e["command"]
        scratch = None
        if name.startswith("e2e.") and os.path.exists(os.path.join(ROOT, "tests", "e2e", name[4:] + ".txt")):
            scratch = tempfile.mkdtemp()
            cmd = e2e_translation(build, name[4:], scratch)
        start = time.time()
        try:
            subprocess.run(cmd, cwd=e["cwd"], env=env, capture_output=True, timeout=1800)
        except subprocess.TimeoutExpired:
            print(f"{name}: timed out", file=sys.stderr)
        timing[name] = round(time.time() - start, 2)
        if scratch:
            shutil.rmtree(scratch)
        lines, branches = gcov_files(prefix, build)
        cpp[name] = {"lines": sorted(lines), "branches": sorted(branches)}
        print(f"{name}: {len(lines)} lines, {len(branches)} branches, {timing[name]} s", file=sys.stderr, flush=True)
        shutil.rmtree(prefix, ignore_errors=True)
    shutil.rmtree(prefix_root, ignore_errors=True)
    java = {k: sorted(v) for k, v in {**java_groups(build), **java_programs(build)}.items()}
    total_lines, total_branches = all_lines(build)
    data = {"cpp": cpp, "java": java, "timing": timing, "unit_files": unit_file_of(build),
            "total_lines": len(total_lines), "total_branches": len(total_branches),
            "runtime_methods": runtime_methods(build)}
    json.dump(data, open(args.out, "w"), indent=0)
    report_coverage(data)


def unique(sets):
    """For each key, the members no other key has."""
    count = collections.Counter(m for s in sets.values() for m in s)
    return {k: {m for m in s if count[m] == 1} for k, s in sets.items()}


def group_of(name, unit_files):
    if name.startswith(("golden.", "e2e.", "runtime.", "ui.")):
        if name.startswith("e2e.") and "/" not in name and name.count(".") == 1:
            return name.split(".")[0] + " programs"
        return name.split("/")[0]
    return unit_files.get(name.split(".")[0], "unit (other)")


def report_coverage(data):
    cpp, java = data["cpp"], data["java"]
    lines = {k: set(v["lines"]) for k, v in cpp.items()}
    branches = {k: set(v["branches"]) for k, v in cpp.items()}
    all_l = set().union(*lines.values())
    all_b = set().union(*branches.values())
    print(f"C++ (src/): {len(all_l)} of {data['total_lines']} lines ({100 * len(all_l) / data['total_lines']:.1f} %), "
          f"{len(all_b)} of {data['total_branches']} branches ({100 * len(all_b) / data['total_branches']:.1f} %)")
    all_m = set().union(*map(set, java.values())) if java else set()
    print(f"Java (runtime/): {len(all_m)} of {data['runtime_methods']} methods touched "
          f"({100 * len(all_m) / max(1, data['runtime_methods']):.1f} %)")
    ul, ub, um = unique(lines), unique(branches), unique({k: set(v) for k, v in java.items()})
    print("\nPer test: lines / branches (C++) or methods (Java) that no other test covers")
    for k in sorted(set(cpp) | set(java)):
        print(f"  {k:55} {len(ul.get(k, ())):5} {len(ub.get(k, ())):5} {len(um.get(k, ())):5}")
    groups = collections.defaultdict(set)
    for k in cpp:
        groups[group_of(k, data["unit_files"])].add(k)
    print("\nPer test file or batch: lines / branches only it covers")
    gl = unique({g: set().union(*(lines[k] for k in ks)) for g, ks in groups.items()})
    gb = unique({g: set().union(*(branches[k] for k in ks)) for g, ks in groups.items()})
    for g in sorted(groups):
        print(f"  {g:55} {len(gl[g]):5} {len(gb[g]):5}")


# ---- mutants ----

MUTATIONS = [
    ("cmp", re.compile(r"(?<=[\w)\]] )(==|!=|<=|>=|<|>)(?= [\w(\"'!-])")),
    ("logic", re.compile(r"(?<= )(&&|\|\|)(?= )")),
    ("const", re.compile(r"(?<![\w.])(\d+)(?![\w.])")),
]
FLIP = {"==": "!=", "!=": "==", "<=": "<", ">=": ">", "<": "<=", ">": ">=", "&&": "||", "||": "&&"}


def mutation_sites(files):
    sites = []
    for path in files:
        text = open(path, encoding="utf-8").read().split("\n")
        depth = 0
        for i, line in enumerate(text):
            code = line.split("//")[0]
            stripped = code.strip()
            if depth > 0 and not stripped.startswith(("#", "case ", "default:")) and '"' not in stripped[:1]:
                if stripped.endswith(";") and not re.match(r"^(return|break|continue|const|auto|int|bool|std::|size_t|int16_t|int32_t|char|double|float|using|static|[A-Z]\w*(<.*>)? \w+( =|;|\())", stripped):
                    sites.append((path, i, "drop", 0, 0))
                for kind, rx in MUTATIONS:
                    for m in rx.finditer(code):
                        if kind == "const" and (code[:m.start()].count('"') % 2 == 1 or "[" in code[max(0, m.start() - 1):m.start()]):
                            continue
                        sites.append((path, i, kind, m.start(), m.end()))
            depth += code.count("{") - code.count("}")
    return sites


def apply_mutant(text, site):
    path, i, kind, s, e = site
    lines = text.split("\n")
    line = lines[i]
    if kind == "drop":
        lines[i] = re.sub(r"\S.*$", "{}  // dropped", line) if not line.rstrip().endswith("{") else line
    elif kind == "const":
        lines[i] = line[:s] + str(int(line[s:e]) + 1) + line[e:]
    else:
        lines[i] = line[:s] + FLIP[line[s:e]] + line[e:]
    return "\n".join(lines), lines[i].strip()


def run_quiet(cmd, **kw):
    # A mutant may well write bytes that are not UTF-8.
    return subprocess.run(cmd, capture_output=True, text=True, errors="replace", **kw)


def translations(corvel, programs, out_root):
    """Java and report of every program, as one comparable text each."""
    result = {}
    for p in programs:
        name = os.path.basename(p)[:-4]
        out = os.path.join(out_root, name)
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out)
        try:
            res = run_quiet([corvel, "-q", "--no-javac", "-o", out, p], timeout=10)
            status, err = res.returncode, res.stderr
        except subprocess.TimeoutExpired:
            status, err = "timeout", ""
        java = os.path.join(out, name + ".java")
        body = open(java, encoding="utf-8", errors="replace").read() if os.path.exists(java) else ""
        # Indentation, blank lines and comments change nothing a program does.
        body = "\n".join(line.strip() for line in body.splitlines()
                         if line.strip() and not line.strip().startswith("//"))
        result[name] = f"{status}\n{err}\n{body}"
    return result


def recheck_sites(args):
    """The mutants of an earlier run that only changed or removed tests killed, found again in
    today's sources (a line may have moved, also to another file); the others keep their record,
    less the tests that are gone."""
    earlier = json.load(open(args.recheck))["mutants"]
    changed = re.compile(args.changed)
    sources = sorted(glob.glob(os.path.join(ROOT, "src", "**", "*.cpp"), recursive=True))
    sites, kept = [], []
    for r in earlier:
        killers = r["killed_by"]
        if r.get("status") != "ran" or (killers and not all(changed.search(k) for k in killers)):
            if r.get("status") == "ran":
                r = dict(r, killed_by=[k for k in killers if not changed.search(k)] or killers)
            kept.append(r)
            continue
        original = subprocess.run(["git", "-C", ROOT, "show", f"{args.base}:{r['file']}"], capture_output=True,
                                  text=True).stdout.split("\n")[r["line"] - 1]
        where = [(p, i) for p in [os.path.join(ROOT, r["file"])] + sources if os.path.exists(p)
                 for i, line in enumerate(open(p, encoding="utf-8").read().split("\n")) if line == original]
        if not where:
            kept.append(dict(r, status="gone"))
            continue
        # The same file first, and of equal lines the one nearest the old place.
        path, i = min(where, key=lambda w: (w[0] != os.path.join(ROOT, r["file"]), abs(w[1] + 1 - r["line"])))
        e = r["col"] + len(re.match(r"\d+|==|!=|<=|>=|&&|\|\||<|>", original[r["col"]:]).group(0)) \
            if r["kind"] != "drop" else 0
        sites.append((path, i, r["kind"], r["col"], e))
    return sites, kept


def mutants(args):
    build = os.path.realpath(args.build)
    files = sorted(f for g in args.files for f in glob.glob(os.path.join(ROOT, g), recursive=True))
    rng = random.Random(args.seed)
    if args.recheck:
        chosen, earlier = recheck_sites(args)
        json.dump({"seed": args.seed, "count": args.count, "mutants": earlier}, open(args.out, "w"), indent=0)
    else:
        sites = mutation_sites(files)
        chosen = rng.sample(sites, min(args.count, len(sites)))
    corvel = os.path.join(build, "corvel")
    unit = os.path.join(build, "tests", "corvel_unit_tests")
    e2e_programs = sorted(glob.glob(os.path.join(ROOT, "tests", "e2e", "*.txt")))
    golden = [e for e in ctest_entries(build) if e["name"].startswith("golden.")]
    work = tempfile.mkdtemp(prefix="corvel-mut-")
    # The unmutated translations, from a build of the sources as they are.
    if run_quiet(["cmake", "--build", build, "-j2", "--target", "corvel", "corvel_unit_tests"]).returncode != 0:
        sys.exit("the unmutated sources do not build")
    base_java = translations(corvel, e2e_programs, os.path.join(work, "base"))
    if not any(t.startswith("0\n") for t in base_java.values()):
        sys.exit("the unmutated translator translates none of the end-to-end programs")
    syslib = os.path.join(build, "SysLib")
    results = []
    if os.path.exists(args.out):
        results = json.load(open(args.out))["mutants"]
    done = {(r["file"], r["line"], r["kind"], r["col"]) for r in results}
    for n, site in enumerate(chosen):
        path, i, kind, s, e = site
        rel = os.path.relpath(path, ROOT)
        if (rel, i + 1, kind, s) in done:
            continue
        original = open(path, encoding="utf-8").read()
        mutated, shown = apply_mutant(original, site)
        record = {"file": rel, "line": i + 1, "kind": kind, "col": s, "text": shown, "killed_by": []}
        start = time.time()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(mutated)
            b = run_quiet(["cmake", "--build", build, "-j2", "--target", "corvel", "corvel_unit_tests"])
            if b.returncode != 0:
                record["status"] = "not built"
            else:
                record["status"] = "ran"
                xml = os.path.join(work, "unit.xml")
                record["killed_by"] += unit_kills(unit, xml, build)
                for g in golden:
                    try:
                        if run_quiet(g["command"], cwd=g["cwd"], timeout=60).returncode != 0:
                            record["killed_by"].append(g["name"])
                    except subprocess.TimeoutExpired:
                        record["killed_by"].append(g["name"])
                changed = [p for p in e2e_programs
                           if translations(corvel, [p], os.path.join(work, "mut"))[os.path.basename(p)[:-4]]
                           != base_java[os.path.basename(p)[:-4]]]
                record["killed_by"] += e2e_run(changed, corvel, syslib, work)
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        record["seconds"] = round(time.time() - start, 1)
        results.append(record)
        state = "killed" if record["killed_by"] else record["status"] if record["status"] != "ran" else "SURVIVED"
        print(f"[{n + 1}/{len(chosen)}] {rel}:{i + 1} {kind}: {shown[:60]!r} -> {state} {record['killed_by'][:4]}",
              file=sys.stderr, flush=True)
        json.dump({"seed": args.seed, "count": args.count, "mutants": results}, open(args.out, "w"), indent=0)
    run_quiet(["cmake", "--build", build, "-j2", "--target", "corvel", "corvel_unit_tests"])
    shutil.rmtree(work)
    report_mutants(results)


def unit_kills(unit, xml, build, only="*"):
    """The unit tests that fail. A crash or a hang takes the whole run down, so then each test
    is run alone to find which."""
    env = dict(os.environ, CORVEL_APP_DIR=build)
    try:
        run_quiet([unit, f"--gtest_output=xml:{xml}", f"--gtest_filter={only}"], timeout=90, env=env)
        text = open(xml, encoding="utf-8", errors="replace").read()
        os.remove(xml)
        return [f"{m.group(2)}.{m.group(1)}"
                for m in re.finditer(r'<testcase name="(\w+)"[^>]*classname="(\w+)"[^>]*?(/>|>\s*<failure)', text)
                if m.group(3) != "/>"]
    except subprocess.TimeoutExpired:
        # A mutant that hangs is caught by whichever test runs into it first.
        return [only] if only != "*" else ["unit (hangs)"]
    except FileNotFoundError:
        if only != "*":
            return [only]
    names = run_quiet([unit, "--gtest_list_tests"]).stdout
    killed, suite = [], ""
    for line in names.splitlines():
        if not line.startswith(" "):
            suite = line.strip()
        else:
            killed += unit_kills(unit, xml, build, suite + line.split("#")[0].strip())
    return killed


def e2e_run(changed, corvel, syslib, work):
    """The end-to-end programs whose translation changed: compiled in one virtual machine, then
    run in turn until one fails: its name. (The programs are kept whatever they catch: they are
    not counted as test code, so which of them kill a mutant matters less than whether one does.)"""
    names = [os.path.basename(p)[:-4] for p in changed]
    for p, name in zip(changed, names):
        if not os.path.exists(os.path.join(work, "mut", name, name + ".java")):
            return [f"e2e.{name}"]
    if not changed:
        return []
    listing = os.path.join(work, "changed.txt")
    with open(listing, "w") as f:
        f.write("".join(os.path.join(work, "mut", n, n + ".java") + "\n" for n in names))
    try:
        run_quiet(["java", os.path.join(ROOT, "tests", "fuzz", "CompileEach.java"), "--own-folder", listing],
                  timeout=600)
    except subprocess.TimeoutExpired:
        return ["e2e (javac timed out)"]
    for p, name in zip(changed, names):
        out = os.path.join(work, "mut", name)
        if not os.path.exists(os.path.join(out, name + ".class")):
            return [f"e2e.{name}"]
        expect = open(p[:-4] + ".out", encoding="utf-8").read()
        cmd = ["java", "-Duser.language=tr", "-Duser.country=TR", "-cp", out, "KWC_Viewer", "--headless",
               "--timeout-ms", "10000", "--dump-text", "-"]
        if os.path.exists(p[:-4] + ".in"):
            cmd += ["--input", p[:-4] + ".in"]
        try:
            res = run_quiet(cmd + [name + ".html"], cwd=out, timeout=60)
        except subprocess.TimeoutExpired:
            return [f"e2e.{name}"]
        actual = res.stdout + (f"exit {res.returncode}\n{res.stderr}" if res.returncode else "")
        if actual != expect:
            return [f"e2e.{name}"]
    return []


def report_mutants(results):
    ran = [r for r in results if r.get("status") == "ran"]
    killed = [r for r in ran if r["killed_by"]]
    print(f"\nMutants: {len(results)} made, {len(ran)} built, {len(killed)} killed "
          f"({100 * len(killed) / max(1, len(ran)):.1f} % of those built)")
    alone = collections.Counter(r["killed_by"][0] for r in killed if len(r["killed_by"]) == 1)
    print("Tests that alone kill a mutant:", ", ".join(f"{k} ({v})" for k, v in alone.most_common()) or "none")
    survivors = [r for r in ran if not r["killed_by"]]
    print(f"Survivors ({len(survivors)}):")
    for r in survivors:
        print(f"  {r['file']}:{r['line']} {r['kind']}: {r['text'][:90]}")


def report(args):
    data = json.load(open(args.coverage))
    report_coverage(data)
    kills = collections.Counter()
    if args.mutants:
        results = json.load(open(args.mutants))["mutants"]
        report_mutants(results)
        for r in results:
            if len(r["killed_by"]) == 1:
                kills[r["killed_by"][0]] += 1
    ul = unique({k: set(v["lines"]) for k, v in data["cpp"].items()})
    ub = unique({k: set(v["branches"]) for k, v in data["cpp"].items()})
    um = unique({k: set(v) for k, v in data["java"].items()})
    names = sorted(set(data["cpp"]) | set(data["java"]))
    idle = [k for k in names if not ul.get(k) and not ub.get(k) and not um.get(k) and not kills[k]]

    def is_program(name):  # a program with its expected output: data, not test code
        base = name.split(".", 1)[-1]
        return any(os.path.exists(os.path.join(ROOT, "tests", d, base + ".txt")) for d in ("e2e", "programs"))
    print(f"\nCandidates for removal (nothing of their own covered, no mutant killed alone): {len(idle)}")
    for k in [k for k in idle if not is_program(k)]:
        print("  " + k)
    print("  and the programs " + ", ".join(k for k in idle if is_program(k)))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = ap.add_subparsers(dest="what", required=True)
    c = sub.add_parser("coverage")
    c.add_argument("build")
    c.add_argument("out")
    c.add_argument("--only", default="", help="only the CTest entries this pattern finds")
    m = sub.add_parser("mutants")
    m.add_argument("build")
    m.add_argument("out")
    m.add_argument("--count", type=int, default=300)
    m.add_argument("--seed", type=int, default=24)
    m.add_argument("--recheck", help="an earlier run's results: run again only the mutants that the tests "
                                     "--changed names were the only ones to kill")
    m.add_argument("--changed", default="^$", help="a pattern of the tests changed or removed since")
    m.add_argument("--base", default="HEAD", help="the commit the earlier run mutated")
    m.add_argument("--files", nargs="+", default=["src/checks/*.cpp", "src/expr/*.cpp", "src/source/*.cpp",
                                                   "src/stmt/*.cpp", "src/symbols/*.cpp", "src/emit/*.cpp",
                                                   "src/diag/*.cpp"])
    r = sub.add_parser("report")
    r.add_argument("coverage")
    r.add_argument("mutants", nargs="?")
    args = ap.parse_args()
    {"coverage": coverage, "mutants": mutants, "report": report}[args.what](args)


if __name__ == "__main__":
    main()
