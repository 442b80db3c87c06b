// Scripted setup edits: the checks of the setup editors and the arithmetic
// of the run configuration editors, on setups built here.
#include "CliFailure.h"
#include "SetupDescription.h"
#include "SetupEdit.h"

#include <gtest/gtest.h>

namespace {

ProductSetup apply(const QStringList& assignments, const ProductSetup& setup = {},
                   std::optional<RunConfigChoice> runConfig = std::nullopt)
{
    return SetupEdit(assignments).ApplyTo(setup, runConfig);
}

// The message of the UsageError that the edit raises, or "accepted".
QString refusal(const QStringList& assignments, const ProductSetup& setup = {},
                std::optional<RunConfigChoice> runConfig = std::nullopt)
{
    try {
        apply(assignments, setup, runConfig);
    } catch (const UsageError& error) {
        return error.message();
    }
    return QStringLiteral("accepted");
}

RunConfigChoice runConfig(bool inches, int16_t variant)
{
    RunConfigChoice choice;
    choice.CustomaryUnits = inches;
    choice.Variant = variant;
    return choice;
}

}  // namespace

TEST(SetupEdit, NamesFollowTheEditorsNameFilter)
{
    EXPECT_EQ(apply({QStringLiteral("name=ab1 c")}).Name, QByteArray("AB1 C"));
    EXPECT_EQ(apply({QStringLiteral("NAME=15 CHARACTERS 1")}).Name.size(), 15);
    EXPECT_TRUE(refusal({QStringLiteral("name=16 CHARACTERS 12")}).contains(QStringLiteral("at most 15")));
    // The hyphen is swallowed by the editor: refused, not dropped.
    EXPECT_TRUE(refusal({QStringLiteral("name=ab-1")}).contains(QStringLiteral("\"-\"")));
    EXPECT_NE(refusal({QStringLiteral("name=A\tB")}), QStringLiteral("accepted"));
    // Characters 128..255 pass as the 8-bit text the instrument keeps.
    EXPECT_EQ(apply({QStringLiteral("name=CAF\u00C9")}).Name, QByteArray("CAF\xC9"));
    EXPECT_NE(refusal({QStringLiteral("name=\u20AC")}), QStringLiteral("accepted"));
    EXPECT_EQ(apply({QStringLiteral("name=")}).Name, QByteArray());
}

TEST(SetupEdit, ListsTakeEntriesInAnyCaseOrBlanksAndTheirCodes)
{
    const ProductSetup s = apply({QStringLiteral("standard=numeric"), QStringLiteral("readmode=PIECE"),
                                  QStringLiteral("view4.display=Spectral Diff"), QStringLiteral("view4.illobs=d65/10"),
                                  QStringLiteral("view4.scale=lab"), QStringLiteral("view4.index=dE"),
                                  QStringLiteral("view5.scale=L*a*b*"), QStringLiteral("view5.index=21"),
                                  QStringLiteral("view6.scale=XYZ"), QStringLiteral("view6.display=6")});
    EXPECT_EQ(s.StandardType, 2);
    EXPECT_EQ(s.ReadMode, 1);
    EXPECT_EQ(s.Views(4).DisplayType, 3);
    EXPECT_EQ(s.Views(4).IllumObs, 13);
    EXPECT_EQ(s.Views(4).ColorScale, 3);   // "L a b"
    EXPECT_EQ(s.Views(4).ColorIndex, 17);  // "dE", not "dE*" (15)
    EXPECT_EQ(s.Views(5).ColorScale, 1);
    EXPECT_EQ(s.Views(5).ColorIndex, 21);  // "MI", the last entry
    EXPECT_EQ(s.Views(6).ColorScale, 4);
    EXPECT_EQ(s.Views(6).DisplayType, 6);
    EXPECT_NE(refusal({QStringLiteral("view1.scale=7")}), QStringLiteral("accepted"));
    EXPECT_NE(refusal({QStringLiteral("view1.index=22")}), QStringLiteral("accepted"));
    EXPECT_NE(refusal({QStringLiteral("standard=PHYS")}), QStringLiteral("accepted"));
    EXPECT_NE(refusal({QStringLiteral("view9.display=ABSOLUTE")}), QStringLiteral("accepted"));
    EXPECT_NE(refusal({QStringLiteral("readmode=2")}), QStringLiteral("accepted"));
}

