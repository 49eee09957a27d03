// keva-sim's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SimOptions {
    std::string listenAddress = "127.0.0.1";
    int32_t port = 12059;     // 0 lets the system choose
    std::string stationFile;  // empty: the example station built into keva-sim
    bool log = false;
    bool help = false;
    // Faults for tests, all off by default.
    int64_t chunkBytes = 0;               // > 0: write each message in pieces of this size
    std::optional<int64_t> closeAfter;    // close a connection after this many messages
    std::optional<int64_t> badByteAfter;  // send one byte 0x01 after this many messages
};

// `arguments` leaves out the program name. On failure returns false and sets `error` to one
// line.
bool ParseSimOptions(const std::vector<std::string>& arguments, SimOptions& options,
                     std::string& error);

std::string SimHelpText();
