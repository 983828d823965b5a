"""The tasks of the course "Tumbo lernt laufen", section by section.

Worlds are maps with one character per field (rows from north to south): . empty, 1-9 bricks,
# cuboid, * mark, a-i a mark on 1-9 bricks, > < ^ v Tumbo on an empty field (east, west, north,
south); "tumbo": (x, y, "NOSW") puts Tumbo anywhere. "datei" takes a shipped world file as it is.
"drehen": True turns a world by half a turn: Tumbo then walks west, and the stacks right of his
path stand behind it, where they hide nothing in the 3D view.
The goal worlds are what the model solution makes of each start world.
"""

KURS_TITEL = "Tumbo lernt laufen"
KURS_TEXT = [
    "Willkommen! In diesem Kurs lernst du Schritt f\u00fcr Schritt, Tumbo zu programmieren.",
    "Jede Aufgabe hat mehrere Welten. Dein Programm muss alle l\u00f6sen, auch die verdeckten, die du nicht sehen kannst.",
    "Mit F10 pr\u00fcfst du dein Programm. Kommst du nicht weiter, hilft dir ein Tipp.",
]

A = "aufgaben/"  # the tasks shipped in data/aufgaben, whose worlds the course takes over


def alt(name, i, **more):
    return {"datei": f"data/{A}{name}-{i}.tdw", **more}


ERSTE_SCHRITTE = [
    dict(
        name="drei-schritte", titel="Drei Schritte",
        text=["Tumbo geht 3 Felder geradeaus und bleibt dort stehen."],
        pruefen=["Position", "Richtung"],
        tipps=["Mit Schritt geht Tumbo ein Feld nach vorn.",
               "Schreibe Schritt dreimal untereinander. Oder k\u00fcrzer: Schritt(3)."],
        loesung="""
// Musterl\u00f6sung: Drei Schritte
Programm
  Schritt
  Schritt
  Schritt
*Programm
""",
        welten=[
            {"karte": ["......",
                       ">.....",
                       "......"]},
            {"karte": [".....",
                       "..#..",
                       ".....",
                       ".....",
                       ".^..."]},
        ]),
    dict(
        name="um-die-ecke", titel="Um die Ecke",
        text=["Tumbo geht 2 Felder geradeaus. Dann dreht er sich nach rechts und geht noch 2 Felder.",
              "Dort bleibt er stehen."],
        pruefen=["Position", "Richtung"],
        tipps=["RechtsDrehen dreht Tumbo auf seinem Feld nach rechts. Er geht dabei kein Feld weiter.",
               "Schritt(2), dann RechtsDrehen, dann noch einmal Schritt(2)."],
        loesung="""
// Musterl\u00f6sung: Um die Ecke
Programm
  Schritt(2)
  RechtsDrehen
  Schritt(2)
*Programm
""",
        welten=[
            {"karte": [">....",
                       ".....",
                       ".....",
                       "....#"]},
            {"karte": ["#......",
                       ".......",
                       ".......",
                       "....^.."]},
        ]),
    dict(
        name="spur-legen", titel="Eine Spur aus Marken",
        text=["Tumbo setzt auf sein Startfeld eine Marke. Dann geht er 3 Felder geradeaus und setzt auf jedes dieser Felder auch eine Marke.",
              "Am Ende liegen 4 Marken in einer Reihe, und Tumbo steht auf der letzten."],
        pruefen=["Marken", "Position"],
        tipps=["MarkeSetzen legt eine Marke auf das Feld, auf dem Tumbo gerade steht.",
               "Immer abwechselnd: MarkeSetzen, Schritt, MarkeSetzen, Schritt, ... Am Ende noch einmal MarkeSetzen."],
        loesung="""
// Musterl\u00f6sung: Eine Spur aus Marken
Programm
  MarkeSetzen
  Schritt
  MarkeSetzen
  Schritt
  MarkeSetzen
  Schritt
  MarkeSetzen
*Programm
""",
        welten=[
            {"karte": [".....",
                       ">....",
                       "....."]},
            {"karte": ["...v..",
                       "......",
                       "......",
                       "......",
                       "#....."]},
        ]),
    dict(
        name="kehrtwende", titel="Kehrtwende",
        text=["Tumbo geht 4 Felder geradeaus. Dann dreht er sich um und geht zur\u00fcck auf sein Startfeld.",
              "Am Ende schaut er in die andere Richtung als am Anfang."],
        pruefen=["Position", "Richtung"],
        tipps=["Umdrehen hei\u00dft: zweimal LinksDrehen (oder zweimal RechtsDrehen).",
               "Schritt(4), zweimal LinksDrehen, Schritt(4)."],
        loesung="""
// Musterl\u00f6sung: Kehrtwende
Programm
  Schritt(4)
  LinksDrehen
  LinksDrehen
  Schritt(4)
*Programm
""",
        welten=[
            {"karte": [".......",
                       ".>.....",
                       "......."]},
            {"karte": ["..#.",
                       "....",
                       "....",
                       "....",
                       "...^"]},
        ]),
    dict(
        name="zwei-tuerme", titel="Zwei T\u00fcrme",
        text=["Tumbo legt auf das Feld vor sich 3 Ziegel. Dann dreht er sich nach rechts und legt auch auf das Feld vor sich 3 Ziegel.",
              "Tumbo bleibt dabei auf seinem Startfeld."],
        pruefen=["Ziegel", "Position"],
        tipps=["Hinlegen legt einen Ziegel auf das Feld vor Tumbo.",
               "Hinlegen(3) legt 3 Ziegel auf einmal."],
        loesung="""
// Musterl\u00f6sung: Zwei T\u00fcrme
Programm
  Hinlegen(3)
  RechtsDrehen
  Hinlegen(3)
*Programm
""",
        welten=[
            {"karte": [".....",
                       ".....",
                       ".^...",
                       "....."]},
            {"karte": ["......",
                       "......",
                       "......",
                       "...<..",
                       "......"]},
        ]),
    dict(
        name="treppe-bauen", titel="Treppe bauen",
        text=["Baue vor Tumbo eine Treppe aus drei Stufen: erst 1 Ziegel, dann 2, dann 3.",
              "Tumbo steigt dabei hinauf und setzt oben auf der Treppe eine Marke."],
        pruefen=["Ziegel", "Marken", "Quader", "Position", "Richtung"],
        tipps=["Tumbo kann nur 1 Ziegel hoch springen.",
               "Lege erst 1 Ziegel hin und steige hinauf. Dann lege 2 Ziegel vor dich und steige wieder hinauf.",
               "Hinlegen(1), Schritt, Hinlegen(2), Schritt, Hinlegen(3), Schritt, MarkeSetzen."],
        loesung="""
// Musterl\u00f6sung: Treppe bauen
Programm
  Hinlegen(1)
  Schritt
  Hinlegen(2)
  Schritt
  Hinlegen(3)
  Schritt
  MarkeSetzen
*Programm
""",
        welten=[
            alt("treppe-bauen", 1),
            {"karte": [".....",
                       ".....",
                       ".....",
                       ".....",
                       ".^..."]},
        ]),
]

