#pragma once
// Common astronomical camera sensors and cameras, for choosing the chart's CCD frame: the image
// size in pixels and the pixel pitch. Sources: the manufacturers' data sheets and product
// pages: Sony Semiconductor Solutions (IMX sensors), onsemi (KAF sensors), Panasonic
// (MN34230), ZWO and QHYCCD (the cameras built on them), Canon and Nikon (effective image
// pixels, pitch = sensor width / pixels).

#include <span>

namespace vsp {

struct CameraSensor {
    const char* name;  // sensor, with cameras that carry it; device code page
    int widthPx;
    int heightPx;
    float pixelUm;
};

std::span<const CameraSensor> CameraSensors();

}  // namespace vsp
