#include "mainmenu/publicaddress.h"

#include "toolkit/prompts.h"
#include "workstation/workstation.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

QUrl publicAddressService()
{
    return QUrl(QStringLiteral("http://checkip.dyndns.org/"));
}

QString parsePublicAddress(const QString& body)
{
    const QString trimmed = body.trimmed();
    // Without a colon indexOf answers -1, and the text starts at the body's second character.
    const QString afterLabel = trimmed.mid(trimmed.indexOf(QLatin1Char(':')) + 2);
    const qsizetype tag = afterLabel.indexOf(QLatin1Char('<'));
    return tag < 0 ? QString() : afterLabel.left(tag);
}

PublicAddressLookup::PublicAddressLookup(const QUrl& service, int timeoutMs)
    : m_service(service)
    , m_timeoutMs(timeoutMs)
{
}

PublicAddressLookup::~PublicAddressLookup() = default;

QString PublicAddressLookup::lookUp()
{
    QByteArray body;
    if (get(body))
        m_lastBody = body;
    else
        prompts().error(QStringLiteral("Could not get IP Address! Please ensure you are connected to the Internet."));
    return parsePublicAddress(QString::fromUtf8(m_lastBody));
}

namespace {

// The system's proxy for the service; a service on this very machine is asked directly.
QNetworkProxy proxyFor(const QUrl& url)
{
    const QHostAddress host(url.host());
    if (url.host() == QLatin1String("localhost") || host.isLoopback())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    return QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url)).value(0, QNetworkProxy(QNetworkProxy::NoProxy));
}

} // namespace

bool PublicAddressLookup::get(QByteArray& body)
{
    if (!m_web)
        m_web = std::make_unique<QNetworkAccessManager>();
    m_web->setProxy(proxyFor(m_service));

    QNetworkReply* reply = m_web->get(QNetworkRequest(m_service));

    QEventLoop wait;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    deadline.start(m_timeoutMs);
    if (!reply->isFinished())
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const bool ok = reply->error() == QNetworkReply::NoError;
    if (ok)
        body = reply->readAll();
    reply->deleteLater();
    return ok;
}

PublicAddressWatch::PublicAddressWatch(Notice notice)
    : m_notice(std::move(notice))
{
}

void PublicAddressWatch::check(const QString& databaseName)
{
    if (m_checking)
        return;
    if (InternetRoute() == 0)
        return;
    m_checking = true;
    struct Done
    {
        bool& flag;
        ~Done() { flag = false; }
    } done { m_checking };

    const QString address = m_lookup.lookUp();
    if (address == m_lastAddress)
        return;
    m_lastAddress = address;
    if (m_notice)
        m_notice(QStringLiteral("IP ") + databaseName, QStringLiteral("Start IP of ") + databaseName + QStringLiteral(" is ") + address);
}
