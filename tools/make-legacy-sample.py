#!/usr/bin/env python3
"""Writes tests/fixtures/legacy/legacy-sample.mwh, an advice set in the program's older file format.

The older format is single-byte text: ASCII, plus the French accented letters at their Mac OS Roman
positions (é is the byte 0x8E), with French key words ("Nom=", "Auteur=", "Année=", ...), a year,
no colour, and tags as four-letter codes each followed by ",". Lines end with a lone carriage
return, as on the systems that wrote such files. The bytes are produced here one by one, so the
fixture can be checked and regenerated: run the script again and the file must not change.

Usage: tools/make-legacy-sample.py [output-file]
"""

import os
import sys

# The 30 letters a legacy file may hold above 0x7F, at their Mac OS Roman byte values.
LETTER_BYTES = {
    "Ä": 0x80, "Ç": 0x82, "É": 0x83, "Ö": 0x85, "Ü": 0x86,
    "à": 0x88, "â": 0x89, "ä": 0x8A, "ç": 0x8D, "é": 0x8E,
    "è": 0x8F, "ê": 0x90, "ë": 0x91, "î": 0x94, "ï": 0x95,
    "ô": 0x99, "ö": 0x9A, "ù": 0x9D, "û": 0x9E, "ü": 0x9F,
    "À": 0xCB, "Â": 0xE5, "Ê": 0xE6, "Ë": 0xE8, "È": 0xE9,
    "Î": 0xEB, "Ï": 0xEC, "Ô": 0xEF, "Û": 0xF3, "Ù": 0xF4,
}

HEADER = [
    ("Nom=", "Conseils d'été"),
    ("Auteur=", "Les développeurs de Musewheeler"),
    ("Année=", "1999"),
    ("Description=", "Un petit jeu de conseils à l'ancienne, gardé pour vérifier la lecture des fichiers d'autrefois."),
    ("Language=", "0"),
]

# (text, codes, favourite mark). The reader sorts the items by text and ignores the favourite mark;
# a code in small letters still matches, XXXX stands for Sampling, an unknown code reads as Abstract.
ITEMS = [
    ("Jouez la mélodie à la guitare, puis au piano.", "GUIT,jazz,ABST,", "0"),
    ("Écoutez le morceau à l'envers et notez ce qui vous surprend.", "ABST,CREA,", "1"),
    ("Ajoutez un bruitage enregistré chez vous.", "XXXX,NOIS,", "0"),
    ("Chantez le refrain une octave plus bas, ça change tout.", "SING,MELO,", "0"),
    ("Où en êtes-vous ? Faites une pause de dix minutes.", "MOTI,", "0"),
    ("À la fin, ralentissez de moitié sur la dernière mesure.", "STRU,rhyt,", "0"),
    ("Noël approche : écrivez un thème très court pour quatre flûtes.", "WOOD,COMP,ZZZZ,", "0"),
    ("Laissez une mesure de silence avant le refrain.", "", "0"),
]

LINE_END = b"\r"


def encode(text):
    out = bytearray()
    for c in text:
        if c in LETTER_BYTES:
            out.append(LETTER_BYTES[c])
        elif ord(c) < 0x80 and c != ";":
            out.append(ord(c))
        else:
            raise ValueError("%r cannot be written in a legacy set file" % c)
    return bytes(out)


def build():
    out = bytearray()
    for key, value in HEADER:
        out += encode(key) + encode(value) + b";" + LINE_END
    for text, codes, favourite in ITEMS:
        out += LINE_END
        out += b"Texte=" + encode(text) + b";" + LINE_END
        out += b"Attributs=" + encode(codes) + b";" + LINE_END
        out += b"Favori=" + encode(favourite) + b";" + LINE_END
    return bytes(out)


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = argv[1] if len(argv) > 1 else os.path.join(root, "tests", "fixtures", "legacy", "legacy-sample.mwh")
    # The table above must agree with the Mac OS Roman page itself.
    for letter, byte in LETTER_BYTES.items():
        assert letter.encode("mac_roman") == bytes([byte]), letter
    data = build()
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "wb") as f:
        f.write(data)
    print("%s: %d bytes, %d items" % (target, len(data), len(ITEMS)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
