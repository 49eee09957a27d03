// keva-sim: a station simulator, a KEVA antenna-switching server on loopback for trying and
// testing the console. See --help.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <string>
#include <vector>

#include "json/report.h"
#include "keva-sim/sim_options.h"
#include "keva-sim/sim_server.h"
#include "keva-sim/station_file.h"

namespace {

constexpr int BadUsage = 2;

int Fail(int status, const std::string& line) {
    std::fprintf(stderr, "keva-sim: %s\n", line.c_str());
    return status;
}

// The example station is built in, so keva-sim runs from anywhere without a file.
bool LoadBuiltInStation(StationDescription& station, std::string& error) {
    QFile file(QStringLiteral(":/keva-sim/station.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "the built-in station is missing";
        return false;
    }
    const QByteArray text = file.readAll();
    if (!ParseStation(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                      station, error)) {
        error = "built-in station: " + error;
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    std::vector<std::string> arguments(argv + 1, argv + argc);
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(arguments, options, error)) {
        return Fail(BadUsage, error);
    }
    if (options.help) {
        std::fputs(SimHelpText().c_str(), stdout);
        return 0;
    }

    StationDescription station;
    const bool loaded = options.stationFile.empty()
                            ? LoadBuiltInStation(station, error)
                            : LoadStationFile(options.stationFile, station, error);
    if (!loaded) {
        return Fail(BadUsage, error);
    }

    SimServer server(std::move(station), options);
    if (!server.Listen(error)) {
        const bool badAddress = error.rfind("--listen", 0) == 0;
        return Fail(badAddress ? BadUsage : 1, error);
    }
    std::printf("%s\n", server.ListeningText().c_str());
    std::fflush(stdout);
    return QCoreApplication::exec();
}
