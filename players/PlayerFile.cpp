#include "players/PlayerFile.h"

#include "platform/Ansi.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"

#include <algorithm>

template <int N>
QString ShortStr<N>::get() const {
    return platform::fromAnsi(data, std::min<int>(len, N));
}

template <int N>
void ShortStr<N>::set(const QString& text) {
    const QByteArray bytes = platform::toAnsi(text).left(N);
    len = static_cast<std::uint8_t>(bytes.size());
    std::memcpy(data, bytes.constData(), static_cast<size_t>(bytes.size()));
}

template struct ShortStr<1>;
template struct ShortStr<3>;
template struct ShortStr<4>;
template struct ShortStr<10>;
template struct ShortStr<50>;
template struct ShortStr<255>;

SpielerTyp zeroedPlayer() {
    SpielerTyp p;
    std::memset(&p, 0, sizeof p);
    return p;
}

SpielerTyp readPlayerFile(const QString& path) {
    const QByteArray bytes = platform::readRecordFile(path, sizeof(SpielerTyp));
    SpielerTyp p;
    std::memcpy(&p, bytes.constData(), sizeof p);
    return p;
}

void writePlayerFile(const QString& path, const SpielerTyp& player) {
    platform::writeFileBytes(path,
                             QByteArray(reinterpret_cast<const char*>(&player), sizeof player));
}

SpielerTyp updatePlayerFile(const QString& path, const std::function<void(SpielerTyp&)>& change) {
    SpielerTyp player = readPlayerFile(path);
    const SpielerTyp before = player;
    change(player);
    if (std::memcmp(&before, &player, sizeof player) != 0)
        writePlayerFile(path, player);
    return player;
}

const char* situationCode(int index) {
    static const char* const codes[SituationCount] = {"1. Tag", "MDD", "MDK", "MKD", "MKK",
                                                      "NDD",    "NDK", "NKD", "NKK", "PDD",
                                                      "PDK",    "PKD", "PKK"};
    return (index >= 0 && index < SituationCount) ? codes[index] : "";
}

QString playerStoreFolder() {
    return platform::programFolder() + QStringLiteral("SpielerStamm/");
}
