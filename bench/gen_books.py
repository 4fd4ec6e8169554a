#!/usr/bin/env python3
"""Writes synthetic FB2 books for benchmarks: varied Russian metadata, a body of a chosen size,
an optional cover picture. The same seed gives the same books.

    bench/gen_books.py OUTDIR [--count N] [--size KB] [--cover KB] [--zip]
                              [--encoding utf-8|windows-1251] [--invalid SHARE] [--seed N]

Books are valid FictionBook 2.0 documents unless --invalid asks for a share of broken ones
(an unknown element in title-info, a missing book-title, or text after the root: the first
two fail the schema, the last is not well-formed XML). With --zip each book is packed,
deflated, into an archive of its own (BOOK.fb2.zip holding BOOK.fb2).
"""

import argparse
import base64
import os
import random
import sys
import zipfile

FB2_NS = "http://www.gribuser.ru/xml/fictionbook/2.0"
XLINK_NS = "http://www.w3.org/1999/xlink"

# Codes of the published genre list only, so that a book stays valid under any FB2 schema.
GENRES = [
    "sf_history", "sf_action", "sf_epic", "sf_space", "sf_fantasy", "sf", "det_classic", "det_police",
    "det_irony", "det_history", "thriller", "detective", "prose_classic", "prose_history",
    "prose_contemporary", "prose_rus_classic", "humor_prose", "love_contemporary", "love_history",
    "adv_history", "adv_maritime", "adventure", "child_tale", "poetry", "antique_myths", "sci_history",
    "sci_psychology", "comp_programming", "nonf_biography", "religion_self", "humor", "home_cooking",
]
LAST = ["Толстой", "Достоевский", "Чехов", "Салтыков-Щедрин", "Ёлкин", "Пушкин", "Тургенев", "Гоголь",
        "Бунин", "Куприн", "Лесков", "Гончаров", "Щукин", "Жуковский", "Эренбург", "Юрьев", "Ильф",
        "Smith", "O'Brien", "Д'Артаньян"]
FIRST = ["Лев", "Фёдор", "Антон", "Михаил", "Иван", "Николай", "Александр", "Юлия", "Эльза", "Яна",
         "Пётр", "Щедр", "John", ""]
MIDDLE = ["Николаевич", "Михайлович", "Павлович", "Евграфович", "Сергеевич", "Алексеевна", ""]
WORDS = ["война", "мир", "жизнь", "ночь", "дорога", "сад", "город", "звезда", "море", "время", "дом",
         "тень", "свет", "река", "ветер", "зима", "весна", "колокол", "письмо", "тайна", "остров",
         "хроника", "песня", "берег", "огонь", "путь", "небо", "слово", "сон", "лес"]
SEQUENCES = ["Хроники Амбера", "Что? Где? Когда?", "Мир Полудня", "Приключения: том второй",
             "Сага о Форсайтах", "Отцы и дети"]
PUBLISHERS = ["Эксмо", "АСТ: Астрель", "Азбука", "Художественная литература", "Наука", "Питер"]
CITIES = ["Москва", "Санкт-Петербург", "Москва/Санкт-Петербург", "Киев", "Новосибирск", ""]
LANGS = ["ru", "ru", "ru", "ru", "uk", "en", "be"]


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def sentence(rng, lo, hi):
    words = [rng.choice(WORDS) for _ in range(rng.randint(lo, hi))]
    return " ".join(words).capitalize()


def paragraph(rng):
    return " ".join(sentence(rng, 5, 14) + rng.choice([".", ".", "!", "?", "…"]) for _ in range(rng.randint(2, 6)))


def cover_bytes(rng, size):
    # Looks like a JPEG to anything that sniffs the first bytes; the rest is noise.
    body = bytes(rng.getrandbits(8) for _ in range(max(size - 6, 0)))
    return b"\xff\xd8\xff\xe0" + body + b"\xff\xd9"


