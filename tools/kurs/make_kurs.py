#!/usr/bin/env python3
"""Writes the course "Tumbo lernt laufen" into data/kurs/: kurs.tdk, every task file, its start
worlds, its model solution, and its goal worlds (made by running the model solution with
tumbo-cli on each start world). It reports a model solution that fails or gets a robot
failure note, and a start world that already equals its goal in what the task checks;
tests/task/course_content_test.cpp checks the finished course.

Usage: tools/kurs/make_kurs.py --cli build/bin/tumbo-cli [--show]
"""
import argparse
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from kurs_aufgaben import KURS_TITEL, KURS_TEXT, ABSCHNITTE  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "data", "kurs")
HEADINGS = "SWNO"  # 0 south, 1 west, 2 north, 3 east
ROBOT_CHARS = {"v": 0, "<": 1, "^": 2, ">": 3}


class World:
    def __init__(self, w, l, h, x, y, d):
        self.w, self.l, self.h, self.x, self.y, self.d = w, l, h, x, y, d
        self.bricks = {}  # (x, y) -> count, or "q" for a cuboid
        self.marks = set()

    def text(self):
        out = ["TumboVersion2Deutsch", self.w, self.l, self.h, self.x, self.y, self.d]
        for cx in range(self.w):
            for cy in range(self.l):
                c = self.bricks.get((cx, cy), 0)
                levels = ["q", "q"] + ["n"] * (self.h - 2) if c == "q" else ["z"] * c + ["n"] * (self.h - c)
                out += levels[: self.h] + ["m" if (cx, cy) in self.marks else "o"]
        return "".join(f"{t} " for t in out)

    def cell(self, cx, cy):
        return self.bricks.get((cx, cy), 0), (cx, cy) in self.marks


def parse_world_text(text):
    t = text.split()
    w, l, h, x, y, d = map(int, t[1:7])
    world, i = World(w, l, h, x, y, d), 7
    for cx in range(w):
        for cy in range(l):
            levels, mark = t[i : i + h], t[i + h]
            i += h + 1
            if "q" in levels:
                world.bricks[cx, cy] = "q"
            elif levels.count("z"):
                world.bricks[cx, cy] = levels.count("z")
            if mark == "m":
                world.marks.add((cx, cy))
    return world


def world_from_map(rows, robot=None, height=6):
    """One character per cell: . empty, 1-9 bricks, # cuboid, * mark, a-i marked 1-9 bricks,
    > < ^ v the robot on an empty field; `robot` = (x, y, "NOSW") puts it anywhere, as on a mark."""
    l, w = len(rows), len(rows[0])
    world = World(w, l, height, 0, 0, 0)
    for cy, row in enumerate(rows):
        assert len(row) == w, rows
        for cx, ch in enumerate(row):
            if ch in ROBOT_CHARS:
                world.x, world.y, world.d = cx, cy, ROBOT_CHARS[ch]
            elif ch.isdigit():
                world.bricks[cx, cy] = int(ch)
            elif ch == "#":
                world.bricks[cx, cy] = "q"
            elif ch == "*":
                world.marks.add((cx, cy))
            elif "a" <= ch <= "i":
                world.bricks[cx, cy] = ord(ch) - ord("a") + 1
                world.marks.add((cx, cy))
            else:
                assert ch == ".", ch
    if robot:
        world.x, world.y, world.d = robot[0], robot[1], HEADINGS.index(robot[2])
    return world


def differs(a, b, checks):
    if "Position" in checks and (a.x, a.y) != (b.x, b.y):
        return True
    if "Richtung" in checks and a.d != b.d:
        return True
    for cx in range(a.w):
        for cy in range(a.l):
            ca, cb = a.bricks.get((cx, cy), 0), b.bricks.get((cx, cy), 0)
            if "Ziegel" in checks and (0 if ca == "q" else ca) != (0 if cb == "q" else cb):
                return True
            if "Quader" in checks and (ca == "q") != (cb == "q"):
                return True
            if "Marken" in checks and ((cx, cy) in a.marks) != ((cx, cy) in b.marks):
                return True
    return False


def show(world, title):
    print(f"  {title}: {world.w}x{world.l}, Tumbo ({world.x + 1}, {world.y + 1}) {HEADINGS[world.d]}")
    for cy in range(world.l):
        row = ""
        for cx in range(world.w):
            c, m = world.cell(cx, cy)
            ch = {0: ".", "q": "#"}.get(c, str(c))
            if (cx, cy) == (world.x, world.y):
                ch = "v<^>"[world.d]
            row += ch + ("*" if m else " ")
        print("    " + row)


