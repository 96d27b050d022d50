#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the German nouns that the computer chooses from in solo play.

The nouns come from two Debian packages:

- trans-de-en, the Ding dictionary: which entries are nouns ({m}, {f},
  {n}), their subject tags (which become the game's topics, or mark a
  specialist's word) and their usage tags (vulgar, pejorative, slang,
  obsolete, regional, names: dropped);
- hunspell-de-de, igerman98: a noun is kept only when the dictionary
  spells it so, as a word of its own (a stem, or a stem with one of its
  suffixes: "Katz" and "e") or as a compound of two of its parts
  ("Bahn" and "hof").

The game wants words a player knows, not a specialist's jargon. Ding files
many senses under a subject ("[jur.]", "[chem.]", "[techn.]"); a sense
filed under one of SPECIALIST_TAGS and under no topic is a specialist's.
Whether a word is known is measured by how often Ding itself uses it in
its entries that are not a specialist's: in an example phrase ("einen
Apfel schälen", in any of the word's forms) or as a part of a compound
that hunspell takes apart ("Haustür"). A noun stays when

- a sense of it is everybody's and Ding uses it USES_OF_A_WORD times
  (USES_OF_A_COMPOUND times for a compound): "Hund", "Zeitung", not
  "Takel" or "Organigramm", which no other entry mentions;
- every sense is a specialist's but Ding uses it that much all the same,
  USES_OF_A_SPECIALIST_WORD times: "Geld", "Schiff", "Fieber", not
  "Konnossement" or "Oszilloskop";
- it has a topic ("Apfel", "Hund", "Geige"): a word of its own whatever its
  uses, since Ding makes few compounds of dishes and animals ("Paella",
  "Faultier"), a compound USES_OF_A_TOPIC_COMPOUND times, so that species
  that only a Latin name tells apart do not crowd a topic.

A game for a classroom leaves out whole kinds of word: death and killing,
violence and weapons, drugs, sex and the private parts of the body, bodily
waste, disease as a threat and slurs. A word is of such a kind when it or a
part of it is one of UNFIT_KINDS' words ("Todesopfer", "Drogendealer", not
"Vergleich" or "Drogerie"), or when Ding files its main sense under a
subject and translates it as UNFIT_MAIN_SENSES say (a disease under
"[med.]"). What the rules let through was read word by word; what that
reading left out, and the topics it mended, are in scripts/wordlist_review.py
with a reason each.

