#!/usr/bin/env python3
"""Checks the advice sets shipped in data/ before they reach the program.

Each *.mwh file is parsed the way the program's reader parses a current-format set, then checked:
at least 6 sets, at least 50 advice per set and 300 in all; only characters the set editor accepts;
no ";" or following key word inside a value; exactly one abstraction tag and at least two tags per
advice, all of them known hashes; no advice text used twice across all sets; a description, a
known language and a palette colour (a different one per set); the file laid out exactly as the
program's writer lays it out, items in the reader's order; and an estimate of whether each advice
fits the main screen's advice label and each set name its label, measured with DejaVu Sans (the
face the program's "Verdana" falls back to on Linux).

Usage: tools/check-sets.py [--list] [--fix] [data-folder]
  --list  prints every advice with its estimated line count
  --fix   rewrites each file in the writer's layout with its items sorted (content unchanged)
Exit status 0 when every check passes, 1 otherwise.
"""

import os
import struct
import sys

HEADER = "MusewheelerV1 - Set file"

ALLOWED = set(
    "0123456789"
    "abcdefghijklmnopqrstuvwxyz"
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "&\"'# ()-_%!.,?:/*+=`"
    "àâäçèéêëîïôöùûüÀÂÄÇÈÉÊËÎÏÔÖÙÛÜ"
)

TAGS_PER_CATEGORY = (3, 6, 16, 24, 18)
VALID_HASHES = {100 * c + p for c, n in enumerate(TAGS_PER_CATEGORY) for p in range(n)}
ABSTRACTION_HASHES = {0, 1, 2}

KEYS = ("Name=", "Description=", "Author=", "Language=", "Colour=", "Item=", "Favorite=", "Tags=")

MIN_SETS, MIN_PER_SET, MIN_TOTAL = 6, 50, 300
MAX_LENGTH = 400
TARGET_LENGTH = 170  # a soft limit: longer advice is reported, not refused

AUTHORS = {0: "Les développeurs de Musewheeler (2026)", 1: "The Musewheeler developers (2026)"}

# Main screen geometry: the advice label is 300 x 96 with a 16-pixel font; the look-and-feel lays
# the wrapped text out 296 pixels wide and centres the block in a box that starts at the font's
# ascent + 2 and is 92 pixels high, so the block's bottom is 48 + ascent + 8 * lines. With the
# ascent taken at its largest (the whole font height, as for a face that falls back to another)
# four lines are the most that are never cut off.
FONT_HEIGHT = 16.0
ADVICE_LINE_WIDTH = 296.0
# Lines are counted a few pixels narrower than the label, so that rounding, kerning or a slightly
# different face cannot push a word onto an extra line. Greedy wrapping never needs fewer lines
# when the width shrinks, so the estimate errs on the safe side.
SAFETY_MARGIN = 4.0
ADVICE_LABEL_HEIGHT = 96.0
WORST_ASCENT = FONT_HEIGHT
NAME_TEXT_WIDTH = 290.0  # the 300-pixel set-name label less its 5-pixel side borders

FONT_DIR = "/usr/share/fonts/truetype/dejavu"


# --- Palette -------------------------------------------------------------------------------------


def juce_hue_to_rgb(hue):
    """Red with its hue replaced, converted back the way the toolkit's HSB conversion rounds."""
    h = ((hue - int(hue)) * 360.0) / 60.0
    f = h - int(h)
    v = 255.0
    x = 0
    hi = 255
    if h < 1.0:
        return (hi, round(v * f), x)
    if h < 2.0:
        return (round(v * (1.0 - f)), hi, x)
    if h < 3.0:
        return (x, hi, round(v * f))
    if h < 4.0:
        return (x, round(v * (1.0 - f)), hi)
    if h < 5.0:
        return (round(v * f), x, hi)
    return (hi, x, round(v * (1.0 - f)))


# Hues 8/32 and 24/32 land exactly half-way between two byte values (127.5): the toolkit rounds both
# up to 0x80, while a table written by hand may say 0x7F. A set that uses them could miss the
# selector's square, so the shipped sets keep to the other thirty colours.
HALF_WAY_PALETTE_INDICES = {8, 24}


def palette():
    colours = [juce_hue_to_rgb(i * 0.03125) for i in range(32)]
    colours[3] = (255, 165, 0)  # orange replaces the fourth hue
    return colours


def perceived_brightness(rgb):
    r, g, b = (c / 255.0 for c in rgb)
    return 0.299 * r + 0.587 * g + 0.114 * b


# --- Font metrics ----------------------------------------------------------------------------------