WIEDERHOLEN = [
    dict(
        name="lange-spur", titel="Lange Spur",
        text=["Tumbo setzt auf sein Startfeld und auf die 7 Felder vor ihm je eine Marke. Er bleibt auf dem letzten Feld stehen.",
              "Das sind 8 Marken. Benutze wiederhole, dann wird dein Programm kurz."],
        pruefen=["Marken", "Position"], gefordert="wiederhole",
        tipps=["wiederhole 7 mal ... *wiederhole f\u00fchrt die Anweisungen dazwischen 7-mal aus.",
               "In die Schleife geh\u00f6ren MarkeSetzen und Schritt. Die letzte Marke setzt Tumbo nach der Schleife."],
        loesung="""
// Musterl\u00f6sung: Lange Spur
Programm
  wiederhole 7 mal
    MarkeSetzen
    Schritt
  *wiederhole
  MarkeSetzen
*Programm
""",
        welten=[
            {"karte": ["..........",
                       ">.........",
                       ".........."]},
            {"karte": ["........",
                       "........",
                       "........",
                       "........",
                       "........",
                       "........",
                       "........",
                       "......^."]},
        ]),
    dict(
        name="quadrat", titel="Quadrat",
        text=["Tumbo l\u00e4uft ein Quadrat mit 3 Schritten Seitenl\u00e4nge ab, rechts herum.",
              "An jeder Ecke setzt er eine Marke. Am Ende steht er wieder auf dem Startfeld und schaut wie am Anfang."],
        pruefen=["Marken", "Position", "Richtung"], gefordert="wiederhole",
        tipps=["Eine Seite ist: MarkeSetzen, Schritt(3), RechtsDrehen.",
               "Wiederhole eine Seite 4-mal."],
        loesung="""
// Musterl\u00f6sung: Quadrat
Programm
  wiederhole 4 mal
    MarkeSetzen
    Schritt(3)
    RechtsDrehen
  *wiederhole
*Programm
""",
        welten=[
            alt("quadrat", 1),
            {"karte": ["......",
                       "......",
                       "......",
                       "....<.",
                       "......"]},
        ]),
    dict(
        name="zickzack", titel="Zickzack",
        text=["Tumbo geht 4-mal hintereinander ein Feld geradeaus und dann ein Feld nach rechts. Nach jedem Feld nach rechts setzt er eine Marke.",
              "Am Ende schaut Tumbo wieder in dieselbe Richtung wie am Anfang."],
        pruefen=["Marken", "Position", "Richtung"], gefordert="wiederhole",
        tipps=["Ein Feld nach rechts gehen hei\u00dft: RechtsDrehen, Schritt, LinksDrehen.",
               "In der Schleife: Schritt, RechtsDrehen, Schritt, LinksDrehen, MarkeSetzen."],
        loesung="""
// Musterl\u00f6sung: Zickzack
Programm
  wiederhole 4 mal
    Schritt
    RechtsDrehen
    Schritt
    LinksDrehen
    MarkeSetzen
  *wiederhole
*Programm
""",
        welten=[
            {"karte": [">.....",
                       "......",
                       "......",
                       "......",
                       "......",
                       "......"]},
            {"karte": [".......",
                       ".......",
                       ".......",
                       ".......",
                       ".......",
                       "......<"]},
        ]),
    dict(
        name="drei-tuerme", titel="Drei T\u00fcrme",
        text=["Tumbo geht 6 Felder geradeaus. Nach 2, nach 4 und nach 6 Feldern baut er rechts neben sich einen Turm aus 2 Ziegeln.",
              "Am Ende schaut Tumbo wieder in dieselbe Richtung wie am Anfang."],
        pruefen=["Ziegel", "Position", "Richtung"], gefordert="wiederhole",
        tipps=["Ein Turm rechts: RechtsDrehen, Hinlegen(2), LinksDrehen.",
               "Wiederhole 3-mal: Schritt(2) und dann einen Turm rechts bauen."],
        loesung="""
// Musterl\u00f6sung: Drei T\u00fcrme
Programm
  wiederhole 3 mal
    Schritt(2)
    RechtsDrehen
    Hinlegen(2)
    LinksDrehen
  *wiederhole
*Programm
""",
        welten=[
            {"drehen": True, "karte": ["........",
                                       ">.......",
                                       "........"]},
            {"drehen": True, "karte": ["....",
                                       "....",
                                       "....",
                                       "....",
                                       "....",
                                       "....",
                                       "....",
                                       "..^."]},
        ]),
    dict(
        name="rahmen", titel="Ein Rahmen aus Marken",
        text=["Tumbo legt einen Rahmen aus Marken: ein Quadrat mit 4 Feldern an jeder Seite. Sein Startfeld ist eine Ecke. Er geht zuerst geradeaus und biegt an jeder Ecke nach rechts ab.",
              "Jedes Feld am Rand des Quadrats bekommt eine Marke, das sind 12 Marken. Am Ende steht Tumbo wieder auf dem Startfeld und schaut wie am Anfang."],
        pruefen=["Marken", "Position", "Richtung"], gefordert="wiederhole",
        tipps=["Eine Seite: 3-mal MarkeSetzen und Schritt, danach RechtsDrehen.",
               "Eine wiederhole-Schleife darf in einer anderen stehen: 4 Seiten, jede mit 3 Feldern."],
        loesung="""
// Musterl\u00f6sung: Ein Rahmen aus Marken
Programm
  wiederhole 4 mal
    wiederhole 3 mal
      MarkeSetzen
      Schritt
    *wiederhole
    RechtsDrehen
  *wiederhole
*Programm
""",
        welten=[
            {"karte": [">....",
                       ".....",
                       ".....",
                       ".....",
                       "....."]},
            {"karte": ["#......",
                       ".......",
                       ".......",
                       ".......",
                       "....<..",
                       "......."]},
        ]),
]

