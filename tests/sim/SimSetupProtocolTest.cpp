// Product setups on the simulated instrument: reading, writing, the record
// check and the content the instrument starts with.
#include "SimTestSupport.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace simtest;

namespace {

// A setup record built field by field from the documented layout.
QByteArray handRecord(const QByteArray& name, int viewCount = 8, int firstViewIndex = 0)
{
    FieldCodec c;
    c.BeginCommand({});
    c.AppendString(name);
    c.AppendInt(2);       // standard type
    c.AppendBool(true);   // searchable
    c.AppendByte(1);      // read mode
    c.AppendInt(15);      // report interval
    c.AppendSingle(60);   // base distance 60, maximum 50, minimum 20
    c.AppendSingle(10);
    c.AppendSingle(40);
    c.AppendBool(false);  // height trigger
    c.AppendSingle(1.0f);
    c.AppendSingle(0.0f);
    for (int i = 0; i < 31; ++i) c.AppendSingle(10.0f + i);
    for (int i = 0; i < 18; ++i) c.AppendSingle(0.5f * i);
    c.AppendSingle(1.0f);
    c.AppendSingle(-1.0f);
    c.AppendByte(viewCount);
    for (int v = 0; v < viewCount; ++v) {
        c.AppendByte(firstViewIndex + v);
        c.AppendBool(v < 2);
        c.AppendInt(v % 7);
        c.AppendInt(13);
        c.AppendInt(1);
        c.AppendInt(15);
        c.AppendByte(3);
        c.AppendSingle(1.0f);
        c.AppendSingle(2.0f);
    }
    return c.GetText();
}

QByteArray write(SimInstrument& instrument, int index, const QByteArray& record)
{
    return reply(instrument, command("P0", index) + record);
}

}  // namespace

TEST(SimSetups, WrittenSetupReadsBackByteForByte)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 0));
    const QByteArray record = handRecord("TEST PANEL 7");

    EXPECT_EQ(write(instrument, 10, record), "p000A");
    EXPECT_EQ(reply(instrument, command("P1", 10)), "P20A" + record);
    EXPECT_EQ(instrument.SetupRecord(10), record);
    EXPECT_EQ(instrument.Setup(10).name, "TEST PANEL 7");
    EXPECT_FLOAT_EQ(instrument.Setup(10).maxDistance(), 50.0f);
    EXPECT_FLOAT_EQ(instrument.Setup(10).minDistance(), 20.0f);

    // The last setup; records that the utility's decoder must cope with are
    // stored as they are: no view entries, an entry for view index 8.
    EXPECT_EQ(write(instrument, 249, handRecord("", 0)), "p00F9");
    EXPECT_EQ(reply(instrument, command("P1", 249)), "P2F9" + handRecord("", 0));
    EXPECT_EQ(write(instrument, 3, handRecord("ODD VIEWS", 2, 7)), "p0003");
    EXPECT_EQ(reply(instrument, command("P1", 3)), "P203" + handRecord("ODD VIEWS", 2, 7));

    // A restore sends back what "P1" gave: "P2", the index as a Byte, the record.
    const QByteArray archived = reply(instrument, command("P1", 10));
    EXPECT_EQ(reply(instrument, "P20B" + archived.mid(4)), "p000B");
    EXPECT_EQ(reply(instrument, command("P1", 11)), "P20B" + record);
    EXPECT_EQ(reply(instrument, archived), "p000A");
    FieldCodec codec;
    codec.SetText(reply(instrument, archived));
    EXPECT_EQ(codec.ReadWord(), 10);
}

