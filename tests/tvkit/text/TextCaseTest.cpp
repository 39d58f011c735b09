#include "tvkit/text/TextCase.h"

#include <gtest/gtest.h>

using tvkit::TextCase;

TEST(TextCase, UppercasesByUnicodeRulesAndTheLanguage) {
    EXPECT_EQ(TextCase::uppercased("privacy policy", "en"), "PRIVACY POLICY");
    EXPECT_EQ(TextCase::uppercased("Straße", "de"), "STRASSE");
    EXPECT_EQ(TextCase::uppercased("données", "fr"), "DONNÉES");
    // Only Turkic languages keep the dot on a capital i.
    EXPECT_EQ(TextCase::uppercased("gizlilik", "tr"), "G\xC4\xB0ZL\xC4\xB0L\xC4\xB0K");
    EXPECT_EQ(TextCase::uppercased("gizlilik", "en"), "GIZLILIK");
    EXPECT_EQ(TextCase::uppercased("", "en"), "");
    // Broken bytes never reach the case mapping.
    EXPECT_EQ(TextCase::uppercased("a\xFF" "b", "en"), "A?B");
}
