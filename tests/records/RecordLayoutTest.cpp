#include <gtest/gtest.h>

#include "records/RecordFile.h"
#include "records/RecordLayout.h"

namespace vsp {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

RecordLayout EveryType() {
    return RecordLayout{"every", 40, "every.ppc", 0,
                        {{"u8", 0, FieldType::U8},
                         {"i8", 1, FieldType::I8},
                         {"u16", 2, FieldType::U16},
                         {"i16", 4, FieldType::I16},
                         {"u32", 6, FieldType::U32},
                         {"i32", 10, FieldType::I32},
                         {"f32", 14, FieldType::F32},
                         {"f64", 18, FieldType::F64},
                         {"tag", 26, FieldType::FourCC},
                         {"name", 30, FieldType::Text, 6},
                         {"full", 36, FieldType::Text, 4}}};
}

TEST(RecordLayout, DecodesEveryFieldType) {
    const std::string bytes = std::string("\xFF\x80", 2) +   // 255, -128
                              std::string("\x34\x12", 2) +   // 0x1234
                              std::string("\xFE\xFF", 2) +   // -2
                              std::string("\xFF\xFF\xFF\xFF", 4) +
                              std::string("\x85\xFF\xFF\xFF", 4) +  // -123
                              std::string("\x00\x00\xC0\x3F", 4) +  // 1.5f
                              std::string("\x9A\x99\x99\x99\x99\x99\xB9\x3F", 8) +  // 0.1
                              std::string("Pr\x01" "f", 4) +
                              std::string("V\xB0g\x09\0z", 6) + "Vega";
    ASSERT_EQ(bytes.size(), 40u);
    const RecordLayout layout = EveryType();
    ASSERT_TRUE(CheckRecordLayout(layout));
    const Pairs got = DecodeRecord(layout, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(got, (Pairs{{"u8", "255"}, {"i8", "-128"}, {"u16", "4660"}, {"i16", "-2"},
                          {"u32", "4294967295"}, {"i32", "-123"}, {"f32", "1.5"}, {"f64", "0.1"},
                          {"tag", "Pr\\x01f"}, {"name", "V\xB0g\\x09"}, {"full", "Vega"}}));

    // Fields that the given bytes do not cover are shown as unknown, not read beyond.
    const Pairs cut = DecodeRecord(layout, reinterpret_cast<const uint8_t*>(bytes.data()), 12);
    EXPECT_EQ(cut[4], (std::pair<std::string, std::string>{"u32", "4294967295"}));  // 6..9
    EXPECT_EQ(cut[5].second, "?");   // i32 at 10..13 does not
    EXPECT_EQ(cut[10].second, "?");
}

TEST(RecordLayout, CheckRejectsLayoutsThatCannotBeRead) {
    const auto withField = [](RecordField field) {
        RecordLayout layout = EveryType();
        layout.fields.push_back(field);
        return layout;
    };
    std::string why;
    EXPECT_FALSE(CheckRecordLayout(withField({"over", 38, FieldType::U32}), &why));
    EXPECT_NE(why.find("over"), std::string::npos);
    EXPECT_FALSE(CheckRecordLayout(withField({"empty", 0, FieldType::Text, 0})));
    EXPECT_FALSE(CheckRecordLayout(withField({"negative", -1, FieldType::U8})));
    RecordLayout layout = EveryType();
    layout.filePattern.clear();
    EXPECT_FALSE(CheckRecordLayout(layout));
    RecordLayoutRegistry registry;
    EXPECT_FALSE(registry.Add(RecordLayout{"zero", 0, "x", 0, {}}, &why));
    EXPECT_TRUE(registry.Layouts().empty());
}

TEST(RecordLayout, FileNamePatterns) {
    EXPECT_TRUE(MatchFileName("vespertar_*.ppc", "vespertar_hr.ppc"));
    EXPECT_TRUE(MatchFileName("*", ""));
    EXPECT_TRUE(MatchFileName("a*b*c", "aXbYbZc"));
    EXPECT_TRUE(MatchFileName("tyc?.ppc", "tyc2.ppc"));
    EXPECT_FALSE(MatchFileName("tyc?.ppc", "tyc.ppc"));
    EXPECT_FALSE(MatchFileName("vespertar_*.ppc", "vespertar_hr.ppcx"));
    EXPECT_FALSE(MatchFileName("a*b", "acbc"));
}

TEST(RecordLayout, RegistryFindsByNameThenTagAndAlwaysBySize) {
    RecordLayoutRegistry registry;
    ASSERT_TRUE(registry.Add({"by-tag", 8, "", FourCharCode("Pref"), {{"a", 0, FieldType::U32}}}));
    ASSERT_TRUE(registry.Add({"stars", 8, "vespertar_*.ppc", 0, {{"b", 0, FieldType::U32}}}));
    ASSERT_TRUE(registry.Add({"stars-wide", 12, "vespertar_*.ppc", 0, {}}));

    auto name = [&](std::string_view file, int32_t size, uint32_t tag) {
        const RecordLayout* l = registry.Find(file, size, tag);
        return l ? l->name : std::string("none");
    };
    EXPECT_EQ(name("/home/x/data/vespertar_hr.ppc", 8, 0), "stars");
    EXPECT_EQ(name("vespertar_hr.ppc", 12, 0), "stars-wide");
    EXPECT_EQ(name("vespertar_hr.ppc", 8, FourCharCode("Pref")), "stars");
    EXPECT_EQ(name("settings.ppc", 8, FourCharCode("Pref")), "by-tag");
    EXPECT_EQ(name("settings.ppc", 9, FourCharCode("Pref")), "none");
    EXPECT_EQ(name("other.ppc", 8, 0), "none");
    // The directory part of a path is not matched against the pattern.
    EXPECT_EQ(name("vespertar_dir/other.ppc", 8, 0), "none");
}

}  // namespace
}  // namespace vsp