WENN = [
    dict(
        name="luecken-fuellen", titel="L\u00fccken f\u00fcllen",
        text=["Rechts neben Tumbos Weg liegen Ziegel in einer Reihe, aber manche fehlen. Tumbo geht 6 Felder geradeaus bis zur Wand.",
              "Wo rechts neben ihm kein Ziegel liegt, legt er einen hin, auch neben seinem Start- und seinem Zielfeld. Am Ende liegt neben jedem Feld genau ein Ziegel."],
        pruefen=["Ziegel", "Position"], gefordert="wenn",
        tipps=["Schau nach rechts und frage: wenn NichtIstZiegel dann Hinlegen *wenn.",
               "Danach dreht sich Tumbo wieder zur\u00fcck (LinksDrehen) und geht einen Schritt.",
               "Wiederhole das 6-mal. Das letzte Feld pr\u00fcfst du nach der Schleife noch einmal."],
        loesung="""
// Musterl\u00f6sung: L\u00fccken f\u00fcllen
Programm
  wiederhole 6 mal
    RechtsDrehen
    wenn NichtIstZiegel dann
      Hinlegen
    *wenn
    LinksDrehen
    Schritt
  *wiederhole
  RechtsDrehen
  wenn NichtIstZiegel dann
    Hinlegen
  *wenn
  LinksDrehen
*Programm
""",
        welten=[
            {"drehen": True, "karte": [".......",
                                       ">......",
                                       "1.11.1."]},
            {"drehen": True, "karte": [".......",
                                       ">......",
                                       ".1..11."]},
            {"drehen": True, "karte": [".......",
                                       ">......",
                                       "11.1..1"], "verdeckt": True},
        ]),
    dict(
        name="marken-tauschen", titel="Marken tauschen",
        text=["Tumbo geht 5 Felder geradeaus. Auf jedem Feld seines Weges tauscht er: Wo eine Marke liegt, nimmt er sie weg. Wo keine liegt, setzt er eine hin.",
              "Das gilt auch f\u00fcr sein Startfeld und sein Zielfeld."],
        pruefen=["Marken", "Position"], gefordert="wenn",
        tipps=["wenn IstMarke dann ... sonst ... *wenn: Tumbo tut das eine oder das andere.",
               "wenn IstMarke dann MarkeL\u00f6schen sonst MarkeSetzen *wenn. Danach ein Schritt.",
               "Wiederhole das 5-mal und tausche danach noch das letzte Feld."],
        loesung="""
// Musterl\u00f6sung: Marken tauschen
Programm
  wiederhole 5 mal
    wenn IstMarke dann
      MarkeL\u00f6schen
    sonst
      MarkeSetzen
    *wenn
    Schritt
  *wiederhole
  wenn IstMarke dann
    MarkeL\u00f6schen
  sonst
    MarkeSetzen
  *wenn
*Programm
""",
        welten=[
            {"karte": ["........",
                       "........",
                       "........"], "tumbo": (1, 1, "O"), "marken": [(1, 1), (3, 1), (4, 1)]},
            {"karte": ["......",
                       "......",
                       "......",
                       "......",
                       "......",
                       "......"], "tumbo": (2, 5, "N"), "marken": [(2, 4), (2, 3), (2, 0)]},
            {"karte": ["........",
                       "........",
                       "........"], "tumbo": (7, 1, "W"), "marken": [(7, 1), (5, 1), (3, 1)],
             "verdeckt": True},
        ]),
    dict(
        name="nach-norden", titel="Nach Norden",
        text=["Tumbo schaut am Anfang in irgendeine Richtung. Er dreht sich so, dass er nach Norden schaut, und geht dann 2 Felder geradeaus.",
              "Norden ist in der 2D-Ansicht oben und in der 3D-Ansicht hinten."],
        pruefen=["Position", "Richtung"], gefordert="wenn",
        tipps=["Mit IstOsten, IstS\u00fcden und IstWesten fragst du, wohin Tumbo schaut.",
               "wenn IstOsten dann LinksDrehen *wenn. \u00dcberlege dir das auch f\u00fcr Westen und S\u00fcden."],
        loesung="""
// Musterl\u00f6sung: Nach Norden
Programm
  wenn IstOsten dann
    LinksDrehen
  *wenn
  wenn IstWesten dann
    RechtsDrehen
  *wenn
  wenn IstS\u00fcden dann
    LinksDrehen
    LinksDrehen
  *wenn
  Schritt(2)
*Programm
""",
        welten=[
            {"karte": [".....",
                       ".....",
                       ".....",
                       "..>..",
                       "....."]},
            {"karte": ["#....",
                       ".....",
                       ".....",
                       ".<...",
                       "....."]},
            {"karte": [".....",
                       ".....",
                       "...v.",
                       ".....",
                       "....#"], "verdeckt": True},
        ]),
    dict(
        name="ziegel-auf-marken", titel="Ziegel auf Marken",
        text=["Tumbo geht 6 Felder geradeaus. Immer wenn er auf einer Marke steht, legt er rechts neben sich einen Ziegel hin.",
              "Das gilt auch f\u00fcr sein Startfeld und sein Zielfeld. Die Marken bleiben liegen."],
        pruefen=["Ziegel", "Marken", "Position"], gefordert="wenn",
        tipps=["Mit IstMarke fragst du, ob Tumbo auf einer Marke steht.",
               "wenn IstMarke dann RechtsDrehen Hinlegen LinksDrehen *wenn, danach ein Schritt.",
               "Wiederhole das 6-mal und pr\u00fcfe danach noch das letzte Feld."],
        loesung="""
// Musterl\u00f6sung: Ziegel auf Marken
Programm
  wiederhole 6 mal
    wenn IstMarke dann
      RechtsDrehen
      Hinlegen
      LinksDrehen
    *wenn
    Schritt
  *wiederhole
  wenn IstMarke dann
    RechtsDrehen
    Hinlegen
    LinksDrehen
  *wenn
*Programm
""",
        welten=[
            {"drehen": True, "karte": [".......",
                                       "..*..*.",
                                       "......."], "tumbo": (0, 1, "O")},
            {"drehen": True, "karte": [".......",
                                       "*...*.*",
                                       "......."], "tumbo": (0, 1, "O")},
            {"drehen": True, "karte": ["........",
                                       "........",
                                       "........"], "tumbo": (1, 1, "O"), "marken": [(1, 1), (2, 1), (3, 1), (6, 1)],
             "verdeckt": True},
        ]),
    dict(
        name="stapel-kuerzen", titel="Stapel k\u00fcrzen",
        text=["Tumbo geht 5 Felder geradeaus. Steht rechts neben ihm ein Stapel aus genau 3 Ziegeln, nimmt er einen Ziegel davon weg.",
              "Andere Stapel l\u00e4sst er, wie sie sind. Das gilt auch f\u00fcr sein Startfeld und sein Zielfeld."],
        pruefen=["Ziegel", "Position"], gefordert="wenn",
        tipps=["IstZiegel(3) ist nur wahr, wenn vor Tumbo genau 3 Ziegel liegen.",
               "Schau nach rechts: RechtsDrehen, wenn IstZiegel(3) dann Aufheben *wenn, LinksDrehen."],
        loesung="""
// Musterl\u00f6sung: Stapel k\u00fcrzen
Programm
  wiederhole 5 mal
    RechtsDrehen
    wenn IstZiegel(3) dann
      Aufheben
    *wenn
    LinksDrehen
    Schritt
  *wiederhole
  RechtsDrehen
  wenn IstZiegel(3) dann
    Aufheben
  *wenn
  LinksDrehen
*Programm
""",
        welten=[
            {"drehen": True, "karte": ["......",
                                       ">.....",
                                       "314321"]},
            {"drehen": True, "karte": ["......",
                                       ">.....",
                                       "2333.5"]},
            {"drehen": True, "karte": [".......",
                                       ".>.....",
                                       ".432.33"], "verdeckt": True},
        ]),
]

