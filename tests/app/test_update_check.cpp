#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "UpdateCheck.h"
#include "config/Version.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

// A one-page HTTP server on 127.0.0.1: answers every request with the same status and body,
// or, when `endless`, with a body that never ends.
class TUpdateServer : public QObject {
public:
    TUpdateServer(int status, QByteArray body, bool endless = false)
        : m_status(status), m_body(std::move(body)), m_endless(endless)
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, &TUpdateServer::Accept);
    }
    QUrl Url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/orvane.txt").arg(m_server.serverPort())); }
    int Requests() const { return m_requests; }

private:
    void Accept()
    {
        while (QTcpSocket *s = m_server.nextPendingConnection()) {
            ++m_requests;
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (!s->readAll().contains("\r\n\r\n") || s->property("answered").toBool())
                    return;
                s->setProperty("answered", true);
                QByteArray head = "HTTP/1.1 " + QByteArray::number(m_status) + " X\r\nContent-Type: text/plain\r\n";
                if (m_endless) {
                    s->write(head + "\r\n");
                    Pump(s);
                } else {
                    s->write(head + "Content-Length: " + QByteArray::number(m_body.size())
                             + "\r\nConnection: close\r\n\r\n" + m_body);
                    s->disconnectFromHost();
                }
            });
        }
    }
    void Pump(QTcpSocket *s)
    {
        if (s->state() != QAbstractSocket::ConnectedState || m_pumped > 64 * 1024 * 1024)
            return;
        const QByteArray chunk(16 * 1024, 'x');
        m_pumped += chunk.size();
        s->write(chunk);
        QTimer::singleShot(1, s, [this, s] { Pump(s); });
    }

    QTcpServer m_server;
    int m_status;
    QByteArray m_body;
    bool m_endless;
    int m_requests = 0;
    qint64 m_pumped = 0;
};

struct TSeenBox {
    bool shown = false;
    QString title, text;
};

// Runs one check and answers whatever box it shows with Cancel or OK.
TSeenBox RunCheck(const QUrl &url)
{
    QWidget owner;
    TUpdateCheck check(&owner, url, QUrl(QStringLiteral("http://127.0.0.1:1/")));
    TSeenBox seen;
    TShowWatch watch([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box || box->objectName() != QLatin1String("UpdateBox"))
            return;
        seen = {true, box->windowTitle(), box->text()};
        QTimer::singleShot(0, box, [box] { box->reject(); });
    });
    QSignalSpy done(&check, &TUpdateCheck::finished);
    check.AppUpdater();
    check.AppUpdater();  // a second request while one runs is not doubled
    if (done.isEmpty())
        done.wait(30000);
    return seen;
}

}  // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void initTestCase()
    {
        m_folders.reset(new TGuiTestFolders);
        LoadAppVersion();
        QVERIFY(!AppVersion.isEmpty());
    }

    void answers_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("endless");
        QTest::addColumn<QString>("title");  // empty: no box at all
        QTest::addColumn<QString>("text");

        // "Скачайте новую версию." in CP1251.
        const QByteArray news = QByteArray("\xd1\xea\xe0\xf7\xe0\xe9\xf2\xe5 \xed\xee\xe2\xf3\xfe "
                                           "\xe2\xe5\xf0\xf1\xe8\xfe.")
                                    .toBase64();
        const QString newsText = QString::fromUtf8("Скачайте новую версию.");
        const QString question = QStringLiteral("\r\n\r\nПерейти на сайт программы?");
        const QString none = QStringLiteral("Нет новых версий.");
        const QString latest = QStringLiteral("Вы используете самую последнюю версию.");
        const QByteArray own = AppVersion.toLatin1();

        QTest::newRow("newer") << 200 << "99.0|" + news << false << QStringLiteral("Новая версия! - 99.0")
                               << newsText + question;
        QTest::newRow("same") << 200 << own + "|" + news << false << none << latest;
        QTest::newRow("older last line after a newer one")
            << 200 << "99.0|" + news + "\r\n0.0.1|" + news << false << none << latest;
        QTest::newRow("final empty line") << 200 << "99.0|" + news + "\r\n\r\n" << false << none << latest;
        QTest::newRow("line without separator")
            << 200 << QByteArray("99.0") << false << QStringLiteral("Новая версия! - 99.0") << question;
        QTest::newRow("empty file") << 200 << QByteArray() << false << none << latest;
        QTest::newRow("announcement is plain text")
            << 200 << "99.0|" + QByteArray("<b>bold</b>").toBase64() << false << QStringLiteral("Новая версия! - 99.0")
            << QStringLiteral("<b>bold</b>") + question;
        QTest::newRow("404 page announces nothing") << 404 << QByteArray("99.0|") << false << none << latest;
        QTest::newRow("endless answer announces nothing") << 200 << QByteArray() << true << none << latest;
    }

    void answers()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, endless);
        QFETCH(QString, title);
        QFETCH(QString, text);
        TUpdateServer server(status, body, endless);
        const TSeenBox seen = RunCheck(server.Url());
        QCOMPARE(server.Requests(), 1);
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.text, text);

        // The download is kept as it came, cut off at the limit.
        QFile file(TempDir + QStringLiteral("version.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (endless)
            QVERIFY(file.size() > 0 && file.size() <= 8 * 1024);
        else
            QCOMPARE(file.readAll(), body);
    }

    void silentWithoutServer()
    {
        quint16 port;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            port = probe.serverPort();
        }
        const TSeenBox seen = RunCheck(QUrl(QStringLiteral("http://127.0.0.1:%1/orvane.txt").arg(port)));
        QVERIFY(!seen.shown);
    }
};

QTEST_MAIN(TestUpdateCheck)
#include "test_update_check.moc"
