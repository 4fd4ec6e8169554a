#pragma once
// The metadata record of one book, filled by ExtractBookInfo and read by the pattern language.

#include <QString>

struct TBookData {
    QString LastName;
    QString FirstName;
    QString MiddleName;
    QString Title;
    QString Sequence;
    QString SeqNum;
    QString Lang;
    QString Publisher;
    QString Genre;
    QString City;
    QString Year;

    void Clear() { *this = TBookData(); }
    // Drops file-name characters from Sequence, Publisher and City (they become folder names).
    void CheckSymbol();
};
