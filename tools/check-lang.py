#!/usr/bin/env python3
"""Checks the language pack resources/lang.xml.

Usage: tools/check-lang.py [path-to-lang.xml]

The pack is read twice: by a strict XML parser (well-formedness) and by a
copy of the application's own small parser (s::xml::Node::parse), so a file
that only a full XML parser would understand is caught here and not at run
time. Then the language list and every entry are checked: every language has
every entry, translations are not empty, placeholders survive translation,
and every text id the program uses is present with its English text.

Exit status 0 when the pack is sound, 1 otherwise. Standard library only.
"""

import os
import re
import sys
import xml.etree.ElementTree as ET

# ---------------------------------------------------------------------------
# What the program relies on.

LANGUAGE_COUNT = 34

# Language names the program looks up by name (system language, saved name).
REQUIRED_ENGNAMES = [
    "English", "German", "Hungarian",
    "Chinese_Simplified", "Chinese_Traditional",
    "Portuguese_Brazilian", "Serbian_Cyrillic", "Serbian_Latin",
]
REQUIRED_TRUENAMES = {"Hungarian": "Magyar"}
REQUIRED_TAGS = {"English": "eng", "Venetian": "vec"}
FORBIDDEN_ENGNAMES = {"hebrew", "portuguese", "portuguese_portugal"}
FORBIDDEN_TAGS = {"heb", "por", "ptg"}

# Names the system language can map to (primary-language names of Windows
# plus the special region and script names). An engName outside this list can
# only be chosen from the menu, never from the system language.
SYSTEM_LANGUAGE_NAMES = set("""
AFRIKAANS ALBANIAN ALSATIAN AMHARIC ARABIC ARMENIAN ASSAMESE AZERI BASHKIR
BASQUE BELARUSIAN BENGALI BOSNIAN BRETON BULGARIAN CATALAN CHINESE CORSICAN
CROATIAN CZECH DANISH DARI DIVEHI DUTCH ENGLISH ESTONIAN FAEROESE FILIPINO
FINNISH FRENCH FRISIAN GALICIAN GEORGIAN GERMAN GREEK GREENLANDIC GUJARATI
HAUSA HEBREW HINDI HUNGARIAN ICELANDIC IGBO INDONESIAN INUKTITUT IRISH ITALIAN
JAPANESE KANNADA KASHMIRI KAZAK KHMER KICHE KINYARWANDA KONKANI KOREAN KYRGYZ
LAO LATVIAN LITHUANIAN LOWER_SORBIAN LUXEMBOURGISH MACEDONIAN MALAY MALAYALAM
MALTESE MAORI MAPUDUNGUN MARATHI MOHAWK MONGOLIAN NEPALI NORWEGIAN OCCITAN
ORIYA PASHTO PERSIAN POLISH PORTUGUESE PUNJABI QUECHUA ROMANIAN ROMANSH
RUSSIAN SAMI SANSKRIT SERBIAN SOTHO TSWANA SINDHI SINHALESE SLOVAK SLOVENIAN
SPANISH SWAHILI SWEDISH SYRIAC TAJIK TAMAZIGHT TAMIL TATAR TELUGU THAI TIBETAN
TIGRIGNA TURKISH TURKMEN UIGHUR UKRAINIAN UPPER_SORBIAN URDU UZBEK VIETNAMESE
WELSH WOLOF XHOSA YAKUT YI YORUBA ZULU
CHINESE_SIMPLIFIED CHINESE_TRADITIONAL PORTUGUESE_BRAZILIAN PORTUGUESE_PORTUGAL
SERBIAN_LATIN SERBIAN_CYRILLIC
""".split())
MENU_ONLY_ENGNAMES = {"VENETIAN"}

