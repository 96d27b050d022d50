#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

"""The rules of scripts/make-wordlist.py on small dictionaries made here."""

import importlib.util
import os
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "make-wordlist.py")
spec = importlib.util.spec_from_file_location("make_wordlist", SCRIPT)
make_wordlist = importlib.util.module_from_spec(spec)
spec.loader.exec_module(make_wordlist)

AFF = """SET UTF-8
SFX E Y 1
SFX E 0 e .
SFX P Y 1
SFX P 0 en [^n]
"""
DIC = """16
Hund
Platz
platz/oz
Bettler
Bettlerin
Katz/hE
Zwerg/oE
Unwort/d
Bahn/j
Haus/j
hof/oz
tür/ozE
Lesen/P
Spur/P
Geld
Takel
Mord
Drogerie
Mörderin
Drogen/j
dealer/oz
Verb/j
raucher/oz
verbrauchen/D
Seuche
Krebs
Haut
Wurf
Milch
Stetigkeit
Hose
Hof
Leichen/j
wagen/oz
Ei/j
Eil/j
leiter/oz
eiter/oz
Leuchtturm
leuchten/D
Turm
"""


def write(folder, name, text):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)
    return path


def used(word, times, tag=""):
    """Entries of Ding that use the word in a phrase."""
    return "".join(f"mit dem {word} Nummer {i} {tag}:: with the {word}\n" for i in range(times))