SOLANGE = [
    dict(
        name="bis-zur-wand", titel="Bis zur Wand",
        text=["Tumbo geht geradeaus, bis eine Wand oder ein Quader vor ihm ist, und setzt dort eine Marke.",
              "Die Welten sind verschieden lang: Z\u00e4hle nicht die Schritte, sondern frage mit IstWand.",
              "Tumbo darf dabei nirgends ansto\u00dfen."],
        pruefen=["Marken", "Position", "Richtung"], gefordert="solange",
        tipps=["solange NichtIstWand tue ... *solange wiederholt, solange keine Wand vor Tumbo ist.",
               "In die Schleife geh\u00f6rt nur Schritt. Die Marke setzt Tumbo danach."],
        loesung="""
// Musterl\u00f6sung: Bis zur Wand
Programm
  solange NichtIstWand tue
    Schritt
  *solange
  MarkeSetzen
*Programm
""",
        welten=[alt("bis-zur-wand", 1), alt("bis-zur-wand", 2), alt("bis-zur-wand", 3, verdeckt=True)]),
    dict(
        name="stapel-abtragen", titel="Stapel abtragen",
        text=["Vor Tumbo steht ein Ziegelstapel. Tumbo hebt alle Ziegel auf, bis das Feld vor ihm leer ist. Er bleibt dabei auf seinem Feld.",
              "Wie hoch der Stapel ist, wei\u00df Tumbo vorher nicht."],
        pruefen=["Ziegel", "Position"], gefordert="solange",
        tipps=["IstZiegel fragt, ob vor Tumbo noch Ziegel liegen.",
               "solange IstZiegel tue Aufheben *solange"],
        loesung="""
// Musterl\u00f6sung: Stapel abtragen
Programm
  solange IstZiegel tue
    Aufheben
  *solange
*Programm
""",
        welten=[
            {"karte": ["....",
                       ">3..",
                       "...."]},
            {"karte": ["..1..",
                       ".....",
                       ".5<..",
                       "....."]},
            {"karte": [".....",
                       ".....",
                       ".....",
                       ".6...",
                       "....."], "tumbo": (1, 2, "S"), "verdeckt": True},
        ]),
    dict(
        name="zum-ziegel", titel="Bis zum Ziegel",
        text=["Tumbo geht geradeaus, bis ein Ziegelstapel direkt vor ihm steht. Dann hebt er den ganzen Stapel auf.",
              "Der Stapel steht nicht immer gleich weit weg und ist nicht immer gleich hoch."],
        pruefen=["Ziegel", "Position"], gefordert="solange",
        tipps=["Das sind zwei Schleifen nacheinander: erst gehen, dann aufheben.",
               "solange NichtIstZiegel tue Schritt *solange",
               "Danach: solange IstZiegel tue Aufheben *solange"],
        loesung="""
// Musterl\u00f6sung: Bis zum Ziegel
Programm
  solange NichtIstZiegel tue
    Schritt
  *solange
  solange IstZiegel tue
    Aufheben
  *solange
*Programm
""",
        welten=[
            {"karte": [".......",
                       ">...2..",
                       "......."]},
            {"karte": ["........",
                       "........",
                       ">.3.....",
                       "........"]},
            {"karte": ["......",
                       "4.....",
                       "......",
                       "......",
                       "......",
                       "<....."], "tumbo": (0, 5, "N"), "verdeckt": True},
        ]),
    dict(
        name="markenweg", titel="Der Markenweg",
        text=["Tumbo steht am Anfang eines geraden Weges aus Marken. Er geht auf den Marken entlang und bleibt auf dem ersten Feld ohne Marke stehen.",
              "Dort setzt er auch eine Marke. Der Weg ist nicht immer gleich lang."],
        pruefen=["Marken", "Position"], gefordert="solange",
        tipps=["IstMarke fragt, ob Tumbo auf einer Marke steht.",
               "solange IstMarke tue Schritt *solange, danach MarkeSetzen."],
        loesung="""
// Musterl\u00f6sung: Der Markenweg
Programm
  solange IstMarke tue
    Schritt
  *solange
  MarkeSetzen
*Programm
""",
        welten=[
            {"karte": ["........",
                       "****....",
                       "........"], "tumbo": (0, 1, "O")},
            {"karte": [".....",
                       ".*...",
                       ".*...",
                       ".*...",
                       ".*...",
                       ".*...",
                       "....."], "tumbo": (1, 5, "N")},
            {"karte": ["..........",
                       "....******",
                       ".........."], "tumbo": (9, 1, "W"), "verdeckt": True},
        ]),
    dict(
        name="aufraeumen", titel="Aufr\u00e4umen",
        text=["In Tumbos Reihe liegen Ziegelstapel. Tumbo hebt alle Ziegel auf und bleibt vor der Wand stehen.",
              "Manche Stapel sind mehrere Ziegel hoch."],
        pruefen=["Ziegel", "Position"], gefordert="solange",
        tipps=["Erst den Stapel vor Tumbo ganz aufheben, dann einen Schritt gehen.",
               "Zwei Schleifen ineinander: au\u00dfen solange NichtIstWand, innen solange IstZiegel."],
        loesung="""
// Musterl\u00f6sung: Aufr\u00e4umen
Programm
  solange NichtIstWand tue
    solange IstZiegel tue
      Aufheben
    *solange
    Schritt
  *solange
*Programm
""",
        welten=[alt("aufraeumen", 1), alt("aufraeumen", 2),
                {"karte": ["............",
                           ">2.1.3.2....",
                           "............"], "verdeckt": True}]),
    dict(
        name="ziegelreihe", titel="Ziegelreihe",
        text=["Tumbo geht bis zur Wand und legt rechts neben jedes Feld seines Weges genau einen Ziegel, auch neben sein Start- und sein Zielfeld.",
              "Die Reihen sind verschieden lang."],
        pruefen=["Ziegel", "Position", "Richtung"], gefordert="solange",
        tipps=["Ein Ziegel rechts: RechtsDrehen, Hinlegen, LinksDrehen.",
               "Lege den ersten Ziegel vor der Schleife. In der Schleife: Schritt, dann Ziegel rechts."],
        loesung="""
// Musterl\u00f6sung: Ziegelreihe
Programm
  RechtsDrehen
  Hinlegen
  LinksDrehen
  solange NichtIstWand tue
    Schritt
    RechtsDrehen
    Hinlegen
    LinksDrehen
  *solange
*Programm
""",
        welten=[alt("ziegelreihe", 1, drehen=True), alt("ziegelreihe", 2, drehen=True),
                alt("ziegelreihe", 3, drehen=True, verdeckt=True)]),
]

