// The console's "Hello" as a server must receive it, written out byte for byte.
#pragma once

#include <string>

// Sequence 1, station 1, radio 1.
inline const std::string FirstHello =
    R"({    "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {        "Protocol" : "KEVA",        "Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [            {"Station" : 1, "Radio" : 1}        ],        "Rows" : 5,        "Columns" : 3    }})";

// FirstHello with other numbers put in place of its three 1s.
inline std::string HelloBytes(int sequence, int station, int radio) {
    std::string text = FirstHello;
    const auto put = [&text](const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
    };
    put(R"("Sequence" : 1,)", R"("Sequence" : )" + std::to_string(sequence) + ",");
    put(R"({"Station" : 1, "Radio" : 1})", R"({"Station" : )" + std::to_string(station) +
                                               R"(, "Radio" : )" + std::to_string(radio) + "}");
    return text;
}
