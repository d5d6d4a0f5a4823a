// The language of tarvik-cli from the locale variables: the first of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides; English for an English locale,
// Russian for any other, C and POSIX included, and when none is set.
#include "messages/language_choice.h"

#include <gtest/gtest.h>

#include "tests/support/process_maps.h"

namespace {

struct EnvironmentRow {
    const char* name;
    const char* language;
    const char* all;
    const char* messages;
    const char* lang;
    Language expected;
};

class LanguageOfEnvironmentTest : public testing::TestWithParam<EnvironmentRow> {};

TEST_P(LanguageOfEnvironmentTest, FirstSetVariableDecides) {
    const EnvironmentRow& row = GetParam();
    EXPECT_EQ(LanguageOfEnvironment(row.language, row.all, row.messages, row.lang), row.expected);
}

constexpr Language kEn = Language::English;
constexpr Language kRu = Language::Russian;

INSTANTIATE_TEST_SUITE_P(
    Locales, LanguageOfEnvironmentTest,
    testing::Values(
        EnvironmentRow{"none", nullptr, nullptr, nullptr, nullptr, kRu},
        EnvironmentRow{"LangEnglish", nullptr, nullptr, nullptr, "en_US.UTF-8", kEn},
        EnvironmentRow{"LangRussian", nullptr, nullptr, nullptr, "ru_RU.UTF-8", kRu},
        EnvironmentRow{"LangC", nullptr, nullptr, nullptr, "C", kRu},
        EnvironmentRow{"LangCUtf8", nullptr, nullptr, nullptr, "C.UTF-8", kRu},
        EnvironmentRow{"LangPosix", nullptr, nullptr, nullptr, "POSIX", kRu},
        EnvironmentRow{"LangGerman", nullptr, nullptr, nullptr, "de_DE.UTF-8", kRu},
        EnvironmentRow{"LangEsperanto", nullptr, nullptr, nullptr, "eo", kRu},
        EnvironmentRow{"LcAllBeforeLang", nullptr, "en_GB.UTF-8", nullptr, "ru_RU", kEn},
        EnvironmentRow{"LcAllCBeforeLang", nullptr, "C", nullptr, "en_US.UTF-8", kRu},
        EnvironmentRow{"LcMessagesBeforeLang", nullptr, nullptr, "en_US", "ru_RU", kEn},
        EnvironmentRow{"LcAllBeforeLcMessages", nullptr, "ru_RU", "en_US", nullptr, kRu},
        EnvironmentRow{"LanguageFirst", "en", "ru_RU.UTF-8", nullptr, nullptr, kEn},
        EnvironmentRow{"LanguageList", "en_GB:ru", nullptr, nullptr, "ru_RU", kEn},
        EnvironmentRow{"LanguageListRussianFirst", "ru:en", nullptr, nullptr, "en_US", kRu},
        EnvironmentRow{"LanguageListEmptyEntries", "::en", nullptr, nullptr, nullptr, kEn},
        EnvironmentRow{"EmptyLanguageSkipped", "", nullptr, nullptr, "en_US", kEn},
        EnvironmentRow{"OnlyColonsSkipped", ":", "", nullptr, "en_US.UTF-8", kEn},
        EnvironmentRow{"EmptyAllSkipped", nullptr, "", "", "ru_RU", kRu},
        EnvironmentRow{"ModifierAfterLanguage", nullptr, nullptr, nullptr, "en@euro", kEn}),
    [](const testing::TestParamInfo<EnvironmentRow>& info) { return info.param.name; });

}  // namespace

// Reading a language name leaves no writable and executable page behind (a regular
// expression's JIT would).
TEST(LanguageOfNameTest, LeavesNoWritableExecutableMemory) {
    ASSERT_TRUE(ProcessMapsReadable());
    for (const char* name : {"en", "en-US", "en_GB.UTF-8", "ru@latin", "de"}) {
        LanguageOfName(QString::fromLatin1(name));
    }
    UseCatalogue(Language::English);
    UseCatalogue(Language::Russian);
    EXPECT_EQ(WritableExecutableMappings(), std::vector<std::string>{});
}
