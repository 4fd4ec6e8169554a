#include "journal/JournalFiles.h"

#include "config/Folders.h"
#include "globals/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

QString JournalFolder() { return UserDir + QStringLiteral("journal/"); }

TJournalFile ReadJournal(const QString &path)
{
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        throw EOrvane(QStringLiteral("Не удалось прочитать журнал \"%1\": %2").arg(path, f.errorString()));
    const QByteArray data = f.readAll();
    QList<QByteArray> lines = data.split('\n');
    lines.removeLast();  // after the last LF: empty, or a line cut off by a kill
    TJournalFile j;
    j.Path = path;
    const QList<QByteArray> head = lines.value(0).split('\t');
    if (head.size() < 4 || head[0] != "orvane-journal" || head[1] != "1" || (head[2] != "run" && head[2] != "undo"))
        throw EOrvane(QStringLiteral("Файл \"%1\" не является журналом обработки").arg(path));
    j.IsUndo = head[2] == "undo";
    j.Started = QDateTime::fromString(QString::fromUtf8(head[3]), Qt::ISODateWithMs);
    if (head.size() > 4)
        j.Undoes = UnescapeField(head[4]);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        if (line.startsWith("end\t")) {
            j.End = QString::fromUtf8(line.split('\t').value(2));
            continue;
        }
        TJournalStep s;
        if (ParseStepLine(line, s))
            j.Steps << s;
        else
            j.BadLines << int(i + 1);
    }
    return j;
}

int TJournalFile::Operations() const
{
    int n = 0;
    for (const TJournalStep &s : Steps)
        n += s.Kind != TStepKind::Extract;
    return n;
}

QList<TJournalInfo> ListJournals(const QString &folder)
{
    QDir dir(folder);
    QList<TJournalInfo> all;
    for (const QString &name : dir.entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name)) {
        try {
            const TJournalFile j = ReadJournal(dir.filePath(name));
            TJournalInfo info;
            info.Path = j.Path;
            info.IsUndo = j.IsUndo;
            info.Undoes = j.Undoes;
            info.Started = j.Started;
            info.End = j.End;
            info.Steps = j.Operations();
            all << info;
        } catch (const EOrvane &) {
        }
    }
    // Names begin with the start time: the file order is the order of the runs. An undo takes
    // back its journal; a complete undo of an undo gives that journal's run its effect again.
    QHash<QString, int> byName;
    QHash<QString, QString> undid;  // undo journal name -> the name it took back
    for (int i = 0; i < all.size(); ++i) {
        const QString name = QFileInfo(all[i].Path).fileName();
        byName.insert(name, i);
        if (!all[i].IsUndo)
            continue;
        const QString target = all[i].Undoes;
        undid.insert(name, target);
        if (all[i].End != QLatin1String("done") || !byName.contains(target))
            continue;
        all[byName[target]].Undone = true;
        if (undid.contains(target) && byName.contains(undid[target]))
            all[byName[undid[target]]].Undone = false;
    }
    std::reverse(all.begin(), all.end());
    return all;
}

QString LastUndoable(const QString &folder)
{
    for (const TJournalInfo &j : ListJournals(folder))
        if (!j.IsUndo && !j.Undone && j.Steps > 0)
            return j.Path;
    return QString();
}
