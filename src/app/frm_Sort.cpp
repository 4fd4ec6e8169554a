#include "frm_Sort.h"

#include "ButtonEdit.h"

TfrmSort::TfrmSort(QWidget *owner)
    : TPatternEditor(owner, QStringLiteral("frmSort"), QStringLiteral("Шаблон сортировки"), QStringLiteral("edtSDir"),
                     {
                         {"btnAuthor", QStringLiteral("Автор"), QStringLiteral("Автор")},
                         {"btnAlphabet", QStringLiteral("Алфавит"), QStringLiteral("Алфавит")},
                         {"btnGenre", QStringLiteral("Жанр"), QStringLiteral("Жанр")},
                         {"btnSeries", QStringLiteral("Серия"), QStringLiteral("Серия")},
                         {"btnLang", QStringLiteral("Язык"), QStringLiteral("Язык")},
                     },
                     {
                         {"btnPublish", QStringLiteral("Издательство"), QStringLiteral("Издательство"), 2},
                         {"btnCity", QStringLiteral("Город"), QStringLiteral("Город")},
                         {"btnYear", QStringLiteral("Год"), QStringLiteral("Год"), 2},
                     },
                     QSize(417, 149)),
      edtSDir(Edit())
{
    connect(edtSDir, &TButtonedEdit::RightButtonClick, this, &TfrmSort::edtSDirRightButtonClick);
}

void TfrmSort::SetSort(int tag)
{
    const QString word = TagWord(tag);
    // A blank is text too: only an empty field starts without a separator.
    edtSDir->setText(edtSDir->text().isEmpty() ? word : edtSDir->text() + u'\\' + word);
}

void TfrmSort::edtSDirRightButtonClick() { edtSDir->clear(); }
