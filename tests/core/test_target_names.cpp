#include "config/AppSettings.h"
#include "config/Folders.h"
#include "names/Genres.h"
#include "names/Pattern.h"
#include "names/TargetNames.h"

#include <QtTest>
#include <clocale>

namespace {
// The book of the worked example.
TBookData Tolstoy()
{
    TBookData b;
    b.LastName = QStringLiteral("Толстой");
    b.FirstName = QStringLiteral("Лев");
    b.MiddleName = QStringLiteral("Николаевич");
    b.Title = QStringLiteral("Война и мир");
    b.Genre = QStringLiteral("prose_classic");
    b.Lang = QStringLiteral("ru");
    b.Publisher = QStringLiteral("Эксмо");
    b.City = QStringLiteral("Москва");
    b.Year = QStringLiteral("2010");
    return b;
}

// "Field=value" changes to the book, "Setting=0|1" changes to the settings.
void Apply(const QStringList &changes, TBookData &b, TAppSettings &s)
{
    for (const QString &change : changes) {
        const QString name = change.section(u'=', 0, 0);
        const QString value = change.section(u'=', 1);
        QString *field = name == u"LastName" ? &b.LastName
            : name == u"FirstName"           ? &b.FirstName
            : name == u"MiddleName"          ? &b.MiddleName
            : name == u"Title"               ? &b.Title
            : name == u"Sequence"            ? &b.Sequence
            : name == u"SeqNum"              ? &b.SeqNum
            : name == u"Lang"                ? &b.Lang
            : name == u"Publisher"           ? &b.Publisher
            : name == u"Genre"               ? &b.Genre
            : name == u"City"                ? &b.City
            : name == u"Year"                ? &b.Year
                                             : nullptr;
        bool *flag = name == u"UseLastName" ? &s.LastName
            : name == u"UseFirstName"       ? &s.FirstName
            : name == u"UseMiddleName"      ? &s.MiddleName
            : name == u"GenreFull"          ? &s.GenreFull
            : name == u"TranslitDir"        ? &s.TranslitDir
            : name == u"TranslitName"       ? &s.TranslitName
                                            : nullptr;
        if (field)
            *field = value;
        else if (flag)
            *flag = value == u"1";
        else
            QFAIL(qPrintable(QStringLiteral("unknown change ") + change));
    }
}
}  // namespace

class TestTargetNames : public QObject {
    Q_OBJECT

    QTemporaryDir m_app;

private slots:
    void initTestCase()
    {
        SetUpFolders(m_app.path(), m_app.path());
        QVERIFY(QDir().mkpath(UtilsDir));
        QFile genres(UtilsDir + QStringLiteral("genres.list"));
        QVERIFY(genres.open(QIODevice::WriteOnly));
        genres.write("[GENRES]\nprose_classic=Классическая проза\nsf = Научная фантастика\nempty=\n");
    }

    void names_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("expected");
        const int sort = pkSort, name = pkName;
        const QString alphaAuthor = QStringLiteral("Алфавит\\Автор");
        const QString nameDefault = QStringLiteral("Фамилия Имя - Название");

        // The worked example under its settings rows.
        QTest::newRow("sort default") << sort << alphaAuthor << QStringList() << "Т\\Толстой Лев";
        QTest::newRow("sort transliterated") << sort << alphaAuthor << QStringList{"TranslitDir=1"} << "T\\Tolstoj Lev";
        QTest::newRow("sort genre") << sort << "Жанр\\Алфавит" << QStringList() << "Классическая проза\\Т";
        QTest::newRow("sort genre code") << sort << "Жанр\\Алфавит" << QStringList{"GenreFull=0"} << "prose_classic\\Т";
        QTest::newRow("name default") << name << nameDefault << QStringList() << "Толстой Лев - Война и мир.fb2";
        QTest::newRow("name transliterated")
            << name << nameDefault << QStringList{"TranslitName=1"} << "Tolstoj Lev - Vojna i mir.fb2";

        // Spaces left by empty values: one two-to-one pass, then the trim.
        QTest::newRow("no first and middle name")
            << name << "Фамилия Имя Отчество - Название" << QStringList{"FirstName=", "MiddleName="}
            << "Толстой  - Война и мир.fb2";
        QTest::newRow("no series") << name << "Серия Номер - Название" << QStringList() << "- Война и мир.fb2";
        QTest::newRow("no names, no title")
            << name << nameDefault << QStringList{"LastName=", "FirstName=", "Title="} << "-.fb2";
        QTest::newRow("no names") << name << "Фамилия Имя" << QStringList{"LastName=", "FirstName="} << ".fb2";
        QTest::newRow("four spaces in a value become two")
            << name << "Название" << QStringList{"Title=a    b"} << "a  b.fb2";
        QTest::newRow("blanks at the ends") << name << "\t Название \x01" << QStringList() << "Война и мир.fb2";
        QTest::newRow("empty pattern") << name << "" << QStringList() << ".fb2";

