// keva-sim as a child process on a loopback port, with its request log (--log) at hand.
//
// Starting and killing block without running the event loop, on purpose: while they run, the
// console in this process notices nothing, so a simulator killed and started again on the
// same port looks to the console like one lost connection that a new server answers.
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

    // Starts keva-sim with the example station, --log and `options` on `port` (0: one the
    // system picks) and waits for its "listening" line. On failure returns false and sets
    // `error` to what went wrong, with the simulator's own words.
    bool Start(const QStringList& options, quint16 port, std::string& error);
    // SIGKILL, then waits for the end.
    void Kill();

    quint16 port() const { return port_; }
    // How often the current simulator logged `text` since it started (reads what is pending).
    int CountLogged(const std::string& text);
    // Everything the current simulator logged so far.
    const std::string& log();

private:
    std::unique_ptr<QProcess> process_;
    std::string log_;
    quint16 port_ = 0;
};
