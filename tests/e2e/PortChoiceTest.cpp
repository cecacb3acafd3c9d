// The serial ports of Preference 1/7 over a device folder of emulated devices with a by-id
// link: the page lists them by name, and the port chosen there is what `scope` and `gps` open,
// also after the mount moved to another socket.

#include <cstdlib>
#include <filesystem>

#include "e2e/ScreenControls.h"
#include "support/BackgroundProgram.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class PortChoice : public ProgramHomeTest {
protected:
    PortChoice() {
        std::filesystem::create_directories(home_.Path("dev/serial/by-id"));
        ::setenv("VESPERTAR_DEVICES", home_.Path("dev").c_str(), 1);
    }
    ~PortChoice() override { ::unsetenv("VESPERTAR_DEVICES"); }

    // An emulated device of `kind` behind `path`, serving until the test ends.
    std::unique_ptr<BackgroundProgram> Serve(std::vector<std::string> args, const std::string& path) {
        args.insert(args.begin(), {"--home", home_.Root(), "emulate"});
        args.insert(args.end(), {"--port", path});
        auto device = std::make_unique<BackgroundProgram>(args);
        EXPECT_EQ(device->FirstLine().rfind("serving ", 0), 0u) << device->FirstLine();
        return device;
    }
    // Row `row` of the popup list `trigger` opens on page 1, as --tap points.
    std::vector<std::string> PickRow(const std::string& trigger, int row) {
        const nlohmann::json open = Json({"screen", "1400", "--tap", trigger});
        for (const nlohmann::json& c : open["controls"]) {
            if (c["kind"] != "list" || !c["visible"]) continue;
            const int x = int(c["x"]) + 10, y = int(c["y"]) + 16 * row + 8;
            return {"--tap", trigger, "--tap", std::to_string(x) + "," + std::to_string(y)};
        }
        ADD_FAILURE() << "no list opened at " << trigger;
        return {};
    }
    nlohmann::json Screen(std::vector<std::string> inputs) {
        inputs.insert(inputs.begin(), {"screen", "1400"});
        return Json(inputs);
    }

    const std::string byId_ = home_.Path("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0");
};

double RaOf(const nlohmann::json& position) {
    EXPECT_EQ(position["emulated"], false);
    return position.value("ra_hours", -1.0);
}

TEST_F(PortChoice, TheMountChosenByItsByIdNameIsFoundAfterItMoved) {
    auto first = Serve({"lx200", "--ra", "1", "--dec", "10"}, home_.Path("dev/ttyUSB3"));
    std::filesystem::create_symlink("../../ttyUSB3", byId_);
    const std::string scopePort = CentreOf(Screen({}), "None");  // the first port popup
    const nlohmann::json chosen = Screen(PickRow(scopePort, 1));
    // The trigger beside its label shows the chosen row cut to its width, the node it reaches.
    EXPECT_EQ(CentreOf(chosen, [](const nlohmann::json& c) {
                  const std::string text = c["text"];
                  return text.starts_with("FTDI_FT2") && text.ends_with("\u2026 (ttyUSB3)");
              }),
              scopePort);
    const nlohmann::json saved = Json({"prefs", "show"});
    EXPECT_EQ(std::pair(saved["scope_port"], saved["scope_port_path"]), std::pair(nlohmann::json(1), nlohmann::json(byId_)));
    EXPECT_NEAR(RaOf(Json({"scope", "--drive", "LX200", "position"})), 1.0, 0.01);

    // Plugged into another socket: ttyUSB0 now, the by-id name the same.
    auto moved = Serve({"lx200", "--ra", "5", "--dec", "10"}, home_.Path("dev/ttyUSB0"));
    std::filesystem::remove(byId_);
    std::filesystem::create_symlink("../../ttyUSB0", byId_);
    first.reset();
    EXPECT_NEAR(RaOf(Json({"scope", "--drive", "LX200", "position"})), 5.0, 0.01);
    // --port still chooses for one run, without changing the settings.
    auto other = Serve({"lx200", "--ra", "9", "--dec", "10"}, home_.Path("mount"));
    EXPECT_NEAR(RaOf(Json({"scope", "--drive", "LX200", "--port", home_.Path("mount"), "position"})), 9.0, 0.01);
    EXPECT_EQ(Json({"prefs", "show"})["scope_port_path"], byId_);
}

TEST_F(PortChoice, GpsReadsThePathTypedForOther) {
    const std::string path = home_.Path("gps");
    auto receiver = Serve({"gps", "--lat", "48.5", "--lon", "2.25", "--elev", "80"}, path);
    const std::string gpsPort = CentreOf(Screen({}), [n = 0](const nlohmann::json& c) mutable {
        return c["text"] == "None" && n++ == 1;  // the second port popup
    });
    std::vector<std::string> inputs = PickRow(gpsPort, 2);  // no device: "None", "gpsd", "Other..."
    inputs.insert(inputs.end(), {"--type", path, "--key", "Enter"});
    Screen(inputs);
    EXPECT_EQ(Json({"prefs", "show"})["gps_port_path"], path);
    const nlohmann::json fix = Json({"gps"});
    EXPECT_NEAR(fix.value("latitude_deg", 0.0), 48.5, 1e-4);
    EXPECT_NEAR(fix.value("longitude_deg", 0.0), 2.25, 1e-4);
}

}  // namespace
}  // namespace vsp::test
