#pragma once
// The document the run loaded last. Replaced for every book the run loads, kept after the run.

#include "fb2/fictionbook_21.h"

extern IXMLFictionBook CurrentBook;