# Text ids with a fixed English text (unescaped form).
ENGLISH_TEXTS = {
    107000: "More Software from Vosk (online)",
    300000: "Vosk Pellory",
    400010: "Version:",
    400020: "Last Updated:",
    400030: "OS:",
    400080: "URL:",
    400100: "Version Information",
    400120: "Close",
    500000: "Vosk Pellory",
    500010: "1.10",
    500020: "2013/08/14",
    500030: "Windows XP/2003/Vista",
    609000: "View",
    609100: "Keep on Top",
    609200: "Right-Click Transform",
    609300: "Easy Drag",
    609350: "Close By Mouse-Wheel Click",
    609400: "Show/Hide",
    609420: "\"Keep on Top\" Check Box",
    609430: "Advanced/Minimized Button",
    609440: "Status Bar",
    609450: "Ready",
    609460: "Done!",
    700000: "Language",
    700001: "Translate? (online)",
    701000: "About",
    701100: "Version Information",
    701200: "Software Page (online)",
    701300: "Tell Developers (online)",
    1000000: "Keep on Top",
    1001000: "Drop Box",
    1002000: "Please drop image file(s) here!",
    1003000: "(.jpg, .gif, .png, .bmp, .ico)",
    1004000: "Convert to: ",
    1005000: "Advanced Options >>",
    1006000: "<< Minimize",
    1101000: "Sharpen",
    1102000: "Blur",
    1105000: "Strength",
    2010000000: "About",
    2010001000: "Close",
}
# Exact stored (escaped) English forms the program's texts are known by.
ENGLISH_STORED = {
    1004000: "Convert&#160;to:&#160;",
    1005000: "Advanced&#160;Options&#160;&gt;&gt;",
    1006000: "&lt;&lt;&#160;Minimize",
}

# The maker's web addresses: present, identical in every language, and under
# the reserved example.org domain.
ADDRESS_IDS = [100000, 101000, 108000, 108500, 500003, 500004, 500006]
ADDRESS_RE = re.compile(r"^https?://([a-z0-9-]+\.)*example\.org(/[^\s]*)?$")

# Texts that must read the same in every language (registry name, product
# name, version, supported systems, file types).
NEUTRAL_IDS = [300000, 500000, 500010, 500030, 1003000] + ADDRESS_IDS

# Ids the pack must NOT hold (the program shows a built-in English text).
ABSENT_IDS = [608299]

# Translatable texts that may legitimately equal the English one in a fully
# translated language ("Version:", "OS:", "URL:", a date written the same).
MAY_MATCH_ENGLISH = {400010, 400030, 400080, 500020}

# Pairs of ids that name the same thing and must read the same.
SAME_WORDING = [(609100, 1000000), (400100, 701100), (400120, 2010001000),
                (701000, 2010000000)]
# 609420 names the check box whose caption is 609100.
CONTAINS = [(609420, 609100)]
# The operation items are told apart by their text, ignoring case.
MUST_DIFFER = [(1101000, 1102000), (609450, 609460)]

# Menu items and menu titles: keep them short.
MENU_IDS = [609000, 609100, 609200, 609300, 609350, 700000, 700001,
            701000, 701100, 701200, 701300, 107000]
MENU_MAX_CHARS = 48

PARTIAL_MARK = " (Partial)"

# ---------------------------------------------------------------------------
# The application's parser, rule for rule, never reading past the end.

WS = " \t\n\r"


class Node:
    def __init__(self):
        self.name = None
        self.attrs = []      # (name, raw value); name "" for text runs
        self.children = []

    def is_comment(self):
        return self.name is not None and self.name.startswith("!")

    def attr(self, name):
        for n, v in self.attrs:
            if n.lower() == name.lower():
                return v
        return None


def _skip_ws(t, i):
    while i < len(t) and t[i] in WS:
        i += 1
    return i


def _find(t, i, chars):
    while i < len(t) and t[i] not in chars:
        i += 1
    return i


def parse(node, t, i):
    """Reads one element starting at or after position i; returns the end."""
    n = len(t)
    i = _find(t, i, "<")
    if i >= n:
        return n
    i = _skip_ws(t, i + 1)
    if i < n and t[i] == "!":
        node.name = t[i:i + 3]
        i += 3
    else:
        j = i
        while j < n and t[j] not in WS and t[j] not in "/>":
            j += 1
        node.name = t[i:j]
        i = j
    if node.is_comment():
        k = t.find("-->", i)
        return n if k < 0 else k + 3
    while True:
        i = _skip_ws(t, i)
        if i >= n:
            return n
        if t[i] in ">/":
            break
        j = i
        while j < n and t[j] not in "= ":
            j += 1
        name = t[i:j]
        j = _find(t, j + 1, '"')
        k = _find(t, j + 1, '"')
        node.attrs.append((name, t[j + 1:k]))
        i = k + 1
    i = _find(t, i, ">/")
    if i >= n:
        return n
    if t[i] == "/":
        i = _find(t, i, ">")
        return min(i + 1, n)
    i = _skip_ws(t, i + 1)
    if i < n and t[i] != "<":
        j = _find(t, i, "<")
        node.attrs.append(("", t[i:j]))
        i = j
    while i + 1 < n and t[i] == "<" and t[i + 1] != "/":
        child = Node()
        i = parse(child, t, i)
        if not child.is_comment():
            node.children.append(child)
        i = _skip_ws(t, i)
        if i < n and t[i] != "<":
            j = _find(t, i, "<")
            node.attrs.append(("", t[i:j]))
            i = j
    if i >= n:
        return n
    i = _find(t, i, ">")
    return min(i + 1, n)


