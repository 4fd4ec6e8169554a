#include "frm_Name.h"

#include "ButtonEdit.h"

#include <QEvent>

TfrmName::TfrmName(QWidget *owner)
    : TPatternEditor(owner, QStringLiteral("frmName"), QStringLiteral("Шаблон имени файла"), QStringLiteral("edtNName"),
                     {
                         {"btnLast", QStringLiteral("Фамилия"), QStringLiteral("Фамилия")},
                         {"btnFirst", QStringLiteral("Имя"), QStringLiteral("Имя")},
                         {"btnMiddle", QStringLiteral("Отчество"), QStringLiteral("Отчество")},
                         {"btnTitle", QStringLiteral("Название"), QStringLiteral("Название")},
                         {"btnSeries", QStringLiteral("Серия"), QStringLiteral("Серия")},
                         {"btnSeqNum", QStringLiteral("№ в серии"), QStringLiteral("Номер")},
                     },
                     {
                         {"btnPublish", QStringLiteral("Издательство"), QStringLiteral("Издательство")},
                         {"btnCity", QStringLiteral("Город"), QStringLiteral("Город")},
                         {"btnYear", QStringLiteral("Год"), QStringLiteral("Год")},
                     },
                     QSize(495, 151)),
      edtNName(Edit())
{
    edtNName->installEventFilter(this);
    connect(edtNName, &TButtonedEdit::RightButtonClick, this, &TfrmName::edtNNameRightButtonClick);
}

void TfrmName::SetNewName(int tag)
{
    if (!edtNName->hasFocus() && m_selStart >= 0 && m_selStart + m_selLength <= edtNName->text().size())
        edtNName->setSelection(m_selStart, m_selLength);
    m_selStart = -1;
    edtNName->insert(TagWord(tag));
}

void TfrmName::edtNNameRightButtonClick() { edtNName->clear(); }

bool TfrmName::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == edtNName) {
        if (e->type() == QEvent::FocusOut && edtNName->hasSelectedText()) {
            m_selStart = edtNName->selectionStart();
            m_selLength = edtNName->selectedText().size();
        } else if (e->type() == QEvent::FocusIn) {
            m_selStart = -1;
        }
    }
    return TPatternEditor::eventFilter(watched, e);
}

void TfrmName::showEvent(QShowEvent *e)
{
    // The text the caller put in shows from its start, the caret before it, nothing selected.
    edtNName->setCursorPosition(0);
    edtNName->deselect();
    m_selStart = -1;
    TPatternEditor::showEvent(e);
}
