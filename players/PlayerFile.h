// The player record SpielerTyp (2400 bytes, the whole content of a ".ply"/".plx" file),
// its entry types SituationTyp and AutomatTyp, and the reader and writer of player files.
// The struct maps the file byte for byte (little-endian, packed), so reserved bytes and
// string tails survive a read-change-write unchanged.
#pragma once

#include <QString>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>

// The player-file extensions as each writer spells them. Names are looked up without regard
// to letter case, so all name the same kind of file; the spelling shows in names on disk
// and in `Dateiname`.
namespace ext {
// A new player's store file, a copy in the current game, the masks "*.ply", group members.
inline constexpr char Ply[] = ".ply";
inline constexpr char PlyMask[] = "*.ply";
// `Dateiname` of new and automaton players; taken-over sibling and text players' files.
inline constexpr char PlyUpper[] = ".PLY";
// The change wizard's copy and its `Dateiname`.
inline constexpr char PlyMixed[] = ".Ply";
// Read-only players, in any letter case.
inline constexpr char Plx[] = ".plx";
} // namespace ext

#pragma pack(push, 1)

// A length-prefixed string of fixed capacity N in Windows-1252 (string[N]).
template <int N>
struct ShortStr {
    std::uint8_t len;
    char data[N];

    QString get() const;
    // Cut to the capacity; the bytes after the new length stay as they were.
    void set(const QString& text);
    // Compares the stored text with an ASCII text; a length byte beyond the capacity (a
    // damaged file) never matches.
    bool operator==(const char* ascii) const {
        return len <= N && std::strlen(ascii) == len && std::memcmp(data, ascii, len) == 0;
    }
};

// Situation order of both tables.
enum Situation : int {
    SitErsterTag = 0, // "1. Tag", the first move
    SitMDD,
    SitMDK,
    SitMKD,
    SitMKK,
    SitNDD,
    SitNDK,
    SitNKD,
    SitNKK,
    SitPDD,
    SitPDK,
    SitPKD,
    SitPKK,
    SituationCount
};

// Move codes.
enum : std::int32_t { MoveK = 0, MoveD = 1, MoveZ = 2, MoveEmpty = -1 };

struct SituationTyp {
    std::int32_t Anzahl;  // n: number of cases
    std::int32_t AnzahlK; // k: cases with K
    std::int32_t AnzahlD; // d: cases with D
};

struct AutomatTyp {
    std::int32_t Position; // move last played from this entry, 0..3; 0 = none yet
    std::int32_t Zug[3];   // moves 1..3 of the entry: 0 K, 1 D, 2 Z, -1 empty
    // The moves are counted from 1 (i = 1..3), as the automaton table numbers them.
    std::int32_t zug(int i) const { return Zug[i - 1]; }
    void setZug(int i, std::int32_t move) { Zug[i - 1] = move; }
};

struct SpielerTyp {
    std::int32_t Herkunft;                     //    0
    ShortStr<50> Dateiname;                    //    4
    ShortStr<50> Name;                         //   55
    ShortStr<1> Geschlecht;                    //  106
    ShortStr<3> Alter;                         //  108
    ShortStr<10> Nationalitaet;                //  112
    std::uint8_t IstAutomat;                   //  123
    SituationTyp Situationen[SituationCount];  //  124
    AutomatTyp Automat[SituationCount];        //  280
    ShortStr<255> Motto;                       //  488
    ShortStr<4> IstFriedlich;                  //  744
    ShortStr<4> GreiftNichtAn;                 //  749
    ShortStr<4> VerteidigtSicher;              //  754
    ShortStr<4> NeigtZumAngreifen;             //  759
    ShortStr<4> NeigtZumAusbeuten;             //  764
    ShortStr<4> NeigtZuUeberreaktionen;        //  769
    ShortStr<50> Bilddatei;                    //  774
    std::uint8_t reserved1[3];                 //  825
    std::int32_t Spielertyp;                   //  828
    std::int32_t ErgebnisGegenK;               //  832
    std::int32_t ErgebnisNachEntgegenkommen;   //  836
    std::int32_t ErgebnisGegenD;               //  840
    std::int32_t Friedfertigkeit;              //  844
    std::uint8_t reserved2[8];                 //  848
    ShortStr<255> IstKonsensorientiert;        //  856
    ShortStr<255> Beruf;                       // 1112
    ShortStr<255> GeschaeftsmaessigAusbeutbar; // 1368
    std::uint8_t reserved3[768];               // 1624
    std::uint8_t MasseGueltig;                 // 2392
    std::uint8_t reserved4[7];                 // 2393
};

