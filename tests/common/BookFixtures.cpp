#include "BookFixtures.h"

#include <QFile>

QString WriteFixture(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write fixture %s", qPrintable(path));
    return path;
}

QString FixtureFolder::Write(const QByteArray &bytes)
{
    return WriteFixture(m_dir, QStringLiteral("b%1.fb2").arg(++m_count), bytes);
}

QByteArray Fb2Book(const QByteArray &rootContent)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\""
           " xmlns:l=\"http://www.w3.org/1999/xlink\">\n"
        + rootContent + "\n</FictionBook>\n";
}

QByteArray Fb2BookWithDescription(const QByteArray &descriptionContent)
{
    return Fb2Book("<description>" + descriptionContent + "</description><body><section><p>x</p></section></body>");
}
