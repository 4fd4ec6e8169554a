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
};