ANWEISUNGEN = [
    dict(
        name="am-rand-entlang", titel="Am Rand entlang",
        text=["Tumbo steht in der Ecke im Nordwesten und schaut nach Osten. Er geht rechts herum einmal ganz am Rand des Raumes entlang und setzt auf jedes Randfeld eine Marke.",
              "Am Ende steht er wieder auf seinem Startfeld und schaut wie am Anfang. Die R\u00e4ume sind verschieden gro\u00df."],
        pruefen=["Marken", "Position", "Richtung"], gefordert="Anweisung",
        tipps=["Mit Anweisung Seite ... *Anweisung erfindest du eine neue Anweisung Seite.",
               "Seite: solange keine Wand vor Tumbo ist, MarkeSetzen und Schritt. Danach RechtsDrehen.",
               "Im Programm rufst du Seite 4-mal auf."],
        loesung="""
// Musterl\u00f6sung: Am Rand entlang
Anweisung Seite
  solange NichtIstWand tue
    MarkeSetzen
    Schritt
  *solange
  RechtsDrehen
*Anweisung

Programm
  wiederhole 4 mal
    Seite
  *wiederhole
*Programm
""",
        welten=[
            {"karte": [">....",
                       ".....",
                       "....."]},
            {"karte": [">.....",
                       "......",
                       "..#...",
                       "......",
                       "......",
                       "......"]},
            {"karte": [">........",
                       ".........",
                       "...1.....",
                       "........."], "verdeckt": True},
        ]),
    dict(
        name="von-wand-zu-wand", titel="Von Wand zu Wand",
        text=["Tumbo geht geradeaus bis zur Wand. Dann dreht er sich um und geht bis zur Wand auf der anderen Seite. Dort setzt er eine Marke.",
              "Schreibe daf\u00fcr eigene Anweisungen, zum Beispiel Umdrehen und BisZurWand."],
        pruefen=["Marken", "Position", "Richtung"], gefordert="Anweisung",
        tipps=["Anweisung Umdrehen: zweimal LinksDrehen.",
               "Anweisung BisZurWand: solange NichtIstWand tue Schritt *solange.",
               "Das Programm: BisZurWand, Umdrehen, BisZurWand, MarkeSetzen."],
        loesung="""
// Musterl\u00f6sung: Von Wand zu Wand
Anweisung Umdrehen
  LinksDrehen
  LinksDrehen
*Anweisung

Anweisung BisZurWand
  solange NichtIstWand tue
    Schritt
  *solange
*Anweisung

Programm
  BisZurWand
  Umdrehen
  BisZurWand
  MarkeSetzen
*Programm
""",
        welten=[
            {"karte": [".......",
                       "..>....",
                       "......."]},
            {"karte": ["....",
                       "....",
                       ".^..",
                       "....",
                       "....",
                       "...."]},
            {"karte": ["...........",
                       "..#...<....",
                       "..........."], "verdeckt": True},
        ]),
    dict(
        name="mauer", titel="Mauer mit Tor",
        text=["Tumbo baut rechts neben seinem Weg bis zur Wand eine Mauer aus Stapeln mit je 3 Ziegeln. Die Mauer beginnt neben seinem Startfeld und endet neben dem Feld an der Wand.",
              "Wo Tumbo auf einer Marke steht, bleibt eine L\u00fccke f\u00fcr das Tor."],
        pruefen=["Ziegel", "Marken", "Position"], gefordert="Anweisung",
        tipps=["Schreibe eine Anweisung MauerStueck: Tumbo dreht sich nach rechts, legt 3 Ziegel hin, wenn er nicht auf einer Marke steht, und dreht sich zur\u00fcck.",
               "Nach jedem Schritt kommt ein MauerStueck. Das erste baut Tumbo schon vor dem ersten Schritt."],
        loesung="""
// Musterl\u00f6sung: Mauer mit Tor
Anweisung MauerStueck
  RechtsDrehen
  wenn NichtIstMarke dann
    Hinlegen(3)
  *wenn
  LinksDrehen
*Anweisung

Programm
  MauerStueck
  solange NichtIstWand tue
    Schritt
    MauerStueck
  *solange
*Programm
""",
        welten=[alt("mauer", 1, drehen=True), alt("mauer", 2, drehen=True),
                {"drehen": True, "karte": ["..........",
                                           "..........",
                                           ".........."], "tumbo": (0, 0, "O"), "marken": [(2, 0), (3, 0), (7, 0)],
                 "verdeckt": True}]),
    dict(
        name="stapel-ausgleichen", titel="Stapel ausgleichen",
        text=["Tumbo geht bis zur Wand. Rechts neben jedem Feld seines Weges soll am Ende ein Stapel aus genau 3 Ziegeln stehen, auch neben dem Start- und dem Zielfeld.",
              "Manche Stapel sind zu hoch, manche zu niedrig, und manche Felder sind noch leer."],
        pruefen=["Ziegel", "Position"], gefordert="Anweisung",
        tipps=["Schreibe eine Anweisung Ausgleichen f\u00fcr das Feld rechts neben Tumbo.",
               "In Ausgleichen: wenn nicht IstZiegel(3) dann alle Ziegel aufheben und Hinlegen(3) *wenn."],
        loesung="""
// Musterl\u00f6sung: Stapel ausgleichen
Anweisung Ausgleichen
  RechtsDrehen
  wenn nicht IstZiegel(3) dann
    solange IstZiegel tue
      Aufheben
    *solange
    Hinlegen(3)
  *wenn
  LinksDrehen
*Anweisung

Programm
  Ausgleichen
  solange NichtIstWand tue
    Schritt
    Ausgleichen
  *solange
*Programm
""",
        welten=[alt("stapel-ausgleichen", 1, drehen=True), alt("stapel-ausgleichen", 2, drehen=True),
                {"drehen": True, "karte": [".......",
                                           ">......",
                                           "43.3.52"], "verdeckt": True}]),
    dict(
        name="marken-teppich", titel="Marken-Teppich",
        text=["Tumbo legt auf jedes Feld der Welt eine Marke, Reihe f\u00fcr Reihe hin und her.",
              "Die Welten haben verschieden viele Reihen: Die Zahl der Reihen steht nicht fest."],
        pruefen=["Marken"], gefordert="Anweisung",
        tipps=["Schreibe eine Anweisung Reihe: Tumbo setzt Marken bis zur Wand.",
               "Am Ende einer Reihe dreht sich Tumbo zweimal: vor und nach dem Schritt in die n\u00e4chste Reihe. Am Ostrand nach rechts, am Westrand nach links.",
               "Ist nach der ersten Drehung eine Wand vor Tumbo, ist er fertig: Beenden."],
        loesung="""
// Musterl\u00f6sung: Marken-Teppich
Anweisung Reihe
  MarkeSetzen
  solange NichtIstWand tue
    Schritt
    MarkeSetzen
  *solange
*Anweisung

Programm
  wiederhole immer
    Reihe
    wenn IstOsten dann
      RechtsDrehen
      wenn IstWand dann
        Beenden
      *wenn
      Schritt
      RechtsDrehen
    sonst
      LinksDrehen
      wenn IstWand dann
        Beenden
      *wenn
      Schritt
      LinksDrehen
    *wenn
  *wiederhole
*Programm
""",
        welten=[alt("marken-teppich", 1), alt("marken-teppich", 2),
                {"karte": [">.....",
                           "......",
                           "......"], "verdeckt": True}]),
]

