# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

"""How hard a noun of the solo list is to guess, for scripts/make-wordlist.py.

A person who knows German does not try the letters in a fixed order: seeing
H _ _ S with E and R refused, they think of the words that still fit and try
the letter most of them have. The guesser here does that with the whole list
as what it knows, the first letter given as the game's settings give it by
default. Its mistakes alone would call NERZ hard and ABARBEITUNG easy, so the
level also weighs how common the noun is and whether a child can picture it.
"""

import collections

LEVELS = ("leicht", "mittel", "schwer")

# The letters of German text, most frequent first: the guesser's choice
# among letters that as many fitting words have.
LETTERS_BY_FREQUENCY = "ENISRATDHULCGMOBWFKZPVÜÄßÖJYXQ"

# How many of the most used nouns count as common: "leicht" holds only
# these, and the table in the README measures each level by them.
COMMON_WORDS = 2000
# What rarity (0 for the most used noun, 1 for the least) and abstractness
# add to the guesser's mistakes in the ranking; mistakes weigh most, since
# the levels are told apart by them.
RARITY_WEIGHT = 3.5
ABSTRACT_WEIGHT = 1.0
# The most mistakes the guesser may make on a "leicht" noun. A common noun
# that costs a mistake (NERZ) is one a player has to think about.
EASY_MISTAKES = 0

# Nominalisations a child cannot picture: "Abarbeitung", "Gleichheit",
# "Nachbarschaft", "Realismus", "Qualität", "Nation".
ABSTRACT_ENDINGS = ("ung", "heit", "keit", "schaft", "ismus", "ität", "tion", "sion", "tum", "nis", "enz", "anz")
# The same told by the English of the noun's main sense ("Güte",
# "goodness"); a short English word is no such form ("city").
ABSTRACT_ENGLISH_ENDINGS = ("ness", "ity", "ism", "hood")


def capitals(word):
    # Character by character, as the game does, so that ß stays ß.
    return "".join(c if c == "ß" else c.upper() for c in word)


def is_abstract(word, english):
    if word.endswith(ABSTRACT_ENDINGS):
        return True
    words = english.split()
    last = words[-1] if words else ""
    return any(last.endswith(end) and len(last) >= len(end) + 4 for end in ABSTRACT_ENGLISH_ENDINGS)


def _shown(word, revealed):
    return "".join(c if c in revealed else "_" for c in word)


def mistakes(word, known):
    """The mistakes of a guesser who knows the words of `known` (capitals,
    by their length) and, the first letter given, always tries the letter that most of the
    words still fitting what is shown have."""
    word = capitals(word)
    revealed = {word[0]}
    refused = set()
    pattern = _shown(word, revealed)
    fitting = [w for w in known.get(len(word), ()) if _shown(w, revealed) == pattern]
    count = 0
    while set(word) - revealed:
        tried = revealed | refused
        letters = collections.Counter(c for w in fitting for c in set(w) - tried)
        letter = max(letters, key=lambda c: (letters[c], -LETTERS_BY_FREQUENCY.find(c)))
        if letter in word:
            revealed.add(letter)
        else:
            refused.add(letter)
            count += 1
        pattern = _shown(word, revealed)
        fitting = [w for w in fitting if _shown(w, revealed) == pattern and not (letter in refused and letter in w)]
    return count


def by_length(words):
    known = collections.defaultdict(list)
    for w in words:
        known[len(w)].append(w)
    return known


def assign_levels(nouns):
    """The level of each noun: nouns maps a word to (uses, abstract).

    Ranked by the guesser's mistakes, rarity and abstractness, the hardest
    third is "schwer"; of the rest, a common and concrete noun that the
    guesser finds without a mistake is "leicht", any other "mittel". The
    guesser knows the nouns the default settings play (no umlaut or ß)
    and, for a noun with one, all of them."""
    words = sorted(nouns)
    known_all = by_length(capitals(w) for w in words)
    known_plain = by_length(capitals(w) for w in words if not set(capitals(w)) & set("ÄÖÜß"))
    by_use = sorted(words, key=lambda w: (-nouns[w][0], w))
    rarity = {w: i / max(1, len(words) - 1) for i, w in enumerate(by_use)}
    common = set(by_use[:COMMON_WORDS])

    guessed = {}
    score = {}
    for w in words:
        known = known_all if set(capitals(w)) & set("ÄÖÜß") else known_plain
        guessed[w] = mistakes(w, known)
        score[w] = guessed[w] + RARITY_WEIGHT * rarity[w] + ABSTRACT_WEIGHT * nouns[w][1]
    ranked = sorted(words, key=lambda w: (score[w], w))
    third = len(words) // 3
    levels = {w: "schwer" for w in ranked[len(words) - third:]}
    for w in ranked[: len(words) - third]:
        easy = w in common and not nouns[w][1] and guessed[w] <= EASY_MISTAKES
        levels[w] = "leicht" if easy else "mittel"
    return levels, guessed, common
