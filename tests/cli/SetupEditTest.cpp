// Scripted setup edits: what the setup editors refuse, beside the nearest
// values they take. That a refused edit leaves the instrument's setup alone,
// unwritten, is shown by the process tests.
#include "CliFailure.h"
#include "SetupEdit.h"

#include <gtest/gtest.h>

TEST(SetupEdit, RefusesWhatTheEditorsRefuseAndStoresWhatTheyTakeAsTheyStoreItStandardValuesAmongThem)
{
    // Base 100, distances 20 and 60; view 1 has a colour scale, no colour index.
    ProductSetup loaded;
    loaded.BaseDistance = 100, loaded.MinDistance = 20, loaded.MaxDistance = 60;
    loaded.Views(1).ColorScale = 2, loaded.Views(1).ColorIndex = 0;
    const RunConfigChoice heightMm{false, 2}, distanceIn{true, 1}, noEditor{true, 0};  // inches?, variant
    // The assignment, the instrument's run configuration, and nullptr when it
    // is taken, else a part of the message that refuses it.
    const struct { const char* assignment; std::optional<RunConfigChoice> runConfig; const char* refusal; } cases[] = {
        // The editor swallows the hyphen: refused, not dropped.
        {"name=ab-1", {}, "\"-\""}, {"name=15 CHARACTERS 1", {}, nullptr}, {"name=16 CHARACTERS 12", {}, "at most 15"},
        {"name=A\tB", {}, ""}, {"name=\u20AC", {}, ""}, {"interval=60", {}, nullptr}, {"interval=61", {}, ""},
        {"interval=-1", {}, ""}, {"autosearch=maybe", {}, ""}, {"view1.enabled=no", {}, "always enabled"},
        {"view1.index=21", {}, nullptr}, {"view1.index=22", {}, ""}, {"view1.scale=7", {}, ""}, {"readmode=2", {}, ""},
        {"standard=PHYS", {}, ""}, {"view9.display=ABSOLUTE", {}, ""}, {"name", {}, ""}, {"=X", {}, ""},
        {"colour=red", {}, ""}, {"scaleplus1=0", {}, nullptr}, {"scaleplus1=-0.1", {}, "negative"},
        {"scaleplus1=", {}, ""}, {"scaleplus1=abc", {}, ""}, {"indexplus=1", {}, "no colour index"},
        // The height editor takes no distances; an instrument that names no editor takes none either.
        {"maxheight=150", heightMm, nullptr}, {"maxheight=150.5", heightMm, "150 mm"}, {"mindistance=5", heightMm, ""},
        {"maxdistance=6", distanceIn, nullptr}, {"maxdistance=6.5", distanceIn, "6 in."}, {"base=3", distanceIn, ""},
        {"mindistance=1", noEditor, ""},
    };
    // The message refusing the assignment to the setup, or none.
    const auto refusal = [](const char* assignment, const ProductSetup& setup, std::optional<RunConfigChoice> runConfig) {
        try {
            SetupEdit({QString::fromUtf8(assignment)}).ApplyTo(setup, runConfig);
        } catch (const UsageError& error) {
            return std::optional(error.message());
        }
        return std::optional<QString>();
    };
    for (const auto& c : cases) {
        const std::optional<QString> said = refusal(c.assignment, loaded, c.runConfig);
        EXPECT_TRUE(c.refusal ? said && said->contains(c.refusal) : !said)
            << c.assignment << ": " << said.value_or("taken").toStdString();
    }
    EXPECT_THROW(SetupEdit(QStringList{}), UsageError);
    for (const char* number : {"0", "251", "1.5"}) EXPECT_THROW(SetupNumberArgument(number), UsageError) << number;
    EXPECT_EQ(SetupNumberArgument("250"), 250);

    // Taken values are stored as the editors store them.
    const ProductSetup s =
        SetupEdit({"interval=2.5", "name=CAF\u00C9", "view4.scale=lab", "view4.index=dE"}).ApplyTo({}, std::nullopt);
    EXPECT_EQ(s.ReportInterval, 2);        // halves to even
    EXPECT_EQ(s.Name, "CAF\xC9");          // 8-bit, as the instrument keeps it
    EXPECT_EQ(s.Views(4).ColorScale, 3);   // "L a b"
    EXPECT_EQ(s.Views(4).ColorIndex, 17);  // "dE", not "dE*" (15)
    EXPECT_EQ(SetupEdit({"maxdistance=3.5"}).ApplyTo({}, RunConfigChoice{true, 1}).MaxDistance, 4);

    // The standard values in view 1's scale and illuminant/observer, as the
    // standard values editor takes them. Expected XYZ worked from CIE 15
    // (L* 50 gives Y/Yn = ((50 + 16) / 116)^3 = 0.184187) and the ASTM E308
    // white of D65/10 (94.811, 100, 107.304).
    ProductSetup hitch;
    hitch.StandardType = 3, hitch.Views(1).ColorScale = 1, hitch.Views(1).IllumObs = 13;
    const ProductSetup standard =
        SetupEdit({"target1=50", "target2=0", "target3=-0", "read1=48", "offset2=0", "offset3=0"}).ApplyTo(hitch, std::nullopt);
    EXPECT_NEAR(standard.XYZTarget(1), 94.811 * 0.184187, 2e-4);
    EXPECT_NEAR(standard.XYZTarget(2), 18.4187, 2e-4);
    EXPECT_NEAR(standard.XYZTarget(3), 107.304 * 0.184187, 2e-4);
    // The reading: L* 48, Y/Yn = (64 / 116)^3 = 0.167944.
    EXPECT_NEAR(standard.XYZRead(2), 16.7944, 2e-4);

    // The values not given stay, the offsets among them, as in the editor:
    // L* 60 with the offset 2 reads L* 58, Y/Yn = (74 / 116)^3 = 0.259610.
    // View 4's scale plays no part.
    const ProductSetup one = SetupEdit({"target1=60", "view4.scale=XYZ"}).ApplyTo(standard, std::nullopt);
    EXPECT_NEAR(one.XYZTarget(1) / one.XYZTarget(2), 94.811 / 100.0, 1e-5);
    EXPECT_NEAR(one.XYZRead(2), 25.9610, 2e-4);

    ProductSetup physical = hitch, noScale = hitch;
    physical.StandardType = 0, noScale.Views(1).ColorScale = 0;
    const struct { const ProductSetup* setup; const char* assignment; const char* refusal; } refused[] = {
        {&physical, "offset1=1", "HITCH"}, {&physical, "read2=1", "HITCH"}, {&noScale, "target1=1", "not selected"},
        {&hitch, "target1=abc", "a number"}, {&hitch, "target4=1", "unknown setup field"},
    };
    for (const auto& c : refused) {
        const std::optional<QString> said = refusal(c.assignment, *c.setup, std::nullopt);
        EXPECT_TRUE(said && said->contains(c.refusal)) << c.assignment << ": " << said.value_or("taken").toStdString();
    }
}