BEDINGUNGEN = [
    dict(
        name="marken-neben-stapeln", titel="Marken neben Stapeln",
        text=["Tumbo geht bis zur Wand. Auf jedes Feld seines Weges, neben dem rechts ein Ziegelstapel steht, setzt er eine Marke. Das gilt auch f\u00fcr sein Start- und sein Zielfeld.",
              "Schreibe daf\u00fcr eine eigene Bedingung, zum Beispiel RechtsZiegel."],
        pruefen=["Marken", "Position"], gefordert="Bedingung",
        tipps=["Eine Bedingung sagt am Ende wahr oder falsch: Bedingung RechtsZiegel ... *Bedingung.",
               "In RechtsZiegel: RechtsDrehen, wenn IstZiegel dann wahr sonst falsch *wenn, LinksDrehen.",
               "Dann: wenn RechtsZiegel dann MarkeSetzen *wenn, auf jedem Feld bis zur Wand."],
        loesung="""
// Musterl\u00f6sung: Marken neben Stapeln
Bedingung RechtsZiegel
  RechtsDrehen
  wenn IstZiegel dann
    wahr
  sonst
    falsch
  *wenn
  LinksDrehen
*Bedingung

Anweisung Markieren
  wenn RechtsZiegel dann
    MarkeSetzen
  *wenn
*Anweisung

Programm
  Markieren
  solange NichtIstWand tue
    Schritt
    Markieren
  *solange
*Programm
""",
        welten=[
            {"drehen": True, "karte": ["........",
                                       ">.......",
                                       "2..13..1"]},
            {"drehen": True, "karte": ["......",
                                       ">.....",
                                       ".4.2.."]},
            {"drehen": True, "karte": ["..........",
                                       ">.........",
                                       "1.1.1.1.1."], "verdeckt": True},
        ]),
    dict(
        name="tor-finden", titel="Das Tor in der Mauer",
        text=["Rechts neben Tumbo steht eine Mauer aus Quadern. Irgendwo hat sie eine L\u00fccke, das Tor.",
              "Tumbo geht an der Mauer entlang, bis das Tor rechts neben ihm ist. Dann geht er durch das Tor und bleibt auf dem Feld direkt hinter der Mauer stehen."],
        pruefen=["Position"], gefordert="Bedingung",
        tipps=["Schreibe eine Bedingung RechtsFrei: Tumbo dreht sich nach rechts, fragt IstWand und dreht sich zur\u00fcck.",
               "solange nicht RechtsFrei tue Schritt *solange",
               "Am Tor: RechtsDrehen und 2 Schritte."],
        loesung="""
// Musterl\u00f6sung: Das Tor in der Mauer
Bedingung RechtsFrei
  RechtsDrehen
  wenn IstWand dann
    falsch
  sonst
    wahr
  *wenn
  LinksDrehen
*Bedingung

Programm
  solange nicht RechtsFrei tue
    Schritt
  *solange
  RechtsDrehen
  Schritt(2)
*Programm
""",
        welten=[
            {"drehen": True, "karte": ["........",
                                       ">.......",
                                       "####.###",
                                       "........"]},
            {"drehen": True, "karte": ["......",
                                       ">.....",
                                       "##.###",
                                       "......",
                                       "......"]},
            {"drehen": True, "karte": ["..#..",
                                       "..#..",
                                       ".....",
                                       "..#..",
                                       "..#..",
                                       ".^#.."], "verdeckt": True},
        ]),
    dict(
        name="labyrinth", titel="Labyrinth",
        text=["Tumbo sucht den Weg durch das Labyrinth bis zur Marke und bleibt auf ihr stehen."],
        pruefen=["Position"], gefordert="Bedingung",
        tipps=["Halte die rechte Hand immer an der Wand: Ist rechts neben Tumbo frei, biegt er nach rechts ab.",
               "Schreibe eine Bedingung RechtsFrei: Ist rechts neben Tumbo keine Wand?",
               "Solange Tumbo nicht auf der Marke steht: Ist rechts frei, dreht er nach rechts und geht einen Schritt. Sonst geht er geradeaus, oder er dreht nach links, wenn vorn eine Wand ist."],
        loesung="""
// Musterl\u00f6sung: Labyrinth
// Tumbo h\u00e4lt die rechte Hand immer an der Wand.

// Ist rechts von Tumbo frei?
Bedingung RechtsFrei
  RechtsDrehen
  wenn IstWand dann
    falsch
  sonst
    wahr
  *wenn
  LinksDrehen
*Bedingung

Programm
  solange NichtIstMarke tue
    wenn RechtsFrei dann
      RechtsDrehen
      Schritt
    sonst
      wenn IstWand dann
        LinksDrehen
      sonst
        Schritt
      *wenn
    *wenn
  *solange
*Programm
""",
        welten=[alt("labyrinth", 1),
                {"karte": ["v..#...",
                           "##.#.#.",
                           "...#.#.",
                           ".###.#.",
                           ".....#.",
                           "####.#.",
                           "*....#."], "hoehe": 4},
                {"karte": [">...#....",
                           "##.##.##.",
                           "...#...#.",
                           ".#.#.#.#.",
                           ".#...#..*"], "hoehe": 4, "verdeckt": True}]),
    dict(
        name="enge-stelle", titel="Die enge Stelle",
        text=["Tumbo geht geradeaus, bis er an eine enge Stelle kommt: links und rechts neben ihm steht je ein Quader. Dort setzt er eine Marke und bleibt stehen.",
              "Schreibe daf\u00fcr eine eigene Bedingung, zum Beispiel Eng."],
        pruefen=["Marken", "Position", "Richtung"], gefordert="Bedingung",
        tipps=["In einer Bedingung darf Tumbo sich drehen. Er muss am Ende nur wieder so schauen wie vorher.",
               "Eng: LinksDrehen und IstWand fragen. Ist dort eine Wand, zweimal RechtsDrehen und wieder IstWand fragen.",
               "Im Programm: solange nicht Eng tue Schritt *solange, danach MarkeSetzen."],
        loesung="""
// Musterl\u00f6sung: Die enge Stelle
// Steht links und rechts neben Tumbo ein Quader?
Bedingung Eng
  LinksDrehen
  wenn IstWand dann
    RechtsDrehen
    RechtsDrehen
    wenn IstWand dann
      wahr
    sonst
      falsch
    *wenn
    LinksDrehen
  sonst
    falsch
    RechtsDrehen
  *wenn
*Bedingung

Programm
  solange nicht Eng tue
    Schritt
  *solange
  MarkeSetzen
*Programm
""",
        welten=[
            {"karte": ["..#..#.#.",
                       ">........",
                       ".#...#..."]},
            {"karte": ["#.#.#..",
                       ">......",
                       ".#.##.."]},
            {"karte": ["...#.#.#....",
                       "............",
                       "..#..#...#.."], "tumbo": (11, 1, "W"), "verdeckt": True},
        ]),
]

