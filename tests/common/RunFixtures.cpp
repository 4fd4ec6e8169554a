#include "RunFixtures.h"

#include "BookFixtures.h"
#include "ZipFixtures.h"

#include "zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace RunFixtures {

namespace {
QString esc(QString s)
{
    return s.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('<'), QLatin1String("&lt;"));
}

QByteArray book(const QString &titleInfo, const QString &text)
{
    return Fb2Book((QStringLiteral("\n<description>\n<title-info>") + titleInfo
                    + QStringLiteral("</title-info>\n<document-info><author><nickname>t</nickname></author>"
                                     "<date>2010</date><id>1</id><version>1.0</version></document-info>\n"
                                     "</description>\n<body><section><p>")
                    + esc(text) + QStringLiteral("</p></section></body>\n"))
                       .toUtf8());
}
}  // namespace

QByteArray ValidBook(const QString &lastName, const QString &firstName, const QString &title, const QString &text)
{
    return book(QStringLiteral("<genre>prose_classic</genre><author><first-name>%1</first-name>"
                               "<last-name>%2</last-name></author><book-title>%3</book-title><lang>ru</lang>")
                    .arg(esc(firstName), esc(lastName), esc(title)),
                text);
}

QByteArray SchemaInvalidBook(const QString &text)
{
    return book(QStringLiteral("<genre>prose_classic</genre><author><first-name>А</first-name>"
                               "<last-name>Б</last-name></author><lang>ru</lang>"),
                text);
}

QByteArray NotXmlBook(const QString &text) { return ("This is no book. " + text).toUtf8(); }

void PutFile(const QString &path, const QByteArray &data)
{
    QVERIFY2(ZipFixtures::WriteFile(path, data), qPrintable(path));
}

void MakeZip(const QString &zipPath, const QList<std::pair<QString, QByteArray>> &entries)
{
    QTemporaryDir stage;
    for (const auto &[stored, data] : entries)
        PutFile(stage.filePath(stored), data);
    QDir().mkpath(QFileInfo(zipPath).path());
    TZipArchive zip;
    zip.FileName = zipPath;
    zip.BaseDir = stage.path();
    zip.OpenArchive(TZipArchive::omCreate);
    zip.AddFiles(QStringLiteral("*"));
    zip.CloseArchive();
}

QMap<QString, QByteArray> ZipContents(const QString &zipPath)
{
    QTemporaryDir out;
    TZipArchive zip;
    zip.FileName = zipPath;
    zip.OpenArchive(TZipArchive::omRead);
    zip.BaseDir = out.path() + QLatin1Char('/');
    zip.ExtractFiles(QStringLiteral("*"));
    zip.CloseArchive();
    QMap<QString, QByteArray> files;
    for (const QString &file : ZipFixtures::FilesBelow(out.path()))
        files.insert(file, ZipFixtures::ReadFile(out.filePath(file)));
    return files;
}

void WriteConfig(const QString &path, const QMap<QString, QString> &keys)
{
    QByteArray text = "[AUTO]\r\n";
    for (auto it = keys.begin(); it != keys.end(); ++it)
        text += (it.key() + QLatin1Char('=') + it.value()).toUtf8() + "\r\n";
    PutFile(path, text);
}

QMap<QString, QByteArray> ContentsBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QString root = QDir(folder).absolutePath() + QLatin1Char('/');
    for (const QString &file : ZipFixtures::FilesBelow(folder))
        files.insert(root + file, ZipFixtures::ReadFile(root + file));
    return files;
}

}  // namespace RunFixtures
