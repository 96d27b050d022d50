#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the German nouns that the computer chooses from in solo play.

The nouns come from two Debian packages:

- trans-de-en, the Ding dictionary: which entries are nouns ({m}, {f},
  {n}), their subject tags (which become the game's topics) and their usage
  tags (vulgar, pejorative, slang, obsolete, regional, names: dropped);
- hunspell-de-de, igerman98's base forms: a noun is kept only when it is a
  stem of its own in de_DE.dic, which confirms its spelling and that it is
  a base form, not a plural or an inflection.

Capitalised infinitives that are also verbs in hunspell ("Auswerten") are
dropped, except the few in KEPT_INFINITIVES that are things of their own;
the words in game/words/blocked-de.txt are dropped whatever the sources say.

    apt-get install hunspell-de-de trans-de-en
    python3 scripts/make-wordlist.py > game/words/nouns-de.txt

The output is UTF-8, one noun a line, its topics after it, separated by
tabs; lines starting with "#" are comments. Run it again after changing
this script or the block list, or when the packages change, and review the
diff.
"""

import os
import re
import subprocess
import sys

DIC = "/usr/share/hunspell/de_DE.dic"
DING = "/usr/share/trans/de-en"
PACKAGES = ("hunspell-de-de", "trans-de-en")
BLOCKED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "game", "words", "blocked-de.txt")

MIN_LENGTH = 4
MAX_LENGTH = 12

# Ding's subject tags and the topic each stands for.
TOPICS = {
    "cook.": "Essen und Trinken",
    "zool.": "Tiere",
    "ornith.": "Tiere",
    "sport": "Sport",
    "mus.": "Musik",
    "textil.": "Kleidung",
    "bot.": "Pflanzen",
    "anat.": "Körper",
    "auto": "Auto und Verkehr",
}

# Usage tags of a sense that does not belong in the game: the word stays
# when another sense of it is free of them.
DROPPED_SENSE_TAGS = {
    # slang, children's and young people's words
    "slang", "Jugendsprache", "Kindersprache",
    # obsolete and rare
    "veraltet", "veraltend", "obs.", "obs", "alt", "selten", "dated", "archaic", "rare",
    # regional
    "Ös.", "Westös.", "Ostös.", "Südostös.", "Mittelös.", "Schw.", "Westschw.", "Ostschw.",
    "Süddt.", "Norddt.", "Mitteldt.", "Westdt.", "Ostdt.", "Nordostdt.", "Nordwestdt.",
    "Mittelwestdt.", "Mittelostdt.", "Ostmitteldt.", "Bayr.", "BW", "Bw", "BW.", "Schwäb.",
    "Sachsen", "Berlin", "Franken", "Tirol", "Wien", "Vorarlberg", "Pfalz", "Baden",
    "Westfalen", "Hessen", "Lie.", "Lux.", "DDR", "dialect",
    # trade marks
    "tm",
}

# A sense with one of these tags makes the whole word unfit: it may be read
# as an insult whatever the other senses are.
DROPPED_WORD_TAGS = {"vulg.", "pej.", "derb", "sometimes pej.", "oft pej."}

# Words in brackets of a sense that name a place, a person or a people's
# member rather than a thing.
NAME_MARKERS = re.compile(
    r"\((?:[^)]*\b)?(Fluss|Stadt|Insel|Inseln|Gebirge|Berg|Land|Staat|Region|Landschaft|"
    r"Vorname|Name|Familienname|Ortsname|Bewohner|Bewohnerin|Einwohner|Einwohnerin|Volk|"
    r"Hauptstadt|Kanton|Bundesland|Provinz|Gottheit|Göttin|Gott|Figur)\b"
)

# Capitalised infinitives that name a thing of their own, not the doing of
# the verb.
KEPT_INFINITIVES = {
    "Abkommen", "Anliegen", "Ansehen", "Ballen", "Beben", "Essen", "Fernsehen", "Gefallen",
    "Glauben", "Graben", "Haken", "Knoten", "Korken", "Leben", "Leiden", "Norden", "Osten",
    "Posten", "Rechen", "Regen", "Reifen", "Rennen", "Rücken", "Schaden", "Schnupfen", "Schrecken",
    "Schreiben", "Schuppen", "Streifen", "Süden", "Treffen", "Tropfen", "Unternehmen", "Verbrechen",
    "Verfahren", "Vergehen", "Vergnügen", "Verhalten", "Verlangen", "Vermögen", "Versprechen",
    "Vertrauen", "Vorhaben", "Vorkommen", "Wagen", "Wissen", "Zapfen",
}

# Hunspell's flags: a stem only found inside compounds, a stem that needs an
# affix, a forbidden word; and the conjugation flags that mark a verb.
NOT_ALONE_FLAGS = set("ohd")
VERB_FLAGS = set("DIXYW")
# The prefix "ver-" that hunspell adds to a verb by its flag V.
VER_PREFIX_FLAG = "V"

HEADWORD = re.compile(r"^([A-ZÄÖÜ][a-zäöüß]+)\s*\{([mfn])\}(.*)$")
BRACKETS = re.compile(r"\[([^\]]+)\]")


def package_version(name):
    return subprocess.run(
        ["dpkg-query", "-W", "-f=${Version}", name], check=True, capture_output=True, text=True
    ).stdout


def read_hunspell(path):
    """The stems that stand as words of their own, and the verbs."""
    alone = set()
    verbs = set()
    with_ver_prefix = set()
    with open(path, encoding="utf-8") as dic:
        next(dic)  # the number of entries
        for line in dic:
            if line[:1].isspace() or not line.strip():
                continue  # the header's comment lines
            stem, _, flags = line.strip().partition("/")
            flags = set(flags)
            if not flags & NOT_ALONE_FLAGS:
                alone.add(stem)
            if flags & VERB_FLAGS and stem[:1].islower():
                verbs.add(stem)
                if VER_PREFIX_FLAG in flags:
                    with_ver_prefix.add("ver" + stem)
    return alone, verbs | with_ver_prefix


def split_top(text, separator):
    """Splits at the separator outside brackets of any kind."""
    parts, depth, start, i = [], 0, 0, 0
    while i < len(text):
        c = text[i]
        if c in "([{<":
            depth += 1
        elif c in ")]}>" and depth:
            depth -= 1
        elif depth == 0 and text.startswith(separator, i):
            parts.append(text[start:i])
            i += len(separator)
            start = i
            continue
        i += 1
    parts.append(text[start:])
    return parts


def is_capitalised(english):
    text = re.sub(r"\([^)]*\)|\[[^\]]*\]|\{[^}]*\}|<[^>]*>|/[^/]*/", "", english).strip()
    text = re.sub(r"^the ", "", text)
    return bool(text) and text[0].isupper()


class Noun:
    def __init__(self):
        self.kept_senses = 0
        self.insult = False
        self.topics = set()


def read_ding(path):
    """Every single-word noun of the German side, with its senses."""
    nouns = {}
    with open(path, encoding="utf-8") as ding:
        for line in ding:
            if line.startswith("#") or " :: " not in line:
                continue
            german, english = line.rstrip("\n").split(" :: ", 1)
            german_segments = split_top(german, " | ")
            english_segments = split_top(english, " | ")
            for index, segment in enumerate(german_segments):
                items = [item.strip() for item in split_top(segment, "; ")]
                segment_tags = set(BRACKETS.findall(segment))
                english_items = split_top(english_segments[index], "; ") if index < len(english_segments) else []
                names_in_english = bool(english_items) and all(is_capitalised(e) for e in english_items)
                is_name = names_in_english and ("geogr." in segment_tags or NAME_MARKERS.search(segment))
                for position, item in enumerate(items):
                    match = HEADWORD.match(item)
                    if not match:
                        continue
                    word, rest = match.group(1), match.group(3)
                    own_tags = set(BRACKETS.findall(rest))
                    noun = nouns.setdefault(word, Noun())
                    if own_tags & DROPPED_WORD_TAGS:
                        noun.insult = True
                    # Among synonyms of which one is an insult, the others
                    # are likely to be insults too.
                    if own_tags & DROPPED_SENSE_TAGS or is_name or segment_tags & DROPPED_WORD_TAGS:
                        continue
                    noun.kept_senses += 1
                    # A subject is the topic of the segment's first word; the
                    # synonyms after it and a word narrowed by a remark in
                    # brackets ("Zunahme (Häkeln)") are often its jargon.
                    if position > 0 or "(" in rest:
                        continue
                    for tag in segment_tags:
                        if tag in TOPICS:
                            noun.topics.add(TOPICS[tag])
    return nouns


def read_blocked(path):
    with open(path, encoding="utf-8") as blocked:
        return {line.strip() for line in blocked if line.strip() and not line.startswith("#")}


def main():
    alone, verbs = read_hunspell(DIC)
    nouns = read_ding(DING)
    blocked = read_blocked(BLOCKED)

    chosen = []
    for word, noun in nouns.items():
        if noun.insult or not noun.kept_senses or word in blocked:
            continue
        if not MIN_LENGTH <= len(word) <= MAX_LENGTH or word not in alone:
            continue
        infinitive = word[0].lower() + word[1:]
        if word.endswith("n") and infinitive in verbs and word not in KEPT_INFINITIVES:
            continue
        chosen.append((word, sorted(noun.topics)))
    chosen.sort(key=lambda entry: entry[0])

    versions = ", ".join(f"{name} {package_version(name)}" for name in PACKAGES)
    out = sys.stdout
    out.write("# German nouns for solo play, one a line, its topics after it, separated by tabs.\n")
    out.write(f"# Made from the Debian packages {versions}\n")
    out.write("# (Ding, GPL-2.0-or-later; igerman98, GPL-2.0-only or GPL-3.0-only) by\n")
    out.write("#     python3 scripts/make-wordlist.py > game/words/nouns-de.txt\n")
    out.write(f"# {len(chosen)} nouns.\n")
    for word, topics in chosen:
        out.write("\t".join([word] + topics) + "\n")


if __name__ == "__main__":
    main()
