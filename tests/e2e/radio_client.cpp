#include "e2e/radio_client.h"

#include "protocol/protocol_text.h"

namespace {

constexpr int Patience = 20000;  // ms

const JsonNode* Member(const JsonNode* object, std::string_view name) {
    if (object == nullptr || object->kind != JsonKind::Object) {
        return nullptr;
    }
    for (const JsonNode* label = object->firstChild.get(); label; label = label->next.get()) {
        if (TextEquals(label, name)) {
            return ValueOf(label);
        }
    }
    return nullptr;
}

}  // namespace

RadioClient::RadioClient(int32_t station, int32_t radio)
    : station_(station), radio_(radio), reader_([this](const JsonNode* root) { OnMessage(root); }) {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { OnReadyRead(); });
}

bool RadioClient::Connect(quint16 port) {
    socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket_.waitForConnected(Patience)) {
        return false;
    }
    Send(HelloText(++sequence_, station_, radio_));
    return true;
}

void RadioClient::SendRadio(int32_t frequencyKhz) {
    Send(RadioText(++sequence_, station_, radio_, frequencyKhz));
}

void RadioClient::SendAntenna(int32_t txCode, int32_t antenna, int32_t rxCode) {
    Send(AntennaText(++sequence_, station_, radio_, txCode, antenna, rxCode));
}

RadioClient::Sides RadioClient::Antenna(int32_t antenna) const {
    const auto found = antennas_.find(antenna);
    return found == antennas_.end() ? Sides{} : found->second;
}

void RadioClient::Send(const std::string& text) {
    socket_.write(text.data(), static_cast<qint64>(text.size()));
    socket_.flush();
}

void RadioClient::OnReadyRead() {
    const QByteArray bytes = socket_.readAll();
    reader_.Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void RadioClient::OnMessage(const JsonNode* root) {
    if (!TextEquals(Member(root, "Message"), "State")) {
        return;
    }
    ++states_;
    const JsonNode* list = Member(Member(root, "Parameters"), "Antennas");
    if (list == nullptr) {
        return;
    }
    for (const JsonNode* entry = list->firstChild.get(); entry; entry = entry->next.get()) {
        antennas_[IntValue(Member(entry, "Antenna"))] = {IntValue(Member(entry, "TX")),
                                                         IntValue(Member(entry, "RX"))};
    }
}