# Each row: Ding's entries, then the nouns chosen from them with their
# topics, then nouns that must not be chosen.
CHOICES = [
    ("everybody's sense, used enough", "Hund {m} :: dog\n" + used("Hund", 3), {"Hund": []}, []),
    ("everybody's sense, used too little", "Takel {n} :: tackle\n" + used("Takel", 2), {}, ["Takel"]),
    ("uses in a specialist's entries count for nothing",
     "Hund {m} :: dog\n" + used("Hund", 3, "[jur.] "), {}, ["Hund"]),
    ("uses in a topic's entries count, a specialist's tag beside",
     "Takel {n} :: tackle\n" + used("Takel", 3, "[cook.] [chem.] "), {"Takel": []}, []),
    ("a specialist's only, used as an everyday word", "Geld {n} [fin.] :: money\n" + used("Geld", 4), {}, ["Geld"]),
    ("a specialist's only, used by everybody", "Geld {n} [fin.] :: money\n" + used("Geld", 5), {"Geld": []}, []),
    ("a topic's word needs no use", "Hund {m} [zool.] :: dog\n", {"Hund": ["Tiere"]}, []),
    ("a sub-entry has its entry's subject", "Haus {n} [zool.] | Häuser {pl} | Hund {m} :: a | b | dog\n",
     {"Haus": ["Tiere"], "Hund": ["Tiere"]}, []),
    ("a narrowing remark is no topic", "Hund {m} (Bergbau) [zool.] :: tub\n", {}, ["Hund"]),
    ("a Latin name is no narrowing remark", "Hund {m} (Canis lupus) [zool.] :: dog\n", {"Hund": ["Tiere"]}, []),
    ("a compound used as a word of its own", "Bahnhof {m} :: station\n" + used("Bahnhof", 3), {}, ["Bahnhof"]),
    ("a compound used as a compound", "Bahnhof {m} :: station\n" + used("Bahnhof", 4), {"Bahnhof": []}, []),
    ("a part of a compound is used", "Haus {n} :: house\n" + "Haustür {f} :: door\n" * 3, {"Haus": []}, ["Haustür"]),
    ("the end of a compound is used", "Platz {m} :: place\n" + "Bahnplatz {m} :: p\n" * 3, {"Platz": []}, []),
    ("a plural in a phrase is its singular's", "Hund {m} | Hunde {pl} :: dog | dogs\n" + used("Hunde", 3),
     {"Hund": []}, []),
    ("after its article", "die Katze {f} :: cat\n" + used("Katze", 3), {"Katze": []}, []),
    ("after a remark", "(große) Katze {f} :: cat\n" + used("Katze", 3), {"Katze": []}, []),
    ("a phrase is no sense of its noun", "Hund {m} einer Leine :: a dog's\n" + used("Hund", 3), {}, ["Hund"]),
    ("the female beside the male", "Bettler {m} :: b\nBettlerin {f} :: b\n" + used("Bettler", 3)
     + used("Bettlerin", 3), {"Bettler": []}, ["Bettlerin"]),
    ("the female alone", "Bettlerin {f} :: b\n" + used("Bettlerin", 3), {"Bettlerin": []}, []),
    ("another's plural of one sense", "Spur {f} | Spuren {pl} :: t | ts\nSpuren {n} [sport] :: tracking\n"
     + used("Spur", 3), {"Spur": []}, ["Spuren"]),
    ("another's plural of two senses", "Spur {f} | Spuren {pl} :: t | ts\nSpuren {n} [sport] :: tracking\n"
     "Spuren {n} [sport] :: tracing\n", {"Spuren": ["Sport"]}, []),
    ("an insult's synonym", "Hund {m}; Bahn {m} [pej.] :: cur\n" + used("Hund", 3), {}, ["Hund"]),
    ("an unfit word", "Mord {m} [zool.] :: murder\n", {}, ["Mord"]),
    ("an unfit first part", "Drogendealer {m} [zool.] :: dealer\n" + used("Drogendealer", 3), {}, ["Drogendealer"]),
    ("an unfit first part without its joint", "Leichenwagen {m} [auto] :: hearse\n" + used("Leichenwagen", 3),
     {}, ["Leichenwagen"]),
    ("only the split with the shortest first part", "Eileiter {m} [anat.] :: oviduct\n" + used("Eileiter", 3),
     {"Eileiter": ["Körper"]}, []),
    ("an unfit word's letters inside another", "Drogerie {f} [zool.] :: chemist's\n", {"Drogerie": ["Tiere"]}, []),
    ("the female of an unfit word", "Mörderin {f} [zool.] :: murderess\n", {}, ["Mörderin"]),
    ("a verb's noun is no compound", "Verbraucher {m} :: consumer\n" + used("Verbraucher", 4),
     {"Verbraucher": []}, []),
    ("a disease in the main sense", "Geld {n} [med.] :: contagious disease\n" + used("Geld", 5), {}, ["Geld"]),
    ("a disease under no such subject", "Geld {n} [fin.] :: disease\n" + used("Geld", 5), {"Geld": []}, []),
    ("left out by hand", "Krebs {m} [zool.] :: crab\n", {}, ["Krebs"]),
    ("the topic of the main sense only", "Haut {f} [anat.] :: skin\nHaut {f} [cook.] :: skin (on milk)\n",
     {"Haut": ["Körper"]}, []),
    ("no topic of another sense", "Wurf {m} :: throw\nWurf {m} [zool.] :: litter\n" + used("Wurf", 3),
     {"Wurf": []}, []),
    ("the main sense again, with a topic", "Milch {f} :: milk\nMilch {f} [cook.] :: skimmed milk\n",
     {"Milch": ["Essen und Trinken"]}, []),
    ("no topic for an abstract noun", "Stetigkeit {f} [bot.] :: continuity\n", {"Stetigkeit": []}, []),
    ("a topic given by hand", "Hose {f} :: trousers\n" + used("Hose", 3), {"Hose": ["Kleidung"]}, []),
    # The compound's own entry and its uses count for its parts too.
    ("an everyday compound used twice", "Bahnhof {m} :: station\nBahn {f} :: rail\nHof {m} :: yard\n"
     + used("Bahnhof", 2) + used("Bahn", 30) + used("Hof", 27), {"Bahnhof": []}, []),
    ("a compound of a part used too little", "Bahnhof {m} :: station\nBahn {f} :: rail\nHof {m} :: yard\n"
     + used("Bahnhof", 2) + used("Bahn", 30) + used("Hof", 26), {}, ["Bahnhof"]),
    ("a verb's stem and an everyday noun", "Leuchtturm {m} :: lighthouse\nTurm {m} :: tower\n"
     + used("Leuchtturm", 2) + used("Turm", 30), {"Leuchtturm": []}, []),
    ("a compound of everyday parts used once", "Bahnhof {m} :: station\nBahn {f} :: rail\nHof {m} :: yard\n"
     + used("Bahnhof", 1) + used("Bahn", 30) + used("Hof", 30), {}, ["Bahnhof"]),
]

