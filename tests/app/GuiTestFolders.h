#pragma once
// The program's folders for a widget test: AppDir and the temporary root inside a fresh
// temporary folder (so config.ini and the scratch folder are the test's own), with the
// delivered utils/ of the build beside the test's AppDir.

#include "config/AppSettings.h"
#include "config/Folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TGuiTestFolders {
public:
    TGuiTestFolders()
    {
        QVERIFY(QDir().mkpath(App()));
        QVERIFY(QDir().mkpath(TempRoot()));
        QFile::link(QStringLiteral(ORVANE_BIN_DIR "/utils"), App() + QStringLiteral("utils"));
        SetUpFolders(App(), TempRoot());
        UpdateSetting();
    }
    QString App() const { return m_dir.path() + QStringLiteral("/app/"); }
    QString TempRoot() const { return m_dir.path() + QStringLiteral("/tmp/"); }
    QString Config() const { return App() + QStringLiteral("config.ini"); }
    QString Path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
