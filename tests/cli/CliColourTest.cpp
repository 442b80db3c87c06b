// The built tr8kz's colour calculator, run as a script runs it: the printed
// lines, negative values with and without "--", and refused names.
#include "TestFiles.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

// Sharma, Wu and Dalal (2005), Table 1, pair 1 (dE00 2.0425) and colour-science's
// Lab_to_LCHab example (41.5278752, 59.1242590, 27.0884878), through the program.
TEST(CliColour, PrintsValuesAndDifferencesWithNegativeValuesEitherWayAndRefusesUnknownNamesWithCode2)
{
    const QStringList pair{"50", "2.6772", "-79.7751", "50", "0", "-82.7485"};
    for (const QStringList& words : {QStringList{"colour", "difference"}, QStringList{"color", "difference", "--"}}) {
        const Ran r = RunProgram(TR8KZ_CLI_EXECUTABLE, words + pair);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
        EXPECT_TRUE(lines[0].startsWith("dEab ") && lines[1].startsWith("dE94 ") && lines[3].startsWith("dEcmc "));
        EXPECT_TRUE(lines[2].startsWith("dE2000 2.042")) << lines[2].toStdString();
        EXPECT_EQ(lines[2].section(' ', 1).section('.', 1).size(), 8);
    }
    const Ran lch = RunProgram(TR8KZ_CLI_EXECUTABLE, {"colour", "convert", "--from", "cie lab", "--to", "CIELCH", "--illuminant",
                                                      "astm-d65/2", "41.52787529", "52.63858304", "26.92317922"});
    ASSERT_EQ(lch.code, 0) << lch.err.toStdString();
    const QStringList v = lch.out.trimmed().split(' ');
    ASSERT_EQ(v.size(), 3) << lch.out.toStdString();
    EXPECT_NEAR(v[1].toDouble(), 59.1242590, 2e-7);
    EXPECT_NEAR(v[2].toDouble(), 27.0884878, 2e-7);

    // A neutral: its chroma prints as zero, and so does its hue.
    const Ran grey = RunProgram(TR8KZ_CLI_EXECUTABLE, {"colour", "convert", "--illuminant", "D65/10", "--from", "CIELAB", "--to",
                                                       "CIELCh", "--", "50", "-0.000000001", "0.000000002"});
    EXPECT_EQ(grey.out, "50.00000000 0.00000000 0.00000000\n") << grey.err.toStdString();

    // Unknown names and missing values exit with code 2: the arguments, and
    // what standard error names (a pattern).
    const struct { QStringList arguments; const char* named; } cases[] = {
        {{"colour", "convert", "--from", "Lab", "--to", "XYZ", "--illuminant", "D65/10", "1", "2", "3"},
         "XYZ, CIELAB, CIELCh, Hunter Lab, Yxy"},
        {{"colour", "difference", "--from", "XYZ", "--illuminant", "D65/8", "1", "2", "3", "4", "5", "6"}, "A/2, C/2, .*F11/10"},
        {{"colour", "convert", "--from", "XYZ", "--to", "Yxy", "--illuminant", "D65/10", "1", "-2"}, ""},
        // A colour the scale cannot express is a refused value too.
        {{"colour", "convert", "--from", "Yxy", "--to", "XYZ", "--illuminant", "C/2", "10", "0.3", "0"}, "y = 0"},
        // Outside the colour commands a negative number is still an unknown option.
        {{"setup", "show", "-3"}, ""},
    };
    for (const auto& c : cases) {
        const Ran r = RunProgram(TR8KZ_CLI_EXECUTABLE, c.arguments);
        EXPECT_TRUE(r.code == 2 && r.err.contains(QRegularExpression(c.named)))
            << c.arguments.join(' ').toStdString() << "\nexit code " << r.code << ": " << r.err.toStdString();
    }
}
