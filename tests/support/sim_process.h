// keva-sim as a child process on a loopback port, with its request log (--log) at hand. Start
// and Kill block without the event loop, so a restart on the same port is one lost connection.
#pragma once

#include <QProcess>
#include <QStringList>
#include <memory>
#include <string>

class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts it on the example station with `options` on `port` (0: any) and waits for its
    // "listening" line; on failure sets `error`.
    bool Start(const QStringList& options, quint16 port, std::string& error);
    void Kill();

    quint16 port() const { return port_; }
    // How often the current simulator logged `text`.
    int CountLogged(const std::string& text);
    const std::string& log();

private:
    std::unique_ptr<QProcess> process_;
    std::string log_;
    quint16 port_ = 0;
};
