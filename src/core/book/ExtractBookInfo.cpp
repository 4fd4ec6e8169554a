#include "book/ExtractBookInfo.h"

#include "globals/Errors.h"
#include "globals/Trim.h"

TBookData BookRecord(const IXMLFictionBook &book)
{
    TBookData record;
    record.Clear();
    ExtractBookInfo(book, record);
    return record;
}

void ExtractBookInfo(const IXMLFictionBook &Book, TBookData &ixRecord)
{
    // Each field starts again from the root: the steps create what they miss in this order.
    ixRecord.Title = Trim(Book->Description()->TitleInfo()->BookTitle()->Text());

    IXMLGenreTypeList genres = Book->Description()->TitleInfo()->Genre();
    if (genres->Count() > 0)
        ixRecord.Genre = Trim(genres->Items(0));

    IXMLAuthorTypeList authors = Book->Description()->TitleInfo()->Author();
    if (authors->Count() > 0) {
        IXMLAuthorType author = authors->Items(0);
        ixRecord.LastName = Trim(author->LastName()->Text());
        ixRecord.FirstName = Trim(author->FirstName()->Text());
        ixRecord.MiddleName = Trim(author->MiddleName()->Text());
    }

    ixRecord.Lang = Trim(Book->Description()->TitleInfo()->Lang());

    IXMLSequenceTypeList series = Book->Description()->TitleInfo()->Sequence();
    if (series->Count() > 0) {
        IXMLSequenceType first = series->Items(0);
        ixRecord.Sequence = Trim(first->Name());
        try {
            ixRecord.SeqNum = QString::number(first->Number());
        } catch (const EOrvane &) {
            // A missing or malformed series number leaves SeqNum as it was.
        }
    }

    ixRecord.Publisher = Trim(Book->Description()->PublishInfo()->Publisher()->Text());
    ixRecord.City = Trim(Book->Description()->PublishInfo()->City()->Text());
    ixRecord.Year = Trim(Book->Description()->PublishInfo()->Year());
}
