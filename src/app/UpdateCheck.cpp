#include "UpdateCheck.h"

#include "AppErrors.h"
#include "config/Folders.h"
#include "config/Version.h"
#include "globals/Errors.h"
#include "globals/ProgramSite.h"
#include "globals/TextFile.h"
#include "update/UpdateFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QWidget>

namespace {

// A server that accepts the connection but trickles its answer never holds up a check longer.
constexpr int kTransferTimeoutMs = 5000;
constexpr int kDeadlineMs = 15000;

QString VersionFilePath() { return TempDir + QStringLiteral("version.txt"); }

}  // namespace

TUpdateCheck::TUpdateCheck(QWidget *owner, QUrl fileUrl, QUrl siteUrl)
    : QObject(owner), m_owner(owner), m_fileUrl(fileUrl.isEmpty() ? DefaultFileUrl() : std::move(fileUrl)),
      m_siteUrl(siteUrl.isEmpty() ? QUrl(ProgramSiteUrl()) : std::move(siteUrl)),
      m_net(new QNetworkAccessManager(this)), m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    m_deadline->setInterval(kDeadlineMs);
    connect(m_deadline, &QTimer::timeout, this, [this] {
        if (m_reply)
            m_reply->abort();
    });
}

TUpdateCheck::~TUpdateCheck()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QUrl TUpdateCheck::DefaultFileUrl() { return QUrl(ProgramSiteUrl()).resolved(QUrl(QStringLiteral("orvane.txt"))); }

void TUpdateCheck::AppUpdater()
{
    if (m_reply)
        return;
    m_data.clear();
    m_cut = false;

    QNetworkRequest request(m_fileUrl);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Orvane"));
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(kTransferTimeoutMs);
    m_reply = m_net->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &TUpdateCheck::Received);
    connect(m_reply, &QNetworkReply::finished, this, &TUpdateCheck::Done);
    m_deadline->start();
}

void TUpdateCheck::Received()
{
    if (!m_reply)
        return;
    const qint64 room = kUpdateFileLimit - m_data.size();
    m_data += m_reply->read(std::max<qint64>(room, 0));
    if (m_reply->bytesAvailable() > 0 || m_data.size() >= kUpdateFileLimit) {
        // Far longer than any update file: an error page, or a server that never stops.
        m_cut = true;
        m_reply->abort();
    }
}

void TUpdateCheck::Done()
{
    m_deadline->stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    if (!m_cut)
        m_data += reply->readAll().left(std::max<qint64>(kUpdateFileLimit - m_data.size(), 0));

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // No answer, a time-out or a broken connection: the network or the server is out of reach.
    // Errors from 200 up are the server's own answers (404 and the like).
    const int error = reply->error();
    if (!m_cut && (!status.isValid() || (error > 0 && error < 200))) {
        emit finished();
        return;
    }
    const int code = status.toInt();
    RunCommand(m_owner, [&] { Tell(!m_cut && code >= 200 && code < 300); });
    emit finished();
}

bool TUpdateCheck::GetNewVersion(QString &Text, QString &version) const
{
    QFile file(VersionFilePath());
    if (!file.open(QIODevice::ReadOnly))
        throw EOrvane(QStringLiteral("Cannot open file \"%1\". %2").arg(file.fileName(), file.errorString()));
    const TUpdateAnnouncement a = ReadUpdateFile(file.read(kUpdateFileLimit), AppVersion);
    Text = a.text;
    version = a.version;
    return a.newer;
}

void TUpdateCheck::Tell(bool httpOk)
{
    QDir().mkpath(TempDir);
    SaveFileData(VersionFilePath(), m_data);

    QString text, version;
    // An error page or a cut-off answer announces nothing, however its last line reads.
    const bool newer = GetNewVersion(text, version) && httpOk;
    QMessageBox box(m_owner);
    box.setObjectName(QStringLiteral("UpdateBox"));
    box.setIcon(QMessageBox::Information);
    box.setTextFormat(Qt::PlainText);
    if (newer) {
        box.setWindowTitle(QStringLiteral("Новая версия! - ") + version);
        box.setText(text + QStringLiteral("\r\n\r\nПерейти на сайт программы?"));
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        if (box.exec() == QMessageBox::Ok)
            QDesktopServices::openUrl(m_siteUrl);
    } else {
        box.setWindowTitle(QStringLiteral("Нет новых версий."));
        box.setText(QStringLiteral("Вы используете самую последнюю версию."));
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    }
}
