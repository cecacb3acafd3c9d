// The imports of eyepieces, locations and custom catalogs: the text from the data server or the
// local import/ copy, the lines accepted and rejected, the record files read back, and the
// previous file kept byte for byte when an import fails (locations read back: tests/e2e).
#include <tuple>

#include <gtest/gtest.h>

#include "catalog/Eyepieces.h"
#include "catalog/UserImports.h"
#include "catalog/CatalogTable.h"
#include "catalog/UserObject.h"
#include "records/RecordFile.h"
#include "support/LocalHttpServer.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

// The data server's answer to the query for `file` of `kind`, as a route of the test server.
std::string QueryPath(int kind, const std::string& file) {
    return "/data/getdata.php?param1=1&param2=" + std::to_string(kind) +
           "&param3=65536&param4=1&param5=65001&param6=" + file;
}

ImportServer ServerOf(const LocalHttpServer& server) { return {server.Url("/data"), {1, 1}}; }

const uint8_t* Bytes(const std::string& text) { return reinterpret_cast<const uint8_t*>(text.data()); }

// User object `index` of usercatalogs/`file`, the header's tag and record size checked.
UserObjectRecord UserObjectAt(const TempHome& home, const std::string& file, int index) {
    const std::string bytes = home.ReadFile("usercatalogs/" + file);
    if (bytes.size() < size_t(kRecordHeaderSize + (index + 1) * kUserObjectRecordSize)) return {};
    EXPECT_EQ(ReadU32(Bytes(bytes) + 4), kUserObjectTypeCode);
    EXPECT_EQ(ReadI32(Bytes(bytes) + 12), kUserObjectRecordSize);
    return DecodeUserObject(Bytes(bytes) + kRecordHeaderSize + index * kUserObjectRecordSize);
}