TEST(SetupEdit, FlagsIntervalAndViewOne)
{
    ProductSetup loaded;
    loaded.Views(3).Enabled = true;
    const ProductSetup s = apply({QStringLiteral("autosearch=yes"), QStringLiteral("trigger=Y"),
                                  QStringLiteral("view3.enabled=no"), QStringLiteral("view1.enabled=yes"),
                                  QStringLiteral("interval=2.5")},
                                 loaded);
    EXPECT_TRUE(s.Searchable);
    EXPECT_TRUE(s.HeightTrigger);
    EXPECT_FALSE(s.Views(3).Enabled);
    EXPECT_TRUE(s.Views(1).Enabled);
    EXPECT_EQ(s.ReportInterval, 2);  // halves to even
    EXPECT_EQ(apply({QStringLiteral("interval=60")}).ReportInterval, 60);
    EXPECT_EQ(apply({QStringLiteral("interval=3.5")}).ReportInterval, 4);
    EXPECT_NE(refusal({QStringLiteral("interval=61")}), QStringLiteral("accepted"));
    EXPECT_NE(refusal({QStringLiteral("interval=-1")}), QStringLiteral("accepted"));
    EXPECT_NE(refusal({QStringLiteral("autosearch=maybe")}), QStringLiteral("accepted"));
    EXPECT_TRUE(refusal({QStringLiteral("view1.enabled=no")}).contains(QStringLiteral("always enabled")));
}

TEST(SetupEdit, HeightsAreTakenFromTheBaseAndDistancesStayWithinTheUnitsLimits)
{
    ProductSetup loaded;
    loaded.BaseDistance = 100;
    loaded.MinDistance = 20;
    loaded.MaxDistance = 60;
    const RunConfigChoice heightMm = runConfig(false, 2);
    // The height editor shows minimum height 40 and maximum height 80.
    // Raising the base by 10 with the heights left raises both distances.
    ProductSetup s = apply({QStringLiteral("base=110")}, loaded, heightMm);
    EXPECT_EQ(s.BaseDistance, 110);
    EXPECT_EQ(s.MinDistance, 30);
    EXPECT_EQ(s.MaxDistance, 70);
    // A minimum height of 10: the maximum distance becomes 90.
    s = apply({QStringLiteral("minheight=10")}, loaded, heightMm);
    EXPECT_EQ(s.BaseDistance, 100);
    EXPECT_EQ(s.MinDistance, 20);
    EXPECT_EQ(s.MaxDistance, 90);
    EXPECT_TRUE(SetupEdit({QStringLiteral("maxheight=1")}).NeedsRunConfiguration());
    EXPECT_FALSE(SetupEdit({QStringLiteral("trigger=no")}).NeedsRunConfiguration());
    EXPECT_TRUE(refusal({QStringLiteral("maxheight=150.5")}, loaded, heightMm).contains(QStringLiteral("150 mm")));
    EXPECT_EQ(apply({QStringLiteral("maxheight=150")}, loaded, heightMm).MinDistance, -50);
    EXPECT_NE(refusal({QStringLiteral("mindistance=5")}, loaded, heightMm), QStringLiteral("accepted"));

    // Distances in inches: 0 to 6, stored rounded with halves to even.
    const RunConfigChoice distanceIn = runConfig(true, 1);
    s = apply({QStringLiteral("mindistance=2.5"), QStringLiteral("maxdistance=3.5")}, loaded, distanceIn);
    EXPECT_EQ(s.MinDistance, 2);
    EXPECT_EQ(s.MaxDistance, 4);
    EXPECT_EQ(s.BaseDistance, 100);
    EXPECT_TRUE(refusal({QStringLiteral("maxdistance=6.5")}, loaded, distanceIn).contains(QStringLiteral("6 in.")));
    EXPECT_NE(refusal({QStringLiteral("base=3")}, loaded, distanceIn), QStringLiteral("accepted"));
    // An instrument that names no editor takes no distances.
    EXPECT_NE(refusal({QStringLiteral("mindistance=1")}, loaded, runConfig(true, 0)), QStringLiteral("accepted"));
}