A noun's topic is its main sense's: the first entry of Ding's that it heads
(HAUT is skin before the skin on milk). An abstract noun has no topic.
A compound that Ding uses twice and whose parts are everyday nouns (or a
verb's stem and a noun) stays although Ding seldom uses it: "Leuchtturm".
Each noun gets a level, "leicht", "mittel" or "schwer", from
scripts/wordlist_levels.py: a guesser that knows the list, how common the
noun is and whether a child can picture it.

Capitalised infinitives that are also verbs in hunspell ("Auswerten") are
dropped, except the few in KEPT_INFINITIVES that are things of their own;
so are a noun of one sense that Ding also gives as the plural of another
("Spuren" of "Spur"), the female form of a person whose male form is kept ("Bettlerin"
beside "Bettler": the two would be one word twice to the guesser), and the
words in game/words/blocked-de.txt, whatever the sources say.

    apt-get install hunspell-de-de trans-de-en
    python3 scripts/make-wordlist.py > game/words/nouns-de.txt

The output is UTF-8, one noun a line, its level and then its topics after
it, separated by tabs; lines starting with "#" are comments. The numbers for
the README (words per topic and level, the levels' mistakes) go to the
standard error. Run it again after changing this script, the review or the
block list, or when the packages change, and review the diff.
"""

import collections
import itertools
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wordlist_levels  # noqa: E402
from wordlist_levels import LEVELS, assign_levels, is_abstract  # noqa: E402
from wordlist_review import REMOVED_BY_HAND, TOPICS_BY_HAND  # noqa: E402

DIC = "/usr/share/hunspell/de_DE.dic"
AFF = "/usr/share/hunspell/de_DE.aff"
DING = "/usr/share/trans/de-en"
PACKAGES = ("hunspell-de-de", "trans-de-en")
BLOCKED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "game", "words", "blocked-de.txt")

MIN_LENGTH = 4
MAX_LENGTH = 12

# How often Ding must use a noun in its entries that are not a specialist's
# for it to stay (see above). Found by sampling the words of each third of
# the default pool until jargon was rare.
USES_OF_A_WORD = 3
USES_OF_A_COMPOUND = 4
USES_OF_A_SPECIALIST_WORD = 5
USES_OF_A_TOPIC_COMPOUND = 3
# A compound that heads an entry of its own, that Ding uses this often,
# and whose two parts it uses that often ("Leuchtturm") is everyday too.
USES_OF_A_GAINED_COMPOUND = 2
USES_OF_AN_EVERYDAY_PART = 30

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

# Ding's subject tags of a specialist's field: a sense filed under one of
# them and under no topic is jargon. Ding spells some of them in more than
# one way. Society, politics, religion, history, the arts, school and the
# weather are everybody's, and so are the topics.
SPECIALIST_TAGS = {
    # law, trade, money, administration
    "jur.", "econ.", "econ", "fin.", "adm.", "adm", "statist.", "transp.",
    # natural sciences and mathematics
    "chem.", "biochem.", "biol.", "phys.", "math.", "geol.", "astron.", "envir.", "envir",
    "environ.", "sci.", "sci", "myc.", "geogr.",
    # medicine and pharmacy
    "med.", "pharm.", "pharm", "psych.", "psych",
    # engineering and trades
    "techn.", "tech.", "mach.", "electr.", "elektr.", "elect.", "constr.", "const.", "arch.",
    "min.", "min", "agr.", "print", "print.", "telco.", "telco", "comp.", "comp",
    # ships, aircraft, the army
    "naut.", "aviat.", "aviat", "mil.", "milit.",
    # scholars' fields
    "ling.", "ling", "phil.", "phil", "archeol.", "astrol.",
    # trades' own words
    "Jägersprache", "Soldatensprache", "Kletterjargon", "Zeitungsjargon", "Chat-Jargon",
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
DROPPED_WORD_TAGS = {"vulg.", "pej.", "derb", "sometimes pej.", "oft pej.", "euphem."}

# Words in brackets of a sense that name a place, a person or a people's
# member rather than a thing.
NAME_MARKERS = re.compile(
    r"\((?:[^)]*\b)?(Fluss|Stadt|Insel|Inseln|Gebirge|Berg|Land|Staat|Region|Landschaft|"
    r"Vorname|Name|Familienname|Ortsname|Bewohner|Bewohnerin|Einwohner|Einwohnerin|Volk|"
    r"Hauptstadt|Kanton|Bundesland|Provinz|Gottheit|Göttin|Gott|Figur)\b"
)

# The kinds of word a game for a classroom leaves out, by the word parts
# that mark them. A part stands for itself in a compound ("Leichenwagen",
# "Drogendealer"), never for letters inside another word ("Vergleich",
# "Drogerie", "Waffel").
UNFIT_KINDS = {
    "death and killing": (
        "tod tote toter töt tötung mord mörder ermordung totschlag leiche leichnam sarg grab gruft "
        "friedhof beerdigung begräbnis bestattung hinrichtung henker galgen selbstmord suizid "
        "massaker gemetzel blutbad schlacht schlachtung killer kadaver verwesung opfer"),
    "violence and weapons": (
        "waffe gewehr pistole revolver flinte kanone munition patrone granate bombe panzer schwert "
        "säbel dolch bajonett krieg gewalt folter terror terrorismus terrorist attentat geisel "
        "geiselnahme entführung vergewaltigung missbrauch misshandlung prügel prügelei schlägerei "
        "sprengstoff gefecht"),
    "drugs": (
        "droge drogen rauschgift rausch heroin kokain opium haschisch cannabis marihuana dealer "
        "doping alkohol alkoholiker säufer trinker tabak zigarette zigarre raucher nikotin"),
    "sex and the private parts of the body": (
        "sex porno erotik bordell hure nutte prostitution prostituierte penis vagina scheide hoden "
        "hodensack scham busen after kondom orgasmus geschlecht ehebruch affäre geliebte zuhälter"),
    "bodily waste": (
        "kot scheiße kacke pisse urin harn stuhlgang durchfall kotze furz rotz eiter mist dung "
        "jauche gülle exkrement fäkalien"),
    "disease as a threat": (
        "krankheit seuche epidemie pandemie pest cholera typhus pocken lepra malaria tuberkulose "
        "tumor geschwulst aids virus infektion erreger metastase"),
    "a slur": "mohr neger zigeuner kanake schwuchtel",
}
UNFIT_PARTS = {part: kind for kind, parts in UNFIT_KINDS.items() for part in parts.split()}
# Ding's subjects and the English of a main sense that make its word unfit:
# a disease under "[med.]", a weapon under "[mil.]", a crime against life
# under "[jur.]".
UNFIT_MAIN_SENSES = {
    "med.": (re.compile(r"\b(disease|epidemic|plague|cancer|tumou?r|infection)\b"), "disease as a threat"),
    "mil.": (re.compile(r"\b(weapon|gun|bomb|ammunition|war|battle)s?\b"), "violence and weapons"),
    "jur.": (re.compile(r"\b(murder|homicide|manslaughter|rape|kidnapping)\b"), "death and killing"),
}
# What joins the first part of a compound to the second: "Todes-",
# "Leichen-", "Kinder-".
JOINTS = ("es", "s", "en", "n", "er", "e")

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

# Hunspell's flags: a forbidden word, a stem only found inside compounds, a
# stem that needs an affix; the flags of a part that opens a compound (the
# second one by a suffix) and of one that closes it; and the conjugation
# flags that mark a verb.
FORBIDDEN_FLAG = "d"
IN_COMPOUNDS_FLAG = "o"
NEEDS_AFFIX_FLAG = "h"
COMPOUND_BEGIN_FLAGS = set("xj")
COMPOUND_END_FLAG = "z"
VERB_FLAGS = set("DIXYW")
# The prefix "ver-" that hunspell adds to a verb by its flag V.
VER_PREFIX_FLAG = "V"

# A noun, perhaps after its article or a remark in brackets: "die Polizei
# {f}", "(kleinerer) Wald {m}".
HEADWORD = re.compile(r"^(?:\([^)]*\)\s*)?(?:(?:der|die|das)\s+)?([A-ZÄÖÜ][a-zäöüß]+)\s*\{([mfn])\}(.*)$")
PLURAL = re.compile(r"^([A-ZÄÖÜ][a-zäöüß]+)\s*\{pl\}")
BRACKETS = re.compile(r"\[([^\]]+)\]")
# A remark that is only a Latin name, as Ding gives one to a species.
LATIN_NAME = re.compile(r"^\s*\([A-Z][a-z]+(?: [a-z]+){1,2}\)")
WORD = re.compile(r"[A-ZÄÖÜa-zäöüß]+")
NOT_A_WORD = re.compile(r"\[[^\]]*\]|\{[^}]*\}|<[^>]*>|\([^)]*\)|/[^/]*/")


def package_version(name):
    return subprocess.run(
        ["dpkg-query", "-W", "-f=${Version}", name], check=True, capture_output=True, text=True
    ).stdout


def read_suffixes(path):
    """Hunspell's suffix rules by flag: what to strip, what to add, the
    flags the result carries and the stem's ending they need."""
    suffixes = collections.defaultdict(list)
    with open(path, encoding="utf-8") as aff:
        for line in aff:
            parts = line.split()
            if len(parts) < 5 or parts[0] != "SFX":
                continue
            flag, strip, add, condition = parts[1:5]
            add, _, flags = add.partition("/")
            suffixes[flag].append((
                "" if strip == "0" else strip,
                "" if add == "0" else add,
                set(flags),
                None if condition == "." else re.compile(condition + "$"),
            ))
    return suffixes


class Hunspell:
    """What igerman98 says about a word: that it stands alone, that it opens
    or closes a compound, that it is a verb."""

    def __init__(self, dic_path, aff_path):
        suffixes = read_suffixes(aff_path)
        self.words = set()
        self.begins = set()
        self.ends = set()
        self.verbs = set()
        with open(dic_path, encoding="utf-8") as dic:
            next(dic)  # the number of entries
            for line in dic:
                if line[:1].isspace() or not line.strip():
                    continue  # the header's comment lines
                stem, _, flags = line.strip().partition("/")
                self._add(stem, set(flags), suffixes)

    def _add(self, stem, flags, suffixes):
        if FORBIDDEN_FLAG in flags:
            return
        forms = []
        for flag in flags:
            for strip, add, form_flags, condition in suffixes.get(flag, ()):
                if stem.endswith(strip) and (condition is None or condition.search(stem)):
                    forms.append((stem[: len(stem) - len(strip)] + add, form_flags))
        if IN_COMPOUNDS_FLAG not in flags:
            if NEEDS_AFFIX_FLAG not in flags:
                self.words.add(stem)
            for form, form_flags in forms:
                if not form_flags & {FORBIDDEN_FLAG, IN_COMPOUNDS_FLAG, NEEDS_AFFIX_FLAG}:
                    self.words.add(form)
        if flags & COMPOUND_BEGIN_FLAGS:
            self.begins.add(stem)
        if COMPOUND_END_FLAG in flags:
            self.ends.add(stem)
            self.ends.update(form for form, _ in forms)
        if flags & VERB_FLAGS and stem[:1].islower():
            self.verbs.add(stem)
            if VER_PREFIX_FLAG in flags:
                self.verbs.add("ver" + stem)

    def splits(self, word):
        """The ways the word is a compound of two parts: "Bahn", "hof"."""
        for i in range(2, len(word) - 1):
            head, tail = word[:i], word[i:]
            if head in self.begins and tail in self.ends:
                yield head, tail


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


def is_specialist(subjects):
    return bool(subjects & SPECIALIST_TAGS) and not subjects & TOPICS.keys()


def english_words(english):
    """The words that name a thing in an English translation: not the
    remarks, not the little words."""
    text = NOT_A_WORD.sub("", english).lower()
    little = {"the", "a", "an", "of", "to", "and", "or", "sb", "sth", "for", "in", "on"}
    return set(re.findall(r"[a-z]+", text)) - little


def fold_umlauts(word):
    return word.lower().replace("ä", "a").replace("ö", "o").replace("ü", "u")


class Noun:
    def __init__(self):
        self.kept_senses = 0
        self.everyday_senses = 0
        self.insult = False
        self.male = False
        self.female = False
        self.topics = set()
        # The sense a player thinks of first: Ding's first entry that the
        # noun heads, else the first part of an entry that it heads. Its
        # subjects, its English and how far down it stands (0: an entry's
        # head, 1: a part's).
        self.main_rank = 2
        self.main_subjects = set()
        self.main_english = ""
        # The topics and the English of each sense that has a topic.
        self.topic_senses = []


class Ding:
    """Every single-word noun of the German side with its senses, the
    plurals the entries give, and the German side of every entry."""

    def __init__(self, path):
        self.nouns = {}
        # A plural and the nouns of its entry it is the plural of: "Dornen"
        # of "Dorn", "Äpfel" of "Apfel".
        self.singulars = collections.defaultdict(set)
        # The German side of each entry that is not filed under specialist
        # subjects alone.
        self.everyday_entries = []
        with open(path, encoding="utf-8") as ding:
            for line in ding:
                if line.startswith("#") or " :: " not in line:
                    continue
                german, english = line.rstrip("\n").split(" :: ", 1)
                self._read_entry(german, english)
        self.finish()

    def _read_entry(self, german, english):
        if not is_specialist(set(BRACKETS.findall(german))):
            self.everyday_entries.append(german)
        german_segments = split_top(german, " | ")
        english_segments = split_top(english, " | ")
        subject_tags = SPECIALIST_TAGS | TOPICS.keys()
        # A sub-entry ("Haushund" below "Hund") that names no subject of its
        # own has the entry's.
        entry_subjects = set(BRACKETS.findall(german_segments[0])) & subject_tags
        nouns_of_entry = []
        for index, segment in enumerate(german_segments):
            items = [item.strip() for item in split_top(segment, "; ")]
            segment_tags = set(BRACKETS.findall(segment))
            subjects = segment_tags & subject_tags or entry_subjects
            english_items = split_top(english_segments[index], "; ") if index < len(english_segments) else []
            names_in_english = bool(english_items) and all(is_capitalised(e) for e in english_items)
            is_name = names_in_english and ("geogr." in segment_tags or NAME_MARKERS.search(segment))
            for position, item in enumerate(items):
                plural = PLURAL.match(item)
                if plural:
                    # The plural of the noun it shares its beginning with.
                    folded = fold_umlauts(plural.group(1))
                    self.singulars[plural.group(1)].update(
                        w for w in nouns_of_entry if folded.startswith(fold_umlauts(w)[:-1]))
                    continue
                match = HEADWORD.match(item)
                if not match:
                    continue
                word, gender, rest = match.groups()
                # "Kopf {m} einer Tabelle" is a phrase, not a sense of "Kopf".
                if NOT_A_WORD.sub("", rest).strip():
                    continue
                nouns_of_entry.append(word)
                own_tags = set(BRACKETS.findall(rest))
                noun = self.nouns.setdefault(word, Noun())
                noun.male |= gender == "m"
                noun.female |= gender == "f"
                if own_tags & DROPPED_WORD_TAGS:
                    noun.insult = True
                # Among synonyms of which one is an insult, the others
                # are likely to be insults too.
                if own_tags & DROPPED_SENSE_TAGS or is_name or segment_tags & DROPPED_WORD_TAGS:
                    continue
                noun.kept_senses += 1
                if not is_specialist(subjects):
                    noun.everyday_senses += 1
                if position > 0:
                    continue
                english_first = english_items[0].strip() if english_items else ""
                # A subject is the topic of the segment's first word; the
                # synonyms after it and a word narrowed by a remark in
                # brackets ("Zunahme (Häkeln)") are often its jargon. A
                # species' Latin name is no such remark.
                narrowed = "(" in rest and not LATIN_NAME.match(rest)
                topics = set() if narrowed else {TOPICS[tag] for tag in subjects if tag in TOPICS}
                if topics:
                    noun.topic_senses.append((topics, english_first))
                rank = 0 if index == 0 else 1
                if rank < noun.main_rank:
                    noun.main_rank, noun.main_subjects, noun.main_english = rank, subjects, english_first
                    noun.topics = topics


    def finish(self):
        """A noun's topics: its main sense's (HAUT is skin before it is the
        skin on milk; WURF a throw before a litter). Ding gives one sense
        in several entries, the first of them often without a topic: then
        a topic's sense that Ding translates by a word of the main sense's
        English is that sense ("skim milk", "skimmed milk")."""
        for noun in self.nouns.values():
            if noun.topics:
                continue
            main_words = english_words(noun.main_english)
            for topics, english in noun.topic_senses:
                if main_words & english_words(english):
                    noun.topics |= topics

    def is_plural_in_n(self, word):
        # "Spuren", "Noten": to the guesser the plural of "Spur", "Note",
        # whatever a single sense of their own says ("Kasten" has many).
        return any(word in (singular + "n", singular + "en") for singular in self.singulars.get(word, ()))


def count_uses(words, ding, hunspell):
    """How many of Ding's everyday entries use each of the words: in a
    phrase, in any of its forms, or as a part of a compound."""
    # A plural that is not its own singular as well ("Bäcker"), and its
    # singulars.
    plural_of = {}
    for plural, singulars in ding.singulars.items():
        if plural not in singulars:
            plural_of[plural] = singulars
            if not plural.endswith("n"):
                plural_of[plural + "n"] = singulars
    # Other forms of a noun: "Hundes", and the forms that open a compound
    # ("Geburts-", "Schul-").
    inflected = collections.defaultdict(set)
    linking = collections.defaultdict(set)
    for noun in ding.nouns:
        if noun[-1] not in "sßxz":
            inflected[noun + "s"].add(noun)
            inflected[noun + "es"].add(noun)
        inflected[noun + "n"].add(noun)
        inflected[noun + "en"].add(noun)
        for form in ("s", "es", "n", "en", "e", "er"):
            linking[noun + form].add(noun)
        if noun.endswith("e"):
            linking[noun[:-1]].add(noun)

    def nouns_of(token, head):
        # A plural is its singular's ("Eiern" of "Ei", not the wobble of a
        # wheel); a noun of its own is that noun ("Typ-" is not "Type-").
        if not head and token in plural_of:
            return plural_of[token]
        if token in ding.nouns:
            return {token}
        if head and token in plural_of:
            return plural_of[token]
        return (linking if head else inflected).get(token, ())

    uses = collections.Counter()
    for german in ding.everyday_entries:
        used = set()
        for item in re.split(r" \| |; ", NOT_A_WORD.sub("", german)):
            tokens = WORD.findall(item)
            for token in tokens:
                if len(tokens) > 1:
                    used.update(nouns_of(token, False))
                for head, tail in hunspell.splits(token):
                    used.update(nouns_of(head, True))
                    used.update(nouns_of(tail[0].upper() + tail[1:], False))
        uses.update(used & words)
    return uses


def male_form(word, nouns):
    """The male noun of a female one that is made from it: "Bettler" of
    "Bettlerin", "Kollege" of "Kollegin", "Prinz" of "Prinzessin"."""
    if not word.endswith("in") or not nouns[word].female:
        return None
    for male in (word[:-2], word[:-2] + "e", word[:-5] if word.endswith("essin") else ""):
        if male in nouns and nouns[male].male:
            return male
    return None


def word_parts(word, hunspell, depth=3):
    """The word and the parts it is made of, in small letters, each part
    that opens a compound also without its joint: "Todesopfer" gives
    "todesopfer", "todes", "tod", "opfer"."""
    parts = {word.lower()}
    # The female form of an unfit word ("Mörderin").
    if word.endswith("in"):
        parts.add(word[:-2].lower())
    # A verb's noun ("Verbraucher" of "verbrauchen") is no compound,
    # whatever letters it shares with one ("Verb", "Raucher").
    stem = re.sub(r"(er|ung)$", "", word.lower())
    if depth == 0 or stem + "en" in hunspell.verbs:
        return parts
    # Of the ways to split a word, the one with the shortest first part
    # ("Ei", "leiter", not "Eil", "eiter").
    for head, tail in itertools.islice(hunspell.splits(word), 1):
        head = head.lower()
        parts.add(head)
        parts.update(head[: -len(joint)] for joint in JOINTS if head.endswith(joint) and len(head) > len(joint) + 1)
        parts.add(head + "e")  # "Schul-" of "Schule"
        parts |= word_parts(head[0].upper() + head[1:], hunspell, depth - 1)
        parts |= word_parts(tail[0].upper() + tail[1:], hunspell, depth - 1)
    return parts


def unfit_kind(word, noun, hunspell):
    """Why the word does not belong in a game for a classroom, or None."""
    for part in sorted(word_parts(word, hunspell)):
        if part in UNFIT_PARTS:
            return UNFIT_PARTS[part]
    for subject, (english, kind) in UNFIT_MAIN_SENSES.items():
        if subject in noun.main_subjects and english.search(NOT_A_WORD.sub("", noun.main_english)):
            return kind
    return None


def read_blocked(path):
    with open(path, encoding="utf-8") as blocked:
        return {line.strip() for line in blocked if line.strip() and not line.startswith("#")}


# What the script keeps of a noun: its topics, how often Ding uses it,
# whether a child cannot picture it, and whether only the rule for
# everyday compounds brought it in.
Chosen = collections.namedtuple("Chosen", "topics uses abstract compound_gain")


def everyday_part(part, simple, uses, hunspell, opens=False):
    """Whether a part of a compound is an everyday noun on its own, or, to
    open it, a verb's stem ("Leucht-" of "leuchten")."""
    forms = [part[0].upper() + part[1:]]
    forms += [forms[0][: -len(joint)] for joint in JOINTS if part.endswith(joint)] + [forms[0] + "e"]
    if any(f in simple and uses[f] >= USES_OF_AN_EVERYDAY_PART for f in forms):
        return True
    return opens and part.lower() + "en" in hunspell.verbs


def choose(ding, hunspell, blocked):
    """The nouns for the game, each with what the levels need."""
    candidates = {}
    for word, noun in ding.nouns.items():
        if noun.insult or not noun.kept_senses or word in blocked or word in REMOVED_BY_HAND:
            continue
        if not MIN_LENGTH <= len(word) <= MAX_LENGTH:
            continue
        if word in hunspell.words:
            compound = False
        elif any(hunspell.splits(word)):
            compound = True
        else:
            continue
        infinitive = word[0].lower() + word[1:]
        if word.endswith("n") and infinitive in hunspell.verbs and word not in KEPT_INFINITIVES:
            continue
        if noun.kept_senses == 1 and ding.is_plural_in_n(word):
            continue
        if unfit_kind(word, noun, hunspell):
            continue
        candidates[word] = compound

    # The everyday nouns a compound may be made of, short ones too ("Rat",
    # "Hof").
    simple = {word for word, noun in ding.nouns.items()
              if noun.everyday_senses and not noun.insult and word in hunspell.words and word not in blocked}
    uses = count_uses(set(candidates) | simple, ding, hunspell)
    chosen = {}
    for word, compound in candidates.items():
        noun = ding.nouns[word]
        if noun.topics:
            needed = USES_OF_A_TOPIC_COMPOUND if compound else 0
        elif noun.everyday_senses:
            needed = USES_OF_A_COMPOUND if compound else USES_OF_A_WORD
        else:
            needed = USES_OF_A_SPECIALIST_WORD
        abstract = is_abstract(word, noun.main_english)
        # "Leuchtturm", "Handtasche": Ding seldom uses a compound of two
        # everyday nouns again, but every player knows it.
        gain = (USES_OF_A_GAINED_COMPOUND <= uses[word] < needed and noun.everyday_senses
                and noun.main_rank == 0 and not abstract
                and any(everyday_part(word[:i], simple, uses, hunspell, opens=True)
                        and everyday_part(word[i:], simple, uses, hunspell) for i in range(3, len(word) - 2)))
        if uses[word] >= needed or gain:
            # A child cannot picture an abstract noun as a thing of a topic.
            topics = TOPICS_BY_HAND.get(word, [] if abstract else sorted(noun.topics))
            chosen[word] = Chosen(topics, uses[word], abstract, bool(gain))
    nouns = {word: ding.nouns[word] for word in chosen}
    return {word: c for word, c in chosen.items() if male_form(word, nouns) is None}


def write_list(out, chosen, levels, versions):
    out.write("# German nouns for solo play, one a line: the noun, its level (leicht,\n")
    out.write("# mittel or schwer), then its topics, all separated by tabs.\n")
    out.write(f"# Made from the Debian packages {versions}\n")
    out.write("# (Ding, GPL-2.0-or-later; igerman98, GPL-2.0-only or GPL-3.0-only) by\n")
    out.write("#     python3 scripts/make-wordlist.py > game/words/nouns-de.txt\n")
    out.write(f"# {len(chosen)} nouns.\n")
    for word in sorted(chosen):
        out.write("\t".join([word, levels[word]] + chosen[word].topics) + "\n")


def write_summary(err, chosen, levels, guessed, common):
    """The numbers the README gives: words per topic and level, and how
    hard each level is."""
    plain = {w for w in chosen if not set(w) & set("äöüß")}
    err.write(f"everyday compounds gained: {sum(c.compound_gain for c in chosen.values())}\n")
    topics = sorted({t for c in chosen.values() for t in c.topics}) + [None]
    err.write("topic | " + " | ".join(LEVELS) + " | all\n")
    for topic in topics:
        row = [w for w in chosen if topic is None or topic in chosen[w].topics]
        counts = [sum(levels[w] == level for w in row) for level in LEVELS]
        err.write(f"{topic or 'Alle Wörter'} | " + " | ".join(map(str, counts)) + f" | {len(row)}\n")
    err.write("level | words | default settings | mean mistakes | among the most common\n")
    for level in LEVELS:
        row = [w for w in chosen if levels[w] == level]
        mean = sum(guessed[w] for w in row) / len(row)
        share = sum(w in common for w in row) / len(row)
        err.write(f"{level} | {len(row)} | {len(set(row) & plain)} | {mean:.2f} | {share:.0%}\n")


def main():
    hunspell = Hunspell(DIC, AFF)
    ding = Ding(DING)
    chosen = choose(ding, hunspell, read_blocked(BLOCKED))
    levels, guessed, common = assign_levels({w: (c.uses, c.abstract) for w, c in chosen.items()})
    versions = ", ".join(f"{name} {package_version(name)}" for name in PACKAGES)
    write_list(sys.stdout, chosen, levels, versions)
    write_summary(sys.stderr, chosen, levels, guessed, common)


if __name__ == "__main__":
    main()