ZIEGEL_UND_MARKEN = [
    dict(
        name="stapel-umsetzen", titel="Stapel umsetzen",
        text=["Vor Tumbo steht ein Ziegelstapel, hinter ihm ist das Feld leer. Tumbo setzt den ganzen Stapel auf das Feld hinter sich um.",
              "Er bleibt dabei auf seinem Feld und schaut am Ende wieder nach vorn. Wie hoch der Stapel ist, wei\u00df Tumbo vorher nicht."],
        pruefen=["Ziegel", "Position", "Richtung"], gefordert="solange",
        tipps=["Trage immer nur einen Ziegel auf einmal nach hinten.",
               "Aufheben, umdrehen, Hinlegen, wieder umdrehen. Das wiederholt er, solange vor ihm noch Ziegel liegen."],
        loesung="""
// Musterl\u00f6sung: Stapel umsetzen
Anweisung Umdrehen
  LinksDrehen
  LinksDrehen
*Anweisung

Programm
  solange IstZiegel tue
    Aufheben
    Umdrehen
    Hinlegen
    Umdrehen
  *solange
*Programm
""",
        welten=[
            {"karte": [".....",
                       ".>3..",
                       "....."]},
            {"karte": ["......",
                       "..2<..",
                       "......"]},
            {"karte": [".....",
                       ".....",
                       "..>5.",
                       "....."], "verdeckt": True},
        ]),
    dict(
        name="zweier-finden", titel="Zweier finden",
        text=["Tumbo geht bis zur Wand. Steht rechts neben einem Feld seines Weges ein Stapel aus genau 2 Ziegeln, setzt er auf dieses Feld eine Marke.",
              "Das gilt auch f\u00fcr sein Start- und sein Zielfeld. Neben anderen Stapeln setzt er keine Marke, und alle Stapel bleiben, wie sie sind."],
        pruefen=["Marken", "Ziegel", "Position"], gefordert="Anweisung",
        tipps=["IstZiegel(2) ist nur wahr, wenn vor Tumbo genau 2 Ziegel liegen.",
               "MarkeSetzen wirkt auf Tumbos eigenes Feld, auch wenn er gerade nach rechts schaut.",
               "Schreibe eine Anweisung Pruefen: RechtsDrehen, wenn IstZiegel(2) dann MarkeSetzen *wenn, LinksDrehen."],
        loesung="""
// Musterl\u00f6sung: Zweier finden
Anweisung Pruefen
  RechtsDrehen
  wenn IstZiegel(2) dann
    MarkeSetzen
  *wenn
  LinksDrehen
*Anweisung

Programm
  Pruefen
  solange NichtIstWand tue
    Schritt
    Pruefen
  *solange
*Programm
""",
        welten=[
            {"drehen": True, "karte": [".......",
                                       ">......",
                                       "2132.22"]},
            {"drehen": True, "karte": ["........",
                                       ">.......",
                                       "1.2.3.2."]},
            {"drehen": True, "karte": ["......",
                                       ">.....",
                                       "42.2.1"], "verdeckt": True},
        ]),
    dict(
        name="markierte-abbauen", titel="Markierte Stapel abbauen",
        text=["Tumbo geht bis zur Wand. Rechts neben seinem Weg stehen Stapel. Steht Tumbo auf einer Marke, baut er den Stapel rechts neben sich ganz ab.",
              "Die anderen Stapel und alle Marken bleiben, wie sie sind. Das gilt auch f\u00fcr sein Start- und sein Zielfeld."],
        pruefen=["Ziegel", "Marken", "Position"], gefordert="Anweisung",
        tipps=["Schreibe eine Anweisung Abbauen: RechtsDrehen, alle Ziegel aufheben, LinksDrehen.",
               "wenn IstMarke dann Abbauen *wenn, auf jedem Feld bis zur Wand."],
        loesung="""
// Musterl\u00f6sung: Markierte Stapel abbauen
Anweisung Abbauen
  RechtsDrehen
  solange IstZiegel tue
    Aufheben
  *solange
  LinksDrehen
*Anweisung

Programm
  wenn IstMarke dann
    Abbauen
  *wenn
  solange NichtIstWand tue
    Schritt
    wenn IstMarke dann
      Abbauen
    *wenn
  *solange
*Programm
""",
        welten=[
            {"drehen": True, "karte": [".......",
                                       ".......",
                                       "3122413"], "tumbo": (0, 1, "O"), "marken": [(1, 1), (4, 1)]},
            {"drehen": True, "karte": [".....",
                                       ".....",
                                       "23232"], "tumbo": (0, 1, "O"), "marken": [(0, 1), (2, 1), (4, 1)]},
            {"drehen": True, "karte": ["........",
                                       "........",
                                       "45132221"], "tumbo": (0, 1, "O"), "marken": [(1, 1), (2, 1), (6, 1)],
             "verdeckt": True},
        ]),
    dict(
        name="aus-marken-werden-ziegel", titel="Aus Marken werden Ziegel",
        text=["Tumbo geht bis zur Wand. Auf seinem Weg liegen Marken. Jede Marke nimmt Tumbo weg und legt daf\u00fcr einen Ziegel rechts neben das Feld.",
              "Das gilt auch f\u00fcr sein Start- und sein Zielfeld. Am Ende liegt auf seinem Weg keine Marke mehr."],
        pruefen=["Ziegel", "Marken", "Position"], gefordert="Anweisung",
        tipps=["MarkeL\u00f6schen nimmt die Marke von Tumbos Feld weg.",
               "Schreibe eine Anweisung Tauschen: wenn IstMarke dann MarkeL\u00f6schen, RechtsDrehen, Hinlegen, LinksDrehen *wenn."],
        loesung="""
// Musterl\u00f6sung: Aus Marken werden Ziegel
Anweisung Tauschen
  wenn IstMarke dann
    MarkeL\u00f6schen
    RechtsDrehen
    Hinlegen
    LinksDrehen
  *wenn
*Anweisung

Programm
  Tauschen
  solange NichtIstWand tue
    Schritt
    Tauschen
  *solange
*Programm
""",
        welten=[
            {"drehen": True, "karte": ["........",
                                       "........",
                                       "........"], "tumbo": (0, 1, "O"), "marken": [(0, 1), (3, 1), (4, 1)]},
            {"drehen": True, "karte": ["......",
                                       "......",
                                       "1..2.."], "tumbo": (0, 1, "O"), "marken": [(0, 1), (2, 1), (5, 1)]},
            {"drehen": True, "karte": ["..........",
                                       "..........",
                                       ".........."], "tumbo": (0, 1, "O"), "marken": [(1, 1), (6, 1), (7, 1), (9, 1)],
             "verdeckt": True},
        ]),
    dict(
        name="stapel-aufstocken", titel="Stapel aufstocken",
        text=["Tumbo geht bis zur Wand. Jeder Stapel rechts neben seinem Weg bekommt einen Ziegel dazu. Felder ohne Ziegel bleiben leer.",
              "Das gilt auch f\u00fcr sein Start- und sein Zielfeld."],
        pruefen=["Ziegel", "Position"], gefordert="Anweisung",
        tipps=["IstZiegel fragt, ob vor Tumbo schon Ziegel liegen.",
               "Schreibe eine Anweisung Aufstocken: RechtsDrehen, wenn IstZiegel dann Hinlegen *wenn, LinksDrehen."],
        loesung="""
// Musterl\u00f6sung: Stapel aufstocken
Anweisung Aufstocken
  RechtsDrehen
  wenn IstZiegel dann
    Hinlegen
  *wenn
  LinksDrehen
*Anweisung

Programm
  Aufstocken
  solange NichtIstWand tue
    Schritt
    Aufstocken
  *solange
*Programm
""",
        welten=[
            {"drehen": True, "karte": [".......",
                                       ">......",
                                       "1.2.31."]},
            {"drehen": True, "karte": ["....",
                                       ">...",
                                       "3..4"]},
            {"drehen": True, "karte": ["..........",
                                       ">.........",
                                       ".2.1.1..2."], "verdeckt": True},
        ]),
]

