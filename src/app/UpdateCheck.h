#pragma once
// The update check: asks the web site for its update file and tells the user what it says.
// The request runs asynchronously with short time-outs, so the window never waits on the
// network; an unreachable network or server keeps the check silent.

#include <QByteArray>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;
class QWidget;

class TUpdateCheck : public QObject {
    Q_OBJECT
public:
    // `fileUrl` and `siteUrl` default to the program's own site; tests point them elsewhere.
    explicit TUpdateCheck(QWidget *owner, QUrl fileUrl = {}, QUrl siteUrl = {});
    ~TUpdateCheck() override;

    // Starts a check; one already under way is not doubled.
    void AppUpdater();
    bool Busy() const { return m_reply != nullptr; }

    // The last downloaded update file, read from the scratch folder: true when it announces a
    // version newer than the program's.
    bool GetNewVersion(QString &Text, QString &version) const;

    static QUrl DefaultFileUrl();

signals:
    // The check is over, whatever came of it (tests wait on this).
    void finished();

private:
    void Received();
    void Done();
    void Tell(bool httpOk);

    QWidget *m_owner;
    QUrl m_fileUrl, m_siteUrl;
    QNetworkAccessManager *m_net;
    QNetworkReply *m_reply = nullptr;
    QTimer *m_deadline;
    QByteArray m_data;
    bool m_cut = false;
};
