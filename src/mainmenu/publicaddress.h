#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QNetworkAccessManager;

// The web service that echoes the caller's public address. Its root page is a
// short HTML page whose text reads "Current IP Address: 203.0.113.7</body>...".
QUrl publicAddressService();

// The address in a service answer: the body trimmed, from two characters after
// its first ":" (the colon and its blank) up to the first "<". An answer
// without "<" gives the empty text.
QString parsePublicAddress(const QString& body);

// The main window's web client for the public address. One GET per lookup, on
// the user-interface thread. The wait is bounded: a service that does not
// answer within the time-out counts as a failed request, so a hanging network
// holds the menu for a few seconds at most. User input waits meanwhile; the
// window still repaints and its timer still ticks.
class PublicAddressLookup
{
public:
    static constexpr int kDefaultTimeoutMs = 5000;

    explicit PublicAddressLookup(const QUrl& service = publicAddressService(), int timeoutMs = kDefaultTimeoutMs);
    ~PublicAddressLookup();
    PublicAddressLookup(const PublicAddressLookup&) = delete;
    PublicAddressLookup& operator=(const PublicAddressLookup&) = delete;

    void setService(const QUrl& service) { m_service = service; }
    const QUrl& service() const { return m_service; }
    void setTimeoutMs(int timeoutMs) { m_timeoutMs = timeoutMs; }

    // Asks the service. A failed request shows the connection message and the
    // address is read from the last body received (none before the first success).
    QString lookUp();

private:
    // The body of one GET, or nothing when the request fails or times out.
    bool get(QByteArray& body);

    QUrl m_service;
    int m_timeoutMs;
    std::unique_ptr<QNetworkAccessManager> m_web;
    QByteArray m_lastBody;
};

// The watch on the site's public address that the main window's timer runs
// while the internet check is on. Only a workstation with an internet route
// (a proxy, or an active dial-up link) asks the service at all.
class PublicAddressWatch
{
public:
    // Receives "IP <database>" and "Start IP of <database> is <address>".
    using Notice = std::function<void(const QString& subject, const QString& text)>;

    explicit PublicAddressWatch(Notice notice);

    void setNotice(Notice notice) { m_notice = std::move(notice); }
    PublicAddressLookup& lookup() { return m_lookup; }
    const QString& lastAddress() const { return m_lastAddress; }
    bool isChecking() const { return m_checking; }

    // One check for the given current database. A check that starts while
    // another one still waits (for the service, or for its message to be read)
    // is skipped.
    void check(const QString& databaseName);

private:
    Notice m_notice;
    PublicAddressLookup m_lookup;
    QString m_lastAddress;
    bool m_checking = false;
};
