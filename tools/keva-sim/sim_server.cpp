#include "keva-sim/sim_server.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>
#include <cstdio>
#include <utility>
#include <variant>

#include "keva-sim/message_writer.h"
#include "protocol/names.h"

SimServer::SimServer(StationDescription station, SimOptions options)
    : options_(std::move(options)), state_(std::move(station)) {
    for (const RotatorSetup& setup : state_.Description().rotators) {
        rotators_.emplace_back(setup);
    }
    clock_.start();
    motionTimer_.setInterval(TickMs);
    connect(&motionTimer_, &QTimer::timeout, this, &SimServer::OnMotionTick);
    momentaryTimer_.setSingleShot(true);
    connect(&momentaryTimer_, &QTimer::timeout, this, &SimServer::OnMomentaryTimer);
    connect(&server_, &QTcpServer::newConnection, this, &SimServer::OnNewConnection);
}

bool SimServer::Listen(std::string& error) {
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(options_.listenAddress))) {
        error = "--listen needs an IP address, not " + options_.listenAddress;
        return false;
    }
    if (!server_.listen(address, static_cast<quint16>(options_.port))) {
        error = "cannot listen on " + options_.listenAddress + " port " +
                std::to_string(options_.port) + ": " + server_.errorString().toStdString();
        return false;
    }
    return true;
}

std::string SimServer::ListeningText() const {
    const QHostAddress address = server_.serverAddress();
    std::string host = address.toString().toStdString();
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        host = "[" + host + "]";
    }
    return "keva-sim listening on " + host + ":" + std::to_string(server_.serverPort());
}

void SimServer::Log(const std::string& text) {
    if (options_.log) {
        std::fprintf(stderr, "keva-sim: %s\n", text.c_str());
        std::fflush(stderr);
    }
}

int64_t SimServer::NowMs() const {
    return clock_.elapsed();
}

void SimServer::OnNewConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto* session = new Session(socket, nextSessionId_++, options_, *this, this);
        sessions_.push_back(session);
        Log("connection " + std::to_string(session->Id()) + " from " +
            socket->peerAddress().toString().toStdString());
        session->Start();
    }
}

void SimServer::OnSessionEnded(Session& session) {
    Log("connection " + std::to_string(session.Id()) + " ended");
    sessions_.erase(std::remove(sessions_.begin(), sessions_.end(), &session), sessions_.end());
    session.deleteLater();
}

void SimServer::OnRequest(Session& session, const JsonNode* root) {
    const Request request = ReadRequest(root);
    Log("connection " + std::to_string(session.Id()) + ": " + DescribeRequest(request));
    std::visit([&](const auto& r) { Handle(session, r); }, request);
}

void SimServer::Handle(Session&, const IgnoredRequest&) {}

bool SimServer::ForThisStation(const StationRadio& target, const char* message) {
    if (target.station != state_.Description().station) {
        Log(std::string("ignored \"") + message + "\" for station " +
            std::to_string(target.station) + "; this is station " +
            std::to_string(state_.Description().station));
        return false;
    }
    if (!state_.HasRadio(target.radio)) {
        Log(std::string("ignored \"") + message + "\" for radio " + std::to_string(target.radio) +
            ", which no \"Hello\" has named");
        return false;
    }
    return true;
}

void SimServer::Handle(Session& session, const HelloRequest& request) {
    std::vector<int32_t> radios;
    for (const StationRadio& target : request.radios) {
        if (target.station != state_.Description().station) {
            Log("\"Hello\" for station " + std::to_string(target.station) +
                " ignored; this is station " + std::to_string(state_.Description().station));
        } else if (!state_.AddRadio(target.radio)) {
            Log("\"Hello\" for radio " + std::to_string(target.radio) +
                " ignored: too many radios");
        } else if (std::find(radios.begin(), radios.end(), target.radio) == radios.end()) {
            radios.push_back(target.radio);
        }
    }
    if (radios.empty()) {
        Log("connection " + std::to_string(session.Id()) +
            ": \"Hello\" names no radio of this station");
        return;
    }
    session.SetRadios(radios);
    const StationDescription& station = state_.Description();
    session.Send(MessageName::Server, ServerParameters(station));
    session.Send(MessageName::Configuration, ConfigurationParameters(station));
    session.Send(MessageName::Rotators, RotatorsParameters(station));
    for (const RotatorMotion& rotator : rotators_) {
        session.Send(MessageName::Rotation, RotationParameters(rotator.Report()));
    }
    for (int32_t radio : radios) {
        session.Send(MessageName::State, StateParameters(state_.View(radio)));
    }
}

