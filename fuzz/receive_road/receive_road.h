// One run of the whole receive road: bytes cut into socket reads, the real ReceivePath and
// JsonReader, DispatchServerMessage, and a real Station behind a view that checks every call.
//
// Input layout: byte 0 holds the re-entry switches (below), byte 1 the count k (mod 16) of the
// read sizes that follow, then k sizes (0 stands for a full 4096-byte read; no sizes: full
// reads throughout), then the stream itself. Reports go to a recording sink; with a switch set,
// every n-th report (n from the high nibble of byte 0, 0 meaning 1) does what a message box's
// nested event loop might do in the console:
//   bit 0  a reconnection: the console resets (rotators dropped, buttons hidden) and the
//          reader is discarded, the stream going on as a new connection;
//   bit 1  another "Configuration" is handled;
//   bit 2  another "State" is handled;
//   bit 3  one more socket read notification arrives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a run left behind, for tests that replay a stream.
struct RoadSummary {
    int documents = 0;                 // complete top-level objects dispatched
    std::vector<std::string> reports;  // every report, nested ones included
    std::size_t descriptions = 0;
    std::size_t rotators = 0;
    int shownGridButtons = 0;
};

// Returns the first breach of the road's invariants, or the empty text when there is none.
std::string RunReceiveRoad(const uint8_t* data, std::size_t size, RoadSummary* summary = nullptr);
