#include "remote_api/remote_api_server.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QSignalBlocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace mlgui {

namespace {

// Qt's HTTP server keeps a request whole in memory, whatever its size, before it is
// handled. Past this much (a body far over the 64 KiB the interface takes), before
// any token is checked, the connection is cut instead.
constexpr qint64 kMaxRequestBytes = 1024 * 1024;
constexpr const char* kReceived = "remoteApiReceived"; // bytes since the last reply

// Listens like any QTcpServer, and counts what each connection sends.
class GuardedTcpServer final : public QTcpServer {
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        // Connected before the HTTP server's own slot, so it sees the data first.
        connect(socket, &QIODevice::readyRead, socket, [socket] {
            const qint64 received = socket->property(kReceived).toLongLong() + socket->bytesAvailable();
            socket->setProperty(kReceived, received);
            if (received > kMaxRequestBytes)
                socket->abort();
        });
        addPendingConnection(socket);
    }
};

std::string methodName(QHttpServerRequest::Method method) {
    using M = QHttpServerRequest::Method;
    switch (method) {
    case M::Get:
        return "GET";
    case M::Put:
        return "PUT";
    case M::Delete:
        return "DELETE";
    case M::Post:
        return "POST";
    case M::Head:
        return "HEAD";
    case M::Options:
        return "OPTIONS";
    case M::Patch:
        return "PATCH";
    case M::Connect:
        return "CONNECT";
    case M::Trace:
        return "TRACE";
    default:
        return "UNKNOWN";
    }
}

mlc::HttpRequest coreRequest(const QHttpServerRequest& request) {
    mlc::HttpRequest r;
    r.method = methodName(request.method());
    r.path = request.url().path().toStdString();
    r.query = request.url().query(QUrl::FullyEncoded).toStdString();
    for (const auto& [name, value] : request.headers())
        if (name.compare("Authorization", Qt::CaseInsensitive) == 0)
            r.authorization = value.toStdString();
    r.body = request.body().toStdString();
    return r;
}

void send(QHttpServerResponder& responder, const mlc::HttpReply& reply) {
    const QByteArray body = QByteArray::fromStdString(reply.body);
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(reply.status));
    responder.writeHeader("Content-Type", "application/json");
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    for (const auto& [name, value] : reply.headers)
        responder.writeHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    responder.writeBody(body);
}

} // namespace

RemoteApiServer::RemoteApiServer(Handler handler, QObject* parent)
    : QAbstractHttpServer(parent), handler_(std::move(handler)) {
    setObjectName(QStringLiteral("RemoteApiServer"));
}

bool RemoteApiServer::start(const QString& address, int port, QString& error) {
    const QHostAddress host(address);
    if (host.isNull() || port < 0 || port > 65535) {
        error = QStringLiteral("not an address and port to listen on");
        return false;
    }
    auto* server = new GuardedTcpServer(this);
    if (!server->listen(host, static_cast<quint16>(port))) {
        error = server->errorString();
        delete server;
        return false;
    }
    bind(server);
    return true;
}

quint16 RemoteApiServer::port() const {
    const QList<QTcpServer*> listening = servers();
    return listening.isEmpty() ? 0 : listening.first()->serverPort();
}

void RemoteApiServer::stop() {
    for (QTcpServer* server : servers())
        server->close();
}

bool RemoteApiServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    mlc::HttpReply reply;
    {
        // A command lets window events run while it talks to the units. Until it is
        // answered, the next request of the same connection is not read (the reply
        // would overtake this one) and a hang-up does not tear the connection down.
        const QSignalBlocker hold(socket);
        reply = handler_(coreRequest(request));
        QHttpServerResponder responder = makeResponder(request, socket);
        send(responder, reply);
        socket->setProperty(kReceived, 0);
    }
    // What arrived meanwhile is read, or the hang-up seen, once this call has returned.
    QTimer::singleShot(0, socket, [socket] {
        if (socket->state() != QAbstractSocket::ConnectedState)
            emit socket->disconnected();
        else if (socket->bytesAvailable() > 0)
            emit socket->readyRead();
    });
    return true;
}

void RemoteApiServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    QHttpServerResponder responder = makeResponder(request, socket);
    send(responder, mlc::HttpReply{404, R"({"error":"No such path"})"});
}

} // namespace mlgui
