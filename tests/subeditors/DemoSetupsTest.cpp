// The simulated instrument's demonstration setups in the tolerances editor's
// engine: each opens and saves unchanged, as an operator who opens the
// tolerances and presses Save expects.
#include "FieldCodec.h"
#include "SampleGenerator.h"
#include "SetupNumberText.h"
#include "SetupRecord.h"
#include "ToleranceValues.h"

#include <gtest/gtest.h>

TEST(DemoSetups, EveryDemoSetupSavesItsTolerancesUnchanged)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    int checked = 0;
    for (uint32_t seed : {1u, 7u, 23u}) {
        GenerationParameters p;
        p.seed = seed;
        p.datalogSize = 0;
        const SimContent content = GenerateContent(p);
        for (size_t slot = 0; slot < content.setups.size(); ++slot) {
            if (content.setups[slot].isEmpty()) continue;
            ProductSetup setup;
            FieldCodec codec;
            DecodeProductSetup(setup, EncodeSetupRecord(content.setups[slot]), codec);
            const ToleranceLayout layout = ToleranceLayoutOf(setup);
            ASSERT_TRUE(layout.CanSave()) << "seed " << seed << ", setup " << slot + 1;
            ToleranceTexts texts;
            for (int i = 0; i < 3; ++i) {
                texts.ScaleUpper[i] = SetupNumberText::Format(setup.ScalePlus(i + 1), english);
                texts.ScaleLower[i] = SetupNumberText::Format(setup.ScaleMinus(i + 1), english);
            }
            texts.IndexUpper = SetupNumberText::Format(setup.IndexPlus, english);
            texts.IndexLower = SetupNumberText::Format(setup.IndexMinus, english);
            ProductSetup saved = setup;
            EXPECT_TRUE(StoreTolerances(saved, layout, texts, english)) << "seed " << seed << ", setup " << slot + 1;
            EXPECT_TRUE(saved == setup) << "seed " << seed << ", setup " << slot + 1;
            ++checked;
        }
    }
    EXPECT_GT(checked, 60);
}
