// The station on the network: accepts consoles, answers their requests by the station's rules
// and keeps every console concerned up to date.
//
// - "Hello": "Server" (so the console's sequence check starts afresh), "Configuration",
//   "Rotators", one "Rotation" per rotator, then one "State" per radio it named.
// - "Antenna", "Function", "Radio": applied by StationState; every radio whose state changed,
//   and always the one asking, gets a "State" on each connection that named it.
// - "Direction": the rotator turns; every greeted connection gets a "Rotation" each tick while
//   it moves and one when it stops.
// - Anything else is logged (with --log) and ignored.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <cstdint>
#include <string>
#include <vector>

#include "keva-sim/request_reader.h"
#include "keva-sim/rotator_motion.h"
#include "keva-sim/session.h"
#include "keva-sim/sim_options.h"
#include "keva-sim/station_state.h"

class SimServer : public QObject, public SessionHost {
    Q_OBJECT

public:
    static constexpr int TickMs = 100;  // "Rotation" ten times a second while turning

    SimServer(StationDescription station, SimOptions options);

    // On failure sets `error` to one line.
    bool Listen(std::string& error);
    // "keva-sim listening on 127.0.0.1:12059", with the address and port in use.
    std::string ListeningText() const;

    void OnRequest(Session& session, const JsonNode* root) override;
    void OnSessionEnded(Session& session) override;
    void Log(const std::string& text) override;

private:
    void OnNewConnection();
    void Handle(Session& session, const IgnoredRequest& request);
    void Handle(Session& session, const HelloRequest& request);
    void Handle(Session& session, const AntennaRequest& request);
    void Handle(Session& session, const FunctionRequest& request);
    void Handle(Session& session, const RadioRequest& request);
    void Handle(Session& session, const DirectionRequest& request);

    // False (and logged) when the request names another station or an unknown radio.
    bool ForThisStation(const StationRadio& target, const char* message);
    // Sends "State" to the radios whose view differs from `before`, and to `asking`.
    void SendChangedStates(const std::vector<RadioView>& before, int32_t asking);
    std::vector<RadioView> Views() const;
    void SendState(int32_t radio);
    void SendRotation(const RotatorMotion& rotator);

    void OnMotionTick();
    void ScheduleMomentary();
    void OnMomentaryTimer();
    int64_t NowMs() const;

    SimOptions options_;
    StationState state_;
    std::vector<RotatorMotion> rotators_;
    QTcpServer server_;
    std::vector<Session*> sessions_;  // children of this object
    int nextSessionId_ = 1;
    QElapsedTimer clock_;
    QTimer motionTimer_;
    int64_t lastTickMs_ = 0;
    QTimer momentaryTimer_;
};
