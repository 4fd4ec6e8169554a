#pragma once

class QWidget;

// Places a dialog so that its frame is centred on the frame of the window that owns it.
void CentreOnOwner(QWidget *dialog);
