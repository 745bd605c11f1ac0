// The HTTP server of the network interface, on the window's event loop (Qt's HTTP
// server module, no threads of its own). It knows nothing of the routes: every
// request goes whole to its handler, and the handler's reply is sent as it is.
#pragma once

#include "remote_api/http_exchange.h"

#include <QAbstractHttpServer>

#include <functional>

namespace mlgui {

class RemoteApiServer final : public QAbstractHttpServer {
    Q_OBJECT
public:
    using Handler = std::function<mlc::HttpReply(const mlc::HttpRequest&)>;

    RemoteApiServer(Handler handler, QObject* parent);

    // Listens on address:port (port 0: a free one the system chooses); false with
    // the reason when it cannot.
    bool start(const QString& address, int port, QString& error);
    // The port it listens on, 0 when it does not.
    quint16 port() const;
    // Stops listening at once; connections already open are answered no more.
    void stop();

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    Handler handler_;
};

} // namespace mlgui
