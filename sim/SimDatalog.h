#pragma once
// One stored measurement of the simulated instrument's datalog, and the two
// texts that carry it (docs/protocol.md): the "S1" reply and the line of a
// stored datalog file.

#include <QByteArray>
#include <QJsonObject>
#include <array>
#include <cstdint>

struct SimDatalogRecord {
    QByteArray product;   // 8-bit text, may hold any byte but CR and LF
    QByteArray sampleId;  // 8-bit text
    int setup = 0;        // 0-based setup number
    int standardType = 0;
    int viewType = 0;     // the display type of the view the reading was shown in
    int run = 0;          // sequence A: the run (a standard reading starts one)
    int sequence = 0;     // sequence B: the reading's number within its run
    bool standard = false;
    int32_t time = 0;     // seconds since 1970, the instrument's local time
    int illObs = 0;
    int view = 0;         // 0-based view number of the setup
    int scale = 0;
    int index = 0;        // datalog numbering: indices 0..12, differences 21..29
    int flags = 0;        // bit 0 scale difference, bit 1 index out of tolerance
    int readMode = 0;     // 0 time, 1 piece
    bool height = false;  // true: the reading is a height, false a distance
    bool millimetres = false;
    float reading = 0;    // height or distance in the unit above
    std::array<float, 31> spectrum{};
    std::array<float, 6> scaleData{};    // sample's three values, then the standard's
    std::array<float, 6> tristimulus{};  // sample X Y Z, then standard X Y Z
    std::array<float, 2> indexData{};
    std::array<float, 2> indexTolerances{};  // + and - of the setup
    float colourDifference = 0;              // dE*ab sample against standard
    float temperature = 0;                   // instrument temperature, degrees C
};

// The "S1" reply's fields (without the reply code "s"), log index first.
QByteArray EncodeDatalogReplyFields(const SimDatalogRecord& record, int logIndex);
// A line of a stored datalog file: "L" and the stored layout.
QByteArray EncodeStoredDatalogLine(const SimDatalogRecord& record, int logIndex);

QJsonObject DatalogRecordToJson(const SimDatalogRecord& record);
// Raises AppError (InvalidArgument) for a record that lacks a field or holds
// a value its field cannot carry.
SimDatalogRecord DatalogRecordFromJson(const QJsonObject& object);