TEST(SimSetups, MalformedRecordIsRefusedAndNothingIsStored)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 0));
    const QByteArray before = reply(instrument, command("P1", 10));
    const QByteArray record = handRecord("GOOD");

    EXPECT_EQ(write(instrument, 10, record.chopped(2)), "?02");       // last byte missing
    EXPECT_EQ(write(instrument, 10, record + "00"), "?02");           // a byte too many
    EXPECT_EQ(write(instrument, 10, record + "0"), "?02");            // half a byte too many
    EXPECT_EQ(write(instrument, 10, record.toLower()), "?02");        // not upper-case hex
    EXPECT_EQ(write(instrument, 10, {}), "?02");                      // no record at all
    // Three view entries announced, two present.
    QByteArray shortViews = handRecord("GOOD", 2);
    const int countAt = static_cast<int>(shortViews.size()) - 2 * 2 * 27 - 2;
    shortViews.replace(countAt, 2, "03");
    EXPECT_EQ(write(instrument, 10, shortViews), "?02");
    EXPECT_EQ(reply(instrument, "P0000" + record), "?02");           // index not a Word
    EXPECT_EQ(reply(instrument, "P2" + record), "?02");              // no room for the Byte index

    EXPECT_EQ(reply(instrument, command("P1", 10)), before);

    // Out of range.
    EXPECT_EQ(write(instrument, 250, record), "?03");
    EXPECT_EQ(reply(instrument, "P2FA" + record), "?03");
    EXPECT_EQ(reply(instrument, command("P1", 250)), "?03");
    EXPECT_EQ(reply(instrument, "P1"), "?02");
    EXPECT_EQ(reply(instrument, "P10000" "00"), "?02");
}

TEST(SimSetups, StartingSetupsAreRealistic)
{
    for (bool inches : {false, true}) {
        auto clock = std::make_shared<TestClock>();
        SimOptions o = options(clock, 0);
        o.inches = inches;
        o.seed = inches ? 99 : 1;
        SimInstrument instrument(o);
        const double largest = inches ? 6.0 : 150.0;

        int filled = 0;
        QSet<int> standardTypes;
        for (int s = 0; s < 250; ++s) {
            SCOPED_TRACE(s);
            const QByteArray text = reply(instrument, command("P1", s));
            ASSERT_TRUE(text.startsWith("P2" + QByteArray::number(s, 16).toUpper().rightJustified(2, '0')));
            FieldCodec c;
            c.SetText(text.mid(4));
            const QByteArray name = c.ReadString();
            const int standardType = c.ReadInt();
            c.ReadBool();
            const int readMode = c.ReadByte();
            const int interval = c.ReadInt();
            const float base = c.ReadSingle();
            const float maximum = base - c.ReadSingle();
            const float minimum = base - c.ReadSingle();
            c.ReadBool();
            c.Skip(2 * 8 + 31 * 8 + 18 * 8 + 2 * 8);
            const int views = c.ReadByte();
            ASSERT_EQ(views, 8);
            for (int v = 0; v < 8; ++v) {
                EXPECT_EQ(c.ReadByte(), v);
                const bool enabled = c.ReadBool();
                if (v == 0) {
                    EXPECT_TRUE(enabled);
                }
                const int display = c.ReadInt(), illObs = c.ReadInt(), scale = c.ReadInt(), index = c.ReadInt();
                c.ReadByte();
                c.ReadSingle();
                c.ReadSingle();
                if (name.isEmpty()) continue;
                EXPECT_TRUE(display >= 0 && display <= 6);
                EXPECT_TRUE(illObs >= 0 && illObs <= 17);
                EXPECT_TRUE(scale >= 1 && scale <= 6);  // every view of a product is filled
                EXPECT_TRUE(index >= 1 && index <= 21);
            }
            EXPECT_EQ(c.BytesLeft(), 0);
            if (name.isEmpty()) continue;

            ++filled;
            EXPECT_TRUE(standardType >= 0 && standardType <= 3);
            standardTypes.insert(standardType);
            EXPECT_LE(name.size(), 15);
            for (char ch : name) EXPECT_TRUE((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ') << name.constData();
            EXPECT_TRUE(readMode == 0 || readMode == 1);
            EXPECT_TRUE(interval >= 0 && interval <= 60 && interval % 5 == 0);
            EXPECT_EQ(base, std::round(base));
            EXPECT_EQ(minimum, std::round(minimum));
            EXPECT_EQ(maximum, std::round(maximum));
            EXPECT_GT(minimum, 0.0f);
            EXPECT_LT(minimum, maximum);
            EXPECT_LE(maximum, base);
            EXPECT_LE(base, largest);
        }
        EXPECT_GE(filled, 30);
        EXPECT_LE(filled, 60);
        EXPECT_EQ(standardTypes.size(), 4);  // PHYSICAL, WORKING, NUMERIC and HITCH all present
        EXPECT_TRUE(instrument.Setup(3).isEmpty());
        EXPECT_EQ(instrument.Setup(0).name, "RED ENAMEL 12");
        EXPECT_EQ(instrument.Setup(249).name, "NEUTRAL GREY 9");
    }
}
