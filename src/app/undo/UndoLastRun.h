#pragma once
// "Отменить последнюю обработку": asks, then takes the newest run that is not undone back on a
// worker thread (hashing thousands of books takes a while), with the progress window and its
// "Отмена", and says what could not be put back.

class QWidget;

void UndoLastRun(QWidget *owner);