        // The author words.
        QTest::newRow("author words in a file name")
            << name << "Автор Алфавит Название" << QStringList() << "Война и мир.fb2";
        QTest::newRow("no names, folder")
            << sort << alphaAuthor << QStringList{"LastName=", "FirstName=", "MiddleName="} << "\\";
        QTest::newRow("name parts switched off, folder")
            << sort << alphaAuthor << QStringList{"UseLastName=0", "UseFirstName=0"} << "\\";
        QTest::newRow("middle name on") << sort << alphaAuthor << QStringList{"UseMiddleName=1"}
                                        << "Т\\Толстой Лев Николаевич";
        QTest::newRow("only the middle name")
            << sort << alphaAuthor << QStringList{"UseLastName=0", "UseFirstName=0", "UseMiddleName=1"}
            << "Н\\Николаевич";
        QTest::newRow("no last name") << sort << alphaAuthor << QStringList{"LastName="} << "Л\\Лев";
        QTest::newRow("letter keeps its case")
            << sort << alphaAuthor << QStringList{"LastName=де Голль", "FirstName=Шарль"} << "д\\де Голль Шарль";
        QTest::newRow("punctuation out of the author")
            << sort << alphaAuthor << QStringList{"LastName=Салтыков-Щедрин", "UseFirstName=0"} << "С\\СалтыковЩедрин";
        QTest::newRow("initials") << sort << "Автор" << QStringList{"LastName=Толстой", "FirstName=Л.Н."}
                                  << "Толстой ЛН";
        QTest::newRow("author transliterated")
            << sort << alphaAuthor << QStringList{"LastName=Ёлкин", "FirstName=Ёж", "TranslitDir=1"}
            << "Yo\\Yolkin Yozh";

        // Words and placeholders.
        QTest::newRow("word inside a longer word") << sort << "Годы\\Автор" << QStringList() << "2010ы\\Толстой Лев";
        QTest::newRow("any mix of capitals")
            << name << "фамилия ИМЯ - НАЗВАНИЕ" << QStringList() << "Толстой Лев - Война и мир.fb2";
        QTest::newRow("placeholders mixed with words") << name << "%LAST %First - Название (Язык, %YEAR)"
                                                       << QStringList() << "Толстой Лев - Война и мир (ru, 2010).fb2";
        QTest::newRow("every field")
            << sort << "Автор|Алфавит|Год|Город|Жанр|Издательство|Имя|Отчество|Серия|Название|Номер|Фамилия|Язык"
            << QStringList{"Sequence=Эпопея", "SeqNum=3", "GenreFull=0"}
            << "Толстой Лев|Т|2010|Москва|prose_classic|Эксмо|Лев|Николаевич|Эпопея|Война и мир|3|Толстой|ru";
        QTest::newRow("word inside a value stays")
            << name << "Название" << QStringList{"Title=Год змеи"} << "Год змеи.fb2";
        QTest::newRow("later placeholder inside a value stays")
            << name << "Название" << QStringList{"Title=Про %lang"} << "Про %lang.fb2";
        QTest::newRow("earlier placeholder inside a value stays")
            << name << "Название" << QStringList{"Title=Про %year"} << "Про %year.fb2";
        QTest::newRow("author inside a value of a later row")
            << sort << "Название" << QStringList{"Title=%AUT"} << "%AUT";

        // Cleaning.
        QTest::newRow("title kept in a folder")
            << sort << "Название" << QStringList{"Title=Том 1: Начало"} << "Том 1: Начало";
        QTest::newRow("title cleaned in a file name")
            << name << "Название" << QStringList{"Title=Том 1: Начало"} << "Том 1 Начало.fb2";
        QTest::newRow("backslash of a value is a level")
            << sort << "Название" << QStringList{"Title=Да\\Нет"} << "Да\\Нет";
        QTest::newRow("backslash of a value in a file name")
            << name << "Название" << QStringList{"Title=Да\\Нет"} << "ДаНет.fb2";
        QTest::newRow("pattern backslash in a file name")
            << name << "Фамилия\\Название" << QStringList() << "ТолстойВойна и мир.fb2";
        QTest::newRow("series, publisher, city cleaned in a folder")
            << sort << "Серия\\Номер\\Издательство\\Город"
            << QStringList{"Sequence=Что? Где? Когда?", "SeqNum=3", "Publisher=АСТ: Астрель", "City=Москва/Тула"}
            << "Что Где Когда\\3\\АСТ Астрель\\МоскваТула";

