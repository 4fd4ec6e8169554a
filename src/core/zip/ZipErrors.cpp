#include "zip/ZipErrors.h"

EOrvane ZipError(TZipErrorCode code, const QString &text)
{
    return EOrvane(QStringLiteral("Zip: ") + text + QStringLiteral(" - Native error: ")
                   + QStringLiteral("%1").arg(int(code), 5, 10, QLatin1Char('0')));
}

EOrvane ZipFileError(TZipErrorCode code, const QString &fileName)
{
    QString text;
    switch (code) {
    case zeBlankFileName: text = QStringLiteral("File name is blank. Specify appropriate file name"); break;
    case zeFileNotFound: text = QStringLiteral("File \"%1\" not found"); break;
    case zeNotAnArchive: text = QStringLiteral("File \"%1\" is not a ZIP archive"); break;
    case zeCannotRead: text = QStringLiteral("Cannot read file \"%1\""); break;
    case zeCannotCreateFile: text = QStringLiteral("Cannot create file \"%1\""); break;
    case zeCannotCreateDir: text = QStringLiteral("Cannot create directory \"%1\""); break;
    case zeCannotWrite: text = QStringLiteral("Cannot write file \"%1\""); break;
    case zeNotOpen: text = QStringLiteral("Archive \"%1\" is not open"); break;
    case zeCannotOpenArchive:
    case zeCannotOpenFile: text = QStringLiteral("Cannot open file \"%1\""); break;
    case zeZip64Size:
    case zeZip64Offset: text = QStringLiteral("Cannot compress file '%1'. Zip64 mode is not enabled"); break;
    case zeNameTooLong: text = QStringLiteral("File name is too long: \r\n\"%1\""); break;
    default: text = QStringLiteral("Error in file \"%1\""); break;
    }
    return ZipError(code, code == zeBlankFileName ? text : text.arg(fileName));
}

EOrvane ZipEntryError(TZipErrorCode code, const QString &entry, const QString &archive, const QString &detail)
{
    QString text;
    switch (code) {
    case zeEntryDamaged: text = QStringLiteral("Entry \"%1\" of archive \"%2\" is damaged"); break;
    case zeEntryCrc: text = QStringLiteral("Entry \"%1\" of archive \"%2\" fails its CRC check"); break;
    case zeEntrySize: text = QStringLiteral("Entry \"%1\" of archive \"%2\" does not match its declared size"); break;
    case zeEntryTooLarge:
        text = QStringLiteral("Entry \"%1\" of archive \"%2\" is too large for a book (%3 bytes)");
        break;
    case zeEntryMethod:
        text = QStringLiteral("Entry \"%1\" of archive \"%2\" uses compression method %3, which is not supported");
        break;
    case zeEntryEncrypted: text = QStringLiteral("Entry \"%1\" of archive \"%2\" is encrypted"); break;
    case zeEntryOutside:
        text = QStringLiteral(
            "Entry \"%1\" of archive \"%2\" has a path that leads out of the target folder; nothing was extracted");
        break;
    case zeEntryLink: text = QStringLiteral("Entry \"%1\" of archive \"%2\" is a link; nothing was extracted"); break;
    default: text = QStringLiteral("Entry \"%1\" of archive \"%2\" cannot be extracted"); break;
    }
    // One pass, so that a "%1" inside a name is never taken for a place-holder.
    text = (code == zeEntryTooLarge || code == zeEntryMethod) ? text.arg(entry, archive, detail)
                                                              : text.arg(entry, archive);
    return ZipError(code, text);
}