#pragma pack(pop)

static_assert(std::endian::native == std::endian::little,
              "player files hold little-endian integers; this build maps them directly");
static_assert(sizeof(SpielerTyp) == 2400, "SpielerTyp must be 2400 bytes");
static_assert(sizeof(AutomatTyp) == 16, "AutomatTyp must be 16 bytes");
static_assert(sizeof(SituationTyp) == 12, "SituationTyp must be 12 bytes");
static_assert(offsetof(SpielerTyp, Dateiname) == 4);
static_assert(offsetof(SpielerTyp, Name) == 55);
static_assert(offsetof(SpielerTyp, Geschlecht) == 106);
static_assert(offsetof(SpielerTyp, Alter) == 108);
static_assert(offsetof(SpielerTyp, Nationalitaet) == 112);
static_assert(offsetof(SpielerTyp, IstAutomat) == 123);
static_assert(offsetof(SpielerTyp, Situationen) == 124);
static_assert(offsetof(SpielerTyp, Automat) == 280);
static_assert(offsetof(SpielerTyp, Motto) == 488);
static_assert(offsetof(SpielerTyp, IstFriedlich) == 744);
static_assert(offsetof(SpielerTyp, GreiftNichtAn) == 749);
static_assert(offsetof(SpielerTyp, VerteidigtSicher) == 754);
static_assert(offsetof(SpielerTyp, NeigtZumAngreifen) == 759);
static_assert(offsetof(SpielerTyp, NeigtZumAusbeuten) == 764);
static_assert(offsetof(SpielerTyp, NeigtZuUeberreaktionen) == 769);
static_assert(offsetof(SpielerTyp, Bilddatei) == 774);
static_assert(offsetof(SpielerTyp, reserved1) == 825);
static_assert(offsetof(SpielerTyp, Spielertyp) == 828);
static_assert(offsetof(SpielerTyp, ErgebnisGegenK) == 832);
static_assert(offsetof(SpielerTyp, ErgebnisNachEntgegenkommen) == 836);
static_assert(offsetof(SpielerTyp, ErgebnisGegenD) == 840);
static_assert(offsetof(SpielerTyp, Friedfertigkeit) == 844);
static_assert(offsetof(SpielerTyp, reserved2) == 848);
static_assert(offsetof(SpielerTyp, IstKonsensorientiert) == 856);
static_assert(offsetof(SpielerTyp, Beruf) == 1112);
static_assert(offsetof(SpielerTyp, GeschaeftsmaessigAusbeutbar) == 1368);
static_assert(offsetof(SpielerTyp, reserved3) == 1624);
static_assert(offsetof(SpielerTyp, MasseGueltig) == 2392);
static_assert(offsetof(SpielerTyp, reserved4) == 2393);

// A record with every byte zero, as writers that build a new player start from.
SpielerTyp zeroedPlayer();

// Reads the first 2400 bytes of a player file. Throws WendrakError with a German message
// naming the file when it is missing, unreadable or shorter than a record.
SpielerTyp readPlayerFile(const QString& path);
// Writes the record as the whole file (replaced through a temporary file). Throws
// WendrakError naming the file when it cannot be written.
void writePlayerFile(const QString& path, const SpielerTyp& player);
// Reads the record, lets change alter it in memory and writes it back only when it changed,
// so a file that several steps change is read and written once. Returns the record as it
// now stands; throws as the reader and the writer do.
SpielerTyp updatePlayerFile(const QString& path, const std::function<void(SpielerTyp&)>& change);

// The installation's player store, "SpielerStamm/" in the program folder (ends with "/").
QString playerStoreFolder();

// Situation codes in table order ("1. Tag", "MDD", ..., "PKK").
const char* situationCode(int index);
