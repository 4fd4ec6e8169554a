#pragma once
// The description page of one book for the information panel: the book validated, its document
// turned into "description.html" by utils/description.xsl in a new folder below the scratch
// folder, and its cover picture written beside the page under the id of its binary.

#include "fb2/fictionbook_21.h"

#include <QByteArray>
#include <QString>

enum class TBookInfoResult {
    NotABook,  // the name does not end in ".fb2": nothing was done
    Invalid,  // the book failed validation
    Written,  // the page was written
};

// What BookInfo did, filled as it goes, so that a caller still knows what was written when a
// later step fails.
struct TBookInfo {
    TBookInfoResult Result = TBookInfoResult::NotABook;
    QString ErrorText;  // Invalid: ValidateBook's four-line text
    QString Folder;  // the description folder, ending in "/", once it was created
    QString Picture;  // the cover picture written beside the page
};

// A new description folder name: 8 characters, ".", 3 characters, each a digit, a capital or a
// small Latin letter (the group first, then the character, both at random).
QString DescriptionFolderName();

// The cover picture of a book: the first binary whose id is the href of the first image of the
// title-info's coverpage after its "#". Found is false when there is no such image or binary.
struct TCoverPicture {
    bool Found = false;
    QString Id;
    QByteArray Data;  // decoded bytes
};
TCoverPicture FindCoverPicture(const IXMLFictionBook &book);

// Whether a binary id may name a file in the description folder: not empty, not "." or the
// page's own name, and without "/", "\", ".." or NUL, and short enough for a file name. A book
// can give its binaries any id; an id that is no plain file name is never written.
bool IsPlainPictureName(const QString &id);

// Builds the description of the FB2 file fName below tempDir with utilsDir + "description.xsl".
// link receives the full path of "description.html" when the page was written, empty text for an
// invalid book, and is left alone when fName does not end in ".fb2". Throws EOrvane when the
// schema or the style sheet is missing or unusable, the transformation fails or a file cannot be
// written; a missing style sheet leaves no folder behind.
void BookInfo(const QString &fName, QString &link, TBookInfo &info, const QString &tempDir, const QString &utilsDir);