def crlf_cp1252(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def run_cli(cli, *args):
    return subprocess.run([cli, *args], capture_output=True)


def task_text(task):
    keys = [("Titel", task["titel"]), ("Text", "|".join(task["text"])),
            ("Pr\u00fcfen", ",".join(task["pruefen"])), ("KeineHinweise", "ja" if task.get("keine_hinweise", True) else "nein"),
            ("MaxSchritte", str(task.get("max_schritte", 100000)))]
    for i, tipp in enumerate(task["tipps"], 1):
        keys.append((f"Tipp{i}", tipp))
    keys.append(("Musterloesung", task["name"] + "-loesung.tdp"))
    if task.get("gefordert"):
        keys.append(("Gefordert", task["gefordert"]))
    if task.get("verboten"):
        keys.append(("Verboten", task["verboten"]))
    lines = ["[Aufgabe]"] + [f"{k}={v}" for k, v in keys]
    for i, w in enumerate(task["welten"], 1):
        lines += [f"[Welt{i}]", f"Start={task['name']}-{i}.tdw", f"Ziel={task['name']}-{i}-ziel.tdw"]
        if w.get("verdeckt"):
            lines.append("Verdeckt=ja")
    return "\n".join(lines) + "\n"


def start_world(welt_angabe):
    if "datei" in welt_angabe:
        with open(os.path.join(ROOT, welt_angabe["datei"]), encoding="cp1252") as f:
            world = parse_world_text(f.read())
    else:
        world = world_from_map(welt_angabe["karte"], welt_angabe.get("tumbo"), welt_angabe.get("hoehe", 6))
        world.marks.update(welt_angabe.get("marken", []))
    return turned(world) if welt_angabe.get("drehen") else world


def turned(world):
    """The world turned by half a turn: what lay in the south lies in the north. So stacks that
    stand right of an eastward path come to stand behind a westward one and hide nothing in 3D."""
    w, l = world.w, world.l
    out = World(w, l, world.h, w - 1 - world.x, l - 1 - world.y, (world.d + 2) % 4)
    out.bricks = {(w - 1 - x, l - 1 - y): c for (x, y), c in world.bricks.items()}
    out.marks = {(w - 1 - x, l - 1 - y) for x, y in world.marks}
    return out


def make_task(cli, task, show_worlds):
    name, problems = task["name"], []
    tda = os.path.join(OUT, name + ".tda")
    solution = os.path.join(OUT, name + "-loesung.tdp")
    write(solution, crlf_cp1252(task["loesung"].strip("\n") + "\n"))
    if show_worlds:
        print(f"== {name}: {task['titel']}")
    for i, welt_angabe in enumerate(task["welten"], 1):
        start = start_world(welt_angabe)
        start_path = os.path.join(OUT, f"{name}-{i}.tdw")
        goal_path = os.path.join(OUT, f"{name}-{i}-ziel.tdw")
        write(start_path, start.text().encode("cp1252"))
        r = run_cli(cli, "run", solution, "--world", start_path, "--out", goal_path)
        if r.returncode != 0 or r.stdout.strip():
            problems.append(f"Welt {i}: {r.returncode} {r.stdout.decode('cp1252', 'replace')}{r.stderr.decode()}")
            continue
        with open(goal_path, encoding="cp1252") as f:
            goal = parse_world_text(f.read())
        if not differs(start, goal, task["pruefen"]):
            problems.append(f"Welt {i}: der Start gleicht schon dem Ziel")
        if show_worlds:
            show(start, f"Welt {i}{' (verdeckt)' if welt_angabe.get('verdeckt') else ''}")
            show(goal, "Ziel")
    write(tda, crlf_cp1252(task_text(task)))
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--show", action="store_true", help="print every start and goal world")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    os.makedirs(OUT, exist_ok=True)
    for f in os.listdir(OUT):
        os.remove(os.path.join(OUT, f))
    kurs = ["[Kurs]", f"Titel={KURS_TITEL}", "Text=" + "|".join(KURS_TEXT)]
    failed = False
    for s, (title, tasks) in enumerate(ABSCHNITTE, 1):
        kurs += [f"[Abschnitt{s}]", f"Titel={title}"]
        for t, task in enumerate(tasks, 1):
            kurs.append(f"Aufgabe{t}={task['name']}.tda")
            for p in make_task(cli, task, args.show):
                failed = True
                print(f"{task['name']}: {p}")
    write(os.path.join(OUT, "kurs.tdk"), crlf_cp1252("\n".join(kurs) + "\n"))
    count = sum(len(t) for _, t in ABSCHNITTE)
    print(f"{len(ABSCHNITTE)} Abschnitte, {count} Aufgaben" + (", mit Fehlern" if failed else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
