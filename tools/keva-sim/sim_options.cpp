#include "keva-sim/sim_options.h"

#include <cstddef>

namespace {

// Decimal digits only, within [lo, hi]; never overflows.
bool WholeNumber(const std::string& text, int64_t lo, int64_t hi, int64_t& out) {
    if (text.empty() || text.size() > 12) {
        return false;
    }
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    if (value < lo || value > hi) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& arguments, SimOptions& options,
                     std::string& error) {
    constexpr int64_t Many = 1'000'000'000;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option == "--log") {
            options.log = true;
            continue;
        }
        if (option != "--listen" && option != "--port" && option != "--station" &&
            option != "--chunk" && option != "--close-after" && option != "--bad-byte-after") {
            error = "unknown option " + option + " (see --help)";
            return false;
        }
        if (i + 1 == arguments.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        int64_t number = 0;
        if (option == "--listen") {
            options.listenAddress = value;
        } else if (option == "--station") {
            options.stationFile = value;
        } else if (option == "--port") {
            if (!WholeNumber(value, 0, 65535, number)) {
                error = "--port needs a number from 0 to 65535, not " + value;
                return false;
            }
            options.port = static_cast<int32_t>(number);
        } else if (!WholeNumber(value, option == "--chunk" ? 1 : 0, Many, number)) {
            error = option + " needs a number from " + (option == "--chunk" ? "1" : "0") +
                    " to 1000000000, not " + value;
            return false;
        } else if (option == "--chunk") {
            options.chunkBytes = number;
        } else if (option == "--close-after") {
            options.closeAfter = number;
        } else {
            options.badByteAfter = number;
        }
    }
    return true;
}

std::string SimHelpText() {
    return "Usage: keva-sim [options]\n"
           "A station simulator: a KEVA antenna-switching server for trying and testing the\n"
           "console. It serves any number of consoles at once, each naming its station and\n"
           "radio in its \"Hello\".\n"
           "\n"
           "  --listen ADDR        listen on this address (default 127.0.0.1, loopback only)\n"
           "  --port N             listen on this TCP port (default 12059; 0 picks a free one)\n"
           "  --station FILE       the station file, JSON (default: the example station built\n"
           "                       into keva-sim, the same as examples/station.json)\n"
           "  --log                log every request, and every one ignored and why, to stderr\n"
           "  -h, --help           show this text and exit\n"
           "\n"
           "Faults for tests (all off by default):\n"
           "  --chunk N            write every message in pieces of N bytes, each piece a\n"
           "                       separate, flushed write\n"
           "  --close-after N      close each connection after sending it N messages\n"
           "  --bad-byte-after N   send each connection one byte 0x01 (not valid JSON) after\n"
           "                       N messages\n"
           "\n"
           "On start keva-sim prints \"keva-sim listening on ADDRESS:PORT\" on standard output.\n"
           "A bad option or station file gives one line on standard error and exit status 2.\n";
}
