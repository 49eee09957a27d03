// The exact bytes of the client's "Hello", as the server must receive them.
#pragma once

#include <cstdint>
#include <string>

inline std::string HelloText(int32_t sequence, int32_t station, int32_t radio) {
    return R"({    "Message" : "Hello",    "Sequence" : )" + std::to_string(sequence) +
           R"(,    "Version": 1,    "Parameters" : {        "Protocol" : "KEVA",        )"
           R"("Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [)"
           R"(            {"Station" : )" +
           std::to_string(station) + R"(, "Radio" : )" + std::to_string(radio) +
           R"(}        ],        "Rows" : 5,        "Columns" : 3    }})";
}
