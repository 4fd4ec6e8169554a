#include "info/BookInfo.h"

#include "globals/Base64.h"
#include "globals/Errors.h"
#include "globals/TextFile.h"
#include "validate/ValidBook.h"
#include "xml/XmlServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <sys/stat.h>

namespace {

const QString kPageName = QStringLiteral("description.html");

QChar RandomNameChar(QRandomGenerator &random)
{
    switch (random.bounded(3)) {
    case 0: return QChar(u'0' + random.bounded(10));
    case 1: return QChar(u'A' + random.bounded(26));
    default: return QChar(u'a' + random.bounded(26));
    }
}

// Makes a folder of a new random name below tempDir, never one that is there already: another
// description's files must not be mixed into this one's.
QString CreateDescriptionFolder(const QString &tempDir)
{
    QDir().mkpath(tempDir);
    for (int attempt = 0;; ++attempt) {
        const QString folder = tempDir + DescriptionFolderName() + QLatin1Char('/');
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) == 0)
            return folder;
        const int error = errno;
        if (error != EEXIST || attempt >= 100)
            throw EOrvane(CannotCreateFile(folder + kPageName, error));
    }
}

}  // namespace

QString DescriptionFolderName()
{
    QRandomGenerator &random = *QRandomGenerator::global();
    QString name;
    for (int i = 0; i < 8; ++i)
        name += RandomNameChar(random);
    name += QLatin1Char('.');
    for (int i = 0; i < 3; ++i)
        name += RandomNameChar(random);
    return name;
}

bool IsPlainPictureName(const QString &id)
{
    return !id.isEmpty() && id != QLatin1String(".") && id != kPageName && !id.contains(QLatin1Char('/'))
        && !id.contains(QLatin1Char('\\')) && !id.contains(QLatin1String("..")) && !id.contains(QChar(0))
        && id.toUtf8().size() <= 255;
}

TCoverPicture FindCoverPicture(const IXMLFictionBook &book)
{
    TCoverPicture cover;
    const IXMLCoverpage coverpage = book->Description()->TitleInfo()->Coverpage();
    if (coverpage->Count() == 0)
        return cover;
    const QString href = coverpage->Items(0)->XlinkHref();
    if (!href.startsWith(QLatin1Char('#')))
        return cover;
    const QString id = href.mid(1);
    const IXMLBinaryList binaries = book->Binary();
    for (int i = 0, n = binaries->Count(); i < n; ++i) {
        const IXMLBinary binary = binaries->Items(i);
        if (binary->Id() != id)
            continue;
        cover.Found = true;
        cover.Id = binary->Id();
        cover.Data = DecodeBase64(binary->Text().toLatin1());
        break;
    }
    return cover;
}

void BookInfo(const QString &fName, QString &link, TBookInfo &info, const QString &tempDir, const QString &utilsDir)
{
    info = TBookInfo();
    if (QFileInfo(fName).suffix().toLower() != QLatin1String("fb2"))
        return;

    // One read of the file serves the verdict, the page and the cover.
    XmlDocPtr dom = LoadValidBookDom(fName, utilsDir, info.ErrorText);
    if (!dom) {
        info.Result = TBookInfoResult::Invalid;
        link.clear();
        return;
    }
    const IXMLFictionBook book = BookFromDom(std::move(dom));

    // The page is made before the cover is looked for: reading through the binding adds empty
    // elements to the tree, and the style sheet must see the book as the file holds it.
    const XsltStylesheetPtr style = XsltLoadStyleSheet(utilsDir + QStringLiteral("description.xsl"));
    const QString page = XsltTransform(book->DomDocument(), style.get());

    info.Folder = CreateDescriptionFolder(tempDir);
    const QString pagePath = info.Folder + kPageName;
    SaveTextLines(pagePath, page, TTextEncoding::Utf8Bom);
    link = pagePath;
    info.Result = TBookInfoResult::Written;

    const TCoverPicture cover = FindCoverPicture(book);
    if (!cover.Found || !IsPlainPictureName(cover.Id))
        return;
    info.Picture = info.Folder + cover.Id;
    SaveFileData(info.Picture, cover.Data);
}
