#pragma once
// A product setup as the simulated instrument keeps it, and the setup record
// that carries it on the link (docs/protocol.md, "Setup record"):
//
//   String name, Int standard type, Bool searchable, Byte read mode,
//   Int report interval, Single base distance, Single base - max distance,
//   Single base - min distance, Bool height trigger, Single slope,
//   Single offset, 31 Single spectrum, 3 Single target, 3 Single read,
//   3 Single tracking +, 3 Single tracking -, 3 Single scale tolerance +,
//   3 Single scale tolerance -, Single index tolerance +,
//   Single index tolerance -, Byte n, then n view entries of
//   Byte view index, Bool enabled, Int display type, Int ill/obs,
//   Int colour scale, Int colour index, Byte shade blocks, Single CF, Single lc
//
// The instrument stores the record text exactly as it was written and returns
// it unchanged; it only checks that the text follows this layout to its end.

#include <QByteArray>
#include <array>
#include <optional>
#include <vector>

struct SimView {
    int index = 0;  // 0..7 on a well-formed record
    bool enabled = false;
    int displayType = 0;
    int illObs = 0;
    int scale = 0;
    int colourIndex = 0;  // the setup's numbering: differences at 13..21
    int shadeBlocks = 0;
    float cf = 0;
    float lc = 0;
};

struct SimSetup {
    QByteArray name;  // empty: the slot holds no product
    int standardType = 0;
    bool searchable = false;
    int readMode = 0;  // 0 time, 1 piece
    int reportInterval = 0;
    float baseDistance = 0;
    float baseMinusMax = 0;  // base distance - maximum distance
    float baseMinusMin = 0;  // base distance - minimum distance
    bool heightTrigger = false;
    float slope = 0;
    float offset = 0;
    std::array<float, 31> spectrum{};  // the standard's spectrum
    std::array<float, 3> target{};
    std::array<float, 3> read{};
    std::array<float, 3> trackPlus{};
    std::array<float, 3> trackMinus{};
    std::array<float, 3> scalePlus{};
    std::array<float, 3> scaleMinus{};
    float indexPlus = 0;
    float indexMinus = 0;
    std::vector<SimView> views;

    bool isEmpty() const { return name.isEmpty(); }
    // The entry for view number index (0..7), if the record holds one.
    const SimView* view(int index) const;
    float minDistance() const { return baseDistance - baseMinusMin; }
    float maxDistance() const { return baseDistance - baseMinusMax; }
};

// A slot that holds no product: empty name, zeros, eight view entries 0..7
// with only the first enabled.
SimSetup BlankSetup();

// The record as field text (upper-case hex, no command code).
QByteArray EncodeSetupRecord(const SimSetup& setup);

// Walks the record layout; nothing when the text is not exactly one record
// (a field missing or malformed, or text left after the last view entry).
std::optional<SimSetup> ParseSetupRecord(const QByteArray& text);
