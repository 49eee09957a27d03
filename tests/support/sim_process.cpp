#include "support/sim_process.h"

#include <sys/prctl.h>

#include <csignal>
#include <string_view>

namespace {

constexpr int Patience = 20000;  // ms
constexpr std::string_view ListeningPrefix = "keva-sim listening on 127.0.0.1:";

}  // namespace

SimProcess::~SimProcess() {
    Kill();
}

bool SimProcess::Start(const QStringList& options, quint16 port, std::string& error) {
    Kill();
    log_.clear();
    port_ = 0;
    process_ = std::make_unique<QProcess>();
    // Ends with the test program, even one that aborts.
    process_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_->start(QStringLiteral(KEVA_SIM_PATH),
                    QStringList{"--port", QString::number(port), "--station",
                                QStringLiteral(KEVA_STATION_FILE), "--log"} +
                        options);
    bool waiting = process_->waitForStarted(Patience);
    while (waiting && !process_->canReadLine()) {
        waiting = process_->waitForReadyRead(Patience);
    }
    const std::string line = process_->readLine().trimmed().toStdString();
    if (line.rfind(ListeningPrefix, 0) != 0) {
        error = "keva-sim said \"" + line + "\", then: " + process_->errorString().toStdString() +
                " " + process_->readAllStandardError().toStdString();
        return false;
    }
    port_ = static_cast<quint16>(std::stoi(line.substr(ListeningPrefix.size())));
    process_->setReadChannel(QProcess::StandardError);
    return true;
}

void SimProcess::Kill() {
    if (process_ == nullptr) {
        return;
    }
    log();
    process_->kill();
    process_->waitForFinished(Patience);
    process_.reset();
}

const std::string& SimProcess::log() {
    if (process_ != nullptr) {
        // Reads without the event loop: an answered request is then surely in the log.
        while (process_->waitForReadyRead(0)) {
        }
        log_ += process_->readAllStandardError().toStdString();
    }
    return log_;
}

int SimProcess::CountLogged(const std::string& text) {
    const std::string& all = log();
    int count = 0;
    for (std::size_t at = all.find(text); at != std::string::npos;
         at = all.find(text, at + text.size())) {
        ++count;
    }
    return count;
}
