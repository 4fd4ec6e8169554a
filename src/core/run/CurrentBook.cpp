#include "run/CurrentBook.h"

IXMLFictionBook CurrentBook;