class FontMetrics:
    """Advance widths of a TrueType face, scaled like the toolkit scales them (by ascender -
    descender, so that a font of height 16 has ascent + descent = 16 pixels)."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        num_tables = struct.unpack(">H", data[4:6])[0]
        tables = {}
        for i in range(num_tables):
            tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i : 28 + 16 * i])
            tables[tag.decode("latin-1")] = (offset, length)
        hhea = tables["hhea"][0]
        ascender, descender = struct.unpack(">hh", data[hhea + 4 : hhea + 8])
        num_metrics = struct.unpack(">H", data[hhea + 34 : hhea + 36])[0]
        hmtx = tables["hmtx"][0]
        advances = [struct.unpack(">H", data[hmtx + 4 * i : hmtx + 4 * i + 2])[0] for i in range(num_metrics)]
        self.scale = 1.0 / (ascender - descender)
        self.ascent = ascender * self.scale
        self.glyph_of = self._read_cmap(data, tables["cmap"][0])
        self.advances = advances

    @staticmethod
    def _read_cmap(data, cmap):
        count = struct.unpack(">H", data[cmap + 2 : cmap + 4])[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack(">HHI", data[cmap + 4 + 8 * i : cmap + 12 + 8 * i])
            sub = cmap + offset
            if platform == 3 and encoding == 1 and struct.unpack(">H", data[sub : sub + 2])[0] == 4:
                return FontMetrics._read_format4(data, sub)
        raise ValueError("no Unicode BMP cmap")

    @staticmethod
    def _read_format4(data, sub):
        segs = struct.unpack(">H", data[sub + 6 : sub + 8])[0] // 2
        ends = struct.unpack(">%dH" % segs, data[sub + 14 : sub + 14 + 2 * segs])
        base = sub + 16 + 2 * segs
        starts = struct.unpack(">%dH" % segs, data[base : base + 2 * segs])
        deltas = struct.unpack(">%dh" % segs, data[base + 2 * segs : base + 4 * segs])
        range_base = base + 4 * segs
        ranges = struct.unpack(">%dH" % segs, data[range_base : range_base + 2 * segs])
        mapping = {}
        for s in range(segs):
            for code in range(starts[s], ends[s] + 1):
                if code == 0xFFFF:
                    continue
                if ranges[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = range_base + 2 * s + ranges[s] + 2 * (code - starts[s])
                    glyph = struct.unpack(">H", data[at : at + 2])[0]
                    if glyph:
                        glyph = (glyph + deltas[s]) & 0xFFFF
                if glyph:
                    mapping[code] = glyph
        return mapping

    def advance(self, char, height):
        glyph = self.glyph_of.get(ord(char), 0)
        units = self.advances[min(glyph, len(self.advances) - 1)]
        return units * self.scale * height


def wrap_like_toolkit(text, font, height, line_width):
    """Splits text into lines as the toolkit's justified-text layout does: a line breaks before the
    first glyph that reaches the line width, back at the last space if the line has one."""
    xs = []
    x = 0.0
    for c in text:
        w = font.advance(c, height)
        xs.append((x, x + w))
        x += w
    lines = []
    start = 0
    n = len(text)
    while start < n:
        i = start + 1
        line_max = xs[start][0] + line_width
        last_break = -1
        while i < n:
            if text[i] == " ":
                last_break = i + 1
            elif xs[i][1] - 0.0001 >= line_max:
                if last_break >= 0:
                    i = last_break
                break
            i += 1
        lines.append(text[start:i].rstrip(" "))
        start = i
    return lines


def text_width(text, font, height):
    return sum(font.advance(c, height) for c in text)


# --- Reading, as the program's reader reads ----------------------------------------------------


def load_file_as_string(path):
    with open(path, "rb") as f:
        raw = f.read()
    if raw[:2] == b"\xff\xfe":
        return raw[2:].decode("utf-16-le"), "utf-16-le"
    if raw[:2] == b"\xfe\xff":
        return raw[2:].decode("utf-16-be"), "utf-16-be"
    if raw[:3] == b"\xef\xbb\xbf":
        return raw[3:].decode("utf-8"), "utf-8-bom"
    return raw.decode("utf-8"), "utf-8"


def get_int_value(text):
    """Leading integer of a text, like juce::String::getIntValue (white space skipped, 0 if none)."""
    s = text.lstrip()
    sign = 1
    if s[:1] in ("-", "+"):
        sign = -1 if s[0] == "-" else 1
        s = s[1:]
    digits = ""
    for c in s:
        if not c.isdigit():
            break
        digits += c
    return sign * int(digits) if digits else 0


def starts_line(text, at):
    """Whether a key at `at` starts its line: only spaces or tabs before it since a line end."""
    while at > 0 and text[at - 1] in " \t":
        at -= 1
    return at == 0 or text[at - 1] in "\r\n"


def find_key(text, key, start):
    """Position of the first key at or after start that starts a line, or -1."""
    at = text.find(key, start)
    while at >= 0 and not starts_line(text, at):
        at = text.find(key, at + 1)
    return at


def value_after(text, key, start):
    """(value, position just after the value's ";") of the first key at or after start that starts a line."""
    at = find_key(text, key, start)
    if at < 0:
        return "", start
    begin = at + len(key)
    end = text.find(";", begin)
    return (text[begin:], len(text)) if end < 0 else (text[begin:end], end + 1)


def read_hash_list(value):
    tags = []
    p = 0
    while True:
        comma = value.find(",", p)
        if comma < 0:
            break
        h = get_int_value(value[p:comma])
        if h not in tags:
            tags.append(h)
        p = comma + 1
    return sorted(tags)


def read_set(text):
    s = {}
    pos = 0
    for key, field in (("Name=", "name"), ("Description=", "description"), ("Author=", "author"),
                       ("Language=", "language"), ("Colour=", "colour")):
        s[field], pos = value_after(text, key, pos)
    s["language"] = get_int_value(s["language"])
    parts = s["colour"].split(",")
    s["colour"] = tuple(get_int_value(parts[i]) & 0xFF if i < len(parts) else 0 for i in range(3))
    items = []
    p = pos
    while True:
        at = find_key(text, "Item=", p)
        if at < 0 or text.find(";", at) < 0:
            break
        item_text, p = value_after(text, "Item=", at)
        # A record ends where the next one starts.
        record_end = find_key(text, "Item=", p)
        record_end = len(text) if record_end < 0 else record_end
        favourite, tags = False, []
        fav_at = find_key(text, "Favorite=", p)
        if 0 <= fav_at < record_end:
            fav_value, p = value_after(text, "Favorite=", fav_at)
            favourite = fav_value == "true"
        tags_at = find_key(text, "Tags=", p)
        if 0 <= tags_at < record_end:
            tags_value, p = value_after(text, "Tags=", tags_at)
            tags = read_hash_list(tags_value)
        items.append({"text": item_text, "favorite": favourite, "tags": tags})
    s["items"] = items
    return s


def write_set(s):
    out = [HEADER, "", "Name=%s;" % s["name"], "Description=%s;" % s["description"],
           "Author=%s;" % s["author"], "Language=%d;" % s["language"], "Colour=%d,%d,%d;" % s["colour"], ""]
    for item in s["items"]:
        out.append("Item=%s;" % item["text"])
        out.append("Favorite=%s;" % ("true" if item["favorite"] else "false"))
        out.append("Tags=%s;" % "".join("%d," % h for h in item["tags"]))
        out.append("")
    return "\n".join(out) + "\n"


def sort_key(item):
    # juce::String::compare orders by code point, which is Python's own string order.
    return item["text"]


# --- Checks ----------------------------------------------------------------------------------------


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    listing = "--list" in argv
    fixing = "--fix" in argv
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = args[0] if args else os.path.join(root, "data")

    errors = []
    warnings = []
    regular = FontMetrics(os.path.join(FONT_DIR, "DejaVuSans.ttf"))
    bold = FontMetrics(os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf"))
    colours = palette()

    files = sorted(f for f in os.listdir(folder) if f.lower().endswith(".mwh"))
    seen_texts = {}
    seen_colours = {}
    total = 0
    line_counts = []
    summary = []

    for name in files:
        path = os.path.join(folder, name)
        where = name
        text, encoding = load_file_as_string(path)
        if encoding != "utf-8":
            errors.append("%s: stored as %s, not plain UTF-8" % (where, encoding))
        if not text.startswith(HEADER):
            errors.append("%s: does not start with the current-format header" % where)
            continue
        s = read_set(text)
        s["items"].sort(key=sort_key)
        if fixing:
            with open(path, "w", encoding="utf-8", newline="\n") as f:
                f.write(write_set(s))
            text = write_set(s)
        if write_set(s) != text:
            errors.append("%s: not laid out as the writer lays out a set with its items sorted (try --fix)" % where)

        if not s["name"].strip():
            errors.append("%s: no set name" % where)
        if len(s["description"].strip()) < 20:
            errors.append("%s: missing or too short description" % where)
        if s["language"] not in AUTHORS:
            errors.append("%s: language %d is neither 0 nor 1" % (where, s["language"]))
        elif s["author"] != AUTHORS[s["language"]]:
            errors.append("%s: author %r, expected %r" % (where, s["author"], AUTHORS[s["language"]]))
        if s["colour"] not in colours:
            errors.append("%s: colour %r is not in the colour selector's palette" % (where, s["colour"]))
        else:
            index = colours.index(s["colour"])
            if index in seen_colours:
                errors.append("%s: palette colour %d already used by %s" % (where, index, seen_colours[index]))
            seen_colours[index] = name
            if index in HALF_WAY_PALETTE_INDICES:
                errors.append("%s: palette colour %d rounds half-way, choose another" % (where, index))
            if perceived_brightness(s["colour"]) < 0.3:
                errors.append("%s: palette colour %d is too dark on the black screen" % (where, index))
        name_width = text_width(s["name"], bold, FONT_HEIGHT)
        if name_width > NAME_TEXT_WIDTH:
            errors.append("%s: set name is %.0f px wide in 16 px bold, more than %.0f" % (where, name_width, NAME_TEXT_WIDTH))

        for field in ("name", "description", "author"):
            check_text(errors, "%s: %s" % (where, field), s[field])

        count = len(s["items"])
        total += count
        summary.append((name, s["name"], s["language"], count))
        if count < MIN_PER_SET:
            errors.append("%s: %d advice, fewer than %d" % (where, count, MIN_PER_SET))

        for item in s["items"]:
            t = item["text"]
            label = "%s: %r" % (where, t[:50])
            check_text(errors, label, t)
            if item["favorite"]:
                errors.append("%s: marked as a favourite" % label)
            if len(t) > MAX_LENGTH:
                errors.append("%s: %d characters, more than %d" % (label, len(t), MAX_LENGTH))
            elif len(t) > TARGET_LENGTH:
                warnings.append("%s: %d characters" % (label, len(t)))
            tags = item["tags"]
            bad = [h for h in tags if h not in VALID_HASHES]
            if bad:
                errors.append("%s: unknown tag hashes %r" % (label, bad))
            if len([h for h in tags if h in ABSTRACTION_HASHES]) != 1:
                errors.append("%s: needs exactly one abstraction tag (0, 1 or 2), has %r" % (label, tags))
            if len(tags) < 2:
                errors.append("%s: fewer than two tags" % label)
            key = " ".join(t.lower().split())
            if key in seen_texts:
                errors.append("%s: same text as an advice of %s" % (label, seen_texts[key]))
            seen_texts[key] = name

            lines = wrap_like_toolkit(t, regular, FONT_HEIGHT, ADVICE_LINE_WIDTH - SAFETY_MARGIN)
            line_counts.append(len(lines))
            bottom = 48.0 + WORST_ASCENT + 8.0 * len(lines)
            if bottom > ADVICE_LABEL_HEIGHT:
                errors.append("%s: wraps onto %d lines, cut off in the advice label" % (label, len(lines)))
            for line in lines:
                if line[:1] in "?!:,.;":
                    warnings.append("%s: a line starts with %r" % (label, line[:1]))
            for word in t.split():
                if text_width(word, regular, FONT_HEIGHT) > ADVICE_LINE_WIDTH - SAFETY_MARGIN:
                    errors.append("%s: the word %r is wider than the label" % (label, word))
            if listing:
                print("%d | %s | %s" % (len(lines), "".join("%d," % h for h in tags), " / ".join(lines)))

    if len(files) < MIN_SETS:
        errors.append("%d sets, fewer than %d" % (len(files), MIN_SETS))
    if total < MIN_TOTAL:
        errors.append("%d advice in all, fewer than %d" % (total, MIN_TOTAL))

    for name, set_name, language, count in summary:
        print("%-28s %-32s %s %3d advice" % (name, set_name, "fr" if language == 0 else "en", count))
    if line_counts:
        histogram = ", ".join("%d lines: %d" % (n, line_counts.count(n)) for n in sorted(set(line_counts)))
        print("%d sets, %d advice (%s)" % (len(files), total, histogram))
    for w in warnings:
        print("warning: " + w)
    for e in errors:
        print("error: " + e)
    return 1 if errors else 0


def check_text(errors, label, text):
    bad = sorted(set(c for c in text if c not in ALLOWED))
    if bad:
        errors.append("%s: characters the editor refuses: %s" % (label, " ".join("U+%04X" % ord(c) for c in bad)))
    if text != text.strip() or "  " in text:
        errors.append("%s: leading, trailing or doubled spaces" % label)
    for key in KEYS:
        if key in text:
            errors.append("%s: holds the key word %r" % (label, key))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
