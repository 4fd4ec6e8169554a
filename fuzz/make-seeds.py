#!/usr/bin/env python3
"""Writes the seed inputs of each fuzz target into OUT/<target>/: small books, archives and
settings files of the kinds the program meets, good and bad.   make-seeds.py OUT"""
import json
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NS = 'xmlns="http://www.gribuser.ru/xml/fictionbook/2.0" xmlns:l="http://www.w3.org/1999/xlink"'


def book(body='<section><p>Текст <emphasis>книги</emphasis></p></section>', head='', encoding='utf-8'):
    text = (f'<?xml version="1.0" encoding="{encoding}"?>\n{head}<FictionBook {NS}><description><title-info>'
            '<genre>sf</genre><author><first-name>Лев</first-name><last-name>Толстой</last-name></author>'
            '<book-title>Война и мир</book-title><lang>ru</lang><sequence name="Серия" number="2"/>'
            '<coverpage><image l:href="#c.jpg"/></coverpage></title-info>'
            '<publish-info><publisher>Изд</publisher><year>1869</year></publish-info></description>'
            f'<body>{body}</body><binary id="c.jpg" content-type="image/jpeg">/9j/4AAQ</binary></FictionBook>')
    return text.encode('utf-16' if encoding == 'utf-16' else encoding)


def write(out, target, name, data):
    os.makedirs(os.path.join(out, target), exist_ok=True)
    with open(os.path.join(out, target, name), 'wb') as f:
        f.write(data)


def main():
    out = sys.argv[1]
    books = {
        'plain.fb2': book(),
        'cp1251.fb2': book(encoding='windows-1251'),
        'utf16.fb2': book(encoding='utf-16'),
        'entity.fb2': book(head='<!DOCTYPE FictionBook [<!ENTITY a "ab">]>', body='<section><p>&a;&a;</p></section>'),
        'rich.fb2': book(body='<title><p>Т</p></title><epigraph><p>э</p><text-author>а</text-author></epigraph>'
                         '<section><poem><stanza><v>с</v></stanza></poem><table><tr><td>1</td></tr></table>'
                         '<cite><p>ц</p></cite><p><a l:href="#n">1</a><strong>ж</strong></p></section>'),
        'not-xml.fb2': b'just text',
    }
    for target in ('book', 'validate', 'convert'):
        for name, data in books.items():
            write(out, target, name, data)
    craft = os.path.join(ROOT, 'tests', 'data', 'zipcraft.py')
    layouts = {
        'two.zip': {'entries': [{'name': 'один.fb2', 'encoding': 'cp866', 'data': 'one'},
                                {'name': 'dir/два.fb2', 'utf8flag': True, 'data': 'two ' * 50}]},
        'descriptor.zip': {'central': False, 'entries': [{'name': 'a.fb2', 'data': 'abc', 'descriptor': True},
                                                          {'name': 'b.fb2', 'data': 'x', 'method': 0}]},
        'zip64.zip': {'entries': [{'name': 'a.fb2', 'data': 'abc', 'zip64': {'size': 3, 'compressed_size': 5}}]},
        'unicode.zip': {'entries': [{'name': 'x.fb2', 'unicode_path': 'книга.fb2', 'data': 'y', 'host': 3}]},
    }
    os.makedirs(os.path.join(out, 'zip'), exist_ok=True)
    for name, layout in layouts.items():
        subprocess.run([sys.executable, craft, os.path.join(out, 'zip', name), json.dumps(layout)], check=True)
    ini = '[AUTO]\r\nNamePattern=%Фамилия %Имя - %Название\r\nSortPattern=%Жанр\\%Фамилия\r\nValid=1\r\n[GENRES]\r\nsf=Фантастика\r\n'
    write(out, 'ini', 'utf8.ini', ini.encode('utf-8'))
    write(out, 'ini', 'utf16.ini', ini.encode('utf-16'))
    write(out, 'ini', 'cp1251.ini', ini.encode('cp1251'))
    for i, text in enumerate([b'QUJD', b'Q U\nJD==', b'/9j/4AAQSkZJRg==', b'****', b'']):
        write(out, 'base64', f'{i}.txt', text)


if __name__ == '__main__':
    main()
