#!/usr/bin/env python3
"""Writes a small .lab file for the command-line tests.

    ecrit_lab.py OUT.lab [TM=name] [TS=name] [TP=name] ITEM...

Every partition starts as a wall and every room as empty. ITEM is one of
    C4:8            room C4 gets kind 8 (the start)
    C4/est:0        the partition east of C4 gets kind 0 (nord, est, sud, ouest)
    C4?Question|answer 1|answer 2|...|10000   a riddle: question, five proposals, ticks
Text is written in Windows-1252, as the editor stores it."""
import sys

COTE = 10


def salle(nom):
    return (ord(nom[0]) - ord("A"), int(nom[1:]) - 1)


def cloison(col, lig, cote):
    if cote == "nord":
        return lig * COTE + col
    if cote == "sud":
        return (lig + 1) * COTE + col
    if cote == "ouest":
        return 110 + lig * 11 + col
    return 110 + lig * 11 + col + 1


def main(argv):
    out = argv[1]
    textures = {"TM": "", "TS": "", "TP": ""}
    cloisons = [1] * 220
    salles = [[0, "", [""] * 5, "00000"] for _ in range(100)]
    for item in argv[2:]:
        if item[:3] in ("TM=", "TS=", "TP="):
            textures[item[:2]] = item[3:]
        elif "?" in item:
            nom, reste = item.split("?", 1)
            parts = reste.split("|")
            c, l = salle(nom)
            s = salles[l * COTE + c]
            s[1] = parts[0]
            s[2] = (parts[1:6] + [""] * 5)[:5]
            s[3] = parts[6] if len(parts) > 6 else "00000"
        elif "/" in item:
            lieu, genre = item.split(":")
            nom, cote = lieu.split("/")
            c, l = salle(nom)
            cloisons[cloison(c, l, cote)] = int(genre)
        else:
            nom, genre = item.split(":")
            c, l = salle(nom)
            salles[l * COTE + c][0] = int(genre)
    lignes = ["TITRE=", "MISSION", "", "/MISSION", "MESSAGE", "Bravo !", "/MESSAGE"]
    lignes += ["SAM=", "SPA=", "SPO=", "STE=", "SCO="]
    lignes += ["TM=" + textures["TM"], "TS=" + textures["TS"], "TP=" + textures["TP"]]
    for i, k in enumerate(cloisons):
        if i < 110:
            lignes.append("C=0,%d,%d,%d" % (i % 10, i // 10, k))
        else:
            j = i - 110
            lignes.append("C=1,%d,%d,%d" % (j % 11, j // 11, k))
    for i, (k, q, reps, bonnes) in enumerate(salles):
        lignes.append("S=%d,%d,%d" % (i % 10, i // 10, k))
        lignes += [q] + reps + [bonnes, "", ""]
    with open(out, "wb") as f:
        f.write(("\r\n".join(lignes) + "\r\n").encode("cp1252"))


main(sys.argv)
