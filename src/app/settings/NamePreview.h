#pragma once
// The preview on page "Шаблоны": the folder and the file name that the patterns and switches
// being edited give for one book, computed as the run computes them. The book is the row
// selected in the main list, read on a worker thread so that a large book never holds up the
// dialog; until it is read, and when it cannot be, a small built-in book stands in.

#include "config/AppSettings.h"
#include "globals/BookData.h"
#include "list/ListEntry.h"

#include <QGroupBox>
#include <memory>

class TElidedLabel;

// The built-in book of the preview.
TBookData SampleBook();

class TNamePreview : public QGroupBox {
    Q_OBJECT
public:
    explicit TNamePreview(QWidget *parent = nullptr);

    // Reads this row's book (below `tempDir` for an archive entry) and shows it once read.
    void SetEntry(const TListEntry &entry, const QString &tempDir);
    // Shows where the book goes under these settings.
    void Show(const TAppSettings &settings);
    // True while the row's book is being read.
    bool Busy() const { return m_reading; }

    TElidedLabel *lblBook, *lblFolder, *lblName;

signals:
    // The row's book has been read, or found unreadable, and the preview shows the outcome.
    void BookRead();

private:
    struct TRead;
    void Finished(const std::shared_ptr<TRead> &read);
    void Refresh();

    TBookData m_book;
    QString m_fileName;
    QString m_bookText;
    TAppSettings m_settings;
    bool m_reading = false;
};
