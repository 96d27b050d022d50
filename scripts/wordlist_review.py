# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a reading of the whole solo list decided by hand, for
scripts/make-wordlist.py: the words its rules let through that a classroom
game leaves out, and the topics its rules gave wrongly. Each with why."""

# A word and why it is left out.
REMOVED_BY_HAND = {
}

# A word and the topics it stands under instead of the ones Ding's main
# sense gives (none: it names no thing of the topic).
TOPICS_BY_HAND = {
}
