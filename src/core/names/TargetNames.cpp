#include "TargetNames.h"

#include "Genres.h"
#include "Pattern.h"
#include "book/ExtractBookInfo.h"
#include "globals/TextTransforms.h"
#include "globals/Trim.h"

QString BookRename(const TBookData &book, const TAppSettings &settings)
{
    QString name = RemoveFileNameChars(ExpandPattern(book, QString(), pkName, settings));
    if (settings.TranslitName)
        name = Transliterate(name);
    return name + QStringLiteral(".fb2");
}

QString SortAuthorText(const TBookData &book, const TAppSettings &settings)
{
    QString author;
    if (settings.LastName)
        author = book.LastName;
    if (settings.FirstName)
        author = Trim(author + u' ' + book.FirstName);
    if (settings.MiddleName)
        author = Trim(author + u' ' + book.MiddleName);
    return author;
}

QString BookSort(TBookData book, const TAppSettings &settings)
{
    const QString author = RemovePunctuation(SortAuthorText(book, settings));
    if (settings.GenreFull)
        book.Genre = FullGenreName(book.Genre);
    book.CheckSymbol();
    QString folder = ExpandPattern(book, author, pkSort, settings);
    if (settings.TranslitDir)
        folder = Transliterate(folder);
    return folder;
}

QString BookRename(const IXMLFictionBook &book) { return BookRename(BookRecord(book), AppSettings); }

QString BookSort(const IXMLFictionBook &book) { return BookSort(BookRecord(book), AppSettings); }
