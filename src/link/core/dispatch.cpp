#include "link/core/dispatch.h"

#include <optional>
#include <string>

#include "json/report.h"
#include "protocol/names.h"

namespace {

struct Envelope {
    std::optional<std::string> name;
    int32_t sequence = -1;
    int32_t version = 0;
    const JsonNode* parameters = nullptr;
};

// Reads the header members; the last occurrence of a member counts.
Envelope ReadEnvelope(const JsonNode& root, const Reporter& reporter) {
    Envelope envelope;
    for (const JsonNode* member = root.firstChild.get(); member != nullptr;
         member = member->next.get()) {
        if (member->kind != JsonKind::Label) {
            continue;
        }
        const JsonNode* value = ValueOf(member);
        if (TextEquals(member, MemberName::Message)) {
            envelope.name = value != nullptr ? value->text : std::nullopt;
            reporter.ReportMessage(2, "Found Message %s",
                                   envelope.name ? envelope.name->c_str() : "");
        } else if (TextEquals(member, MemberName::Sequence)) {
            envelope.sequence = IntValue(value);
            reporter.ReportMessage(2, "Sequence %d", envelope.sequence);
        } else if (TextEquals(member, MemberName::Version)) {
            envelope.version = IntValue(value);
            reporter.ReportMessage(2, "Version %d", envelope.version);
        } else if (TextEquals(member, MemberName::Parameters)) {
            envelope.parameters = value;
            reporter.ReportMessage(2, "Parameters");
        } else {
            reporter.ReportMessage(1, "Received message had unknown header item %s",
                                   member->text ? member->text->c_str() : "");
        }
    }
    return envelope;
}

// The sequence number that should follow `last`; wraps as two's complement.
int32_t Successor(int32_t last) {
    return static_cast<int32_t>(static_cast<uint32_t>(last) + 1u);
}

}  // namespace

void DispatchServerMessage(const MessageTable& table, const JsonNode* root,
                           int32_t& lastSequenceReceived, const Reporter& reporter) {
    if (root == nullptr || root->firstChild == nullptr) {
        reporter.ReportMessage(0, "Message is empty or unreadable");
        return;
    }
    const Envelope envelope = ReadEnvelope(*root, reporter);
    if (envelope.parameters == nullptr || !envelope.name || envelope.version == 0 ||
        envelope.sequence < 0) {
        reporter.ReportMessage(0, "Partial message received - header fields are missing");
        return;
    }
    if (*envelope.name == MessageName::Server) {
        lastSequenceReceived = envelope.sequence;
        return;
    }
    const int32_t expected = Successor(lastSequenceReceived);
    if (envelope.sequence != expected) {
        reporter.ReportMessage(0, "Got sequence number %d, expected %d", envelope.sequence,
                               expected);
    }
    lastSequenceReceived = envelope.sequence;
    for (const MessageRoute& route : table) {
        if (route.name == *envelope.name) {
            // A copy: the table may change while the handler waits in a message box.
            const auto handler = route.handler;
            if (handler) {
                handler(envelope.parameters);
            }
            return;
        }
    }
    reporter.ReportMessage(0, "Unknown message %s received from client", envelope.name->c_str());
}