OHNE_SCHLEIFE = "Ohne wiederhole und ohne solange: Eine Anweisung ruft sich selbst auf."
REKURSION = [
    dict(
        name="rekursiv-zur-wand", titel="Zur Wand ohne Schleife",
        text=["Tumbo geht geradeaus bis zur Wand und setzt dort eine Marke. Die Wand ist nicht immer gleich weit weg.", OHNE_SCHLEIFE],
        pruefen=["Marken", "Position", "Richtung"], gefordert="Anweisung", verboten="wiederhole,solange",
        tipps=["Eine Anweisung darf sich selbst aufrufen. Das hei\u00dft Rekursion.",
               "Anweisung ZurWand: wenn NichtIstWand dann Schritt und wieder ZurWand *wenn."],
        loesung="""
// Musterl\u00f6sung: Zur Wand ohne Schleife
Anweisung ZurWand
  wenn NichtIstWand dann
    Schritt
    ZurWand     // hier ruft sich die Anweisung selbst auf
  *wenn
*Anweisung

Programm
  ZurWand
  MarkeSetzen
*Programm
""",
        welten=[
            {"karte": ["......",
                       ">.....",
                       "......"]},
            {"karte": [".........",
                       ".>....#..",
                       "........."]},
            {"karte": ["...",
                       "...",
                       "...",
                       "...",
                       "...",
                       "...",
                       "...",
                       "..."], "tumbo": (1, 7, "N"), "verdeckt": True},
        ]),
    dict(
        name="hin-und-zurueck", titel="Hin und zur\u00fcck",
        text=["Tumbo geht bis zur Wand und kommt genau zu seinem Startfeld zur\u00fcck. Am Ende schaut er in die andere Richtung als am Anfang.",
              "Die Wand ist nicht immer gleich weit weg. " + OHNE_SCHLEIFE],
        pruefen=["Position", "Richtung"], gefordert="Anweisung", verboten="wiederhole,solange",
        tipps=["F\u00fcr jeden Schritt hin macht Tumbo sp\u00e4ter einen Schritt zur\u00fcck.",
               "Anweisung HinUndZurueck: wenn NichtIstWand dann Schritt, HinUndZurueck, Schritt sonst umdrehen *wenn."],
        loesung="""
// Musterl\u00f6sung: Hin und zur\u00fcck
// F\u00fcr jeden Schritt hin merkt sich Tumbo einen Schritt zur\u00fcck.
Anweisung HinUndZurueck
  wenn NichtIstWand dann
    Schritt
    HinUndZurueck
    Schritt
  sonst
    LinksDrehen
    LinksDrehen
  *wenn
*Anweisung

Programm
  HinUndZurueck
*Programm
""",
        welten=[
            {"karte": [".......",
                       ".>.....",
                       "......."]},
            {"karte": ["....",
                       "....",
                       "....",
                       "...."], "tumbo": (1, 0, "S")},
            {"karte": ["..........",
                       "..........",
                       "..<.......",
                       ".........."], "verdeckt": True},
        ]),
    dict(
        name="zur-mitte", titel="In die Mitte",
        text=["Zwischen Tumbo und der Wand liegt eine Reihe von Feldern. Tumbo geht genau auf das mittlere Feld dieser Reihe und schaut dann zur\u00fcck zu seinem Startfeld.",
              "Sein Startfeld und das Feld an der Wand z\u00e4hlen mit. " + OHNE_SCHLEIFE],
        pruefen=["Position", "Richtung"], gefordert="Anweisung", verboten="wiederhole,solange",
        tipps=["Auf dem Hinweg geht Tumbo je 2 Schritte, auf dem R\u00fcckweg je einen.",
               "Anweisung ZurMitte: wenn NichtIstWand dann Schritt, noch ein Schritt, ZurMitte, Schritt zur\u00fcck sonst umdrehen *wenn.",
               "Vor dem zweiten Schritt musst du noch einmal fragen, ob eine Wand vor Tumbo ist."],
        loesung="""
// Musterl\u00f6sung: In die Mitte
// Auf dem Hinweg 2 Schritte, auf dem R\u00fcckweg nur einer: So kommt Tumbo halb so weit zur\u00fcck.
Anweisung Umdrehen
  LinksDrehen
  LinksDrehen
*Anweisung

Anweisung ZurMitte
  wenn IstWand dann
    Umdrehen
  sonst
    Schritt
    wenn IstWand dann
      Umdrehen
    sonst
      Schritt
      ZurMitte
      Schritt
    *wenn
  *wenn
*Anweisung

Programm
  ZurMitte
*Programm
""",
        welten=[
            {"karte": [".......",
                       ">......",
                       "......."]},
            {"karte": ["...",
                       "...",
                       "...",
                       "...",
                       ".^.",
                       "..."]},
            {"karte": ["...........",
                       "..>........",
                       "..........."], "verdeckt": True},
        ]),
    dict(
        name="doppelt-so-weit", titel="Doppelt so weit",
        text=["Tumbo geht bis zur Wand. Dann dreht er sich um und geht doppelt so weit zur\u00fcck, wie er hingegangen ist.",
              "Die Wand ist nicht immer gleich weit weg. " + OHNE_SCHLEIFE],
        pruefen=["Position", "Richtung"], gefordert="Anweisung", verboten="wiederhole,solange",
        tipps=["F\u00fcr jeden Schritt hin macht Tumbo sp\u00e4ter 2 Schritte zur\u00fcck.",
               "Anweisung Doppelt: wenn NichtIstWand dann Schritt, Doppelt, Schritt(2) sonst umdrehen *wenn."],
        loesung="""
// Musterl\u00f6sung: Doppelt so weit
Anweisung Doppelt
  wenn NichtIstWand dann
    Schritt
    Doppelt
    Schritt(2)
  sonst
    LinksDrehen
    LinksDrehen
  *wenn
*Anweisung

Programm
  Doppelt
*Programm
""",
        welten=[
            {"karte": [".......",
                       "....>..",
                       "......."]},
            {"karte": ["...",
                       "...",
                       "...",
                       "...",
                       "...",
                       "...",
                       ".v.",
                       "...",
                       "...",
                       "..."]},
            {"karte": [".............",
                       "........>....",
                       "............."], "verdeckt": True},
        ]),
    dict(
        name="stapel-verdoppeln", titel="Stapel verdoppeln",
        text=["Vor Tumbo steht ein Ziegelstapel, hinter ihm ist das Feld leer. Tumbo baut hinter sich einen genauso hohen Stapel. Der Stapel vor ihm bleibt so hoch, wie er war.",
              "Tumbo bleibt dabei auf seinem Feld und schaut am Ende wieder nach vorn. " + OHNE_SCHLEIFE],
        pruefen=["Ziegel", "Position", "Richtung"], gefordert="Anweisung", verboten="wiederhole,solange",
        tipps=["Tumbo hebt einen Ziegel auf und ruft die Anweisung wieder auf. Liegt nichts mehr vor ihm, dreht er sich um.",
               "Auf dem R\u00fcckweg der Rekursion legt Tumbo jedes Mal 2 Ziegel hin: einen hinter sich und einen vor sich.",
               "Kopieren: wenn IstZiegel dann Aufheben, Kopieren, Hinlegen, Umdrehen, Hinlegen, Umdrehen sonst Umdrehen *wenn. Zum Schluss noch einmal umdrehen."],
        loesung="""
// Musterl\u00f6sung: Stapel verdoppeln
Anweisung Umdrehen
  LinksDrehen
  LinksDrehen
*Anweisung

// Hebt den Stapel auf und legt ihn auf dem R\u00fcckweg doppelt wieder hin:
// einen Ziegel hinter Tumbo, einen vor ihn. Danach schaut Tumbo nach hinten.
Anweisung Kopieren
  wenn IstZiegel dann
    Aufheben
    Kopieren
    Hinlegen
    Umdrehen
    Hinlegen
    Umdrehen
  sonst
    Umdrehen
  *wenn
*Anweisung

Programm
  Kopieren
  Umdrehen
*Programm
""",
        welten=[
            {"karte": [".....",
                       ".>2..",
                       "....."]},
            {"karte": ["......",
                       ".3<...",
                       "......",
                       "......"]},
            {"karte": [".....",
                       ".....",
                       "..>4.",
                       "....."], "verdeckt": True},
        ]),
]

ABSCHNITTE = [
    ("Erste Schritte", ERSTE_SCHRITTE),
    ("Wiederholen", WIEDERHOLEN),
    ("Wenn und sonst", WENN),
    ("Solange", SOLANGE),
    ("Eigene Anweisungen", ANWEISUNGEN),
    ("Eigene Bedingungen", BEDINGUNGEN),
    ("Ziegel und Marken", ZIEGEL_UND_MARKEN),
    ("Rekursion", REKURSION),
]