TEST(SetupEdit, TolerancesAreNonNegativeAndNeedTheFirstViewsScaleOrIndex)
{
    ProductSetup loaded;
    loaded.Views(1).ColorScale = 2;
    loaded.Views(1).ColorIndex = 0;
    const ProductSetup s = apply({QStringLiteral("scaleplus2=0.5"), QStringLiteral("scaleminus3=0")}, loaded);
    EXPECT_FLOAT_EQ(s.ScalePlus(2), 0.5f);
    EXPECT_FLOAT_EQ(s.ScaleMinus(3), 0.0f);
    EXPECT_TRUE(refusal({QStringLiteral("scaleplus1=-0.1")}, loaded).contains(QStringLiteral("negative")));
    EXPECT_NE(refusal({QStringLiteral("scaleplus1=")}, loaded), QStringLiteral("accepted"));
    EXPECT_NE(refusal({QStringLiteral("scaleplus1=abc")}, loaded), QStringLiteral("accepted"));
    // No index on the first view: the index tolerances are not there to set,
    // unless the same command gives the view one.
    EXPECT_TRUE(refusal({QStringLiteral("indexplus=1")}, loaded).contains(QStringLiteral("no colour index")));
    EXPECT_FLOAT_EQ(apply({QStringLiteral("indexplus=1"), QStringLiteral("view1.index=Y")}, loaded).IndexPlus, 1.0f);
    loaded.Views(1).ColorScale = 0;
    EXPECT_TRUE(refusal({QStringLiteral("scaleminus1=1")}, loaded).contains(QStringLiteral("no colour scale")));
}

TEST(SetupEdit, MalformedAssignmentsAndSetupNumbers)
{
    EXPECT_THROW(SetupEdit({QStringLiteral("name")}), UsageError);
    EXPECT_THROW(SetupEdit({QStringLiteral("=X")}), UsageError);
    EXPECT_THROW(SetupEdit({QStringLiteral("colour=red")}), UsageError);
    EXPECT_THROW(SetupEdit(QStringList{}), UsageError);
    EXPECT_EQ(SetupNumberArgument(QStringLiteral("1")), 1);
    EXPECT_EQ(SetupNumberArgument(QStringLiteral("250")), 250);
    EXPECT_THROW(SetupNumberArgument(QStringLiteral("0")), UsageError);
    EXPECT_THROW(SetupNumberArgument(QStringLiteral("251")), UsageError);
    EXPECT_THROW(SetupNumberArgument(QStringLiteral("1.5")), UsageError);
}

TEST(SetupDescription, ShowsEveryFieldInTheEditorsWords)
{
    EXPECT_EQ(ShortestFloatText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(ShortestFloatText(12.0f), QStringLiteral("12"));
    EXPECT_EQ(ShortestFloatText(-0.8f), QStringLiteral("-0.8"));

    ProductSetup s;
    s.Name = "BLUE 2";
    s.StandardType = 3;
    s.BaseDistance = 100;
    s.MinDistance = 20;
    s.MaxDistance = 60;
    s.Views(2).DisplayType = 9;  // no list entry
    s.Views(1).IllumObs = 13;
    s.SetSpectrum(31, 2.5f);
    const QString text = DescribeSetup(s, 7, runConfig(false, 2));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), QStringLiteral("setup: 7"));
    EXPECT_TRUE(lines.contains(QStringLiteral("name: BLUE 2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("standard: HITCH")));
    EXPECT_TRUE(lines.contains(QStringLiteral("units: mm")));
    EXPECT_TRUE(lines.contains(QStringLiteral("runconfig: height")));
    EXPECT_TRUE(lines.contains(QStringLiteral("minheight: 40")));
    EXPECT_TRUE(lines.contains(QStringLiteral("maxheight: 80")));
    EXPECT_TRUE(lines.contains(QStringLiteral("view1.illobs: D65/10")));
    EXPECT_TRUE(lines.contains(QStringLiteral("view2.display: (unknown: 9)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("view8.lc: 0")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nspectrum: 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 2.5\n")));
    // The setup number and 3 fields, 2 run configuration answers, 8 run configuration and
    // 8 tolerance fields, 8 x 8 view fields, 7 carried values.
    EXPECT_EQ(lines.size(), 1 + 3 + 2 + 8 + 8 + 64 + 7);
}
