// Writes the seed corpus of every fuzz target: valid inputs taken from the
// simulated instrument (a fixed seed and clock, so the same files every time).
//
//   tr8kz-fuzz-corpus FOLDER     writes FOLDER/<target>/seed-N
#include "InstrumentCommands.h"
#include "SimDatalog.h"
#include "SimInstrument.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

QString corpusFolder;

void write(const char* target, int number, const QByteArray& bytes)
{
    const QString folder = corpusFolder + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile file(QStringLiteral("%1/seed-%2").arg(folder).arg(number));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray ask(SimInstrument& instrument, const QByteArray& command) { return instrument.Handle(command).value(); }

// Input of the field codec target: the operation count, the operations, the text.
QByteArray codecInput(const QByteArray& operations, const QByteArray& text)
{
    return QByteArray(1, static_cast<char>(operations.size())) + operations + text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tr8kz-fuzz-corpus FOLDER\n");
        return 2;
    }
    corpusFolder = QString::fromLocal8Bit(argv[1]);

    SimOptions options;
    options.datalogSize = 6;
    options.seed = 7;
    options.localClock = [] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)); };
    SimInstrument instrument(options);
    SimOptions emptyOptions = options;
    emptyOptions.datalogSize = 0;
    emptyOptions.model = "TR8KY";
    SimInstrument other(emptyOptions);

    const QByteArray identification = ask(instrument, Command::Identify);
    const QByteArray status = ask(instrument, Command::Status);
    const QByteArray record0 = ask(instrument, "S10000");
    const QByteArray setup1 = ask(instrument, "P10000");
    const QByteArray setup4 = ask(instrument, "P10003");
    const QByteArray setup250 = ask(instrument, "P100F9");

    // Field codec: the reads each reply is made for, and a few others.
    write("fuzz_field_codec", 1, codecInput(QByteArray::fromHex("57060606"), identification));  // Skip 5, 3 strings
    write("fuzz_field_codec", 2, codecInput(QByteArray::fromHex("18A703"), status));            // Skip 16 + 10, Word
    write("fuzz_field_codec", 3, codecInput(QByteArray::fromHex("04040203040101030403"), status));
    write("fuzz_field_codec", 4, codecInput(QByteArray::fromHex("0306060202020200040227020247000005050505"), record0));
    write("fuzz_field_codec", 5, codecInput(QByteArray::fromHex("0602000102050505090606"), setup1.mid(4)));

    write("fuzz_setup_record", 1, setup1.mid(4));
    write("fuzz_setup_record", 2, setup4.mid(4));
    write("fuzz_setup_record", 3, setup250.mid(4));

    for (int i = 0; i < 4; ++i) {
        const QByteArray command = "S1" + QByteArray::number(i, 16).rightJustified(4, '0').toUpper();
        write("fuzz_capture_record", i + 1, ask(instrument, command));
        write("fuzz_conversion_record", i + 1,
              EncodeStoredDatalogLine(instrument.Datalog()[static_cast<size_t>(i)], i));
    }
    write("fuzz_conversion_record", 5, identification);

    write("fuzz_identification", 1, identification);
    write("fuzz_identification", 2, ask(other, Command::Identify));
    write("fuzz_status", 1, status);
    write("fuzz_status", 2, ask(other, Command::Status));

    const QByteArray header = "TR8KZ Product Setups\r\n";
    write("fuzz_restore", 1, header);
    write("fuzz_restore", 2, header + setup1 + "\r\n");
    write("fuzz_restore", 3, header + setup1 + "\r\n" + setup4 + "\r\n" + setup250 + "\r\n");
    // Files the restore refuses whole: a line that is no setup write (the
    // input on which an earlier model of the rules parted from the code), a
    // blank line in the middle, a copy cut short.
    write("fuzz_restore", 4, header + "s\r");
    write("fuzz_restore", 5, header + setup1 + "\r\n\r\n" + setup4 + "\r\n");
    write("fuzz_restore", 6, header + setup1 + "\r\n" + setup4.left(700));
    return 0;
}
