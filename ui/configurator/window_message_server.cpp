#include "ui/configurator/window_message_server.h"

#include <QLocalSocket>

#include "platform/window_sockets.h"

namespace ui {

WindowMessageServer::WindowMessageServer(const QString& window_class,
                                         std::function<void(int)> handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
  const QString path =
      QString::fromStdString(platform::WindowSocketPath(window_class.toStdString()).string());
  QLocalServer::removeServer(path);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(path);
  connect(&server_, &QLocalServer::newConnection, this, &WindowMessageServer::Accept);
}

WindowMessageServer::~WindowMessageServer() {
  const QString path = server_.fullServerName();
  server_.close();
  if (!path.isEmpty()) QLocalServer::removeServer(path);
}

void WindowMessageServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    // A sender may write its line and hang up at once: what arrived is read either way.
    const auto drain = [this, socket] {
      while (socket->canReadLine()) {
        bool ok = false;
        const int message = socket->readLine().trimmed().toInt(&ok);
        if (ok) handler_(message);
      }
    };
    connect(socket, &QLocalSocket::readyRead, this, drain);
    connect(socket, &QLocalSocket::disconnected, this, [socket, drain] {
      drain();
      socket->deleteLater();
    });
  }
}

}  // namespace ui