def book(rng, index, size_kb, cover_kb, broken):
    last, first, middle = rng.choice(LAST), rng.choice(FIRST), rng.choice(MIDDLE)
    title = sentence(rng, 1, 5)
    if rng.random() < 0.1:
        title = "Том %d: %s" % (rng.randint(1, 9), title)
    out = []
    w = out.append
    w('<FictionBook xmlns="%s" xmlns:l="%s">\n' % (FB2_NS, XLINK_NS))
    w("<description>\n<title-info>\n")
    for genre in rng.sample(GENRES, rng.randint(1, 3)):
        w("<genre>%s</genre>\n" % genre)
    w("<author>")
    if first:
        w("<first-name>%s</first-name>" % esc(first))
        if middle:
            w("<middle-name>%s</middle-name>" % esc(middle))
        w("<last-name>%s</last-name>" % esc(last))
    else:
        w("<nickname>%s</nickname>" % esc(last))
    w("</author>\n")
    if broken == "schema-missing":
        pass
    else:
        w("<book-title>%s</book-title>\n" % esc(title))
    if broken == "schema-unknown":
        w("<mood>мрачное</mood>\n")
    w("<annotation><p>%s</p></annotation>\n" % esc(paragraph(rng)))
    if cover_kb:
        w('<coverpage><image l:href="#cover.jpg"/></coverpage>\n')
    w("<lang>%s</lang>\n" % rng.choice(LANGS))
    if rng.random() < 0.4:
        number = ' number="%d"' % rng.randint(1, 12) if rng.random() < 0.8 else ""
        w('<sequence name="%s"%s/>\n' % (esc(rng.choice(SEQUENCES)), number))
    w("</title-info>\n<document-info>\n")
    w("<author><nickname>gen_books</nickname></author>\n")
    w('<date value="2024-01-01">2024</date>\n<id>gen-%08d</id>\n<version>1.0</version>\n' % index)
    w("</document-info>\n")
    if rng.random() < 0.8:
        w("<publish-info>")
        w("<publisher>%s</publisher>" % esc(rng.choice(PUBLISHERS)))
        city = rng.choice(CITIES)
        if city:
            w("<city>%s</city>" % esc(city))
        w("<year>%d</year>" % rng.randint(1950, 2023))
        w("</publish-info>\n")
    w("</description>\n<body>\n<title><p>%s</p></title>\n" % esc(title))

    target = size_kb * 1024
    written = sum(len(s.encode("utf-8")) for s in out)
    chapter = 0
    while written < target or chapter == 0:
        chapter += 1
        part = ["<section>\n<title><p>Глава %d</p></title>\n" % chapter]
        for _ in range(rng.randint(8, 20)):
            text = esc(paragraph(rng))
            if rng.random() < 0.1:
                text = "<emphasis>%s</emphasis>" % text
            part.append("<p>%s</p>\n" % text)
        part.append("</section>\n")
        chunk = "".join(part)
        w(chunk)
        written += len(chunk.encode("utf-8"))
    w("</body>\n")
    if cover_kb:
        data = base64.b64encode(cover_bytes(rng, cover_kb * 1024)).decode("ascii")
        lines = "\n".join(data[i:i + 76] for i in range(0, len(data), 76))
        w('<binary id="cover.jpg" content-type="image/jpeg">\n%s\n</binary>\n' % lines)
    w("</FictionBook>\n")
    if broken == "not-xml":
        w("<p>после корня</p>\n")
    return "".join(out)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("outdir")
    ap.add_argument("--count", type=int, default=1000, help="number of books (default 1000)")
    ap.add_argument("--size", type=int, default=200, help="approximate body size in KB of UTF-8 text (default 200)")
    ap.add_argument("--cover", type=int, default=0, help="cover picture size in KB, 0 for none (default 0)")
    ap.add_argument("--zip", action="store_true", help="pack each book into an archive of its own")
    ap.add_argument("--encoding", default="utf-8", choices=["utf-8", "windows-1251"])
    ap.add_argument("--invalid", type=float, default=0.0, help="share of broken books, 0..1 (default 0)")
    ap.add_argument("--seed", type=int, default=1)
    args = ap.parse_args()

    rng = random.Random(args.seed)
    os.makedirs(args.outdir, exist_ok=True)
    kinds = ["schema-unknown", "schema-missing", "not-xml"]
    for i in range(1, args.count + 1):
        broken = rng.choice(kinds) if rng.random() < args.invalid else None
        text = book(rng, i, args.size, args.cover, broken)
        if args.encoding == "windows-1251":
            # Letters outside the code page (there are none in the word lists) become references.
            data = ('<?xml version="1.0" encoding="windows-1251"?>\n' + text).encode("cp1251", "xmlcharrefreplace")
        else:
            data = ('<?xml version="1.0" encoding="UTF-8"?>\n' + text).encode("utf-8")
        name = "book%05d.fb2" % i
        if args.zip:
            with zipfile.ZipFile(os.path.join(args.outdir, name + ".zip"), "w", zipfile.ZIP_DEFLATED) as z:
                z.writestr(name, data)
        else:
            with open(os.path.join(args.outdir, name), "wb") as f:
                f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