TEXT_ENTITIES = {"&amp;": "&", "&lt;": "<", "&gt;": ">", "&#160;": " ",
                 "&#13;": "\r", "&#10;": "\n"}
ATTR_ENTITIES = {"&amp;": "&", "&lt;": "<", "&quot;": '"', "&#13;": "\r",
                 "&#10;": "\n"}


def unescape_text(raw):
    """Text unescaping of the application: entities, then trimming that never
    removes a character produced by &#160;, &#13; or &#10;."""
    i = 0
    while i < len(raw) and raw[i] in WS:
        i += 1
    out, protected = [], -1
    while i < len(raw):
        for ent, ch in TEXT_ENTITIES.items():
            if raw.startswith(ent, i):
                out.append(ch)
                if ent in ("&#160;", "&#13;", "&#10;"):
                    protected = len(out) - 1
                i += len(ent)
                break
        else:
            out.append(raw[i])
            i += 1
    while len(out) - 1 > protected and out[-1] in " \n\u3000\t\r":
        out.pop()
    return "".join(out)


def unescape_attr(raw):
    out, i = [], 0
    while i < len(raw):
        for ent, ch in ATTR_ENTITIES.items():
            if raw.startswith(ent, i):
                out.append(ch)
                i += len(ent)
                break
        else:
            out.append(raw[i])
            i += 1
    return "".join(out)


def node_text(node):
    for n, v in node.attrs:
        if n == "":
            return v
    return None


# ---------------------------------------------------------------------------

