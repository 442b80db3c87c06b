// Files that are not what the operation expects, given to the datalog
// conversion through its window: a binary file, every kind of line end, and
// lines that are more, or other, than a record. Empty sources, lines cut
// short, empty lines and sources of more than 32767 lines are proven by the
// datalog engine's tests; restore files (empty,
// wrong header, more than 250 setups, damaged lines, a line the instrument
// refuses) by the setups tests and DamagedReplyTest.
#include "EnglishCommaDefaults.h"
#include "FieldCodec.h"
#include "HardeningSupport.h"
#include "SimDatalog.h"
#include "frmCapture.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QStatusBar>
#include <gtest/gtest.h>

using namespace Hardening;

// The status the progress window shows last (it is unloaded, not yet deleted).
static QString lastStatus()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("frmCapture"))
            if (auto* bar = widget->findChild<QStatusBar*>(QStringLiteral("sbMessage"))) return bar->currentMessage();
    return {};
}

TEST(BadFile, AnyLineEndsAndRecordsConsumedExactlyAndBinaryRefused)
{
    ScriptedEnvironment env;
    const EnglishCommaDefaults defaults;
    const SimInstrument instrument(InstrumentOptions({}, 3));
    const QString source = env.path("source.txt"), target = env.path("target.txt");
    const auto stored = [&](int i) { return EncodeStoredDatalogLine(instrument.Datalog()[static_cast<size_t>(i)], i); };
    const QByteArray a = stored(0), b = stored(1), c = stored(2);

    // Where the second record's first skipped stretch begins, in bytes: after
    // the log number (a Word), two names (Strings), five Ints, a Bool, a Long
    // and an Int.
    const SimDatalogRecord& second = instrument.Datalog()[1];
    const qsizetype skipped = 2 + (1 + second.product.size()) + (1 + second.sampleId.size()) + 5 * 2 + 1 + 4 + 2;
    QByteArray notHexSkipped = b;
    notHexSkipped[CommandCodeLength(b) + 2 * skipped + 1] = 'g';

    // Every byte value, NUL, CR and LF included, in a fixed random order.
    QByteArray binary(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(20260601);
    for (char& byte : binary) byte = static_cast<char>(random.bounded(256));

    const struct { const char* name; QByteArray source; int badLine; } cases[] = {
        {"CR LF", a + "\r\n" + b + "\r\n" + c + "\r\n", 0},
        {"CR alone", a + "\r" + b + "\r" + c + "\r", 0},
        {"LF alone, no end at the last", a + "\n" + b + "\n" + c, 0},
        {"mixed", a + "\r" + b + "\n" + c + "\r\n", 0},
        {"a field's worth after a record", a + "00FF\r\n" + b + "\r\n" + c + "\r\n", 1},
        {"a note after a record", a + "\r\n" + b + " ; checked by QA\r\n" + c + "\r\n", 2},
        {"a megabyte after a record", a + "\r\n" + b + "\r\n" + c + QByteArray(1 << 20, 'F') + "\r\n", 3},
        {"one hex digit after a record", a + "\r\n" + b + "\r\n" + c + "F", 3},
        {"a skipped stretch that is not hex", a + "\r\n" + notHexSkipped + "\r\n" + c + "\r\n", 2},
        {"a CR inside a record", a + "\r\n" + b.left(300) + "\r" + b.mid(300) + "\r\n" + c + "\r\n", 2},
        {"an empty line between CR ends", a + "\r\r" + b + "\r" + c, 2},
        {"a binary file", binary, 1},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        env.messages.clear();
        WriteWhole(source, t.source);
        WriteWhole(target, "earlier conversion\r\n");
        frmCapture::instance().ConvertDatalog(source, target);
        if (t.badLine == 0) {
            // Then the warning that product names of the simulated datalog
            // hold the comma.
            ASSERT_EQ(env.messages.size(), 2u);
            EXPECT_EQ(env.messages[0].text, QStringLiteral("Conversion completed"));
            EXPECT_TRUE(env.messages[1].text.contains(QStringLiteral("delimiter"))) << qPrintable(env.messages[1].text);
            EXPECT_EQ(lastStatus(), QStringLiteral("3 records converted"));
            EXPECT_EQ(Lines(target).size(), 4);
        } else {
            ASSERT_EQ(env.messages.size(), 1u);
            EXPECT_TRUE(env.messages[0].text.startsWith(QStringLiteral("Line %1 of ").arg(t.badLine)))
                << qPrintable(env.messages[0].text);
            EXPECT_LT(env.messages[0].text.size(), 400) << "a long line is quoted by its head only";
            EXPECT_TRUE(env.messages[0].icon == MessageIcon::Critical && env.messages[0].title == "TR8 KZ Utility");
            EXPECT_EQ(ReadWhole(target), "earlier conversion\r\n");
        }
        EXPECT_FALSE(frmCapture::exists()) << "unloaded: the program goes on";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
