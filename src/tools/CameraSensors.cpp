#include "tools/CameraSensors.h"

namespace vsp {
namespace {

constexpr CameraSensor kSensors[] = {
    {"IMX571 (ASI2600, QHY268)", 6248, 4176, 3.76f},
    {"IMX455 (ASI6200, QHY600)", 9576, 6388, 3.76f},
    {"IMX533 (ASI533)", 3008, 3008, 3.76f},
    {"IMX294 (ASI294MC)", 4144, 2822, 4.63f},
    {"IMX492 (ASI294MM)", 8288, 5644, 2.315f},
    {"IMX585 (ASI585MC)", 3840, 2160, 2.9f},
    {"IMX462 (ASI462MC)", 1936, 1096, 2.9f},
    {"IMX290 (ASI290)", 1936, 1096, 2.9f},
    {"IMX678 (ASI678MC)", 3840, 2160, 2.0f},
    {"IMX183 (ASI183)", 5496, 3672, 2.4f},
    {"IMX178 (ASI178)", 3096, 2080, 2.4f},
    {"IMX174 (ASI174)", 1936, 1216, 5.86f},
    {"IMX224 (ASI224MC)", 1304, 976, 3.75f},
    {"MN34230 (ASI1600)", 4656, 3520, 3.8f},
    {"KAF-8300 (QSI, Atik 383L)", 3326, 2504, 5.4f},
    {"KAF-16200 (Atik 16200)", 4540, 3640, 6.0f},
    {"Canon EOS 6D", 5472, 3648, 6.55f},
    {"Canon EOS R6", 5472, 3648, 6.56f},
    {"Canon EOS 90D", 6960, 4640, 3.2f},
    {"Nikon D850", 8256, 5504, 4.35f},
    {"Nikon Z6 II", 6048, 4024, 5.9f},
};

}  // namespace

std::span<const CameraSensor> CameraSensors() { return kSensors; }

}  // namespace vsp
