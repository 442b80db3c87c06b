#include "SetupTestSupport.h"

#include <algorithm>

QByteArray Hex2(int value) { return QByteArray::number(value, 16).toUpper().rightJustified(2, '0'); }
QByteArray Hex4(int value) { return QByteArray::number(value, 16).toUpper().rightJustified(4, '0'); }

QByteArray RecordHead(int seed, float base, float minHeight, float maxHeight)
{
    FieldText t;
    t.str("SETUP " + QByteArray::number(seed))
        .i16(seed % 4)
        .flag(seed % 2 == 1)
        .byte(seed % 2)
        .i16(seed * 3)
        .single(base)
        .single(minHeight)
        .single(maxHeight)
        .flag(seed % 3 == 0)
        .single(1.25f + static_cast<float>(seed))
        .single(-0.5f - static_cast<float>(seed))
        .singles(31, 10.0f + static_cast<float>(seed), 0.5f)
        .singles(18, 100.0f + static_cast<float>(seed), 0.25f)
        .single(0.75f)
        .single(-0.25f);
    return t.text();
}

QByteArray SampleRecord(int seed)
{
    FieldText views;
    views.byte(8);
    for (int v = 0; v < 8; ++v)
        views.view(v, v % 2 == 0, (seed + v) % 7, (seed + v) % 18, (seed + v) % 7, (seed + v) % 22, v, 0.5f * v,
                   -0.125f * static_cast<float>(seed));
    const float base = static_cast<float>(100 + seed);
    return RecordHead(seed, base, 10.0f + static_cast<float>(seed % 50), 60.0f) + views.text();
}

FakeSetupInstrument::FakeSetupInstrument()
{
    for (int i = 0; i < 250; ++i) records.push_back(SampleRecord(i));
}

QByteArray FakeSetupInstrument::Execute(const QByteArray& command)
{
    commands.push_back(command);
    if (beforeReply) beforeReply(static_cast<int>(commands.size()));
    bool ok = false;
    if (command.startsWith("P1") && command.size() == 6) {
        const int index = command.mid(2, 4).toInt(&ok, 16);
        if (ok && index < 250) return ReadReply(index);
    } else if (command.startsWith("P0") && command.size() > 6) {
        const int index = command.mid(2, 4).toInt(&ok, 16);
        if (ok && index < 250) {
            records[index] = command.mid(6);
            return "p" + Hex4(index);
        }
    } else if (command.startsWith("P2") && command.size() > 4) {
        const int index = command.mid(2, 2).toInt(&ok, 16);
        if (ok && index < 250) {
            if (std::find(refuseWriteOf.begin(), refuseWriteOf.end(), index) != refuseWriteOf.end()) return "?07";
            records[index] = command.mid(4);
            return "p" + Hex4(index);
        }
    }
    return "?01";
}
