// import eyepieces|locations|catalog against a data server on 127.0.0.1: the messages, the
// JSON counts, the record files as `records dump` shows them, and a failed download.
#include "support/LocalHttpServer.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using ImportCommands = ProgramHomeTest;

std::string Query(int kind, const std::string& file) {
    return "/getdata.php?param1=1&param2=" + std::to_string(kind) + "&param3=65536&param4=1&param5=65001&param6=" +
           file;
}

TEST_F(ImportCommands, EyepiecesLocationsAndCatalogsFromTheDataServer) {
    LocalHttpServer server({{Query(1, "eyepiece_list.txt"), {200, "Tele Vue;TVE;Nagler 13mm;13;82;\nbad\n"}},
                            {Query(2, "location_list.txt"), {200, "Chile;CL;Paranal;-70.4;-24.6;\nX;X;North;10;90.5;\n"}},
                            {Query(3, "user_object.txt"), {200, "M;31;;GALXY;0.71;41.27;3.4;190;60;\n"}}});
    const std::string url = server.Url("/");
    // The address of the settings, then one given for the run.
    ASSERT_EQ(Run({"prefs", "set", "download_data_url=" + url}).status, 0);
    ProgramResult r = Run({"import", "eyepieces", "eyepiece_list"});
    EXPECT_EQ(r.out, "1 User eyepieces uploaded, 1 rejected\n") << r.err;
    r = Run({"import", "locations", "location_list", "--server", url});
    EXPECT_EQ(r.out, "1 User locations uploaded, 1 rejected.\n") << r.err;
    const nlohmann::json catalog = Json({"import", "catalog", "user_object", "--server", url});
    EXPECT_EQ(catalog["imported"], 1);
    EXPECT_EQ(catalog["updated"], 0);
    EXPECT_EQ(catalog["file"], home_.Path("usercatalogs/user_object.ppc"));

    const nlohmann::json location = Json({"records", "dump", home_.Path("usercatalogs/location_list.loc")});
    EXPECT_EQ(location["layout"], "location");
    EXPECT_EQ(location["fields"]["town"], "Paranal");
    EXPECT_EQ(location["fields"]["longitude_west_deg"], "70.4");  // given east positive
    EXPECT_EQ(location["fields"]["latitude_deg"], "-24.6");
    EXPECT_EQ(Json({"records", "dump", catalog["file"]})["fields"]["number"], "31");
}

TEST_F(ImportCommands, AFailedDownloadExitsWithTheMessage) {
    LocalHttpServer server({});
    const ProgramResult r = Run({"import", "catalog", "mine", "--server", server.Url("/data")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Fail to download custom catalog:\nmine.txt\n\nTry user_object as a test."),
              std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace vsp::test
