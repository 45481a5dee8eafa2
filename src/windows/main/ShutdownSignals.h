#pragma once
// Turns SIGTERM and SIGINT into an ordinary Qt signal on the window thread, so that ending the
// session closes the main window the way "Exit" does and the settings and pan table are saved.

#include <QObject>

class QSocketNotifier;

namespace tamboro {

class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; only one instance may exist at a time.
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

    bool installed() const { return notifier_ != nullptr; }

signals:
    void shutdownRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tamboro
