#pragma once
// "Отменить последнюю обработку": asks, then takes the newest run that is not undone back on a
// worker thread (hashing thousands of books takes a while), with the progress window and its
// "Отмена", and says what could not be put back.

#include "journal/UndoRun.h"

class QWidget;

// What the undo did; empty when there was nothing to undo or the user said no.
TUndoResult UndoLastRun(QWidget *owner);
