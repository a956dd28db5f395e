#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A small web server on the loopback address that answers every GET with one
// page, or, when silent, takes the connection and never answers.
class LoopbackServer
{
public:
    LoopbackServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++requests;
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            }
        });
    }

    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort())); }
    // Stops listening: a connection to the same port is then refused.
    void close() { m_server.close(); }

    QByteArray body;
    bool silent = false;
    int requests = 0;

private:
    void answer(QTcpSocket* socket)
    {
        m_request += socket->readAll();
        if (silent || !m_request.contains("\r\n\r\n"))
            return;
        m_request.clear();
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_request;
};