class Checker:
    def __init__(self):
        self.errors = []
        self.notes = []

    def error(self, msg):
        self.errors.append(msg)

    def note(self, msg):
        self.notes.append(msg)

    # -- the file as bytes and as strict XML --------------------------------
    def check_bytes(self, data):
        if data.startswith(b"\xef\xbb\xbf"):
            self.error("file starts with a UTF-8 byte-order mark")
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError as e:
            self.error("not valid UTF-8: %s" % e)
            return None
        if "\r" in text:
            self.error("file contains carriage returns; use LF line ends")
        stripped = text.lstrip(WS)
        if not stripped.startswith("<lang>"):
            self.error('the first markup must be the root "<lang>" '
                       "(no declaration, comment or byte-order mark before it)")
        for bad, what in (("<?", "processing instruction or XML declaration"),
                          ("<!DOCTYPE", "DOCTYPE"), ("<![CDATA[", "CDATA section")):
            if bad in text:
                self.error("file contains a %s, which the program's parser "
                           "does not accept" % what)
        return text

    def check_strict(self, data):
        try:
            return ET.fromstring(data)
        except ET.ParseError as e:
            self.error("not well-formed XML: %s" % e)
            return None

    def check_lexical(self, text):
        # Tags: names and double-quoted attributes written name="value".
        body = re.sub(r"<!--.*?-->", lambda m: " " * len(m.group(0)), text, flags=re.S)
        for m in re.finditer(r"<([^<>]*)>", body):
            tag = m.group(1)
            line = body.count("\n", 0, m.start()) + 1
            if tag.startswith("/"):
                continue
            inner = tag[:-1] if tag.endswith("/") else tag
            parts = re.match(r'^([A-Za-z_][A-Za-z0-9_.-]*)((?: [A-Za-z_][A-Za-z0-9_.-]*="[^"]*")*)$', inner)
            if not parts:
                self.error("line %d: tag <%s> is not written as name followed by "
                           'single-space separated name="value" attributes' % (line, tag))
                continue
            for am in re.finditer(r'="([^"]*)"', parts.group(2)):
                self._check_entities(am.group(1), ATTR_ENTITIES, "attribute value", line)
        # Character data between tags.
        for m in re.finditer(r">([^<]*)<", body):
            line = body.count("\n", 0, m.start()) + 1
            self._check_entities(m.group(1), TEXT_ENTITIES, "text", line)

    def _check_entities(self, s, allowed, what, line):
        for m in re.finditer(r"&[^;&\s]*;?", s):
            if m.group(0) not in allowed:
                self.error("line %d: %s uses %r, which the program does not "
                           "unescape (allowed: %s)" % (line, what, m.group(0),
                                                        " ".join(sorted(allowed))))

    # -- the program's parser agrees with the strict one --------------------
    def compare_trees(self, mine, strict, path="lang"):
        if mine.name != strict.tag:
            self.error("%s: the program's parser reads element %r, XML has %r"
                       % (path, mine.name, strict.tag))
            return
        named = [(n, v) for n, v in mine.attrs if n != ""]
        if [n for n, _ in named] != list(strict.attrib.keys()):
            self.error("%s: attribute names differ between the program's parser "
                       "(%s) and XML (%s)" % (path, [n for n, _ in named],
                                             list(strict.attrib.keys())))
        else:
            for n, v in named:
                if unescape_attr(v) != strict.attrib[n]:
                    self.error("%s: attribute %s reads %r for the program but %r "
                               "for XML" % (path, n, unescape_attr(v), strict.attrib[n]))
        kids = [c for c in strict if isinstance(c.tag, str)]
        if len(kids) != len(mine.children):
            self.error("%s: %d child elements for the program's parser, %d for XML"
                       % (path, len(mine.children), len(kids)))
            return
        if not kids:
            raw = node_text(mine) or ""
            got = unescape_text(raw)
            want = (strict.text or "").replace("\u00a0", " ")
            if got != want:
                self.error("%s: text reads %r for the program but %r for XML "
                           "(write spaces and line breaks as entities)" % (path, got, want))
        for i, (a, b) in enumerate(zip(mine.children, kids)):
            self.compare_trees(a, b, "%s/%s[%d]" % (path, a.name, i))

    # -- the content --------------------------------------------------------
    def load_languages(self, root):
        langs = root.children and [c for c in root.children if c.name == "languages"]
        if not langs:
            self.error('no "languages" element under the root')
            return []
        out = []
        for e in langs[0].children:
            if (e.name or "").lower() != "entry":
                self.error('"languages" holds an element %r that is not "entry"' % e.name)
                continue
            if node_text(e) is not None or e.children:
                self.error("language entry %s must be an empty element" % e.attrs)
            vals = {}
            for key in ("tagName", "engName", "trueName"):
                raw = e.attr(key)
                if raw is None:
                    self.error("language entry %s lacks %s" % (e.attrs, key))
                vals[key] = unescape_attr(raw or "")
            out.append(vals)
        return out

    def check_languages(self, langs):
        if len(langs) != LANGUAGE_COUNT:
            self.error("%d languages, expected %d" % (len(langs), LANGUAGE_COUNT))
        tags = [l["tagName"] for l in langs]
        engs = [l["engName"] for l in langs]
        for field in ("tagName", "engName", "trueName"):
            seen = {}
            for l in langs:
                k = l[field].lower()
                if k in seen:
                    self.error("%s %r appears twice" % (field, l[field]))
                seen[k] = True
        for l in langs:
            if not re.fullmatch(r"[a-z]{3}", l["tagName"]):
                self.error("tagName %r is not three lower-case letters" % l["tagName"])
            if not l["trueName"].strip():
                self.error("language %s has an empty trueName" % l["engName"])
            up = l["engName"].upper()
            if up not in SYSTEM_LANGUAGE_NAMES and up not in MENU_ONLY_ENGNAMES:
                self.error("engName %r matches no system language name" % l["engName"])
            if up.lower() in FORBIDDEN_ENGNAMES or l["tagName"] in FORBIDDEN_TAGS:
                self.error("language %s (%s) must not be in the pack"
                           % (l["engName"], l["tagName"]))
            if up.startswith("PORTUGUESE") and up != "PORTUGUESE_BRAZILIAN":
                self.error("only Brazilian Portuguese belongs in the pack, found %s"
                           % l["engName"])
        lower = {e.lower(): l for e, l in zip(engs, langs)}
        for name in REQUIRED_ENGNAMES:
            if name.lower() not in lower:
                self.error("required language %s is missing" % name)
        for name, true in REQUIRED_TRUENAMES.items():
            l = lower.get(name.lower())
            if l and l["trueName"] != true:
                self.error("%s must be shown as %r, found %r" % (name, true, l["trueName"]))
        for name, tag in REQUIRED_TAGS.items():
            l = lower.get(name.lower())
            if not l:
                self.error("required language %s is missing" % name)
            elif l["tagName"] != tag:
                self.error("%s must have tagName %r, found %r" % (name, tag, l["tagName"]))
        if langs and langs[0]["tagName"] != "eng":
            self.error("English must be the first language")

    def fill(self, root, langs):
        """Fills per-language text tables as the localizer does. Returns
        (entries in order, {tag: {id: stored text}}, {tag: {id: text}})."""
        tags = [l["tagName"] for l in langs]
        by_tag = {t.lower(): t for t in tags}
        texts = {t: {} for t in tags}
        stored = {t: {} for t in tags}
        ents = [c for c in root.children if c.name == "entries"]
        if not ents:
            self.error('no "entries" element under the root')
            return [], stored, texts
        order = []
        for e in ents[0].children:
            if (e.name or "").lower() != "entry":
                self.error('"entries" holds an element %r that is not "entry"' % e.name)
                continue
            raw_id = e.attr("id")
            if raw_id is None or not raw_id[:1].isdigit():
                self.error("entry with id %r: ids must be decimal numbers" % raw_id)
                continue
            if not raw_id.isdigit():
                self.error("entry id %r has characters after its digits" % raw_id)
            tid = int(re.match(r"\d+", raw_id).group(0))
            if tid > 2**31 - 1:
                self.error("entry id %d does not fit a signed 32-bit number" % tid)
            if tid in order:
                self.error("entry id %d appears twice" % tid)
                continue
            order.append(tid)
            names = [c.name for c in e.children]
            if names != tags:
                missing = [t for t in tags if t not in names]
                unknown = [n for n in names if (n or "").lower() not in by_tag]
                dup = sorted({n for n in names if names.count(n) > 1})
                if missing:
                    self.error("entry %d lacks %s" % (tid, ", ".join(missing)))
                if unknown:
                    self.error("entry %d has unknown language elements %s" % (tid, unknown))
                if dup:
                    self.error("entry %d repeats %s" % (tid, dup))
                if not (missing or unknown or dup):
                    self.error("entry %d: language elements not in menu order" % tid)
            fallback = None
            for k, c in enumerate(e.children):
                tag = by_tag.get((c.name or "").lower())
                if tag is None:
                    continue
                raw = node_text(c) or ""
                if tid not in texts[tag]:
                    texts[tag][tid] = unescape_text(raw)
                    stored[tag][tid] = raw
                if k == 0:
                    fallback = (raw, unescape_text(raw))
            for tag in tags:
                if tid not in texts[tag]:
                    stored[tag][tid], texts[tag][tid] = fallback or ("", "")
        return order, stored, texts

    def check_entries(self, langs, order, stored, texts):
        if not langs:
            return
        eng = texts[langs[0]["tagName"]]
        eng_stored = stored[langs[0]["tagName"]]
        ids = set(order)
        for tid, text in ENGLISH_TEXTS.items():
            if tid not in ids:
                self.error("text id %d (%r) is missing" % (tid, text))
            elif eng.get(tid) != text:
                self.error("English text of %d is %r, expected %r" % (tid, eng.get(tid), text))
        for tid, raw in ENGLISH_STORED.items():
            if tid in ids and eng_stored.get(tid) != raw:
                self.error("English text of %d is stored as %r, expected %r"
                           % (tid, eng_stored.get(tid), raw))
        for tid in ADDRESS_IDS:
            if tid not in ids:
                self.error("address id %d is missing" % tid)
            elif not ADDRESS_RE.match(eng.get(tid, "")):
                self.error("address %d %r is not under example.org" % (tid, eng.get(tid)))
        for tid in ABSENT_IDS:
            if tid in ids:
                self.error("text id %d must not be in the pack" % tid)
        for tid in order:
            if not (100000 <= tid <= 108500 or tid in ENGLISH_TEXTS or tid in ADDRESS_IDS):
                self.note("id %d is not used by the program" % tid)

        for l in langs[1:]:
            tag = l["tagName"]
            partial = l["trueName"].endswith(PARTIAL_MARK)
            same_as_english = []
            for tid in order:
                e, t = eng.get(tid, ""), texts[tag].get(tid, "")
                where = "%s %d" % (tag, tid)
                if e and not t:
                    self.error("%s: empty translation" % where)
                    continue
                if tid in NEUTRAL_IDS:
                    if t != e:
                        self.error("%s: must read %r as in English, found %r" % (where, e, t))
                    continue
                self.check_placeholders(where, e, t)
                if t == e and tid not in MAY_MATCH_ENGLISH:
                    same_as_english.append(tid)
            if same_as_english and not partial:
                self.error("%s: texts left in English (%s); translate them or add %r "
                           "to its trueName" % (tag, ", ".join(map(str, same_as_english)),
                                                PARTIAL_MARK))
            if partial and not same_as_english:
                self.note("%s is marked partial but every text is translated" % tag)

        for l in langs:
            tag = l["tagName"]
            tt = texts[tag]
            for a, b in SAME_WORDING:
                if a in tt and b in tt and tt[a] != tt[b]:
                    self.error("%s: %d %r and %d %r name the same thing; use one wording"
                               % (tag, a, tt[a], b, tt[b]))
            for a, b in CONTAINS:
                if a in tt and b in tt and tt[b] not in tt[a]:
                    self.error("%s: %d %r should quote %d %r" % (tag, a, tt[a], b, tt[b]))
            for a, b in MUST_DIFFER:
                if a in tt and b in tt and tt[a].lower() == tt[b].lower():
                    self.error("%s: %d and %d must differ, both read %r" % (tag, a, b, tt[a]))
            for tid in MENU_IDS:
                if len(tt.get(tid, "")) > MENU_MAX_CHARS:
                    self.error("%s %d: menu text longer than %d characters: %r"
                               % (tag, tid, MENU_MAX_CHARS, tt[tid]))
            for tid in order:
                s = stored[tag].get(tid, "")
                if re.search(r"[ \t\n\r\u00a0]", s):
                    self.error("%s %d: write spaces and line breaks as &#160; and "
                               "&#10; (found a literal one in %r)" % (tag, tid, s))

    PRINTF = re.compile(r"%(?:%|[-+ #0]*(?:\d+|\*)?(?:\.(?:\d+|\*))?"
                        r"(?:I64|ll|l|h|hh)?[diouxXeEfgGcsSp])")

    def check_placeholders(self, where, e, t):
        def formats(s):
            return sorted(self.PRINTF.findall(s))
        if formats(e) != formats(t):
            self.error("%s: format specifiers %s in English, %s in the translation"
                       % (where, formats(e), formats(t)))
        for token, name in (("\n", "line breaks"), ("\r", "carriage returns"),
                            (">>", '">>"'), ("<<", '"<<"')):
            if e.count(token) != t.count(token):
                self.error("%s: %d %s in English, %d in the translation %r"
                           % (where, e.count(token), name, t.count(token), t))
        if e.endswith(" ") != t.endswith(" "):
            self.error("%s: the English text %s with a space, the translation %r %s"
                       % (where, "ends" if e.endswith(" ") else "does not end",
                          t, "does not" if e.endswith(" ") else "does"))
        if e[:1] != " " and t[:1] == " ":
            self.error("%s: translation starts with a space: %r" % (where, t))

    def run(self, path):
        try:
            with open(path, "rb") as f:
                data = f.read()
        except OSError as e:
            self.error("cannot read %s: %s" % (path, e))
            return
        text = self.check_bytes(data)
        if text is None:
            return
        strict = self.check_strict(data)
        self.check_lexical(text)
        root = Node()
        parse(root, text, 0)
        if root.name != "lang":
            self.error("the program's parser reads a root named %r, not lang" % root.name)
            return
        if strict is not None:
            self.compare_trees(root, strict)
        langs = self.load_languages(root)
        self.check_languages(langs)
        order, stored, texts = self.fill(root, langs)
        self.check_entries(langs, order, stored, texts)
        self.summary = (len(langs), len(order),
                        [l["trueName"] for l in langs if l["trueName"].endswith(PARTIAL_MARK)])


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    path = argv[1] if len(argv) > 1 else os.path.join(here, "..", "resources", "lang.xml")
    c = Checker()
    c.run(path)
    for n in c.notes:
        print("note: " + n)
    for e in c.errors:
        print("error: " + e)
    if c.errors:
        print("%s: %d error(s)" % (path, len(c.errors)))
        return 1
    nl, ne, partial = c.summary
    print("%s: OK, %d languages, %d entries%s" % (
        os.path.normpath(path), nl, ne,
        (", partial: " + ", ".join(partial)) if partial else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
