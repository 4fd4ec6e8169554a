#include "globals/TextTransforms.h"
#include "globals/Trim.h"

#include <QtTest>

using Fn = QString (*)(const QString &);
Q_DECLARE_METATYPE(Fn)

class TestTextTransforms : public QObject {
    Q_OBJECT
private slots:
    void transforms_data()
    {
        QTest::addColumn<Fn>("fn");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const Fn punct = RemovePunctuation, file = RemoveFileNameChars, translit = Transliterate;

        for (const Fn fn : {punct, file, translit})
            QTest::newRow("empty") << fn << QString() << QString();

        QTest::newRow("punct: hyphen and dots") << punct << "Салтыков-Щедрин М.Е."
                                                << "СалтыковЩедрин МЕ";
        QTest::newRow("punct: apostrophe") << punct << "Д'Артаньян"
                                           << "ДАртаньян";
        QTest::newRow("punct: en dash leaves two spaces") << punct << "а \u2013 б"
                                                          << "а  б";
        QTest::newRow("punct: nothing left") << punct << "?!"
                                             << "";
        QTest::newRow("punct: soft hyphen, quotes, ellipsis") << punct << "Ки\u00ADно «Мир» “A” ’B’ —…"
                                                              << "Кино Мир A B ";
        QTest::newRow("punct: kept look-alikes") << punct << "a_1 \u2018b\u201E \u00A0№\t"
                                                 << "a_1 \u2018b\u201E \u00A0№\t";

        QTest::newRow("file: question marks") << file << "Что? Где? Когда?"
                                              << "Что Где Когда";
        QTest::newRow("file: colon") << file << "Том 1: Начало"
                                     << "Том 1 Начало";
        QTest::newRow("file: both slashes") << file << "a/b\\c"
                                            << "abc";
        QTest::newRow("file: the rest of the nine") << file << "<*\"|>x"
                                                    << "x";
        QTest::newRow("file: other punctuation stays") << file << "Весна! «Москва» — 1.0"
                                                       << "Весна! «Москва» — 1.0";

        QTest::newRow("translit: shch") << translit << "Щука"
                                        << "Schuka";
        QTest::newRow("translit: capital yo") << translit << "Ёлка"
                                              << "Yolka";
        QTest::newRow("translit: small yo") << translit << "ёлка"
                                            << "jolka";
        QTest::newRow("translit: hard sign") << translit << "Подъезд"
                                             << "Pod'ezd";
        QTest::newRow("translit: soft sign") << translit << "Горький"
                                             << "Gor'kij";
        QTest::newRow("translit: e") << translit << "Эхо"
                                     << "Eho";
        QTest::newRow("translit: ju ja") << translit << "Юля"
                                         << "Julja";
        QTest::newRow("translit: other Cyrillic alphabets") << translit << "Їжак іЄєЎўҐґ"
                                                            << "Їzhak іЄєЎўҐґ";
        QTest::newRow("translit: capitals of every letter") << translit << "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
                                                            << "ABVGDEYoZhZIJKLMNOPRSTUFHCChShSch'Y'EJuJa";
        QTest::newRow("translit: small of every letter") << translit << "абвгдеёжзийклмнопрстуфхцчшщъыьэюя, Abc 1"
                                                         << "abvgdejozhzijklmnoprstufhcchshsch'y'ejuja, Abc 1";
    }

    void transforms()
    {
        QFETCH(Fn, fn);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(fn(input), expected);
    }

    void punctuationSetIsComplete()
    {
        // The 40 by code point: each one goes, and nothing takes its place.
        const char16_t set[] = {0x21,   0x40, 0x23,   0x24,   0x25, 0x5E, 0x26, 0x2A,   0x28,   0x29,
                                0x7B,   0x7D, 0x5B,   0x5D,   0x5C, 0x2F, 0x3C, 0x3E,   0xAB,   0xBB,
                                0x2B,   0x3D, 0x22,   0x7C,   0x3F, 0x2E, 0x2C, 0x3B,   0x3A,   0x27,
                                0x2026, 0x2D, 0x2013, 0x2014, 0xAD, 0x7E, 0x60, 0x201C, 0x201D, 0x2019};
        QString all;
        for (const char16_t c : set) {
            QCOMPARE(RemovePunctuation(QStringLiteral("x") + QChar(c) + QStringLiteral("y")), QStringLiteral("xy"));
            all += QChar(c);
        }
        QCOMPARE(RemovePunctuation(all + all), QString());
    }

    void trim_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("controls and spaces") << "\t\r\n \x01"
                                                "a b\x1F "
                                             << "a b";
        QTest::newRow("no-break space stays") << "\u00A0a\u00A0"
                                              << "\u00A0a\u00A0";
        QTest::newRow("only blanks") << " \t "
                                     << "";
    }

    void trim()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(Trim(input), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextTransforms)
#include "test_text_transforms.moc"
