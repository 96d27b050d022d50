# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a reading of the whole solo list decided by hand, for
scripts/make-wordlist.py: the words its rules let through that a classroom
game leaves out, and the topics its rules gave wrongly. Each with why."""

# A word and why it is left out.
REMOVED_BY_HAND = {
    "Abort": "a toilet in old German, an abortion in new",
    "Abschuss": "shooting down: weapons",
    "Autostrich": "street prostitution",
    "Beschuss": "shelling: weapons",
    "Brunst": "animals in heat: sex",
    "Dessous": "lingerie: sex",
    "Eierstock": "the private parts of the body",
    "Einschuss": "a bullet's hole: weapons",
    "Erstickung": "suffocation: death",
    "Feldzug": "a military campaign: war",
    "Gangster": "violence",
    "Gebärmutter": "the private parts of the body",
    "Gesäß": "the private parts of the body",
    "Gräber": "graves: death (and the plural of Grab)",
    "Hintern": "the private parts of the body",
    "Holocaust": "mass killing",
    "Iltisse": "a plural (of Iltis)",
    "Kellnern": "the doing of a verb, not a thing",
    "Kippe": "a cigarette's end: drugs",
    "Kitzler": "the private parts of the body",
    "Knüppel": "a cudgel: weapons",
    "Krebs": "cancer to most players before it is a crab",
    "Krieger": "a warrior: war",
    "Liebhaber": "a lover before an enthusiast: sex",
    "Lösegeld": "ransom: kidnapping",
    "Mastdarm": "bodily waste",
    "Mohrenkopf": "named with a slur",
    "Messerstich": "a stab: violence",
    "Nippel": "the private parts of the body",
    "Oberweite": "bust size: sex",
    "Orgie": "sex",
    "Paarung": "mating: sex",
    "Prostata": "the private parts of the body",
    "Schambein": "the private parts of the body",
    "Schamlippe": "the private parts of the body",
    "Scheidewand": "read as a part of the vagina",
    "Schändung": "rape, desecration",
    "Sucht": "addiction: drugs",
    "Tollwut": "rabies: disease as a threat",
    "Tortur": "torture",
    "Vergasung": "gassing: mass killing",
    "Vergiftung": "poisoning: death",
    "Verhütung": "contraception: sex",
    "Vernichter": "exterminator: killing",
    "Vernichtung": "extermination: killing",
    "Vielweiberei": "polygamy: sex",
    "Weib": "contemptuous for a woman: a slur",
    "Wucherung": "a tumour: disease as a threat",
    "Zeugung": "procreation: sex",
}

_NO_TOPIC = """
Biegung Flotte Nickbewegung Rückschlag Schlupf Spreizung Zusatzstoff Luftfeder Radsatz
Auflaufform Fleischwolf Fritteuse Gastronom Kantine Kasino Kellner Kessel Koch Kochbuch Kochgeschirr
Kochkunst Kochtopf Konditorei Küchenchef Mensa Pizzeria Restaurant Salzstreuer Schöpfkelle Schöpflöffel
Speisekarte Speisenfolge Tiegel Vegetarier Verschluss Wirtshaus Extrakt Gärmittel Paste Diät Bukett
Ausrüster Chemiefaser Decke Dichte Doppelung Einfassung Exzenter Friese Gardine Gebinde Gerbmittel Kante
Kopfkissen Nähmaschine Spindel Spinner Spinnerei Steifheit Steppdecke Stickerin Teppich Scheuertuch
Wischlappen Walkmühle Vorhang Zuschnitt Zwirnerei Scharlach Taille Garn Zwirn Stopfgarn Stickseide Watte
Kammgarn Gewebe Textil Textilie Trikotage Kattundruck Patchwork Besatz Fingerling
Atempause Atlas Ballen Damm Drüsenbeere Erythrozyt Fessel Fistel Gelenkigkeit Insertion Leistenring
Lumen Mark Markknochen Mutterkuchen Rinde Rippchen Rollhügel Talon Tube Verdickung Zisterne Zünglein
Amboss Artikulation Dichtheit Durchführung Dämpfung Exposition Funk Jeremiade Kopist Ligatur Manual
Nachspiel Patzer Prime Probe Spieler Thema Trugschluss Zink Zäsur Tonalität Akkolade Auftakt Intervall
Ausläufer Blütezeit Gerte Gewächs Hülse Hydrokultur Kelch Kopf Pollenflug Quirl Stempel Tundra
Vegetation Wachstum
Abbruch Ausrüstung Debakel Heber Henkel Junior Mitbewerber Motorroller Nachwuchs Solo Spirale Standbein
Admiral Albino Aquarium Aufzucht Ausreißer Büschel Embryo Eremit Fang Finne Fötus Hahnenschrei
Herdentier Hinterbein Junge Kennzeichen Krähennest Männchen Nasenloch Schar Schmarotzer Sekretär
Tarnung Trächtigkeit Weibchen Zucht Zyste
"""

_CLOTHING = """
Hose Hemd Schuh Stiefel Handschuh Gürtel Sandale Kapuze Schürze Overall Trikot Uniform Slip Kittel
Kappe Schlüpfer Höschen Badeanzug Schlafanzug Unterhose Hut Halstuch Lätzchen
"""

# A word and the topics it stands under instead of the ones Ding's main
# sense gives: none where it names no thing of the topic (a tool, a
# person, a place, a fabric, another sense), a topic where Ding has none
# for the thing every player knows.
TOPICS_BY_HAND = {word: [] for word in _NO_TOPIC.split()}
TOPICS_BY_HAND.update({word: ["Kleidung"] for word in _CLOTHING.split()})
TOPICS_BY_HAND.update({
    "Goldhähnchen": ["Tiere"],
    "Huhn": ["Essen und Trinken", "Tiere"],
    "Pute": ["Essen und Trinken", "Tiere"],
    "Flügel": ["Tiere"],
})