# Each row: the words the guesser knows, a word, the mistakes it makes on it.
GUESSES = [
    ("the letter most fitting words have", "HAUS HASE HOSE", "HASE", 0),
    ("the rarer of two that fit, A tried before O", "HAUS HASE HOSE", "HOSE", 1),
    ("the only word that fits costs nothing", "HAUS HASE HOSE MAUS", "MAUS", 0),
    ("a refused letter rules its words out", "HAUS HASE HOSE HUPE", "HUPE", 1),
    ("ß stays ß", "STRAßE STRASSE", "STRAßE", 0),
]

# Each row: nouns with (uses, abstract), then the level of some of them.
LEVELS = [
    ("common and found at once: easy; the rarest, found at once: hard",
     {"HASE": (9, False), "HOSE": (8, False), "HAUS": (7, False)},
     {"HASE": "leicht", "HOSE": "mittel", "HAUS": "schwer"}),
    ("an abstract noun is never easy",
     {"HASE": (9, True), "HOSE": (8, False), "HAUS": (7, False)}, {"HASE": "mittel"}),
]


class MakeWordlistTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.hunspell = make_wordlist.Hunspell(write(cls.folder.name, "de.dic", DIC), write(cls.folder.name, "de.aff", AFF))

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_hunspell(self):
        rows = [
            ("a stem", "Hund", True, []),
            ("a stem and its suffix", "Katze", True, []),
            ("a stem that needs a suffix", "Katz", False, []),
            ("a stem only in compounds, with its suffix", "Zwerge", False, []),
            ("a forbidden stem", "Unwort", False, []),
            ("a suffix whose condition fails", "Lesenen", False, []),
            ("two parts", "Bahnhof", False, [("Bahn", "hof")]),
            ("an end with its suffix", "Haustüre", False, [("Haus", "türe")]),
            ("an end that opens", "hofBahn", False, []),
        ]
        for name, word, is_word, splits in rows:
            with self.subTest(name):
                self.assertEqual(word in self.hunspell.words, is_word)
                self.assertEqual(list(self.hunspell.splits(word)), splits)

    def test_choose(self):
        for name, entries, chosen, left_out in CHOICES:
            with self.subTest(name):
                ding = make_wordlist.Ding(write(self.folder.name, "de-en", entries))
                words = make_wordlist.choose(ding, self.hunspell, set())
                for word, topics in chosen.items():
                    self.assertIn(word, words)
                    self.assertEqual(words[word].topics, topics, word)
                for word in left_out:
                    self.assertNotIn(word, words)

    def test_guesser(self):
        for name, known, word, mistakes in GUESSES:
            with self.subTest(name):
                by_length = make_wordlist.wordlist_levels.by_length(known.split())
                self.assertEqual(make_wordlist.wordlist_levels.mistakes(word, by_length), mistakes)

    def test_levels(self):
        for name, nouns, levels in LEVELS:
            with self.subTest(name):
                assigned = make_wordlist.wordlist_levels.assign_levels(nouns)[0]
                self.assertEqual({word: assigned[word] for word in levels}, levels)

    def test_blocked(self):
        ding = make_wordlist.Ding(write(self.folder.name, "de-en", "Hund {m} [zool.] :: dog\n"))
        self.assertEqual(make_wordlist.choose(ding, self.hunspell, {"Hund"}), {})


if __name__ == "__main__":
    unittest.main()