        // Full genre names.
        QTest::newRow("genre code in any case")
            << sort << "Жанр" << QStringList{"Genre=PROSE_Classic"} << "Классическая проза";
        QTest::newRow("genre name trimmed") << sort << "Жанр" << QStringList{"Genre=sf"} << "Научная фантастика";
        QTest::newRow("unknown genre is empty")
            << sort << "Жанр\\Автор" << QStringList{"Genre=sf_unknown"} << "\\Толстой Лев";
        QTest::newRow("genre without a name is empty") << sort << "Жанр|" << QStringList{"Genre=empty"} << "|";
        QTest::newRow("no genre") << sort << "Жанр|" << QStringList{"Genre="} << "|";
        QTest::newRow("genre code in a file name") << name << "Жанр" << QStringList() << "prose_classic.fb2";
    }

    void names()
    {
        QFETCH(int, kind);
        QFETCH(QString, pattern);
        QFETCH(QStringList, changes);
        QFETCH(QString, expected);
        TBookData book = Tolstoy();
        TAppSettings settings = DefaultAppSettings();
        Apply(changes, book, settings);
        if (kind == pkSort) {
            settings.SortPattern = pattern;
            QCOMPARE(BookSort(book, settings), expected);
        } else {
            settings.NamePattern = pattern;
            QCOMPARE(BookRename(book, settings), expected);
        }
    }

    void missingGenreTable()
    {
        const QString missing = m_app.filePath(QStringLiteral("none/genres.list"));
        QCOMPARE(FullGenreName(QStringLiteral("prose_classic"), missing), QString());
        QCOMPARE(FullGenreName(QStringLiteral("prose_classic")), QStringLiteral("Классическая проза"));
    }

    void replace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("inserted text not searched again") << "ab"
                                                          << "a"
                                                          << "aa"
                                                          << "aab";
        QTest::newRow("non-overlapping, left to right") << "aaa"
                                                        << "aa"
                                                        << "a"
                                                        << "aa";
        QTest::newRow("one pass over a run of spaces") << "a     b"
                                                       << "  "
                                                       << " "
                                                       << "a   b";
        QTest::newRow("Cyrillic in any case") << "ФАМИЛИЯ фамилия ФаМиЛиЯ"
                                              << "Фамилия"
                                              << "x"
                                              << "x x x";
        QTest::newRow("yo is its own letter") << "ЁЛКА елка"
                                              << "ёлка"
                                              << "x"
                                              << "x елка";
        QTest::newRow("dotted and dotless i") << "%LANG %lang"
                                              << "%lang"
                                              << "x"
                                              << "x x";
        QTest::newRow("empty search") << "abc"
                                      << ""
                                      << "x"
                                      << "abc";
    }

    void replace()
    {
        QFETCH(QString, text);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceIgnoringCase(text, from, to), expected);
    }

    void matchingIgnoresTheLocale()
    {
        // Under Turkish rules "i" is not the small "I"; the placeholders must match regardless.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        const QByteArray cLocale = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "tr_TR.UTF-8");
        TAppSettings settings = DefaultAppSettings();
        settings.NamePattern = QStringLiteral("%FIRST %LIST %TIT %LANG %CITY ИМЯ");
        const QString result = BookRename(Tolstoy(), settings);
        std::setlocale(LC_ALL, cLocale.constData());
        QLocale::setDefault(before);
        QCOMPARE(result, QStringLiteral("Лев %LIST Война и мир ru Москва Лев.fb2"));
    }

    // Values from a book are data: placeholders inside them stay as they are, so a crafted
    // book cannot make its name grow without bound.
    void valuesAreNotExpandedAgain_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("placeholder in the title") << "Книга %last"
                                                  << "Лев"
                                                  << "Толстой Лев - Книга %last";
        QTest::newRow("word in the title") << "Фамилия"
                                           << "Лев"
                                           << "Толстой Лев - Фамилия";
        QTest::newRow("placeholders feeding each other")
            << QString(QStringLiteral("%first").repeated(1000)) << QString(QStringLiteral("%tit").repeated(1000))
            << QStringLiteral("Толстой ") + QStringLiteral("%tit").repeated(1000) + QStringLiteral(" - ")
                + QStringLiteral("%first").repeated(1000);
    }
    void valuesAreNotExpandedAgain()
    {
        QFETCH(QString, title);
        QFETCH(QString, firstName);
        QFETCH(QString, expected);
        TBookData book = Tolstoy();
        book.Title = title;
        book.FirstName = firstName;
        TAppSettings settings = DefaultAppSettings();
        QCOMPARE(ExpandPattern(book, QString(), pkName, settings), expected);
    }

    void globalSettingsAreUsed()
    {
        QFile config(AppDir + QStringLiteral("config.ini"));
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
        config.write("[AUTO]\nSortPattern=Язык\\Год\n");
        config.close();
        UpdateSetting();
        QCOMPARE(ExpandPattern(Tolstoy(), QString(), pkSort), QStringLiteral("ru\\2010"));
        QCOMPARE(ExpandPattern(Tolstoy(), QString(), pkName), QStringLiteral("Толстой Лев - Война и мир"));
    }
};

QTEST_GUILESS_MAIN(TestTargetNames)
#include "test_target_names.moc"