void SimServer::Handle(Session&, const AntennaRequest& request) {
    if (!ForThisStation(request.target, "Antenna")) {
        return;
    }
    const std::vector<RadioView> before = Views();
    for (const AntennaSideRequest& side : request.sides) {
        const std::string refused =
            state_.RequestAntenna(request.target.radio, side.side, side.code, side.antenna);
        if (!refused.empty()) {
            Log("ignored \"Antenna\": " + refused);
        }
    }
    SendChangedStates(before, request.target.radio);
}

void SimServer::Handle(Session&, const FunctionRequest& request) {
    if (!ForThisStation(request.target, "Function")) {
        return;
    }
    const std::vector<RadioView> before = Views();
    const std::string refused =
        state_.RequestFunction(request.target.radio, request.function, request.state, NowMs());
    if (!refused.empty()) {
        Log("ignored \"Function\": " + refused);
    }
    SendChangedStates(before, request.target.radio);
    ScheduleMomentary();
}

void SimServer::Handle(Session&, const RadioRequest& request) {
    if (!ForThisStation(request.target, "Radio")) {
        return;
    }
    const std::vector<RadioView> before = Views();
    state_.RequestFrequency(request.target.radio, request.frequency);
    SendChangedStates(before, request.target.radio);
}

void SimServer::Handle(Session&, const DirectionRequest& request) {
    auto rotator = std::find_if(rotators_.begin(), rotators_.end(), [&](const RotatorMotion& r) {
        return r.Number() == request.rotator;
    });
    if (rotator == rotators_.end()) {
        Log("ignored \"Direction\" for rotator " + std::to_string(request.rotator) +
            ", which the station does not have");
        return;
    }
    if (request.stop) {
        if (!rotator->HasStop()) {
            Log("ignored \"Stop\" for rotator " + std::to_string(request.rotator) +
                ", which has none");
            return;
        }
        rotator->Stop();
        SendRotation(*rotator);
        return;
    }
    if (!rotator->TurnToward(request.bearing)) {
        SendRotation(*rotator);  // already there, or stopped where it was asked to be
        return;
    }
    if (!motionTimer_.isActive()) {
        lastTickMs_ = NowMs();
        motionTimer_.start();
    }
}

std::vector<RadioView> SimServer::Views() const {
    std::vector<RadioView> views;
    for (int32_t radio : state_.Radios()) {
        views.push_back(state_.View(radio));
    }
    return views;
}

void SimServer::SendChangedStates(const std::vector<RadioView>& before, int32_t asking) {
    const std::vector<int32_t> radios = state_.Radios();
    for (std::size_t i = 0; i < radios.size(); ++i) {
        if (radios[i] == asking || i >= before.size() || !(before[i] == state_.View(radios[i]))) {
            SendState(radios[i]);
        }
    }
}

void SimServer::SendState(int32_t radio) {
    const std::string parameters = StateParameters(state_.View(radio));
    for (Session* session : std::vector<Session*>(sessions_)) {
        if (session->Serves(radio)) {
            session->Send(MessageName::State, parameters);
        }
    }
}

void SimServer::SendRotation(const RotatorMotion& rotator) {
    const std::string parameters = RotationParameters(rotator.Report());
    for (Session* session : std::vector<Session*>(sessions_)) {
        if (session->Greeted()) {
            session->Send(MessageName::Rotation, parameters);
        }
    }
}

void SimServer::OnMotionTick() {
    const int64_t now = NowMs();
    const int64_t elapsed = now - lastTickMs_;
    lastTickMs_ = now;
    bool anyMoving = false;
    for (RotatorMotion& rotator : rotators_) {
        if (rotator.Moving()) {
            rotator.Advance(elapsed);
            SendRotation(rotator);
            anyMoving = anyMoving || rotator.Moving();
        }
    }
    if (!anyMoving) {
        motionTimer_.stop();
    }
}

void SimServer::ScheduleMomentary() {
    const std::optional<int64_t> deadline = state_.NextDeadline();
    if (!deadline) {
        momentaryTimer_.stop();
        return;
    }
    momentaryTimer_.start(static_cast<int>(std::clamp<int64_t>(*deadline - NowMs(), 0, 60'000)));
}

void SimServer::OnMomentaryTimer() {
    for (int32_t radio : state_.ExpireMomentary(NowMs())) {
        SendState(radio);
    }
    ScheduleMomentary();
}
