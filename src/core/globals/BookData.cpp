#include "BookData.h"

#include "TextTransforms.h"

void TBookData::CheckSymbol()
{
    Sequence = RemoveFileNameChars(Sequence);
    Publisher = RemoveFileNameChars(Publisher);
    City = RemoveFileNameChars(City);
}
