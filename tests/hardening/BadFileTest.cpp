// Files that are not what the operation expects, given to the datalog
// conversion through its window: an empty file, a binary file and lines
// longer than a record. Lines cut short, empty lines and sources of more than
// 32767 lines are proven by the datalog engine's tests; restore files (empty,
// wrong header, more than 250 setups, damaged lines, a line the instrument
// refuses) by the setups tests and DamagedReplyTest.
#include "HardeningSupport.h"
#include "Preferences.h"
#include "SimDatalog.h"
#include "frmCapture.h"
#include "modGlobals.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Hardening;

namespace {

class BadFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetDelimiter(false, false, {});  // comma
        modGlobals::MainCaption = QStringLiteral("TR8 KZ Utility");
        source = env.path("source.txt");
        target = env.path("target.txt");
        for (int i = 0; i < 3; ++i) stored << EncodeStoredDatalogLine(instrument.Datalog()[static_cast<size_t>(i)], i);
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLocale::setDefault(QLocale::system());
    }

    void convert() { frmCapture::instance().ConvertDatalog(source, target); }
    QStringList messages() const
    {
        QStringList texts;
        for (const ShownMessage& m : env.messages) texts << m.text;
        return texts;
    }

    ScriptedEnvironment env;
    SimInstrument instrument{InstrumentOptions({}, 3)};
    QList<QByteArray> stored;
    QString source, target;
};

}  // namespace

TEST_F(BadFile, EmptyFileGivesTheHeaderAloneAndTheCompletionMessage)
{
    WriteWhole(source, {});
    WriteWhole(target, "earlier conversion\r\n");
    convert();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Conversion completed")});
    const QList<QByteArray> lines = Lines(target);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("log,product,ID,setup,")) << lines[0].constData();
    EXPECT_EQ(lines[0].count(',') + 1, 51);
}

TEST_F(BadFile, BinaryFileIsRefusedAtItsFirstLineAndNothingIsWritten)
{
    // Every byte value, NUL, CR and LF included, in a fixed random order.
    QByteArray binary(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(20260601);
    for (char& c : binary) c = static_cast<char>(random.bounded(256));
    WriteWhole(source, binary);
    WriteWhole(target, "earlier conversion\r\n");

    convert();

    ASSERT_EQ(env.messages.size(), 1u) << "no \"Conversion completed\"";
    EXPECT_TRUE(env.messages[0].text.startsWith(QStringLiteral("Line 1 of "))) << qPrintable(env.messages[0].text);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(ReadWhole(target), "earlier conversion\r\n");
    EXPECT_FALSE(frmCapture::exists());
}

TEST_F(BadFile, TextAfterARecordIsIgnoredAndTheRecordConverted)
{
    // The stored layout ends after the index data; what a line holds beyond
    // it (newer firmware, a tool that appended a note) does not change the
    // record. A megabyte of it included.
    WriteWhole(source, stored[0] + "\r\n" + stored[1] + "\r\n" + stored[2] + "\r\n");
    convert();
    // Then the warning that product names of the simulated datalog hold the comma.
    const QStringList told = messages();
    ASSERT_EQ(told.value(0), QStringLiteral("Conversion completed"));
    const QList<QByteArray> plain = Lines(target);
    ASSERT_EQ(plain.size(), 4);

    env.messages.clear();
    WriteWhole(source, stored[0] + "00FF\r\n" + stored[1] + " ; checked by QA\r\n" + stored[2] +
                           QByteArray(1 << 20, 'F') + "\r\n");
    convert();
    EXPECT_EQ(messages(), told);
    EXPECT_EQ(Lines(target), plain);
}