TEST(UserImports, EyepiecesFromTheServerWithTheirRejectedLinesCounted) {
    // UTF-8 text: the header, its degree sign brought into the code page, is skipped uncounted.
    const std::string text =
        "Brand full name;Brand Trigram;Eyepiece Name;Focal (in mm);Fov (in \xC2\xB0);\r\n"
        "Tele Vue;TVE;Nagler 13mm;13;82;\r\n"
        "\r\n"
        "Baader;BAA;Hyperion 8mm ; 8.0 ;68\n"
        "Tele Vue;TVE;Ethos 13mm;13;\n"              // a field missing
        "Tele Vue;TVE;Ethos 13mm;13mm;100;\n"        // focal not a number
        "Tele Vue;TVE;Ethos 13mm;13;0;\n"            // no field
        "Tele Vue;TVE;;13;100;\n"                    // no name
        "Explore Scientific Optical Brand;ES;82 11mm;11;82;\n"  // brand one byte too long
        "Zeiss;ZEI;Abbe 10mm;10;40;extra;\n";        // a field too many
    LocalHttpServer server({{QueryPath(1, "my%20eyes.txt"), {200, text}}});
    TempHome home;
    ImportResult result;
    RecordingInfoSink messages;
    ASSERT_TRUE(ImportEyepieces(home.Dir(), "my eyes", ServerOf(server), messages, result));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(std::tie(result.imported, result.rejected, result.message),
              std::make_tuple(2, 6, std::string("2 User eyepieces uploaded, 6 rejected")));
    std::vector<Eyepiece> read;
    ASSERT_TRUE(ReadEyepieceFile(result.file, read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(std::tie(read[1].brand, read[1].trigram, read[1].name, read[1].focalMm, read[1].apparentFieldDeg),
              std::make_tuple(std::string("Baader"), std::string("BAA"), std::string("Hyperion 8mm"), 8.0f, 68.0f));
    EXPECT_EQ(result.file, home.Path("usercatalogs/my eyes.eyp"));
}

// A second import, from the local copy import/mine.txt that wins over the server, updates the
// object the file holds (same catalog and number) and adds the other.
TEST(UserImports, CustomCatalogsAreCreatedThenUpdatedFromTheLocalCopy) {
    LocalHttpServer server({{QueryPath(3, "mine.txt"),
                             {200, "ngc;7000;North America;BRTNB;20.98;44.33;4;120;100;\n"
                                   ";1;My cluster;opncl;23.99;-89.5;;;;\n"
                                   "NGC;7001;;GALXY;24;0;;;;\n"  // RA out of range
                                   "XYZ;1;;GALXY;1;0;;;;\n"}}});  // no such catalog
    TempHome home;
    ImportResult result;
    RecordingInfoSink messages;
    ASSERT_TRUE(ImportCustomCatalog(home.Dir(), "mine", ServerOf(server), messages, result));
    EXPECT_EQ(result.message, "2 User Objects uploaded, 2 rejected");
    EXPECT_EQ(ReadU32(Bytes(home.ReadFile("usercatalogs/mine.ppc"))), uint32_t(kObjectFileVersion));
    const auto object = [&](int index) { return UserObjectAt(home, "mine.ppc", index); };
    const UserObjectRecord america = object(0);
    const ObjectRecord& o = america.object;
    EXPECT_EQ(std::tie(o.catalog, o.number, o.type, o.ra, o.dec, o.magnitude, o.sizeMajor, o.sizeMinor),
              std::make_tuple(int32_t(kCatalogNgc), 7000, 20, 20.98f, 44.33f, 4.0f, 120.0f, 100.0f));
    EXPECT_STREQ(america.name, "North America");
    EXPECT_GE(o.constellation, 0);

    home.WriteFile("import/mine.txt", "User;1;Renamed;OPNCL;1.5;-60;9.5;3;3;\nM;31;;GALXY;0.71;41.27;3.4;190;60;\n");
    ImportResult update;
    ASSERT_TRUE(ImportCustomCatalog(home.Dir(), "mine", ServerOf(server), messages, update));
    EXPECT_EQ(update.message, "1 record(s) updated and 1 new object(s) added.");
    EXPECT_EQ(ReadI32(Bytes(home.ReadFile("usercatalogs/mine.ppc")) + 8), 3);
    const UserObjectRecord renamed = object(1);
    EXPECT_EQ(std::tie(renamed.object.catalog, renamed.object.ra), std::make_tuple(int32_t(kCatalogUser), 1.5f));
    EXPECT_STREQ(renamed.name, "Renamed");
    EXPECT_EQ(object(2).object.number, 31);
    EXPECT_TRUE(messages.messages.empty());
}

// A 404, an error page, a server that never answers and a text without one valid line leave the
// file of an earlier import as it was, with the import's message.
TEST(UserImports, AFailedImportKeepsThePreviousFile) {
    struct Import {
        decltype(&ImportEyepieces) run;
        int kind;
        std::string extension, good, downloadFailed, example, noneLoaded;
        std::string_view fields;
    };
    for (const Import& import :
         {Import{ImportEyepieces, 1, ".eyp", "A;B;C;10;50;", "Fail to download eyepiece catalog:", "eyepiece_list",
                 "No eyepiece has been loaded.\nPlease check the file format:", kEyepieceFields},
          Import{ImportLocations, 2, ".loc", "A;B;C;10;50;", "Fail to download location catalog:", "location_list",
                 "No location has been loaded.\nPlease check the file format:", kLocationFields},
          Import{ImportCustomCatalog, 3, ".ppc", "NGC;1;;GALXY;1;2;;;;", "Fail to download custom catalog:",
                 "user_object", "0 User Objects uploaded, 1 rejected", kCustomCatalogFields}}) {
        LocalHttpServer server({{QueryPath(import.kind, "old.txt"), {200, import.good}},
                                {QueryPath(import.kind, "page.txt"), {200, "<html>Sorry</html>"}},
                                {QueryPath(import.kind, "bad.txt"), {200, "nothing;valid\n"}}});
        LocalHttpServer silent({}, true);
        TempHome home;
        ImportResult result;
        RecordingInfoSink messages;
        ASSERT_TRUE(import.run(home.Dir(), "old", ServerOf(server), messages, result)) << import.extension;
        const std::string before = home.ReadFile("usercatalogs/old" + import.extension);
        for (const auto& [name, from] : {std::pair{"gone", &server}, {"page", &server}, {"old", &silent},
                                         {"bad", &server}}) {
            const std::string file = "usercatalogs/" + std::string(name) + import.extension;
            home.WriteFile(file, before);
            messages.messages.clear();
            EXPECT_FALSE(import.run(home.Dir(), name, ServerOf(*from), messages, result)) << name;
            EXPECT_EQ(home.ReadFile(file), before) << name;
            ASSERT_FALSE(messages.messages.empty());
            const auto expected = std::string_view(name) == "bad"
                                      ? std::pair{import.noneLoaded, std::string(import.fields)}
                                      : std::pair{import.downloadFailed,
                                                  std::string(name) + ".txt\n\nTry " + import.example + " as a test."};
            EXPECT_EQ(messages.messages.back(), expected) << name;
        }
    }
}

// The text is cut at the last whole 4096-byte piece below 64 KB: 15 pieces, the line cut there
// rejected.
TEST(UserImports, ALongTextIsCutAtTheLastWholePiece) {
    std::string text;
    for (int i = 0; i < 1400; ++i) text += "Brand name;BRD;" + std::string(27, 'n') + ";10;50;\n";  // 50 bytes
    LocalHttpServer server({{QueryPath(1, "long.txt"), {200, text}}});
    TempHome home;
    ImportResult result;
    RecordingInfoSink messages;
    ASSERT_TRUE(ImportEyepieces(home.Dir(), "long", ServerOf(server), messages, result));
    EXPECT_EQ(std::tie(result.imported, result.rejected), std::make_tuple(15 * 4096 / 50, 1));
}

}  // namespace
}  // namespace vsp::test
