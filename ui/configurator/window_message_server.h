// The private messages another copy of the program may send to the main window, received on the
// window's local socket (see platform/window_sockets.h): each line holds one message number.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <functional>

namespace ui {

class WindowMessageServer : public QObject {
  Q_OBJECT

 public:
  // Listens for windows of `window_class` of this process.
  WindowMessageServer(const QString& window_class, std::function<void(int)> handler,
                      QObject* parent);
  ~WindowMessageServer() override;
  bool listening() const { return server_.isListening(); }
  QString path() const { return server_.fullServerName(); }

 private:
  void Accept();

  QLocalServer server_;
  std::function<void(int)> handler_;
};

}  // namespace ui
